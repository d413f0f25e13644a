// Text of SELECTs, union chains and statements; the sub-query proxy; copies of whole statements.
#include "SelectTestTrees.h"
#include "vxSQL92SyntaxProvider.h"

#include <gtest/gtest.h>

using namespace vxtest;

VX_CLASS_IMPL(vxtest::TTestProxy, TSQLSubSelectStatementProxy)

namespace {

class SelectTest : public ::testing::Test {
protected:
  TastSyntaxProvider Provider;
  TTreeFactory F{Provider};
  TastSQL92SyntaxProvider Dialect;
};

TEST_F(SelectTest, UnionExampleIsLaidOutClauseByClause) {
  auto Statement = F.UnionExample();
  EXPECT_EQ(Write(*Statement, true),
            "SELECT o.Id, Sum(l.Qty) Total\r\n"
            "FROM Orders o INNER JOIN\r\n"
            " Lines l ON o.Id=l.OrderId\r\n"
            "WHERE o.Kind=1\r\n"
            "GROUP BY o.Id\r\n"
            "union ALL\r\n"
            "SELECT Id, 0\r\n"
            "FROM Archive");
  EXPECT_EQ(Write(*Statement, false),
            "SELECT o.Id, Sum(l.Qty) Total FROM Orders o INNER JOIN  Lines l ON o.Id=l.OrderId WHERE o.Kind=1 "
            "GROUP BY o.Id union ALL SELECT Id, 0 FROM Archive");
  // The simple text is the one-line text.
  EXPECT_EQ(Statement->GetSimpleSQL(), Write(*Statement, false));
}

TEST_F(SelectTest, SelectModeAndItemsSpacing) {
  struct TCase {
    std::unique_ptr<TSQLSubQuerySelectMode> Mode;
    bool WithItems;
    const char* Expected;
  };
  TCase Cases[] = {
      {NewNode<TSQLSubQuerySelectModeDefault>(&Provider), true, "SELECT a, b"},
      {NewNode<TSQLSubQuerySelectModeDefault>(&Provider), false, "SELECT "},
      {nullptr, false, "SELECT"},
      {nullptr, true, "SELECT a, b"},
      {NewNode<TSQLSubQuerySelectModeDistinct>(&Provider), true, "SELECT DISTINCT a, b"},
      {NewNode<TSQLSubQuerySelectModeAll>(&Provider), true, "SELECT ALL a, b"},
  };
  for (TCase& Case : Cases) {
    auto Select = NewNode<TSQLSubQuerySelectExpression>(&Provider);
    Select->SetSelectMode(std::move(Case.Mode));
    Select->SetSelectItems(Case.WithItems ? F.Items(F.Item(F.Col({"a"})), F.Item(F.Col({"b"})))
                                          : NewNode<TSQLSelectItems>(&Provider));
    EXPECT_EQ(Write(*Select, true), Case.Expected);
  }
}

TEST_F(SelectTest, ChainsAndBracketedGroups) {
  auto Second = F.Select({{"b"}}, F.From(F.Table("u")));
  Second->SetUnionAll(true);
  auto Plain = F.Chain(F.Select({{"a"}}, F.From(F.Table("t"))), std::move(Second));
  EXPECT_EQ(Write(*Plain), "SELECT a FROM t union ALL SELECT b FROM u");

  auto Group = F.Chain<TSQLSubQueryExpressions>(F.Select({{"b"}}, F.From(F.Table("u"))),
                                                F.Select({{"c"}}, F.From(F.Table("v"))));
  auto Bracketed = F.Chain(F.Select({{"a"}}, F.From(F.Table("t"))), std::move(Group));
  EXPECT_EQ(Write(*Bracketed), "SELECT a FROM t union (SELECT b FROM u union SELECT c FROM v)");
  EXPECT_EQ(Write(*Bracketed, true),
            "SELECT a\r\nFROM t\r\nunion\r\n(SELECT b\r\nFROM u\r\nunion\r\nSELECT c\r\nFROM v)");

  auto Empty = NewNode<TSQLSubSelectStatement>(&Provider);
  EXPECT_EQ(Write(*Empty), "");
}

TEST_F(SelectTest, OrderByAndGroupByClauses) {
  auto Statement = Dialect.ParseSelect("SELECT a, b FROM t ORDER BY a, b DESC");
  EXPECT_EQ(Write(*Statement, true), "SELECT a, b\r\nFROM t\r\nORDER BY a, b DESC");

  // A GROUP BY node is written even without items; the ORDER BY of a SELECT follows HAVING.
  TSQLSubQuerySelectExpression* Select = Statement->GetFirstSelect();
  Select->SetGroupBy(NewNode<TSQLGroupByList>(&Dialect));
  Select->SetHaving(Dialect.ParseLogicalExpression("a > 1"));
  Select->SetOrderBy(CloneNode(*Statement->GetOrderBy()));
  EXPECT_EQ(Write(*Select), "SELECT a, b FROM t GROUP BY HAVING a>1 ORDER BY a, b DESC");
}

TEST_F(SelectTest, AllColumnItems) {
  EXPECT_EQ(Write(*Dialect.ParseSelect("SELECT *, Orders.*")->GetFirstSelect()->GetSelectItems()), "*, Orders.*");
}

TEST_F(SelectTest, ProxyRefusesListOperations) {
  auto Proxy = TTestProxy::Create(&Provider, nullptr, F.Chain(F.Select({{"a"}}, F.From(F.Table("t")))));
  TSQLSubSelectStatement& Base = *Proxy;
  auto Other = NewNode<TSQLSubSelectStatement>(&Provider);
  auto Operand = NewNode<TSQLSubQuerySelectExpression>(&Provider);
  std::pair<const char*, std::function<void()>> Calls[] = {
      {"Assign", [&] { Base.Assign(*Other); }},
      {"Add", [&] { Base.Add(NewNode<TSQLSubQuerySelectExpression>(&Provider)); }},
      {"Clear", [&] { Base.Clear(); }},
      {"Delete", [&] { Base.Delete(0); }},
      {"Extract", [&] { Base.Extract(0); }},
      {"Extract", [&] { Base.Extract(Operand.get()); }},
      {"GetCount", [&] { Base.GetCount(); }},
      {"GetItems", [&] { Base.GetItems(0); }},
      {"Remove", [&] { Base.Remove(Operand.get()); }},
  };
  for (auto& [Name, Call] : Calls) {
    try {
      Call();
      ADD_FAILURE() << Name << " did not raise";
    } catch (const EvxException& E) {
      EXPECT_EQ(E.GetMessage(), std::string(Name) + " can't be called with TSQLSubSelectStatementProxy");
    }
  }
  // Copying a chain from a proxy refuses too, instead of copying an empty chain.
  EXPECT_THROW(Other->Assign(*Proxy), EvxException);
}

TEST_F(SelectTest, ProxyWritesAndCopiesTheModelsCurrentTree) {
  auto Proxy = TTestProxy::Create(&Provider, nullptr, F.Chain(F.Select({{"a"}}, F.From(F.Table("t")))));
  auto Holder = NewNode<TSQLExpressionSelect>(&Provider);
  TSQLSubSelectStatementProxy* Raw = Proxy.get();
  Holder->SetSubSelect(std::move(Proxy));
  EXPECT_EQ(Write(*Holder), "(SELECT a FROM t)");

  TastChildren Children;
  Raw->GetMyChildren(Children);
  EXPECT_TRUE(Children.empty());

  // An edit of the model shows in the next text; a copy is a plain, independent tree.
  static_cast<TSQLSubQuerySelectExpression*>(Raw->GetSubSelect()->GetItems(0))->SetWhere(F.Num("1"));
  auto Copy = CloneNode(*Holder);
  EXPECT_EQ(Write(*Holder), "(SELECT a FROM t WHERE 1)");
  ASSERT_NE(Copy->GetSubSelect(), nullptr);
  EXPECT_EQ(dynamic_cast<TSQLSubSelectStatementProxy*>(Copy->GetSubSelect()), nullptr);
  Holder.reset();
  EXPECT_EQ(Write(*Copy), "(SELECT a FROM t WHERE 1)");
}

TEST_F(SelectTest, CloneOfBoundStatementOutlivesTheOriginal) {
  auto Original = F.UnionExample();
  TSQLFromSourceList Scope;
  Original->FixupObjects(Scope);
  std::unique_ptr<TSQLSelectStatement> Copy = CloneNode(*Original);
  std::string Text = Write(*Original, true);
  Original.reset();
  EXPECT_EQ(Write(*Copy, true), Text);

  // The copy's references are bound to the copy's sources: renaming there renames them.
  auto* First = static_cast<TSQLSubQuerySelectExpression*>(Copy->GetItems(0));
  First->GetFrom()->GetItem(0)->GetAlias()->SetAlias("x");
  EXPECT_EQ(Write(*Copy),
            "SELECT x.Id, Sum(l.Qty) Total FROM Orders x INNER JOIN  Lines l ON x.Id=l.OrderId WHERE x.Kind=1 "
            "GROUP BY x.Id union ALL SELECT Archive.Id, 0 FROM Archive");
}

}  // namespace
