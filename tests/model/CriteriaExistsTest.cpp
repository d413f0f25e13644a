// Conditions that are not comparisons (EXISTS, NOT EXISTS, a typed logical expression) in
// criteria cells: they are held as "= True" and must be written back as the grammar reads them,
// at any depth of a cell and mixed with other criteria, OR columns and sub-queries. Also the
// helpers that do it, and the integer conversion of criteria texts.
#include "SelectListTestRig.h"
#include "vxQueryCriteria.h"

#include "vxSQL92SyntaxProvider.h"

using namespace vxtest;

// --- the helpers -------------------------------------------------------------------------------

class TCriteriaHelpers : public testing::Test {
protected:
  std::unique_ptr<TSQLExpressionItem> Expression(const std::string& Text) { return FDialect.ParseExpression(Text); }
  std::unique_ptr<TSQLExpressionItem> Condition(const std::string& Text) {
    return FDialect.ParseLogicalExpression(Text);
  }
  // "Left = Right" as loading makes it for a bare condition.
  std::unique_ptr<TSQLExpressionItem> Compared(std::unique_ptr<TSQLExpressionItem> Left, const std::string& Right) {
    return NewNode<TSQLExpressionOperatorBinary>(&FDialect, std::move(Left), "=", Expression(Right));
  }

  TastSQL92SyntaxProvider FDialect;
};

TEST_F(TCriteriaHelpers, BooleanLiterals) {
  struct {
    const char* Text;
    bool IsLiteral;
    bool Value;
  } const Cases[] = {{"TRUE", true, true}, {"false", true, false},   {"True", true, true},   {"t.TRUE", false, false},
                     {"1", false, false},  {"'TRUE'", false, false}, {"Truth", false, false}};
  for (const auto& Case : Cases) {
    bool Value = !Case.Value;
    EXPECT_EQ(vx::IsBooleanLiteral(Expression(Case.Text).get(), Value), Case.IsLiteral) << Case.Text;
    if (Case.IsLiteral) {
      EXPECT_EQ(Value, Case.Value) << Case.Text;
    }
  }
  bool Value = false;
  auto Constant = NewNode<TSQLExpressionConstant>(&FDialect, TvxVariant(true));
  EXPECT_TRUE(vx::IsBooleanLiteral(Constant.get(), Value));
  EXPECT_TRUE(Value);
  EXPECT_FALSE(vx::IsBooleanLiteral(nullptr, Value));
}

TEST_F(TCriteriaHelpers, ComparisonsOfConditionsAreWrittenAsTheConditions) {
  // Not (Exists(...)=True Or a>1 Or b IS NULL=FALSE), as a cell of a logical row holds it.
  TSQLExpressionItem* Tested = nullptr;
  auto Exists = FindExpressionItem(Condition("EXISTS (SELECT 1 FROM T)"), Tested);
  ASSERT_EQ(Exists->GetSimpleSQL(), "Exists(SELECT 1 FROM T)=True");
  auto Or = NewNode<TSQLExpressionOr>(&FDialect);
  Or->Add(std::move(Exists));
  Or->Add(Condition("a > 1"));
  Or->Add(Compared(Condition("b IS NULL"), "FALSE"));
  auto Cell = NewNode<TSQLExpressionNot>(&FDialect, NewNode<TSQLExpressionBrackets>(&FDialect, std::move(Or)));
  EXPECT_TRUE(vx::HasLogicalOperand(*Cell));
  std::unique_ptr<TSQLExpressionItem> Written = vx::WriteLogicalComparisons(std::move(Cell));
  EXPECT_EQ(Written->GetSimpleSQL(), "Not (Exists(SELECT 1 FROM T) Or a>1 Or Not b IS NULL)");
  EXPECT_FALSE(vx::HasLogicalOperand(*Written));
  // What the grammar reads back is what was written.
  EXPECT_EQ(Condition(Written->GetSimpleSQL())->GetSimpleSQL(), Written->GetSimpleSQL());

  // Other comparisons stay, and are what makes a cell unwritable.
  for (const char* Right : {"5", "c", "'TRUE'"}) {
    std::unique_ptr<TSQLExpressionItem> Kept = vx::WriteLogicalComparisons(Compared(Condition("x IN (1)"), Right));
    EXPECT_TRUE(vx::HasLogicalOperand(*Kept)) << Right;
  }
  std::unique_ptr<TSQLExpressionItem> Value = vx::WriteLogicalComparisons(Compared(Expression("a"), "TRUE"));
  EXPECT_EQ(Value->GetSimpleSQL(), "a=TRUE");
}

TEST_F(TCriteriaHelpers, ConditionsAndValues) {
  for (const char* Text : {"a = 1", "(a <> b)", "((a < 1))", "a NOT BETWEEN 1 AND 2", "a >= ALL (SELECT b FROM t)",
                           "NOT a = 1", "a IS NULL", "EXISTS (SELECT 1 FROM t)", "a = 1 OR b = 2"})
    EXPECT_TRUE(vx::IsCondition(Condition(Text).get())) << Text;
  for (const char* Text : {"a * 2", "(a - 1)", "Sum(a)", "(SELECT b FROM t)", "'='"})
    EXPECT_FALSE(vx::IsCondition(Expression(Text).get())) << Text;
  EXPECT_FALSE(vx::IsCondition(nullptr));
}

TEST(TCriteriaIntegers, Conversion) {
  using Limits = std::numeric_limits<long long>;
  const std::pair<const char*, long long> Numbers[] = {{"12", 12},
                                                       {"-7", -7},
                                                       {"+3", 3},
                                                       {"$1F", 31},
                                                       {"0x1f", 31},
                                                       {"-9223372036854775808", Limits::min()},
                                                       {"9223372036854775807", Limits::max()}};
  for (const auto& [Text, Expected] : Numbers) {
    long long Value = 0;
    EXPECT_TRUE(vx::TryStrToInt(Text, Value)) << Text;
    EXPECT_EQ(Value, Expected) << Text;
  }
  for (const char* Text : {"9223372036854775808", "", "-", "0x", "1 2", " 1", "1.5", "$G"}) {
    long long Value = 0;
    EXPECT_FALSE(vx::TryStrToInt(Text, Value)) << Text;
  }
}

// --- EXISTS in the model -----------------------------------------------------------------------

namespace {

struct TExistsCase {
  const char* Input;
  const char* Model;
};

constexpr const char* HasOrders = "EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = c.CustomerID)";
constexpr const char* HasOrdersText = "Exists(SELECT 1 FROM Orders o WHERE o.CustomerID=c.CustomerID)";

const TExistsCase ExistsCases[] = {
    {"SELECT c.CompanyName FROM Customers c WHERE EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = c.CustomerID)",
     "SELECT c.CompanyName FROM Customers c WHERE Exists(SELECT 1 FROM Orders o WHERE o.CustomerID=c.CustomerID)"},
    {"SELECT c.CompanyName FROM Customers c WHERE NOT EXISTS (SELECT 1 FROM Orders o WHERE o.ShipToCustomerID = "
     "c.CustomerID)",
     "SELECT c.CompanyName FROM Customers c WHERE Not Exists(SELECT 1 FROM Orders o WHERE "
     "o.ShipToCustomerID=c.CustomerID)"},
    {"SELECT c.CompanyName FROM Customers c WHERE NOT (NOT EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = "
     "c.CustomerID))",
     "SELECT c.CompanyName FROM Customers c WHERE Exists(SELECT 1 FROM Orders o WHERE o.CustomerID=c.CustomerID)"},
    {"SELECT c.CompanyName FROM Customers c WHERE NOT (EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = "
     "c.CustomerID))",
     "SELECT c.CompanyName FROM Customers c WHERE Not (Exists(SELECT 1 FROM Orders o WHERE "
     "o.CustomerID=c.CustomerID))"},
    // Alternatives in OR columns, mixed with ordinary criteria; the same EXISTS twice shares a row.
    {"SELECT c.CompanyName FROM Customers c WHERE EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = c.CustomerID) "
     "AND c.City = 'Paris' OR NOT EXISTS (SELECT 1 FROM Orders o WHERE o.ShipToCustomerID = c.CustomerID) AND "
     "c.Country = 'Spain' OR EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = c.CustomerID)",
     "SELECT c.CompanyName FROM Customers c WHERE Exists(SELECT 1 FROM Orders o WHERE o.CustomerID=c.CustomerID) And "
     "c.City='Paris' Or Not Exists(SELECT 1 FROM Orders o WHERE o.ShipToCustomerID=c.CustomerID) And "
     "c.Country='Spain' Or Exists(SELECT 1 FROM Orders o WHERE o.CustomerID=c.CustomerID)"},
    // Inside a bracketed group of one cell, beside a predicate about another column.
    {"SELECT c.CompanyName FROM Customers c WHERE (EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = "
     "c.CustomerID AND o.Freight > 200) OR c.CreditLimit > 40000) AND c.Country <> 'France'",
     "SELECT c.CompanyName FROM Customers c WHERE (Exists(SELECT 1 FROM Orders o WHERE o.CustomerID=c.CustomerID And "
     "o.Freight>200) Or c.CreditLimit>40000) And c.Country<>'France'"},
    // NOT pushed into an AND with an EXISTS in it.
    {"SELECT c.CompanyName FROM Customers c WHERE NOT (EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = "
     "c.CustomerID) AND c.City = 'Paris')",
     "SELECT c.CompanyName FROM Customers c WHERE Not Exists(SELECT 1 FROM Orders o WHERE o.CustomerID=c.CustomerID) "
     "Or Not c.City='Paris'"},
    // In HAVING, correlated with a grouped column.
    {"SELECT c.Country, Count(*) FROM Customers c GROUP BY c.Country HAVING EXISTS (SELECT 1 FROM Suppliers s WHERE "
     "s.Country = c.Country) AND Count(*) > 1",
     "SELECT c.Country, Count(*) FROM Customers c GROUP BY c.Country HAVING Count(*)>1 And Exists(SELECT 1 FROM "
     "Suppliers s WHERE s.Country=c.Country)"},
    // Correlated sub-queries of other kinds, beside an EXISTS in a sub-query of its own.
    {"SELECT c.CompanyName FROM Customers c WHERE c.CreditLimit > (SELECT Avg(c2.CreditLimit) FROM Customers c2 "
     "WHERE c2.Country = c.Country) AND c.CustomerID IN (SELECT o.CustomerID FROM Orders o WHERE NOT EXISTS "
     "(SELECT 1 FROM OrderLines l WHERE l.OrderID = o.OrderID AND l.Discount > 0))",
     "SELECT c.CompanyName FROM Customers c WHERE c.CreditLimit>(SELECT Avg(c2.CreditLimit) FROM Customers c2 WHERE "
     "c2.Country=c.Country) And c.CustomerID IN (SELECT o.CustomerID FROM Orders o WHERE Not Exists(SELECT 1 FROM "
     "OrderLines l WHERE l.OrderID=o.OrderID And l.Discount>0))"},
};

}  // namespace

class TExistsRoundTrip : public TSelectListRig, public testing::WithParamInterface<TExistsCase> {};

TEST_P(TExistsRoundTrip, IsWrittenAsTheGrammarReadsIt) {
  const TExistsCase& Case = GetParam();
  Load(Case.Input);
  EXPECT_EQ(SQL(), Case.Model);
  ExpectFixedPoint();
  EXPECT_EQ(SampleRows(SQL()), SampleRows(Case.Input));
}

INSTANTIATE_TEST_SUITE_P(Statements, TExistsRoundTrip, testing::ValuesIn(ExistsCases));

TEST_F(TSelectListRig, ExistsRowsShowTheConditionAndTrue) {
  Load(ExistsCases[4].Input);
  EXPECT_EQ(Line(1), std::string("-1|") + HasOrdersText + "||||Where|=True||=True");
  EXPECT_EQ(Line(2), "0|c.City||||Where|='Paris'");
  EXPECT_EQ(Line(3), "-1|Exists(SELECT 1 FROM Orders o WHERE o.ShipToCustomerID=c.CustomerID)||||Where||Not =True");
  // The EXISTS row holds its sub-query as the root of one proxy, for the grid's ellipsis.
  EXPECT_EQ(Row(1)->GetSubqueriesByRootNodeCount(Row(1)->GetExpressionNode()), 1);
}

TEST_F(TSelectListRig, TypedCriteriaOfALogicalRow) {
  Load("SELECT c.CompanyName FROM Customers c WHERE c.City = 'London'");
  TvxSelectItem* Exists = Row(2);
  Exists->SetExpression(HasOrders);
  TvxStringList Choices;
  TvxSelectList::GetCriteriaNames(Choices);
  Exists->SetCondition(0, Choices[1]);  // "=FALSE"
  Exists->SetCondition(1, "= true");
  EXPECT_EQ(SQL(), std::string("SELECT c.CompanyName FROM Customers c WHERE c.City='London' And Not ") + HasOrdersText +
                       " Or " + HasOrdersText);
  EXPECT_EQ(SampleRows(SQL()),
            SampleRows(std::string("SELECT c.CompanyName FROM Customers c WHERE (c.City = 'London' AND NOT ") +
                       HasOrders + ") OR " + HasOrders));

  // Anything the grammar could not read back is refused; the cell keeps what it had.
  for (const char* Refused : {"5", "> 1", "IS NULL", "<> TRUE", "= c.City"}) {
    Exists->SetCondition(1, Refused);
    EXPECT_EQ(Exists->GetCondition(1), "=true") << Refused;
  }
  // A criterion that also tests other columns is a condition like any other.
  Exists->SetCondition(1, "=TRUE OR c.Country = 'UK'");
  EXPECT_EQ(SQL(), std::string("SELECT c.CompanyName FROM Customers c WHERE c.City='London' And Not ") + HasOrdersText +
                       " Or " + HasOrdersText + " Or c.Country='UK'");
  ExpectFixedPoint();

  // An expression that makes the old criteria unwritable drops them.
  ASSERT_EQ(Row(1)->GetCondition(0), "='London'");
  Row(1)->SetExpression(HasOrders);
  EXPECT_EQ(Row(1)->GetConditionsCount(), 0);
}

TEST_F(TSelectListRig, EditingTheSubQueryOfAnExistsRow) {
  Load(ExistsCases[0].Input);
  std::vector<TvxSubSelectStatementProxy*> Proxies;
  Row(1)->GetSubqueriesByRootNode(Row(1)->GetExpressionNode(), Proxies);
  ASSERT_EQ(Proxies.size(), 1u);
  TvxSelectList* Inner = Proxies[0]->GetSubQuery()->FirstSelect()->GetSelectList();
  TvxSelectItem* Freight = Inner->AddExpression("o.Freight");
  Freight->SetCondition(0, "> 300");
  EXPECT_EQ(SQL(),
            "SELECT c.CompanyName FROM Customers c WHERE Exists(SELECT 1 FROM Orders o WHERE o.CustomerID=c.CustomerID "
            "And o.Freight>300)");
  EXPECT_EQ(SampleRows(SQL()), SampleRows("SELECT c.CompanyName FROM Customers c WHERE EXISTS (SELECT 1 FROM Orders o "
                                          "WHERE o.CustomerID = c.CustomerID AND o.Freight > 300)"));
  ExpectFixedPoint();
}

TEST_F(TSelectListRig, SubQueryTypedIntoACriteriaCell) {
  Load("SELECT c.CompanyName, c.CustomerID FROM Customers c");
  Row(1)->SetCondition(1, "IN (SELECT o.ShipToCustomerID FROM Orders o WHERE o.CustomerID <> o.ShipToCustomerID)");
  TSQLExpressionItem* Cell = Row(1)->GetConditionNode(1);
  ASSERT_NE(Cell, nullptr);
  std::vector<TvxSubSelectStatementProxy*> Proxies;
  Row(1)->GetSubqueriesByRootNode(Cell, Proxies);
  ASSERT_EQ(Proxies.size(), 1u);
  Proxies[0]->GetSubQuery()->FirstSelect()->GetSelectList()->AddExpression("o.Freight")->SetCondition(0, "> 100");
  EXPECT_EQ(SQL(),
            "SELECT c.CompanyName, c.CustomerID FROM Customers c WHERE c.CustomerID IN (SELECT o.ShipToCustomerID FROM "
            "Orders o WHERE o.CustomerID<>o.ShipToCustomerID And o.Freight>100)");
  // Replacing the cell frees its sub-query.
  Row(1)->SetCondition(1, "> 5");
  EXPECT_TRUE(Row(1)->GetProxies().empty());
  EXPECT_EQ(SQL(), "SELECT c.CompanyName, c.CustomerID FROM Customers c WHERE c.CustomerID>5");
}
