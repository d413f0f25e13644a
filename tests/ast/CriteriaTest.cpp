// Comparing, simplifying and splitting conditions for the criteria grid.
#include "ExpressionTestTrees.h"

#include <gtest/gtest.h>

using namespace vxtest;

namespace {

class CriteriaTest : public ::testing::Test {
protected:
  std::string Simplified(std::unique_ptr<TSQLExpressionItem> Condition) {
    std::unique_ptr<TSQLExpressionItem> Result = SimplifyLogicalExpression(std::move(Condition));
    return Result ? Write(*Result) : "<none>";
  }
  std::unique_ptr<TSQLExpressionItem> A1() { return F.Cmp({"a"}, "=", "1"); }
  std::unique_ptr<TSQLExpressionItem> B2() { return F.Cmp({"b"}, "=", "2"); }
  std::unique_ptr<TSQLExpressionItem> C3() { return F.Cmp({"c"}, "=", "3"); }

  TReservingProvider Provider;
  TExpressionFactory F{Provider};
};

TEST_F(CriteriaTest, EqualityIgnoresCaseOnlyOutsideQuotes) {
  EXPECT_TRUE(IsExpressionsEqual(nullptr, nullptr));
  EXPECT_FALSE(IsExpressionsEqual(F.Col({"a"}).get(), nullptr));
  EXPECT_FALSE(IsExpressionsEqual(nullptr, F.Col({"a"}).get()));
  EXPECT_TRUE(IsExpressionsEqual(F.Cmp({"name"}, "=", "'abc'").get(), F.Cmp({"NAME"}, "=", "'abc'").get()));
  EXPECT_FALSE(IsExpressionsEqual(F.Cmp({"name"}, "=", "'abc'").get(), F.Cmp({"NAME"}, "=", "'ABC'").get()));
  EXPECT_FALSE(IsExpressionsEqual(F.Col({"\"Name\""}).get(), F.Col({"\"NAME\""}).get()));
  EXPECT_FALSE(IsExpressionsEqual(F.Cmp({"a"}, "=", "1").get(), F.Cmp({"a"}, "=", "2").get()));

  // A bound and an unbound reference compare by what they write.
  auto Source = F.Table("T", "a", {"x"});
  auto Bound = F.Col({"a", "x"});
  Bound->GetColumn()->SetFromSource(Source.get());
  EXPECT_TRUE(IsExpressionsEqual(Bound.get(), F.Col({"A", "X"}).get()));
  Source->GetAlias()->SetAlias("b");
  EXPECT_FALSE(IsExpressionsEqual(Bound.get(), F.Col({"a", "x"}).get()));
}

TEST_F(CriteriaTest, Simplification) {
  struct TCase {
    std::unique_ptr<TSQLExpressionItem> Condition;
    std::string Expected;
  } Cases[] = {
      {F.Not(F.Not(A1())), "a=1"},
      {F.Not(F.Br(F.Not(F.Br(A1())))), "(a=1)"},
      {F.Br(F.Not(F.Not(F.Not(A1())))), "Not a=1"},
      {F.Not(F.Br(F.And(A1(), B2()))), "Not a=1 Or Not b=2"},
      {F.Not(F.Or(A1(), B2())), "Not a=1 And Not b=2"},
      {F.And(A1(), F.And(B2(), C3())), "a=1 And b=2 And c=3"},
      {F.Or(F.Or(A1(), F.Or(B2())), C3()), "a=1 Or b=2 Or c=3"},
      {F.And(F.Br(F.Or(A1(), B2())), C3()), "(a=1 Or b=2) And c=3"},
      {F.And(C3(), F.Not(F.Br(F.And(A1(), B2())))), "c=3 And (Not a=1 Or Not b=2)"},
      {F.Not(F.Or(A1(), F.Br(F.Or(B2(), C3())))), "Not a=1 And Not b=2 And Not c=3"},
      {F.And(F.Not(F.Not(A1())), F.Or(), F.And(F.Or())), "a=1"},
      {F.And(F.Or(), F.And()), "<none>"},
      {F.Not(F.And()), "<none>"},
      {F.Br(F.Not(A1())), "(Not a=1)"},
      // A bracketed group keeps its brackets and is simplified inside them.
      {F.Br(F.Or(A1(), F.Not(F.Not(B2())))), "(a=1 Or b=2)"},
      {F.And(C3(), F.Br(F.Or(A1(), F.Br(F.And(B2(), F.Not(F.Br(F.Not(C3())))))))), "c=3 And (a=1 Or (b=2 And c=3))"},
      {F.Br(F.And(F.Or())), "<none>"},
  };
  for (TCase& Case : Cases) EXPECT_EQ(Simplified(std::move(Case.Condition)), Case.Expected);
  EXPECT_EQ(PrepareLogicalExpressionForLoading(nullptr), nullptr);
}

TEST_F(CriteriaTest, SimplificationReusesTheNodesItKeeps) {
  auto Single = F.Cmp({"x"}, ">", "1");
  TSQLExpressionItem* Node = Single.get();
  EXPECT_EQ(SimplifyLogicalExpression(std::move(Single)).get(), Node);

  auto Inner = A1();
  Node = Inner.get();
  EXPECT_EQ(SimplifyLogicalExpression(F.Not(F.Br(F.Not(std::move(Inner))))).get(), Node);

  auto Group = F.And(A1(), F.And(B2()));
  Node = Group.get();
  EXPECT_EQ(PrepareLogicalExpressionForLoading(std::move(Group)).get(), Node);
}

TEST_F(CriteriaTest, SplittingAndJoiningACondition) {
  auto Condition = F.And(F.Cmp({"Price"}, ">", "10"), F.Cmp({"Price"}, "<", "20"));
  TSQLExpressionItem* Item = nullptr;
  Condition = FindExpressionItem(std::move(Condition), Item);
  ASSERT_NE(Item, nullptr);
  std::unique_ptr<TSQLExpressionItem> Expression = Item->Clone();
  EXPECT_EQ(Write(*Expression), "Price");
  Condition->RemoveLExpression(Expression.get());
  EXPECT_EQ(Write(*Condition), ">10 And <20");
  Condition->RestoreLExpression(Expression.get());
  EXPECT_EQ(Write(*Condition), "Price>10 And Price<20");

  // The node FindExpressionItem yields may be handed on directly; it is freed on the way.
  Condition = FindExpressionItem(std::move(Condition), Item);
  Condition->RemoveLExpression(Item);
  EXPECT_EQ(Write(*Condition), ">10 And <20");
}

TEST_F(CriteriaTest, WhatSplittingYields) {
  struct TCase {
    std::unique_ptr<TSQLExpressionItem> Condition;
    std::string Item;       // the expression, "<none>" when there is none
    std::string Criterion;  // the condition without it
  } Cases[] = {
      {F.Col({"Active"}), "Active", "=True"},
      {NewNode<TSQLExpressionExists>(&Provider, F.SubSelect("Id", "T")), "Exists(SELECT Id FROM T)", "=True"},
      {F.Not(F.Br(F.Cmp({"x"}, ">", "1"))), "x", "Not (>1)"},
      {NewNode<TSQLExpressionIsNull>(&Provider, F.Col({"Name"})), "Name", "IS NULL"},
      {F.Or(F.Not(F.Col({"Flag"})), F.Cmp({"Flag"}, "=", "2")), "Flag", "Not =True Or =2"},
      {F.And(), "<none>", ""},
      {F.Not(nullptr), "<none>", "Not "},
      {NewNode<TSQLExpressionIsNull>(&Provider), "<none>", "IS NULL"},
  };
  for (TCase& Case : Cases) {
    TSQLExpressionItem* Item = nullptr;
    std::unique_ptr<TSQLExpressionItem> Condition = FindExpressionItem(std::move(Case.Condition), Item);
    std::unique_ptr<TSQLExpressionItem> Expression = Item ? Item->Clone() : nullptr;
    EXPECT_EQ(Expression ? Write(*Expression) : "<none>", Case.Item);
    Condition->RemoveLExpression(Expression.get());
    EXPECT_EQ(Write(*Condition), Case.Criterion);
  }
}

}  // namespace
