// Text of FROM clauses, join kinds and sources; field-list refresh; derived tables behind proxies.
#include "SelectTestTrees.h"
#include "vxSQL92SyntaxProvider.h"

#include <gtest/gtest.h>

#include <map>

using namespace vxtest;

namespace {

// A metadata provider that records the queries it is asked about.
class TRecordingFieldsProvider : public TastFieldsProvider {
public:
  std::vector<std::string> Calls;
  std::map<std::string, TvxStringList> Answers;
  // Queries containing this text fail after one field was delivered.
  std::string FailOn;

  void GetFields(const std::string& SQL, TvxStringList& Fields) override {
    Calls.push_back(SQL);
    if (!FailOn.empty() && SQL.find(FailOn) != std::string::npos) {
      Fields.Add("Partial");
      throw EvxException("Table not found");
    }
    if (auto Found = Answers.find(SQL); Found != Answers.end()) Fields = Found->second;
  }
};

class FromTest : public ::testing::Test {
protected:
  std::unique_ptr<TSQLFromQuery> Derived(std::unique_ptr<TSQLSubSelectStatement> SubSelect, std::string Alias) {
    auto Source = NewNode<TSQLFromQuery>(&Provider);
    Source->SetSubSelect(std::move(SubSelect));
    Source->SetAlias(NewNode<TSQLAliasObjectAlias>(&Provider, std::move(Alias)));
    return Source;
  }

  TastSyntaxProvider Provider;
  TTreeFactory F{Provider};
  TRecordingFieldsProvider Metadata;
  TastSQL92SyntaxProvider Dialect;
};

TEST_F(FromTest, MultiLineChainsIndentJoinedSources) {
  EXPECT_EQ(Write(*F.From(F.Table("a"), F.Table("b")), true), "a, \r\n b");
  auto Statement = Dialect.ParseSelect("SELECT * FROM a INNER JOIN (b CROSS JOIN c) ON a.x = b.x");
  TSQLFromClause* From = Statement->GetFirstSelect()->GetFrom();
  EXPECT_EQ(Write(*From, true), "a INNER JOIN\r\n (b CROSS JOIN\r\n c) ON a.x=b.x");

  TSQLFromSourceList Leaves;
  From->GetLeafSources(Leaves);
  ASSERT_EQ(Leaves.size(), 3u);
  EXPECT_EQ(Leaves[2]->GetSimpleExpression(), "c");
}

TEST_F(FromTest, DerivedTableStaysOnOneLineWithItsColumnList) {
  auto Outer = Dialect.ParseSelect("SELECT q.c1 FROM (SELECT a FROM t WHERE a = 1) AS q (c1, \"c 2\")");
  const char* Expected = "SELECT q.c1\r\nFROM (SELECT a FROM t WHERE a=1) AS q (c1, \"c 2\")";
  EXPECT_EQ(Write(*Outer, true), Expected);
  EXPECT_EQ(Write(*CloneNode(*Outer), true), Expected);
  EXPECT_EQ(Outer->GetFirstSelect()->GetFrom()->GetItem(0)->GetSimpleExpression(), "(SELECT a FROM t WHERE a=1)");
}

TEST_F(FromTest, FunctionAndVariableSources) {
  auto Function = NewNode<TSQLFunction>(&Provider);
  auto Name = NewNode<TSQLQualifiedName>(&Provider);
  Name->AddName("Split");
  Function->SetName(std::move(Name));
  Function->SetParams(NewNode<TSQLFunctionParams>(&Provider));
  Function->GetParams()->AddExpression(F.Num("'a,b'"));
  auto Call = NewNode<TSQLFromBuiltInFunction>(&Provider);
  Call->SetFunction(std::move(Function));
  Call->SetAlias(NewNode<TSQLAliasObjectAlias>(&Provider, "s"));
  auto Variable = NewNode<TSQLFromVariable>(&Provider, "tv");
  EXPECT_EQ(Write(*F.From(std::move(Call), std::move(Variable))), "Split('a,b') s,  tv");
}

TEST_F(FromTest, CopiesShareTheJoinKind) {
  auto Source = F.Table("b", "x");
  Source->SetJoinKind(F.Join<TSQLJoinKindInner>());
  TSQLJoinKind* Kind = Source->GetJoinKind().get();
  TastChildren Children;
  Source->GetMyChildren(Children);
  EXPECT_EQ(std::count(Children.begin(), Children.end(), Kind), 0);

  auto Copy = CloneNode(*Source);
  EXPECT_EQ(Copy->GetJoinKind().get(), Kind);
  Source.reset();  // the join kind lives on with the copy
  EXPECT_EQ(Write(*F.From(F.Table("a"), std::move(Copy))), "a INNER JOIN  b x");
}

// The dialect tests check the node; written, the one name part with a dot in it is quoted.
TEST_F(FromTest, ObjectChosenByNameIsWrittenAsOneName) {
  TQuotingProvider Quoting;
  EXPECT_EQ(Write(*Quoting.CreateSQLFromObject("dbo.Orders", "")), "\"dbo.Orders\"");
}

TEST_F(FromTest, FieldListsAreAskedForEverySourceInnerFirst) {
  auto Statement =
      Dialect.ParseSelect("SELECT Id FROM Orders o, (SELECT Id FROM Lines) q, (Customers CROSS JOIN Regions r)");
  Metadata.Answers["select * from Orders o"] = {"Id", "Kind"};
  Metadata.Answers["select * from ((SELECT Id FROM Lines)) q"] = {"Id"};
  Statement->RefreshFieldsListRecursive(&Metadata);
  EXPECT_EQ(Metadata.Calls, (std::vector<std::string>{"select * from Orders o", "select * from Lines",
                                                      "select * from ((SELECT Id FROM Lines)) q",
                                                      "select * from Customers", "select * from Regions r"}));
  TSQLFromClause* From = Statement->GetFirstSelect()->GetFrom();
  EXPECT_EQ(From->GetItem(0)->GetFieldsList(), (TvxStringList{"Id", "Kind"}));
  EXPECT_EQ(From->GetItem(1)->GetFieldsList(), (TvxStringList{"Id"}));
}

TEST_F(FromTest, DerivedTableIsDescribedOnlyWhenUsable) {
  auto WithoutFrom = [&] {
    auto Select = NewNode<TSQLSubQuerySelectExpression>(&Provider);
    Select->SetSelectItems(F.Items(F.Item(F.Num("1"))));
    return Select;
  };
  auto Usable = [&] { return F.Select({{"a"}}, F.From(F.Table("t"))); };
  struct TCase {
    const char* Name;
    std::unique_ptr<TSQLSubSelectStatement> SubSelect;
    bool Asked;
  };
  TCase Cases[] = {
      {"usable", F.Chain(Usable()), true},
      {"no FROM clause", F.Chain(WithoutFrom()), false},
      {"empty FROM clause", F.Chain(F.Select({{"a"}}, F.From())), false},
      {"only an empty group", F.Chain(F.Select({{"a"}}, F.From(F.From<TSQLFromItem>()))), false},
      {"source inside a group", F.Chain(F.Select({{"a"}}, F.From(F.From<TSQLFromItem>(F.Table("t"))))), true},
      {"no select items", F.Chain(F.Select({}, F.From(F.Table("t")))), false},
      {"unusable operand in a group", F.Chain(Usable(), F.Chain<TSQLSubQueryExpressions>(Usable(), WithoutFrom())),
       false},
      {"usable group", F.Chain(Usable(), F.Chain<TSQLSubQueryExpressions>(Usable())), true},
      {"empty chain", F.Chain(), false},
      {"no sub-select", nullptr, false},
  };
  for (TCase& Case : Cases) {
    auto Source = Derived(std::move(Case.SubSelect), "q");
    Source->SetFieldsList({"Stale"});
    Metadata.Calls.clear();
    Source->RefreshFieldsList(&Metadata);
    EXPECT_EQ(Metadata.Calls.size(), Case.Asked ? 1u : 0u) << Case.Name;
    EXPECT_TRUE(Source->GetFieldsList().IsEmpty()) << Case.Name;
  }

  auto Named = Derived(F.Chain(Usable()), "q");
  Named->SetColumnNames({"c1"});
  Named->RefreshFieldsList(&Metadata);
  EXPECT_EQ(Metadata.Calls.back(), "select * from ((SELECT a FROM t)) q (c1)");
}

TEST_F(FromTest, MetadataErrorsPassOnExceptForDerivedTables) {
  Metadata.FailOn = "Missing";
  auto Source = Derived(F.Chain(F.Select({{"a"}}, F.From(F.Table("Missing")))), "q");
  EXPECT_NO_THROW(Source->RefreshFieldsList(&Metadata));
  EXPECT_EQ(Source->GetFieldsList(), (TvxStringList{"Partial"}));

  auto Statement = F.Chain(F.Select({{"a"}}, F.From(std::move(Source))));
  try {
    Statement->RefreshFieldsListRecursive(&Metadata);
    ADD_FAILURE() << "the table's error was swallowed";
  } catch (const EvxException& E) {
    EXPECT_EQ(E.GetMessage(), "Table not found");
  }
}

TEST_F(FromTest, DerivedTableMovesItsQueryIntoAProxyOnce) {
  auto Source = Derived(F.Chain(F.Select({{"a"}}, F.From(F.Table("t")))), "q");
  TSQLSubSelectStatement* Query = Source->GetSubSelect();
  TvxObject Owner;
  auto Statement = F.Chain(F.Select({{"q", "a"}}, F.From(std::move(Source))));
  const std::string Text = Write(*Statement);

  Statement->MoveSubQueryInProxy(&Owner, &TTestProxy::Create);
  auto* From = static_cast<TSQLSubQuerySelectExpression*>(Statement->GetItems(0))->GetFrom();
  auto* Table = static_cast<TSQLFromQuery*>(From->GetItem(0));
  auto* Proxy = dynamic_cast<TTestProxy*>(Table->GetSubSelect());
  ASSERT_NE(Proxy, nullptr);
  EXPECT_EQ(Proxy->GetSubSelect(), Query);
  EXPECT_EQ(Proxy->GetOwner(), &Owner);
  EXPECT_EQ(Write(*Statement), Text);

  Statement->MoveSubQueryInProxy(&Owner, &TTestProxy::Create);
  EXPECT_EQ(Table->GetSubSelect(), Proxy);

  // Behind the proxy the derived table is still described from the model's query.
  Table->RefreshFieldsList(&Metadata);
  EXPECT_EQ(Metadata.Calls, (std::vector<std::string>{"select * from ((SELECT a FROM t)) q"}));
}

}  // namespace
