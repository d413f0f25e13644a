// What the grammar's actions store in the nodes beyond their classes: name parts, alias forms,
// operator texts, flags, quantifiers, join kinds, type words and the missing left operand of a
// criterion.
#include "ParserTestSupport.h"
#include "vxASTFunctions.h"
#include "vxASTLogical.h"
#include "vxASTSelect.h"

#include <gtest/gtest.h>

namespace {

using namespace vxtest;

template <class T>
T& As(TastExtender* Node) {
  T* Typed = dynamic_cast<T*>(Node);
  if (Typed == nullptr) throw std::runtime_error("a node is not a " + std::string(T::StaticClass().Name));
  return *Typed;
}

class ParserNodes : public ::testing::Test {
protected:
  std::unique_ptr<TSQLSelectStatement> Select(const std::string& Text) { return Provider.ParseSelect(Text); }
  std::unique_ptr<TSQLExpressionItem> Expr(const std::string& Text) { return Provider.ParseExpression(Text); }
  std::unique_ptr<TSQLExpressionItem> Logical(const std::string& Text, bool RequireLeft = true) {
    return Provider.ParseLogicalExpression(Text, RequireLeft);
  }
  static TSQLSubQuerySelectExpression& First(TSQLSubQueryExpressions& Chain) {
    return As<TSQLSubQuerySelectExpression>(Chain.GetItems(0));
  }
  static std::vector<std::string> Parts(const TSQLQualifiedName& Name) { return Name.GetNames().Items(); }

  TastSQL92SyntaxProvider Provider;
};

TEST_F(ParserNodes, NamePartsInnermostFirstWithEmptyQualifiers) {
  EXPECT_EQ(Parts(*Provider.ParseObjectName("db..t")), (std::vector<std::string>{"t", "", "db"}));
  EXPECT_EQ(Parts(*Provider.ParseObjectName(".t")), (std::vector<std::string>{"t", ""}));
  EXPECT_EQ(Parts(*Provider.ParseObjectName("a.b.c.d")), (std::vector<std::string>{"d", "c", "b", "a"}));
  EXPECT_EQ(Parts(*Provider.ParseObjectName("\"x y\".[z]")), (std::vector<std::string>{"[z]", "\"x y\""}));
  auto Column = Expr("srv.db..t.c");
  EXPECT_EQ(Parts(*As<TSQLExpressionColumn>(Column.get()).GetColumn()),
            (std::vector<std::string>{"c", "t", "", "db", "srv"}));

  auto Statement = Select("SELECT t.* FROM s.t");
  TSQLSubQuerySelectExpression& S = First(*Statement);
  auto& Item = As<TSQLSelectItemAllTableColumns>(S.GetSelectItems()->GetItem(0));
  EXPECT_EQ(Parts(*Item.GetObject()), (std::vector<std::string>{"t"}));
  EXPECT_EQ(Parts(*As<TSQLFromObject>(S.GetFrom()->GetItem(0)).GetObject()), (std::vector<std::string>{"t", "s"}));
}

TEST_F(ParserNodes, AliasFormsKeepTheirText) {
  auto Statement = Select("SELECT x = a, b c, d AS e, f 'g h', i AS [j k] FROM t AS u, v w");
  TSQLSubQuerySelectExpression& S = First(*Statement);
  struct TExpected {
    const TastClass& Class;
    const char* Text;
  };
  const TExpected Items[] = {{TSQLAliasAliasEqualsObject::StaticClass(), "x"},
                             {TSQLAliasObjectAlias::StaticClass(), "c"},
                             {TSQLAliasObjectAsAlias::StaticClass(), "e"},
                             {TSQLAliasObjectAlias::StaticClass(), "'g h'"},
                             {TSQLAliasObjectAsAlias::StaticClass(), "[j k]"}};
  ASSERT_EQ(S.GetSelectItems()->GetCount(), 5);
  for (int I = 0; I < 5; ++I) {
    const TSQLAlias* Alias = As<TSQLSelectItemExpression>(S.GetSelectItems()->GetItem(I)).GetAlias();
    ASSERT_NE(Alias, nullptr);
    EXPECT_EQ(&Alias->GetClass(), &Items[I].Class) << I;
    EXPECT_EQ(Alias->GetAlias(), Items[I].Text) << I;
  }
  EXPECT_EQ(S.GetFrom()->GetItem(0)->GetAlias()->ClassName(), "TSQLAliasObjectAsAlias");
  EXPECT_EQ(S.GetFrom()->GetItem(1)->GetAlias()->GetAlias(), "w");
}

TEST_F(ParserNodes, UnionOperandsSelectModesAndOrder) {
  auto Statement = Select(
      "SELECT DISTINCT a FROM t Union ALL (SELECT ALL b FROM u except SELECT c FROM v) "
      "INTERSECT SELECT d FROM w ORDER BY 1 DESC, 2");
  ASSERT_EQ(Statement->GetCount(), 3);
  EXPECT_EQ(First(*Statement).GetSelectMode()->ClassName(), "TSQLSubQuerySelectModeDistinct");
  auto& Group = As<TSQLSubQueryExpressions>(Statement->GetItems(1));
  EXPECT_EQ(Group.GetUnionOperator(), "Union");
  EXPECT_TRUE(Group.GetUnionAll());
  ASSERT_EQ(Group.GetCount(), 2);
  EXPECT_EQ(First(Group).GetSelectMode()->ClassName(), "TSQLSubQuerySelectModeAll");
  EXPECT_EQ(Group.GetItems(1)->GetUnionOperator(), "except");
  EXPECT_FALSE(Group.GetItems(1)->GetUnionAll());
  EXPECT_EQ(As<TSQLSubQuerySelectExpression>(Group.GetItems(1)).GetSelectMode()->ClassName(),
            "TSQLSubQuerySelectModeDefault");
  EXPECT_EQ(Statement->GetItems(2)->GetUnionOperator(), "INTERSECT");
  const TSQLOrderByClause* Order = Statement->GetOrderBy();
  ASSERT_NE(Order, nullptr);
  EXPECT_EQ(Order->GetItem(0)->GetOrder(), TSQLOrderByOrders::obDesc);
  EXPECT_EQ(Order->GetItem(1)->GetOrder(), TSQLOrderByOrders::obAsc);
}

TEST_F(ParserNodes, JoinKindsAndConditions) {
  auto Statement = Select(
      "SELECT * FROM a, b CROSS JOIN c JOIN d ON 1 = 1 LEFT OUTER JOIN e ON 2 = 2 "
      "RIGHT JOIN f ON 3 = 3 FULL JOIN g ON 4 = 4 INNER JOIN h ON 5 = 5");
  const TSQLFromClause& From = *First(*Statement).GetFrom();
  ASSERT_EQ(From.GetCount(), 8);
  EXPECT_EQ(From.GetItem(1)->GetJoinKind(), nullptr);
  const char* Kinds[] = {"TSQLJoinKindCross", "TSQLJoinKindInner", "TSQLJoinKindLeft",
                         "TSQLJoinKindRight", "TSQLJoinKindFull",  "TSQLJoinKindInner"};
  for (int I = 2; I < 8; ++I) {
    ASSERT_NE(From.GetItem(I)->GetJoinKind(), nullptr) << I;
    EXPECT_EQ(From.GetItem(I)->GetJoinKind()->ClassName(), Kinds[I - 2]) << I;
    EXPECT_EQ(From.GetItem(I)->GetJoinCondition() != nullptr, I > 2) << I;
  }
  EXPECT_TRUE(dynamic_cast<TSQLJoinKindOuter&>(*From.GetItem(4)->GetJoinKind()).GetOuterWord());
  EXPECT_FALSE(dynamic_cast<TSQLJoinKindOuter&>(*From.GetItem(5)->GetJoinKind()).GetOuterWord());
}

TEST_F(ParserNodes, DerivedTablesAndFunctionSources) {
  auto Statement = Select("SELECT * FROM (SELECT a, b FROM t) AS q (c1, c2), f(1, x) g, h()");
  const TSQLFromClause& From = *First(*Statement).GetFrom();
  auto& Query = As<TSQLFromQuery>(From.GetItem(0));
  EXPECT_EQ(Query.GetColumnNames().Items(), (std::vector<std::string>{"c1", "c2"}));
  EXPECT_EQ(Query.GetAlias()->ClassName(), "TSQLAliasObjectAsAlias");
  EXPECT_EQ(Query.GetSubSelect()->ClassName(), "TSQLSubSelectStatement");
  auto& Call = As<TSQLFromFunction>(From.GetItem(1));
  EXPECT_EQ(Call.GetFunction()->GetName()->GetQualifiedName(), "f");
  EXPECT_EQ(Call.GetFunction()->GetParams()->GetCount(), 2);
  EXPECT_EQ(As<TSQLFromFunction>(From.GetItem(2)).GetFunction()->GetParams()->GetCount(), 0);
}

TEST_F(ParserNodes, OperatorsAndPredicateFlags) {
  auto Sum = Expr("a - b - c");
  auto& Outer = As<TSQLExpressionOperatorBinary>(Sum.get());
  EXPECT_EQ(Outer.GetOperatorText(), "-");
  EXPECT_EQ(Outer.GetExpression()->GetSimpleSQL(), "a-b");  // left-nested
  auto Signs = Expr("- + ~a");
  EXPECT_EQ(As<TSQLExpressionOperatorPrefix>(Signs.get()).GetOperatorText(), "-");

  auto Condition = Logical(
      "a NOT LIKE 'x%' ESCAPE '!' AND b NOT BETWEEN 1 AND 2 AND c NOT IN (1) AND d IS NOT NULL "
      "AND e LIKE f AND g IN (SELECT h FROM t) AND i NOT IN (SELECT j FROM t)");
  auto& And = As<TSQLExpressionAnd>(Condition.get());
  ASSERT_EQ(And.GetCount(), 7);
  auto& Like = As<TSQLExpressionLikeTemplate>(And.GetItem(0));
  EXPECT_TRUE(Like.GetNot());
  EXPECT_EQ(Like.GetOperatorWord(), "Like");
  EXPECT_EQ(Like.GetEscape()->GetSimpleSQL(), "'!'");
  EXPECT_TRUE(As<TSQLExpressionBetween>(And.GetItem(1)).GetNot());
  EXPECT_TRUE(As<TSQLExpressionInSet>(And.GetItem(2)).GetNot());
  EXPECT_TRUE(As<TSQLExpressionIsNull>(And.GetItem(3)).GetNot());
  EXPECT_FALSE(As<TSQLExpressionLikeTemplate>(And.GetItem(4)).GetNot());
  EXPECT_EQ(As<TSQLExpressionLikeTemplate>(And.GetItem(4)).GetEscape(), nullptr);
  EXPECT_FALSE(As<TSQLExpressionInSubQuery>(And.GetItem(5)).GetNot());
  EXPECT_TRUE(As<TSQLExpressionInSubQuery>(And.GetItem(6)).GetNot());
}

TEST_F(ParserNodes, QuantifiedComparisons) {
  const std::pair<const char*, TSQLCompareWithSet> Cases[] = {
      {"x = ANY (SELECT y FROM t)", TSQLCompareWithSet::csAny},
      {"x > ALL (SELECT y FROM t)", TSQLCompareWithSet::csAll},
      {"x <> SOME (SELECT y FROM t)", TSQLCompareWithSet::csSome}};
  for (const auto& [Text, Quantifier] : Cases) {
    auto Condition = Logical(Text);
    auto& Comparison = As<TSQLExpressionCompWithSubQuery>(Condition.get());
    EXPECT_EQ(Comparison.GetQuantifier(), Quantifier) << Text;
    EXPECT_EQ(Comparison.GetExpression()->GetSimpleSQL(), "x") << Text;
    EXPECT_NE(Comparison.GetSubSelect(), nullptr) << Text;
  }
  EXPECT_EQ(As<TSQLExpressionCompWithSubQuery>(Logical("x > ALL (SELECT y FROM t)").get()).GetOperatorText(), ">");
}

TEST_F(ParserNodes, AggregatesCaseAndConstants) {
  EXPECT_EQ(As<TSQLExpressionAggregate>(Expr("count(*)").get()).GetName(), "count");
  const std::pair<const char*, TSQLAggregateParamPrefixes> Prefixes[] = {
      {"COUNT(DISTINCT a)", TSQLAggregateParamPrefixes::ppDistinct},
      {"Sum(ALL a)", TSQLAggregateParamPrefixes::ppAll},
      {"max(a)", TSQLAggregateParamPrefixes::ppAll}};
  for (const auto& [Text, Prefix] : Prefixes)
    EXPECT_EQ(As<TSQLExpressionAggregate1ParamWPrefix>(Expr(Text).get()).GetPrefix(), Prefix) << Text;
  EXPECT_EQ(As<TSQLExpressionAggregate1ParamWPrefix>(Expr("Sum(ALL a)").get()).GetName(), "Sum");

  auto Searched = Expr("CASE WHEN a = 1 THEN 'x' WHEN b > 2 THEN 'y' WHEN c IS NULL THEN 'z' ELSE 'w' END");
  auto& Case = As<TSQLExpressionCaseFunction>(Searched.get());
  EXPECT_EQ(Case.GetCount(), 3);
  EXPECT_EQ(Case.GetOperand(), nullptr);
  EXPECT_EQ(Case.GetElse()->GetSimpleSQL(), "'w'");
  EXPECT_EQ(Case.GetItem(2)->GetWhen()->GetSimpleSQL(), "c IS NULL");
  auto Simple = Expr("CASE k WHEN 1 THEN 2 END");
  EXPECT_EQ(As<TSQLExpressionCaseFunction>(Simple.get()).GetOperand()->GetSimpleSQL(), "k");
  EXPECT_EQ(As<TSQLExpressionCaseFunction>(Simple.get()).GetElse(), nullptr);

  for (const char* Literal : {"'it''s'", "NULL", "nUlL", "1.5E3", "0x1f", "{d '2024-01-31'}", "007"})
    EXPECT_EQ(As<TSQLExpressionConstant>(Expr(Literal).get()).GetValue(), TvxVariant(Literal)) << Literal;
  EXPECT_EQ(As<TSQLExpressionParameterlessFunction>(Expr("Current_User").get()).GetName(), "Current_User");
}

TEST_F(ParserNodes, CastTypes) {
  struct TCase {
    const char* Type;
    std::vector<std::string> Words;
    int ParamsAfter;
    bool HasLength;
    int Length;
    bool HasScale;
    int Scale;
  };
  const TCase Cases[] = {
      {"NUMERIC(10, 2)", {"numeric"}, 0, true, 10, true, 2},
      {"Decimal(7)", {"decimal"}, 0, true, 7, false, 0},
      {"TIME(3) WITH TIME ZONE", {"time", "with", "time", "zone"}, 0, true, 3, false, 0},
      {"Timestamp Without Time Zone", {"timestamp", "without", "time", "zone"}, 0, false, 0, false, 0},
      {"BIT(4)", {"bit"}, 0, true, 4, false, 0},
      {"Bit Varying(8)", {"bit", "varying"}, 1, true, 8, false, 0},
      {"CHARACTER VARYING", {"character", "varying"}, 1, false, 0, false, 0},
      {"character varying(20)", {"character", "varying"}, 1, true, 20, false, 0},
      {"Double Precision", {"Double", "Precision"}, 0, false, 0, false, 0},
      {"Integer", {"Integer"}, 0, false, 0, false, 0},
      {"VarChar", {"VarChar"}, 0, false, 0, false, 0},
      {"CHAR(0099999999999)", {"char"}, 0, true, 2147483647, false, 0},
  };
  for (const TCase& Case : Cases) {
    auto Cast = Expr(std::string("CAST(a AS ") + Case.Type + ")");
    auto& Type = As<TSQLTypeBuiltIn>(As<TSQLExpressionCast>(Cast.get()).GetType());
    EXPECT_EQ(Type.GetNames().Items(), Case.Words) << Case.Type;
    EXPECT_EQ(Type.GetParamsAfter(), Case.ParamsAfter) << Case.Type;
    EXPECT_EQ(Type.GetHasLength(), Case.HasLength) << Case.Type;
    if (Case.HasLength) {
      EXPECT_EQ(Type.GetLength(), Case.Length) << Case.Type;
    }
    EXPECT_EQ(Type.GetHasScale(), Case.HasScale) << Case.Type;
    if (Case.HasScale) {
      EXPECT_EQ(Type.GetScale(), Case.Scale) << Case.Type;
    }
  }
  auto User = Expr("CAST(a AS app.\"Money Type\")");
  auto& Type = As<TSQLTypeUser>(As<TSQLExpressionCast>(User.get()).GetType());
  EXPECT_EQ(Parts(*Type.GetTypeName()), (std::vector<std::string>{"\"Money Type\"", "app"}));
}

TEST_F(ParserNodes, CriteriaWithoutTheirLeftOperand) {
  auto Greater = Logical("> 5", false);
  auto& Binary = As<TSQLExpressionOperatorBinary>(Greater.get());
  EXPECT_EQ(Binary.GetExpression(), nullptr);
  EXPECT_EQ(Binary.GetOperatorText(), ">");
  EXPECT_EQ(Binary.GetRight()->GetSimpleSQL(), "5");
  EXPECT_EQ(As<TSQLExpressionIsNull>(Logical("IS NULL", false).get()).GetExpression(), nullptr);
  // Both "NOT around LIKE" and "negated LIKE" read the text; the first alternative of the NOT
  // production wins.
  auto NotLike = Logical("NOT LIKE 'x'", false);
  auto& Not = As<TSQLExpressionNot>(NotLike.get());
  auto& Like = As<TSQLExpressionLikeTemplate>(Not.GetExpression());
  EXPECT_FALSE(Like.GetNot());
  EXPECT_EQ(Like.GetExpression(), nullptr);
  // Required left operands are the default, also for the provider's entry point.
  EXPECT_THROW(Provider.ParseLogicalExpression("> 5"), EvxSQLError);
  // The requirement is lifted for the whole text, sub-selects included.
  auto Nested = Logical("IN (SELECT a FROM t WHERE > 1)", false);
  EXPECT_EQ(Nested->GetSimpleSQL(), "IN (SELECT a FROM t WHERE >1)");
}

}  // namespace
