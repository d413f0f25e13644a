// Which FROM source each reference of a statement binds to, across nested queries.
#include "SelectTestTrees.h"
#include "vxSQL92SyntaxProvider.h"

#include <gtest/gtest.h>

using namespace vxtest;

namespace {

class BindingTest : public ::testing::Test {
protected:
  static TSQLSubQuerySelectExpression* Operand(const TSQLSubQueryExpressions& Chain, int Index) {
    return dynamic_cast<TSQLSubQuerySelectExpression*>(Chain.GetItems(Index));
  }
  // The first FROM source of operand Index of Chain.
  static TSQLFromSource* Source(const TSQLSubQueryExpressions& Chain, int Index = 0) {
    return Operand(Chain, Index)->GetFrom()->GetItem(0);
  }
  static TSQLObjectColumn* ItemColumn(const TSQLSubQuerySelectExpression& Select, int Index) {
    auto* Item = static_cast<TSQLSelectItemExpression*>(Select.GetSelectItems()->GetItem(Index));
    return static_cast<TSQLExpressionColumn*>(Item->GetExpression())->GetColumn();
  }
  static TSQLObjectColumn* Column(TSQLExpressionItem* Expression) {
    return static_cast<TSQLExpressionColumn*>(Expression)->GetColumn();
  }
  static TSQLExpressionOperatorBinary* Binary(TSQLExpressionItem* Expression) {
    return static_cast<TSQLExpressionOperatorBinary*>(Expression);
  }
  // Binds Statement with nothing in scope, as a top-level statement is bound.
  static void Bind(TastNode& Statement) {
    TSQLFromSourceList Scope;
    Statement.FixupObjects(Scope);
    EXPECT_TRUE(Scope.empty());
  }

  TastSQL92SyntaxProvider Dialect;
  TTreeFactory F{Dialect};
};

TEST_F(BindingTest, CorrelatedSubQuerySeesTheOuterSource) {
  auto Statement =
      Dialect.ParseSelect("SELECT o.Id FROM Orders o WHERE EXISTS (SELECT * FROM Lines l WHERE l.OrderId = o.Id)");
  TSQLSubQuerySelectExpression* Select = Operand(*Statement, 0);
  TSQLSubSelectStatement& Inner = *static_cast<TSQLExpressionExists*>(Select->GetWhere())->GetSubSelect();
  Bind(*Statement);
  TSQLExpressionItem* Correlation = Operand(Inner, 0)->GetWhere();
  EXPECT_EQ(ItemColumn(*Select, 0)->GetFromSource(), Source(*Statement));
  EXPECT_EQ(Column(Binary(Correlation)->GetExpression())->GetFromSource(), Source(Inner));
  EXPECT_EQ(Column(Binary(Correlation)->GetRight())->GetFromSource(), Source(*Statement));

  Source(*Statement)->GetAlias()->SetAlias("x");
  EXPECT_EQ(Write(*Statement), "SELECT x.Id FROM Orders x WHERE Exists(SELECT * FROM Lines l WHERE l.OrderId=x.Id)");
}

TEST_F(BindingTest, InnerSourcesWinAndTheScopeIsRestored) {
  // An outer source handed in by the caller; the inner Id is a column of Lines, Kind only of the
  // outer source.
  auto Caller = F.Table("Params", {}, {"Kind"});
  auto Statement = Dialect.ParseSelect("SELECT Id, Kind FROM Orders WHERE Id IN (SELECT Id FROM Lines)");
  TSQLSubQuerySelectExpression* Select = Operand(*Statement, 0);
  TSQLSubSelectStatement& Inner = *static_cast<TSQLExpressionInSubQuery*>(Select->GetWhere())->GetSubSelect();
  Source(*Statement)->SetFieldsList({"Id"});
  Source(Inner)->SetFieldsList({"Id"});

  TSQLFromSourceList Scope{Caller.get()};
  Select->FixupObjects(Scope);
  ASSERT_EQ(Scope.size(), 1u);
  EXPECT_EQ(ItemColumn(*Select, 0)->GetFromSource(), Source(*Statement));
  EXPECT_EQ(ItemColumn(*Select, 1)->GetFromSource(), Caller.get());
  EXPECT_EQ(ItemColumn(*Operand(Inner, 0), 0)->GetFromSource(), Source(Inner));
  EXPECT_EQ(Write(*ItemColumn(*Operand(Inner, 0), 0)), "Lines.Id");
}

TEST_F(BindingTest, OrderByOfAChainBindsToItsFirstSelect) {
  auto Statement = Dialect.ParseSelect(
      "(SELECT Id FROM Orders o UNION SELECT Id FROM Archive a) UNION SELECT 1 FROM Other ORDER BY Id, o.Id");
  auto& Group = *static_cast<TSQLSubQueryExpressions*>(Statement->GetItems(0));
  for (TSQLFromSource* Table : {Source(Group, 0), Source(Group, 1), Source(*Statement, 1)})
    Table->SetFieldsList({"Id"});

  Bind(*Statement);
  for (int I = 0; I < 2; ++I)
    EXPECT_EQ(Column(Statement->GetOrderBy()->GetItem(I)->GetExpression())->GetFromSource(), Source(Group, 0)) << I;
  Source(Group, 0)->GetAlias()->SetAlias("x");
  EXPECT_EQ(Write(*Statement->GetOrderBy()), "x.Id, x.Id");
}

TEST_F(BindingTest, OrderByNameOfAnOutputAliasStaysUnbound) {
  // Only a bare name can be an alias; qualified or in brackets it is a column of the sources.
  auto Statement = Dialect.ParseSelect("SELECT City AS Name FROM Suppliers s ORDER BY Name, s.Name, NAME DESC, (Name)");
  Source(*Statement)->SetFieldsList({"City", "Name"});
  Bind(*Statement);
  EXPECT_EQ(Write(*Statement->GetOrderBy()), "Name, s.Name, NAME DESC, (s.Name)");
}

TEST_F(BindingTest, DerivedTableAndTableStarFollowRenames) {
  auto Statement = Dialect.ParseSelect("SELECT q.c, q.* FROM (SELECT c FROM t) q");
  Source(*static_cast<TSQLFromQuery*>(Source(*Statement))->GetSubSelect())->SetFieldsList({"c"});
  Bind(*Statement);
  EXPECT_EQ(ItemColumn(*Operand(*Statement, 0), 0)->GetFromSource(), Source(*Statement));
  Source(*Statement)->GetAlias()->SetAlias("r");
  EXPECT_EQ(Write(*Statement), "SELECT r.c, r.* FROM (SELECT t.c FROM t) r");
}

}  // namespace
