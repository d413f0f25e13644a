// Value expressions: their text, copies, references to FROM sources and sub-query proxies.
#include "ExpressionTestTrees.h"

#include <gtest/gtest.h>

using namespace vxtest;

namespace {

class ExpressionsTest : public ::testing::Test {
protected:
  std::unique_ptr<TSQLExpressionCaseFunction> Case(std::unique_ptr<TSQLExpressionItem> Operand,
                                                   std::unique_ptr<TSQLExpressionItem> When,
                                                   std::unique_ptr<TSQLExpressionItem> Then,
                                                   std::unique_ptr<TSQLExpressionItem> Else) {
    auto Result = NewNode<TSQLExpressionCaseFunction>(&Provider);
    Result->SetOperand(std::move(Operand));
    Result->Add(NewNode<TSQLCaseFunctionItem>(&Provider, std::move(When), std::move(Then)));
    Result->SetElse(std::move(Else));
    return Result;
  }

  TReservingProvider Provider;
  TExpressionFactory F{Provider};
};

// Parsed expressions are checked by the parser cases; these are the nodes and shapes that
// only the model and other dialects build.
TEST_F(ExpressionsTest, NodesTheParserDoesNotMake) {
  auto Aggregate = NewNode<TSQLExpressionAggregate1ParamWPrefix>(&Provider, "Sum", F.Col({"Amount"}));
  Aggregate->SetPrefix(TSQLAggregateParamPrefixes::ppAll);
  auto WithParams = NewNode<TSQLExpressionAggregateWParams>(&Provider, "Corr");
  WithParams->SetParams(NewNode<TSQLExpressionsList>(&Provider));
  WithParams->GetParams()->Add(F.Col({"x"}));
  WithParams->GetParams()->Add(F.Col({"y"}));
  auto Named = NewNode<TSQLFunction>(&Provider);
  Named->SetName(F.Name({"f"}));
  Named->SetParams(NewNode<TSQLFunctionParams>(&Provider));
  Named->GetParams()->Add(NewNode<TSQLFunctionParamNamedExpression>(&Provider, "p", F.Num("1")));
  auto Selection = NewNode<TSQLExpressionFieldSelection>(&Provider, F.Col({"t", "addr"}));
  Selection->SetFieldName("zip code");

  EXPECT_EQ(Write(*NewNode<TSQLExpressionOperatorPostfix>(&Provider, F.Col({"n"}), "!")), "n!");
  EXPECT_EQ(Write(*NewNode<TSQLExpressionOperatorBinary>(&Provider, F.Col({"a"}))), "a");
  EXPECT_EQ(Write(*Aggregate), "Sum(Amount)");  // an ALL prefix goes unwritten
  EXPECT_EQ(Write(*WithParams), "Corr(x, y)");
  // Routine names are words of the language: reserved ones stay bare, schemas stay in place.
  EXPECT_EQ(Write(*F.Call({"Upper"}, F.Col({"Name"}))), "Upper(Name)");
  EXPECT_EQ(Write(*F.Call({"sales", "f"}, F.Col({"x"}), F.Num("2"))), "sales.f(x, 2)");
  EXPECT_EQ(Write(*F.Call({"my func"})), "\"my func\"()");
  EXPECT_EQ(Write(*Named), "f(p=1)");
  EXPECT_EQ(Write(*NewNode<TSQLExpressionVariable>(&Provider, ":from")), ":from");
  EXPECT_EQ(Write(*NewNode<TSQLExpressionConstant>(&Provider, TvxVariant(true))), "True");
  EXPECT_EQ(Write(*F.Col({"order"})), "\"order\"");  // a column named like a reserved word
  EXPECT_EQ(Write(*Selection), "t.addr.\"zip code\"");
}

// A constant's value keeps its kind beside its text: a text "1", the integer 1 and the boolean
// true write alike or nearly so, yet are different values. Texts longer than a compact string
// holds inside keep every byte through a copy of the node.
TEST_F(ExpressionsTest, ConstantValuesKeepTheirKindAndText) {
  const std::string Long = "'a literal of more than fifteen bytes'";
  const TvxVariant Values[] = {TvxVariant(),  TvxVariant(""),   TvxVariant("1"),
                               TvxVariant(1), TvxVariant(true), TvxVariant(Long)};
  const char* const Texts[] = {"", "", "1", "1", "True", Long.c_str()};
  for (size_t I = 0; I < std::size(Values); ++I) {
    EXPECT_EQ(Values[I].ToString(), Texts[I]) << I;
    for (size_t J = 0; J < std::size(Values); ++J) EXPECT_EQ(Values[I] == Values[J], I == J) << I << " " << J;
  }
  EXPECT_THROW(Values[3].GetBoolean(), EvxException);
  EXPECT_TRUE(Values[4].GetBoolean());

  auto Constant = NewNode<TSQLExpressionConstant>(&Provider, TvxVariant(Long));
  std::unique_ptr<TSQLExpressionConstant> Copy = CloneNode(*Constant);
  Constant.reset();
  EXPECT_EQ(Copy->GetValue().GetText(), Long);
  EXPECT_EQ(Write(*Copy), Long);
}

TEST_F(ExpressionsTest, ScalarSubQueryStaysOnOneLine) {
  auto Select = NewNode<TSQLExpressionSelect>(&Provider, F.SubSelect("Id", "Orders"));
  EXPECT_EQ(Write(*Select, true), "(SELECT Id FROM Orders)");
  EXPECT_EQ(Write(*NewNode<TSQLExpressionSelect>(&Provider)), "()");
}

TEST_F(ExpressionsTest, CloneIsDeepAndIndependent) {
  TvxObject Model;
  auto Original = Case(F.Col({"Kind"}), F.Num("1"), F.Call({"Upper"}, F.Col({"t", "a"})), F.Num("0"));
  Original->SetModelObject(&Model);
  std::unique_ptr<TSQLExpressionCaseFunction> Copy = CloneNode(*Original);
  const std::string Text = "CASE Kind WHEN 1 THEN Upper(t.a) ELSE 0 END";
  EXPECT_EQ(Write(*Copy), Text);
  EXPECT_EQ(Copy->GetModelObject(), &Model);
  EXPECT_NE(Copy->GetOperand(), Original->GetOperand());
  EXPECT_NE(Copy->GetItem(0)->GetThen(), Original->GetItem(0)->GetThen());

  Copy->SetOperand(F.Col({"Other"}));
  Copy->GetItem(0)->SetWhen(F.Num("2"));
  EXPECT_EQ(Write(*Original), Text);
  Original.reset();
  EXPECT_EQ(Write(*Copy), "CASE Other WHEN 2 THEN Upper(t.a) ELSE 0 END");

  // The typed clone of an expression, including nodes that hold a sub-select.
  auto Select = NewNode<TSQLExpressionSelect>(&Provider, F.SubSelect("Id", "Orders"));
  std::unique_ptr<TSQLExpressionItem> SelectCopy = Select->Clone();
  Select.reset();
  EXPECT_EQ(Write(*SelectCopy), "(SELECT Id FROM Orders)");
}

TEST_F(ExpressionsTest, ReferencesToASource) {
  auto A = F.Table("A", "a", {"x", "z"});
  auto B = F.Table("B", "b", {"y"});
  auto Bound = [&](std::unique_ptr<TSQLExpressionItem> Expression) {
    TSQLFromSourceList Sources{A.get(), B.get()};
    Expression->FixupObjects(Sources);
    return Expression;
  };
  auto Refers = [&](std::unique_ptr<TSQLExpressionItem> Expression) {
    return Bound(std::move(Expression))->ContainsOnlyItemsWithFromSource(A.get());
  };
  EXPECT_FALSE(Refers(F.Bin(F.Col({"a", "x"}), "=", F.Col({"b", "y"}))));
  EXPECT_TRUE(Refers(F.Bin(F.Col({"a", "x"}), "=", F.Col({"z"}))));
  EXPECT_FALSE(Refers(F.Bin(F.Col({"a", "x"}), "=", F.Num("1"))));  // the constant refers to nothing
  EXPECT_TRUE(Refers(NewNode<TSQLExpressionOperatorBinary>(&Provider, F.Col({"a", "x"}), "+")));
  EXPECT_TRUE(Refers(F.Call({"Upper"}, F.Col({"a", "x"}))));
  EXPECT_TRUE(Refers(F.Call({"Coalesce"}, F.Col({"b", "y"}), F.Col({"a", "x"}))));  // any argument
  EXPECT_FALSE(Refers(F.Call({"Now"})));
  EXPECT_FALSE(Refers(F.Col({"t", "x"})));  // unbound
  EXPECT_FALSE(Refers(F.Num("1")));
  EXPECT_TRUE(Refers(Case(nullptr, F.Col({"a", "x"}), F.Col({"b", "y"}), nullptr)));  // WHEN suffices
  EXPECT_FALSE(Refers(Case(nullptr, F.Col({"b", "y"}), F.Num("1"), F.Col({"a", "x"}))));
  auto OperandOnly = NewNode<TSQLExpressionCaseFunction>(&Provider);
  OperandOnly->SetOperand(F.Col({"a", "z"}));
  EXPECT_TRUE(Refers(std::move(OperandOnly)));
  EXPECT_FALSE(NewNode<TSQLExpressionsList>(&Provider)->ContainsOnlyItemsWithFromSource(A.get()));
  EXPECT_FALSE(NewNode<TSQLExpressionAnd>(&Provider)->ContainsOnlyItemsWithFromSource(A.get()));
}

TEST_F(ExpressionsTest, DroppingASourceDropsListItems) {
  auto A = F.Table("A", "a", {"x"});
  auto B = F.Table("B", "b", {"y"});
  TSQLFromSourceList Sources{A.get(), B.get()};

  auto List = NewNode<TSQLExpressionsList>(&Provider);
  List->Add(F.Col({"a", "x"}));
  List->Add(F.Col({"b", "y"}));
  List->Add(F.Col({"a", "z"}));
  List->FixupObjects(Sources);
  List->RemoveReferencesToFromSource(A.get());
  EXPECT_EQ(Write(*List), "b.y");

  // Criteria columns keep their positions: the dropped condition leaves an empty entry.
  for (bool Keep : {false, true}) {
    // A comparison with a constant also needs the constant to refer to the source, so these
    // conditions compare two columns.
    auto Or = F.Group<TSQLExpressionOr>(F.Bin(F.Col({"a", "x"}), "=", F.Col({"a", "x"})),
                                        F.Bin(F.Col({"b", "y"}), "=", F.Col({"a", "x"})), F.Col({"a", "x"}));
    Or->SetKeepEmptyItems(Keep);
    Or->FixupObjects(Sources);
    Or->RemoveReferencesToFromSource(A.get());
    EXPECT_EQ(Or->GetCount(), Keep ? 3 : 1);
    EXPECT_EQ(Write(*Or), "b.y=a.x");
    std::unique_ptr<TSQLExpressionItem> Copy = Or->Clone();
    EXPECT_EQ(dynamic_cast<TSQLExpressionOr&>(*Copy).GetCount(), Keep ? 3 : 1);
  }
}

TEST_F(ExpressionsTest, SubQueriesMoveIntoProxies) {
  auto Select = NewNode<TSQLExpressionSelect>(&Provider, F.SubSelect("Id", "Orders"));
  auto Exists = NewNode<TSQLExpressionExists>(&Provider);
  auto Comparison = NewNode<TSQLExpressionCompWithSubQuery>(&Provider);
  auto In = NewNode<TSQLExpressionInSubQuery>(&Provider);
  auto Condition =
      F.And(std::move(Exists), F.Br(std::move(Comparison)), std::move(In), F.Bin(F.Col({"x"}), "=", std::move(Select)));
  Condition->MoveSubQueryInProxy(nullptr, &TTestProxy::Create);

  auto& And = dynamic_cast<TSQLExpressionAnd&>(*Condition);
  // EXISTS and set comparisons only move a sub-query they have; IN and scalar ones always move.
  EXPECT_EQ(dynamic_cast<TSQLExpressionExists&>(*And.GetItem(0)).GetSubSelect(), nullptr);
  auto* Bracketed = dynamic_cast<TSQLExpressionBrackets&>(*And.GetItem(1)).GetExpression();
  EXPECT_EQ(dynamic_cast<TSQLExpressionCompWithSubQuery&>(*Bracketed).GetSubSelect(), nullptr);
  auto* InProxy = dynamic_cast<TSQLExpressionInSubQuery&>(*And.GetItem(2)).GetSubSelect();
  EXPECT_NE(dynamic_cast<TTestProxy*>(InProxy), nullptr);
  auto& Binary = dynamic_cast<TSQLExpressionOperatorBinary&>(*And.GetItem(3));
  auto* Proxy = dynamic_cast<TTestProxy*>(dynamic_cast<TSQLExpressionSelect&>(*Binary.GetRight()).GetSubSelect());
  ASSERT_NE(Proxy, nullptr);
  EXPECT_EQ(Write(Binary, true), "x=(SELECT Id FROM Orders)");
}

}  // namespace
