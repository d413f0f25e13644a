// Predicates and the logical connectives: their text, the brackets their meaning needs, their
// classification and their references to FROM sources.
#include "ExpressionTestTrees.h"
#include "vxSQL92SyntaxProvider.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vxtest;

namespace {

// A dialect's editor of list nodes, standing in for a properties dialog: Edit is what the user
// does to the copy it is given, and answers whether the user confirmed.
class TListEditor : public TastExtender {
  VX_CLASS(TListEditor)
public:
  using TastExtender::TastExtender;
  static inline std::function<bool(TastNode&)> Edit;
  bool EditPropsForNode(TastNode& Node, TvxObject*) override { return Edit(Node); }
};

class LogicalTest : public ::testing::Test {
protected:
  template <class T>
  std::unique_ptr<T> Predicate(std::unique_ptr<TSQLExpressionItem> Left, bool Not = false) {
    auto Result = NewNode<T>(&Provider, std::move(Left));
    Result->SetNot(Not);
    return Result;
  }
  std::unique_ptr<TSQLExpressionInSet> InSet(bool Not, std::initializer_list<const char*> Values) {
    auto Result = Predicate<TSQLExpressionInSet>(F.Col({"Id"}), Not);
    Result->SetValues(NewNode<TSQLExpressionsList>(&Provider));
    for (const char* Value : Values) Result->GetValues()->Add(F.Num(Value));
    return Result;
  }
  // Text parsed as a condition, for the predicates the parser makes.
  std::unique_ptr<TSQLExpressionItem> Parsed(const std::string& Text) { return Dialect.ParseLogicalExpression(Text); }
  template <class T>
  std::unique_ptr<T> Compare(std::string Op, TSQLCompareWithSet Quantifier) {
    auto Result = NewNode<T>(&Provider);
    Result->SetExpression(F.Col({"x"}));
    Result->SetOperator(NewNode<TSQLOperator>(&Provider, std::move(Op)));
    Result->SetQuantifier(Quantifier);
    return Result;
  }
  std::unique_ptr<TSQLExpressionOverlaps> Overlaps() {
    auto Result = NewNode<TSQLExpressionOverlaps>(&Provider);
    Result->SetLeftStart(F.Col({"s1"}));
    Result->SetLeftEnd(F.Col({"e1"}));
    Result->SetRightStart(F.Col({"s2"}));
    Result->SetRightEnd(F.Col({"a", "e2"}));
    return Result;
  }

  TReservingProvider Provider;
  TExpressionFactory F{Provider};
  TastSQL92SyntaxProvider Dialect;
};

// Parsed predicates are checked by the parser cases; these are the ones only other dialects or
// hand-built trees have.
TEST_F(LogicalTest, PredicateTexts) {
  auto WithSet = Compare<TSQLExpressionCompWithSetExpression>(">", TSQLCompareWithSet::csAny);
  WithSet->SetSetExpression(F.Col({"Limits"}));
  EXPECT_EQ(Write(*WithSet), "x>Any(Limits)");
  EXPECT_EQ(Write(*Compare<TSQLExpressionCompWithSet>("<>", TSQLCompareWithSet::csSome)), "x<>Some");
  EXPECT_EQ(Write(*Predicate<TSQLExpressionIs>(F.Col({"Flag"}))), "Flag IS");
  EXPECT_EQ(Write(*Overlaps()), "(s1,e1) Overlaps (s2,a.e2)");
  EXPECT_EQ(Write(*InSet(true, {"1", "2", "3"})), "Id NOT IN (1, 2, 3)");
}

TEST_F(LogicalTest, SubQueriesOfPredicatesFollowTheCallersLayout) {
  auto Exists = NewNode<TSQLExpressionExists>(&Provider, F.SubSelect("Id", "Orders"));
  EXPECT_EQ(Write(*Exists, true), "Exists(SELECT Id\r\nFROM Orders)");
}

TEST_F(LogicalTest, ConnectivesBracketOnlyWhatTheirMeaningNeeds) {
  EXPECT_EQ(Write(*F.Or(F.And(F.Cmp({"a"}, "=", "1"), F.Cmp({"b"}, "=", "2")), F.Cmp({"c"}, "=", "3"))),
            "a=1 And b=2 Or c=3");
  EXPECT_EQ(Write(*F.And(F.Cmp({"c"}, "=", "1"), F.Or(F.Cmp({"a"}, "=", "1"), F.Cmp({"b"}, "=", "2")))),
            "c=1 And (a=1 Or b=2)");
  EXPECT_EQ(Write(*F.Not(F.And(F.Cmp({"a"}, "=", "1"), F.Cmp({"b"}, "=", "2")))), "Not (a=1 And b=2)");
  // Brackets that are already in the tree are not doubled.
  EXPECT_EQ(Write(*F.And(F.Br(F.Or(F.Cmp({"a"}, "=", "1"), F.Cmp({"b"}, "=", "2"))),
                         F.Not(F.Br(F.Or(F.Cmp({"c"}, "=", "3")))))),
            "(a=1 Or b=2) And Not (c=3)");
  EXPECT_EQ(Write(*F.And(F.Cmp({"a"}, "=", "1"))), "a=1");
  EXPECT_EQ(Write(*F.Or()), "");
}

TEST_F(LogicalTest, IsLogical) {
  struct TCase {
    std::unique_ptr<TSQLExpressionItem> Node;
    bool Logical;
  } Cases[] = {
      {Parsed("a IS NULL"), true},
      {InSet(false, {"1"}), true},
      {Parsed("a IN (SELECT b FROM t)"), true},
      {Parsed("Name LIKE 'a%'"), true},
      {NewNode<TSQLExpressionExists>(&Provider), true},
      {Overlaps(), true},
      {F.Not(F.Col({"a"})), true},
      {F.And(), true},
      {F.Or(), true},
      {Parsed("a BETWEEN 1 AND 2"), false},
      {Compare<TSQLExpressionCompWithSet>("=", TSQLCompareWithSet::csAll), false},
      {F.Cmp({"a"}, "=", "1"), false},
      {F.Br(F.Not(F.Col({"a"}))), false},
      {F.Col({"a"}), false},
  };
  for (TCase& Case : Cases) EXPECT_EQ(Case.Node->IsLogical(), Case.Logical) << Write(*Case.Node);
}

TEST_F(LogicalTest, ReferencesToASource) {
  auto A = F.Table("A", "a", {"x"});
  auto B = F.Table("B", "b", {"y"});
  auto Refers = [&](std::unique_ptr<TSQLExpressionItem> Expression) {
    TSQLFromSourceList Sources{A.get(), B.get()};
    Expression->FixupObjects(Sources);
    return Expression->ContainsOnlyItemsWithFromSource(A.get());
  };
  EXPECT_TRUE(Refers(Parsed("a.x IS NULL")));
  EXPECT_FALSE(Refers(Predicate<TSQLExpressionIsNull>(nullptr)));
  EXPECT_TRUE(Refers(Parsed("b.y BETWEEN 1 AND a.x")));  // any one suffices
  EXPECT_FALSE(Refers(Parsed("b.y BETWEEN 1 AND 2")));
  EXPECT_TRUE(Refers(Parsed("b.y LIKE a.x")));
  EXPECT_FALSE(Refers(Parsed("EXISTS (SELECT x FROM A)")));
  EXPECT_TRUE(Refers(Overlaps()));
  EXPECT_TRUE(Refers(F.Not(Parsed("a.x IS NULL"))));
  EXPECT_TRUE(Refers(Parsed("a.x IS NULL AND x > a.x")));
  EXPECT_FALSE(Refers(Parsed("a.x = 1 OR b.y = 2")));
}

TEST_F(LogicalTest, TakeItemsFromMovesAndNegates) {
  auto Source = F.Group<TSQLExpressionAnd>(F.Cmp({"a"}, "=", "1"), F.Cmp({"b"}, "=", "2"));
  auto Target = F.Group<TSQLExpressionOr>(F.Cmp({"c"}, "=", "3"));
  Target->TakeItemsFrom(*Source, true);
  EXPECT_EQ(Source->GetCount(), 0);
  EXPECT_EQ(Write(*Target), "c=3 Or Not a=1 Or Not b=2");
  Source->TakeItemsFrom(*Target, false);
  EXPECT_EQ(Write(*Source), "c=3 And Not a=1 And Not b=2");
}

// Editing a node in place assigns the edited copy back: a list takes the copy's items in place
// of its own, so the condition is what the user left, not the old one followed by it.
TEST_F(LogicalTest, AnAcceptedEditGivesExactlyTheEditedList) {
  struct TCase {
    const char* What;
    std::function<bool(TastNode&)> Edit;
    const char* Expected;
  };
  const TCase Cases[] = {
      {"OK unchanged", [](TastNode&) { return true; }, "a=1 And b=2"},
      {"one removed",
       [](TastNode& Copy) {
         dynamic_cast<TSQLExpressionAnd&>(Copy).Delete(0);
         return true;
       },
       "b=2"},
      {"one added",
       [this](TastNode& Copy) {
         dynamic_cast<TSQLExpressionAnd&>(Copy).Add(F.Cmp({"c"}, "=", "3"));
         return true;
       },
       "a=1 And b=2 And c=3"},
      {"cancelled",
       [](TastNode& Copy) {
         dynamic_cast<TSQLExpressionAnd&>(Copy).Delete(0);
         return false;
       },
       "a=1 And b=2"},
  };
  TReservingProvider Editing;
  Editing.RegisterExtender(TSQLExpressionAnd::StaticClass(), TListEditor::StaticClass());
  const TExpressionFactory E{Editing};
  for (const TCase& Case : Cases) {
    auto Condition = E.Group<TSQLExpressionAnd>(E.Cmp({"a"}, "=", "1"), E.Cmp({"b"}, "=", "2"));
    TListEditor::Edit = Case.Edit;
    Condition->EditProps(nullptr);
    EXPECT_EQ(Write(*Condition), Case.Expected) << Case.What;
  }
  TListEditor::Edit = nullptr;

  // Every kind of list replaces its items, also when it is assigned from itself.
  auto Items = F.Items(F.Item(F.Col({"a"})), F.Item(F.Col({"b"})));
  Items->Assign(*F.Items(F.Item(F.Col({"c"}))));
  EXPECT_EQ(Write(*Items), "c");
  Items->Assign(*Items);
  EXPECT_EQ(Write(*Items), "c");
  auto Condition = F.Group<TSQLExpressionOr>(F.Cmp({"a"}, "=", "1"));
  Condition->Assign(*Condition);
  EXPECT_EQ(Write(*Condition), "a=1");
}

}  // namespace

VX_CLASS_IMPL(TListEditor, TastExtender)
