// FROM clauses assigned to the model and written back: the text re-parses to itself after one
// round, returns the same rows on the sample, and the model holds the datasources and links the
// ON conditions imply.
#include "DatasourceTestRig.h"

#include "vxSQL92SyntaxProvider.h"

namespace vxtest {
namespace {

struct TRoundTrip {
  const char* Text;
  int Links;  // links of the whole FROM clause after loading
  bool Runs;  // SQLite runs the statement as written
};

const TRoundTrip RoundTrips[] = {
    // Plain joins of every kind are in the corpus that the model round trip runs; these are the
    // shapes whose links are worth counting. Compound conditions, conditions either way round:
    {"SELECT * FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID AND o.Freight > 50", 2, true},
    {"SELECT * FROM Customers c LEFT OUTER JOIN Orders o ON (c.CustomerID = o.CustomerID) AND (o.Freight > 20 OR "
     "o.ShipperID = 2)",
     2, true},
    {"SELECT * FROM Complaints k FULL OUTER JOIN OrderLines l ON k.OrderID = l.OrderID AND k.ProductID = l.ProductID",
     2, true},
    {"SELECT * FROM Orders o JOIN Employees e ON e.EmployeeID = o.EmployeeID AND (e.City = 'Berlin' AND "
     "(e.ManagerID = o.EmployeeID AND e.Salary > 1000))",
     3, true},
    // a later join whose condition reaches past the item before it
    {"SELECT * FROM Customers c, Shippers s INNER JOIN Orders o ON o.CustomerID = c.CustomerID AND o.ShipperID = "
     "s.ShipperID",
     2, true},
    // bracketed groups and unbracketed nested joins
    {"SELECT * FROM (Customers c JOIN Orders o ON o.CustomerID = c.CustomerID) JOIN OrderLines l ON l.OrderID = "
     "o.OrderID",
     2, true},
    {"SELECT * FROM Customers c LEFT JOIN Orders o JOIN OrderLines l ON l.OrderID = o.OrderID ON o.CustomerID = "
     "c.CustomerID",
     2, false},
    {"SELECT * FROM Products p JOIN (Suppliers s CROSS JOIN Categories g) ON p.SupplierID = s.SupplierID AND "
     "p.CategoryID = g.CategoryID",
     2, true},
    // derived tables, with and without a column list, table functions, quoted names
    {"SELECT d.City FROM (SELECT CustomerID, City FROM Customers WHERE Country = 'Germany') d JOIN Orders o ON "
     "o.CustomerID = d.CustomerID",
     1, true},
    {"SELECT d.x FROM (SELECT CustomerID, City FROM Customers) AS d (x, y)", 0, false},
    {"SELECT j.atom FROM Customers c INNER JOIN json_each('[1,2,3]') j ON j.atom = c.CustomerID", 1, true},
    {"SELECT * FROM \"Sales by Category\" s JOIN Categories g ON g.CategoryID = s.CategoryID", 1, true},
    {"SELECT k.\"Date\" FROM Complaints AS k JOIN OrderLines AS l ON l.OrderID = k.OrderID", 1, true},
    // FROM clauses inside sub-queries and unions
    {"SELECT 1+1 UNION SELECT c.CustomerID FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID", 0, true},
    {"SELECT (SELECT COUNT(*) FROM Orders o JOIN Customers c ON c.CustomerID = o.CustomerID) AS n", 0, true},
    {"SELECT j.atom FROM json_each('[1,2,3]') AS j, Shippers s WHERE s.ShipperID = j.atom AND j.atom IN (SELECT "
     "ShipperID FROM Orders) UNION SELECT 9",
     0, true},
    {"SELECT c.CompanyName FROM Customers c WHERE EXISTS (SELECT 1 FROM Orders o JOIN OrderLines l ON l.OrderID = "
     "o.OrderID WHERE o.CustomerID = c.CustomerID)",
     0, true},
};

class DatasourceRoundTrip : public TFromRig, public testing::WithParamInterface<TRoundTrip> {};

TEST_P(DatasourceRoundTrip, ReachesAFixedPointAndKeepsTheRows) {
  const TRoundTrip& Case = GetParam();
  Load(Case.Text);
  const std::string Written = SQL();
  EXPECT_EQ(static_cast<int>(AllLinks().size()), Case.Links) << Written;
  ExpectFixedPoint();
  if (Case.Runs) {
    EXPECT_EQ(SampleRows(Written), SampleRows(Case.Text)) << Written;
  }
}

INSTANTIATE_TEST_SUITE_P(FromClauses, DatasourceRoundTrip, testing::ValuesIn(RoundTrips));

class DatasourceLoad : public TFromRig {};

TEST_F(DatasourceLoad, SplitsAnOnConditionIntoFieldLinksAndARest) {
  Load("SELECT * FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID AND o.Freight > 50");
  TvxDatasource* C = Find("c");
  TvxDatasource* O = Find("o");
  ASSERT_EQ(O->GetJoinsCount(), 2);
  EXPECT_EQ(C->GetJoinsCount(), 0);
  // The column before the joined table is the left end, whichever way the condition reads.
  const TvxLink* Field = O->GetJoins(0);
  EXPECT_EQ(Field->GetLeftDatasource(), C);
  EXPECT_EQ(Field->GetLeftField(), "CustomerID");
  EXPECT_EQ(Field->GetRightDatasource(), O);
  EXPECT_EQ(Field->GetLinkExpression()->GetSimpleSQL(), "o.CustomerID=c.CustomerID");
  const TvxLink* Rest = O->GetJoins(1);
  EXPECT_EQ(Rest->GetLeftDatasource(), C);
  EXPECT_EQ(Rest->GetRightDatasource(), O);
  EXPECT_TRUE(Rest->GetLeftField().empty() && Rest->GetRightField().empty());
  EXPECT_EQ(Rest->GetLinkExpression()->GetSimpleSQL(), "o.Freight>50");
  EXPECT_NE(SQL().find("ON o.CustomerID=c.CustomerID And o.Freight>50"), std::string::npos) << SQL();
}

TEST_F(DatasourceLoad, KeepsConditionsOnTheJoinedTableAloneWhole) {
  Load("SELECT * FROM Orders o JOIN Customers c ON c.City = c.Country AND o.Freight > c.CreditLimit");
  TvxDatasource* C = Find("c");
  // c.City = c.Country has both columns in c; the other candidate links o and c.
  ASSERT_EQ(C->GetJoinsCount(), 2);
  EXPECT_EQ(C->GetJoins(0)->GetLeftField(), "Freight");
  EXPECT_EQ(C->GetJoins(0)->GetRightField(), "CreditLimit");
  EXPECT_TRUE(C->GetJoins(1)->GetLeftField().empty());
  EXPECT_EQ(C->GetJoins(1)->GetLeftDatasource(), Find("o"));
  EXPECT_EQ(C->GetJoins(1)->GetLinkExpression()->GetSimpleSQL(), "c.City=c.Country");
}

TEST_F(DatasourceLoad, GivesNestedJoinsTheirOwnGroups) {
  Load(
      "SELECT * FROM Customers c LEFT JOIN Orders o JOIN OrderLines l ON l.OrderID = o.OrderID ON o.CustomerID = "
      "c.CustomerID");
  ASSERT_EQ(From()->GetCount(), 2);
  auto* Group = qobject_cast<TvxDatasourceGroup*>(From()->GetItems(1));
  ASSERT_NE(Group, nullptr);
  EXPECT_TRUE(Group->GetJoinKind()->IsLeftOuter());
  // The group's own condition joins c to o inside the group.
  ASSERT_EQ(Group->GetJoinsCount(), 1);
  EXPECT_EQ(Group->GetJoins(0)->GetLeftDatasource(), Find("c"));
  EXPECT_EQ(Group->GetJoins(0)->GetRightDatasource(), Find("o"));
  EXPECT_TRUE(Group->GetJoins(0)->GetLeftType());
  ASSERT_EQ(Find("l")->GetJoinsCount(), 1);
  EXPECT_EQ(Find("l")->GetJoins(0)->GetLeftDatasource(), Find("o"));
  EXPECT_EQ(TvxLink::CalcDatasource(Group), Find("o"));
  EXPECT_TRUE(From()->ContainsDatasourceBefore(Find("c"), Group));
  EXPECT_FALSE(From()->ContainsDatasourceBefore(Find("l"), Group));
}

TEST_F(DatasourceLoad, MakesObjectLikeBoxesOfTableFunctionsAndQueryBoxesOfDerivedTables) {
  Load(
      "SELECT * FROM Customers c JOIN json_each('[1,2,3]') j ON j.atom = c.CustomerID, (SELECT CustomerID, City "
      "FROM Customers) d");
  auto* Function = qobject_cast<TvxDataSourceObject*>(From()->GetItems(1));
  ASSERT_NE(Function, nullptr);
  EXPECT_EQ(Function->GetObjectName(), nullptr);
  EXPECT_EQ(Function->GetCaption(), "json_each('[1,2,3]') j");
  auto* Derived = qobject_cast<TvxDataSourceQuery*>(From()->GetItems(2));
  ASSERT_NE(Derived, nullptr);
  ASSERT_NE(Derived->GetSubQuery(), nullptr);
  EXPECT_EQ(Derived->GetSubQuery()->GetSQL(), "SELECT Customers.CustomerID, Customers.City FROM Customers");
  TvxStringList Fields;
  Derived->GetFieldsList(Fields);
  EXPECT_EQ(Fields, TvxStringList({"*", "CustomerID", "City"}));

  TvxDatasourceList Objects;
  From()->GetItemsByType(Objects, TvxDataSourceObject::staticMetaObject, false);
  EXPECT_EQ(Objects.size(), 2u);
  Objects.clear();
  From()->GetItemsByType(Objects, TvxDatasource::staticMetaObject, true);
  EXPECT_EQ(Objects.size(), 3u);

  TSQLFromSourceList Visible;
  Operand()->GetDatasourcesBottomUp(Visible);
  ASSERT_EQ(Visible.size(), 3u);
  EXPECT_EQ(Visible[0], Find("c")->GetNode());
  EXPECT_EQ(Visible[2], Derived->GetNode());
}

TEST_F(DatasourceLoad, WritesNoFromForAStatementWithoutOne) {
  Load("SELECT 1+1");
  EXPECT_EQ(From()->GetNode(), nullptr);
  EXPECT_EQ(SQL(), "SELECT 1+1");
  Load("SELECT 1 FROM");
  ASSERT_NE(From()->GetNode(), nullptr);
  EXPECT_EQ(From()->GetCount(), 0);
}

TEST_F(DatasourceLoad, RefusesAnOnConditionWithNothingBeforeIt) {
  // The parser never puts a condition on a first source; a tree built by hand may.
  Load("");
  TastSyntaxProvider* Dialect = FQueryBuilder.GetASTSyntaxProvider();
  auto Clause = NewNode<TSQLFromClause>(Dialect);
  std::unique_ptr<TSQLFromSource> First = Dialect->CreateSQLFromObject("Customers", "c");
  First->SetJoinCondition(Dialect->ParseLogicalExpression("c.City = 'Berlin'"));
  Clause->Add(std::move(First));
  EXPECT_EQ(MessageOf([&] { From()->LoadFromClause(std::move(Clause)); }), "Can't bind join expression (prev=nil)");
}

}  // namespace
}  // namespace vxtest
