// Loading the SELECT list, WHERE, GROUP BY, HAVING and ORDER BY into rows, and building them
// back: where each part lands in the grid, and that the rebuilt statement is a fixed point that
// returns the same rows on the sample database (in the same order where it has an ORDER BY).
#include "SelectListTestRig.h"

using namespace vxtest;

namespace {

const TRoundTrip RoundTrips[] = {
    // A table's name qualifies the copy that has no alias, wherever the aliased copy stands.
    {"SELECT Customers.City, Customers.* FROM Customers, Customers \"a.b\" WHERE \"a.b\".Country = 'Mexico'",
     "SELECT Customers.City, Customers.* FROM Customers,  Customers \"a.b\" WHERE \"a.b\".Country='Mexico'", true},
    {"SELECT Customers.City, Customers.* FROM Customers x, Customers WHERE x.Country = 'Mexico'",
     "SELECT Customers.City, Customers.* FROM Customers x,  Customers WHERE x.Country='Mexico'", true},
    {"SELECT c.CompanyName Name, c.City AS Town, Label = c.Country, c.* FROM Customers c",
     "SELECT c.CompanyName Name, c.City AS Town, Label=c.Country, c.* FROM Customers c", false},
    // Delimited aliases and text outside ASCII keep their spelling.
    {"SELECT c.City AS \"Town Name\", c.Country \"Länd\" FROM Customers c WHERE c.City = 'São Paulo' OR c.City = "
     "'Zürich'",
     "SELECT c.City AS \"Town Name\", c.Country \"Länd\" FROM Customers c WHERE c.City='São Paulo' Or "
     "c.City='Zürich'",
     true},
    {"SELECT p.ProductName, p.UnitPrice * (1 - 0.1) AS Discounted FROM Products p WHERE p.UnitPrice > 20",
     "SELECT p.ProductName, p.UnitPrice*(1-0.1) AS Discounted FROM Products p WHERE p.UnitPrice>20", true},
    // An OR at the top gives one criteria column per alternative.
    {"SELECT c.CompanyName FROM Customers c WHERE c.City = 'Paris' OR (c.City = 'Rome' AND c.Country > 'A')",
     "SELECT c.CompanyName FROM Customers c WHERE c.City='Paris' Or c.City='Rome' And c.Country>'A'", true},
    // NOT is pushed into the group; a bracketed OR inside an AND stays one cell.
    {"SELECT c.CompanyName FROM Customers c WHERE NOT (c.City = 'Paris' OR c.City LIKE 'R%') AND c.CreditLimit "
     "BETWEEN 1 AND 100000",
     "SELECT c.CompanyName FROM Customers c WHERE Not c.City='Paris' And Not c.City Like 'R%' And c.CreditLimit "
     "Between 1 And 100000",
     true},
    {"SELECT o.OrderID FROM Orders o WHERE (o.Freight > 10 OR o.ShipperID = 1) AND o.EmployeeID = 2",
     "SELECT o.OrderID FROM Orders o WHERE (o.Freight>10 Or o.ShipperID=1) And o.EmployeeID=2", true},
    {"SELECT * FROM Customers c WHERE c.Region IS NULL OR c.Country IN ('France', 'Italy') OR c.CustomerID IN "
     "(SELECT o.CustomerID FROM Orders o WHERE o.Freight > 100)",
     "SELECT * FROM Customers c WHERE c.Region IS NULL Or c.Country IN ('France', 'Italy') Or c.CustomerID IN "
     "(SELECT o.CustomerID FROM Orders o WHERE o.Freight>100)",
     true},
    // A single bracketed predicate loses its brackets.
    {"SELECT s.CompanyName FROM Suppliers s WHERE (s.Country = 'Japan')",
     "SELECT s.CompanyName FROM Suppliers s WHERE s.Country='Japan'", true},
    // Grouping: a selected GROUP BY column keeps its row; aggregates go into HAVING by row.
    {"SELECT c.Country, Count(*) AS n, Sum(c.CreditLimit) FROM Customers c WHERE c.CreditLimit > 0 GROUP BY "
     "c.Country HAVING Count(*) > 2",
     "SELECT c.Country, Count(*) AS n, Sum(c.CreditLimit) FROM Customers c WHERE c.CreditLimit>0 GROUP BY c.Country "
     "HAVING Count(*)>2",
     true},
    {"SELECT c.Country, Count(DISTINCT c.City), Max(c.CreditLimit) FROM Customers c GROUP BY c.Country HAVING "
     "Max(c.CreditLimit) > 1000 AND c.Country <> 'X' OR Count(*) = 1",
     "SELECT c.Country, Count(DISTINCT c.City), Max(c.CreditLimit) FROM Customers c GROUP BY c.Country HAVING "
     "c.Country<>'X' And Max(c.CreditLimit)>1000 Or Count(*)=1",
     true},
    {"SELECT e.City, Count(*) FROM Employees e WHERE e.City <> 'Leeds' GROUP BY e.City HAVING e.City > 'A'",
     "SELECT e.City, Count(*) FROM Employees e WHERE e.City<>'Leeds' GROUP BY e.City HAVING e.City>'A'", true},
    // ORDER BY: sort order over rows, unselected rows for columns not in the SELECT list.
    {"SELECT c.CompanyName FROM Customers c ORDER BY c.Country DESC, c.CompanyName",
     "SELECT c.CompanyName FROM Customers c ORDER BY c.Country DESC, c.CompanyName", true},
    // Ordering by an alias sorts the aliased row, which sorts by its expression.
    {"SELECT c.CompanyName AS Name FROM Customers c ORDER BY Name DESC",
     "SELECT c.CompanyName AS Name FROM Customers c ORDER BY c.CompanyName DESC", true},
    // A sub-query in a criterion, behind a quantified comparison.
    {"SELECT o.OrderID FROM Orders o WHERE o.Freight > ALL (SELECT o2.Freight FROM Orders o2 WHERE o2.ShipperID = 2) "
     "OR o.Freight = 0",
     "SELECT o.OrderID FROM Orders o WHERE o.Freight>All(SELECT o2.Freight FROM Orders o2 WHERE o2.ShipperID=2) Or "
     "o.Freight=0",
     false},
};

}  // namespace

TEST_P(TSelectListRoundTrip, RebuildsAFixedPointWithTheSameRows) {
  const TRoundTrip& Case = GetParam();
  Load(Case.Input);
  EXPECT_EQ(SQL(), Case.Model);
  ExpectFixedPoint();
  if (!Case.OnSample) return;
  // Only an ORDER BY fixes the order of the rows.
  if (FSyntax.ParseSelect(Case.Input)->GetOrderBy() != nullptr)
    EXPECT_EQ(SampleRowsInOrder(SQL()), SampleRowsInOrder(Case.Input));
  else
    EXPECT_EQ(SampleRows(SQL()), SampleRows(Case.Input));
}

INSTANTIATE_TEST_SUITE_P(Statements, TSelectListRoundTrip, testing::ValuesIn(RoundTrips));

TEST_F(TSelectListRig, WhereEachPartLandsInTheGrid) {
  const struct {
    const char* Input;
    std::vector<std::string> Lines;
  } Cases[] = {
      // An OR at the top gives one criteria column per alternative.
      {"SELECT c.CompanyName FROM Customers c WHERE c.City = 'Paris' OR (c.City = 'Rome' AND c.Country > 'A')",
       {"1|c.CompanyName||||Expression", "0|c.City||||Where|='Paris'|='Rome'", "0|c.Country||||Where||>'A'",
        "-2|||||"}},
      // Conditions share a row only when their expressions differ in the case of names.
      {"SELECT c.CompanyName FROM Customers c WHERE c.City + 'x' = 'Parisx' AND C.CITY + 'x' <> 'Romex' AND c.City + "
       "'X' = 'ParisX'",
       {"1|c.CompanyName||||Expression", "0|c.City+'x'||||Where|='Parisx' And <>'Romex'",
        "0|c.City+'X'||||Where|='ParisX'", "-2|||||"}},
      // A grouped selected column keeps one output row; aggregates show their argument and are
      // named by their grouping.
      {"SELECT c.Country, Count(*) AS n, Sum(DISTINCT c.CreditLimit) FROM Customers c GROUP BY c.Country HAVING "
       "Count(*) > 2",
       {"1|c.Country||||GroupBy", "1|*|n|||Count|>2", "1|c.CreditLimit||||Sum Distinct", "-2|||||"}},
      // ORDER BY makes sorted rows in its order, unselected ones for columns not in the list.
      {"SELECT c.CompanyName, c.City FROM Customers c ORDER BY c.Country DESC, c.City",
       {"1|c.CompanyName||||Expression", "1|c.City||Ascending|2|Expression", "0|c.Country||Descending|1|Expression",
        "-2|||||"}},
      // HAVING on a grouped column and WHERE on the same column use two rows.
      {"SELECT e.City, Count(*) FROM Employees e WHERE e.City <> 'Leeds' GROUP BY e.City HAVING e.City > 'A'",
       {"1|e.City||||Where|<>'Leeds'", "1|*||||Count", "0|e.City||||GroupBy|>'A'", "-2|||||"}},
  };
  for (const auto& Case : Cases) {
    Load(Case.Input);
    EXPECT_EQ(Lines(), Case.Lines) << Case.Input;
  }
  Load(Cases[3].Input);
  ASSERT_EQ(List()->GetSortOrderCount(), 2);
  EXPECT_EQ(List()->GetSortOrderItems(0), Row(2));
  Load(Cases[0].Input);
  EXPECT_EQ(List()->GetGridColumnCount(), TvxSelectList::FixedGridColumns + 4);
}

TEST_F(TSelectListRig, SelectAllColumnsRowsCarryTheirDatasource) {
  Load("SELECT c.*, o.OrderID, * FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID");
  EXPECT_EQ(Row(0)->GetDatasourceNode(), Find("c")->GetNode());
  EXPECT_EQ(Row(0)->GetFieldName(), "");
  EXPECT_EQ(Row(1)->GetDatasourceNode(), Find("o")->GetNode());
  EXPECT_EQ(Row(1)->GetFieldName(), "ORDERID");
  EXPECT_EQ(Row(2)->GetDatasourceNode(), nullptr);
  EXPECT_EQ(List()->FindField(Find("o"), "orderid"), Row(1));
  EXPECT_EQ(List()->FindField(Find("c"), ""), Row(0));
  EXPECT_EQ(List()->FindField(Find("c"), "City"), nullptr);
  // Select items are not sortable, take no alias and show no criteria.
  EXPECT_FALSE(Row(0)->IsCanSort());
  EXPECT_FALSE(Row(0)->IsSupportsAlias());
  EXPECT_TRUE(Row(0)->IsCanSelect());
}
