// Which FROM source each reference of a statement binds to, across nested queries.
#include "SelectTestTrees.h"

#include <gtest/gtest.h>

using namespace vxtest;

namespace {

class BindingTest : public ::testing::Test {
protected:
  static TSQLSubQuerySelectExpression* Operand(const TSQLSubQueryExpressions& Chain, int Index) {
    return dynamic_cast<TSQLSubQuerySelectExpression*>(Chain.GetItems(Index));
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

  TastSyntaxProvider Provider;
  TTreeFactory F{Provider};
};

TEST_F(BindingTest, CorrelatedSubQuerySeesTheOuterSource) {
  // SELECT o.Id FROM Orders o WHERE EXISTS (SELECT * FROM Lines l WHERE l.OrderId=o.Id)
  auto Inner = NewNode<TSQLSubQuerySelectExpression>(&Provider);
  Inner->SetSelectItems(F.Items(NewNode<TSQLSelectItemAllColumns>(&Provider)));
  Inner->SetFrom(F.From(F.Table("Lines", "l", {"OrderId"})));
  Inner->SetWhere(F.Bin(F.Col({"l", "OrderId"}), "=", F.Col({"o", "Id"})));
  TSQLExpressionItem* Correlation = Inner->GetWhere();
  auto Outer = F.Select({{"o", "Id"}}, F.From(F.Table("Orders", "o", {"Id"})));
  Outer->SetWhere(NewNode<TSQLExpressionExists>(&Provider, F.Chain(std::move(Inner))));
  auto Statement = F.Chain<TSQLSelectStatement>(std::move(Outer));

  TSQLFromSourceList Scope;
  Statement->FixupObjects(Scope);
  EXPECT_TRUE(Scope.empty());
  TSQLSubQuerySelectExpression* Select = Operand(*Statement, 0);
  TSQLFromSource* Orders = Select->GetFrom()->GetItem(0);
  auto* InnerSelect = Operand(*static_cast<TSQLExpressionExists*>(Select->GetWhere())->GetSubSelect(), 0);
  TSQLFromSource* Lines = InnerSelect->GetFrom()->GetItem(0);
  EXPECT_EQ(ItemColumn(*Select, 0)->GetFromSource(), Orders);
  EXPECT_EQ(Column(Binary(Correlation)->GetExpression())->GetFromSource(), Lines);
  EXPECT_EQ(Column(Binary(Correlation)->GetRight())->GetFromSource(), Orders);

  Orders->GetAlias()->SetAlias("x");
  EXPECT_EQ(Write(*Statement), "SELECT x.Id FROM Orders x WHERE Exists(SELECT * FROM Lines l WHERE l.OrderId=x.Id)");
}

TEST_F(BindingTest, InnerSourcesWinAndTheScopeIsRestored) {
  // An outer source handed in by the caller, then SELECT Id, Kind FROM Orders WHERE Id IN
  // (SELECT Id FROM Lines): the inner Id is a column of Lines, Kind only of the outer source.
  auto Caller = F.Table("Params", {}, {"Kind"});
  auto Inner = F.Select({{"Id"}}, F.From(F.Table("Lines", {}, {"Id"})));
  auto InnerId = ItemColumn(*Inner, 0);
  auto Select = F.Select({{"Id"}, {"Kind"}}, F.From(F.Table("Orders", {}, {"Id"})));
  auto In = NewNode<TSQLExpressionInSubQuery>(&Provider);
  In->SetExpression(F.Col({"Id"}));
  In->SetSubSelect(F.Chain(std::move(Inner)));
  Select->SetWhere(std::move(In));

  TSQLFromSourceList Scope{Caller.get()};
  Select->FixupObjects(Scope);
  ASSERT_EQ(Scope.size(), 1u);
  TSQLFromSource* Orders = Select->GetFrom()->GetItem(0);
  EXPECT_EQ(ItemColumn(*Select, 0)->GetFromSource(), Orders);
  EXPECT_EQ(ItemColumn(*Select, 1)->GetFromSource(), Caller.get());
  EXPECT_NE(InnerId->GetFromSource(), nullptr);
  EXPECT_NE(InnerId->GetFromSource(), Orders);
  EXPECT_EQ(Write(*InnerId), "Lines.Id");
}

TEST_F(BindingTest, OrderByOfAChainBindsToItsFirstSelect) {
  // (SELECT Id FROM Orders o union SELECT Id FROM Archive a) union SELECT 1 FROM Other ORDER BY Id, o.Id
  auto Group = F.Chain<TSQLSubQueryExpressions>(F.Select({{"Id"}}, F.From(F.Table("Orders", "o", {"Id"}))),
                                                F.Select({{"Id"}}, F.From(F.Table("Archive", "a", {"Id"}))));
  auto Statement = F.Chain<TSQLSelectStatement>(std::move(Group), F.Select({}, F.From(F.Table("Other", {}, {"Id"}))));
  auto OrderBy = NewNode<TSQLOrderByClause>(&Provider);
  for (auto* Parts : {"Id", "o.Id"}) {
    auto Item = NewNode<TSQLOrderByItem>(&Provider);
    Item->SetExpression(std::string_view(Parts) == "Id" ? F.Col({"Id"}) : F.Col({"o", "Id"}));
    OrderBy->Add(std::move(Item));
  }
  Statement->SetOrderBy(std::move(OrderBy));

  TSQLFromSourceList Scope;
  Statement->FixupObjects(Scope);
  EXPECT_TRUE(Scope.empty());
  TSQLFromSource* Orders = Statement->GetFirstSelect()->GetFrom()->GetItem(0);
  for (int I = 0; I < 2; ++I)
    EXPECT_EQ(Column(Statement->GetOrderBy()->GetItem(I)->GetExpression())->GetFromSource(), Orders) << I;
  Orders->GetAlias()->SetAlias("x");
  EXPECT_EQ(Write(*Statement->GetOrderBy()), "x.Id, x.Id");
}

TEST_F(BindingTest, DerivedTableAndTableStarFollowRenames) {
  // SELECT q.c, q.* FROM (SELECT c FROM t) q
  auto Derived = NewNode<TSQLFromQuery>(&Provider);
  Derived->SetSubSelect(F.Chain(F.Select({{"c"}}, F.From(F.Table("t", {}, {"c"})))));
  Derived->SetAlias(NewNode<TSQLAliasObjectAlias>(&Provider, "q"));
  auto Select = F.Select({{"q", "c"}}, F.From(std::move(Derived)));
  auto Star = NewNode<TSQLSelectItemAllTableColumns>(&Provider);
  auto Object = NewNode<TSQLDatabaseObject>(&Provider);
  Object->AddName("q");
  Star->SetObject(std::move(Object));
  Select->GetSelectItems()->Add(std::move(Star));

  TSQLFromSourceList Scope;
  Select->FixupObjects(Scope);
  TSQLFromSource* Source = Select->GetFrom()->GetItem(0);
  EXPECT_EQ(ItemColumn(*Select, 0)->GetFromSource(), Source);
  Source->GetAlias()->SetAlias("r");
  EXPECT_EQ(Write(*Select), "SELECT r.c, r.* FROM (SELECT t.c FROM t) r");
}

}  // namespace
