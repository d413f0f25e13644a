// ORDER BY keys through the model: a bare name that is an output alias sorts that output column
// even where a source has a column of that name, and a key that sorts by the same column as an
// earlier one is dropped. Each statement, loaded and written back, returns the same rows in the
// same order on the sample database and is a fixed point after one load.
#include "SelectListTestRig.h"

using namespace vxtest;

namespace {

// Every ORDER BY below orders the rows completely, so that the rows can be compared in order.
const TRoundTrip SortCases[] = {
    // Aliases that are also columns: of the same source, of another source, of the grouped source.
    {"SELECT s.City AS CompanyName, s.SupplierID FROM Suppliers s ORDER BY CompanyName, s.SupplierID",
     "SELECT s.City AS CompanyName, s.SupplierID FROM Suppliers s ORDER BY s.City, s.SupplierID"},
    {"SELECT o2.RequiredDate Total, ot.OrderID FROM OrderTotals ot INNER JOIN Orders o2 ON o2.OrderID = ot.OrderID "
     "ORDER BY Total DESC, ot.OrderID",
     "SELECT o2.RequiredDate Total, ot.OrderID FROM OrderTotals ot INNER JOIN  Orders o2 ON o2.OrderID=ot.OrderID "
     "ORDER BY o2.RequiredDate DESC, ot.OrderID"},
    {"SELECT COUNT(*) AS City, s.Country FROM Suppliers s GROUP BY s.Country ORDER BY City DESC, s.Country",
     "SELECT COUNT(*) AS City, s.Country FROM Suppliers s GROUP BY s.Country ORDER BY COUNT(*) DESC, s.Country"},
    // After a union a key names a result column, by its alias where it has one.
    {"SELECT s.City AS Country, s.CompanyName FROM Suppliers s UNION SELECT c.Country, c.CompanyName FROM Customers c "
     "ORDER BY Country DESC, 2, COUNTRY",
     "SELECT s.City AS Country, s.CompanyName FROM Suppliers s UNION SELECT c.Country, c.CompanyName FROM Customers c "
     "ORDER BY Country DESC, 2"},
    {"SELECT s.City AS Town, s.City FROM Suppliers s UNION SELECT c.City, c.Country FROM Customers c ORDER BY City, "
     "Town DESC, 2",
     "SELECT s.City AS Town, s.City FROM Suppliers s UNION SELECT c.City, c.Country FROM Customers c ORDER BY City, "
     "Town DESC, 2"},
    // Repeated keys: by position, by name, in other letter case, qualified and not, either way.
    {"SELECT e.EmployeeID, e.LastName FROM Employees e ORDER BY 1 DESC, 1 ASC",
     "SELECT e.EmployeeID, e.LastName FROM Employees e ORDER BY 1 DESC"},
    {"SELECT e.EmployeeID, e.LastName FROM Employees e ORDER BY EMPLOYEEID DESC, 2, e.employeeid",
     "SELECT e.EmployeeID, e.LastName FROM Employees e ORDER BY e.EmployeeID DESC, 2"},
    // An alias and its own expression are one key.
    {"SELECT e.City AS Town, e.EmployeeID FROM Employees e ORDER BY Town DESC, e.City, 2",
     "SELECT e.City AS Town, e.EmployeeID FROM Employees e ORDER BY e.City DESC, 2"},
    // Where the expression would read back as another column, the alias stays: a number is a
    // position, and a bare name may be another alias.
    {"SELECT e.LastName, 1 AS One FROM Employees e ORDER BY One, 1 DESC, e.EmployeeID",
     "SELECT e.LastName, 1 AS One FROM Employees e ORDER BY One, 1 DESC, e.EmployeeID"},
    {"SELECT a AS b, b AS a FROM (SELECT 1 AS a, 2 AS b UNION ALL SELECT 2, 1) q ORDER BY a",
     "SELECT a AS b, b AS a FROM (SELECT 1 AS a, 2 AS b UNION ALL SELECT 2, 1) q ORDER BY a"},
    // Delimited aliases are named by what they stand for, their doubled quotes undoubled.
    {"SELECT s.City AS \"Company Name\", s.SupplierID FROM Suppliers s ORDER BY \"Company Name\", s.SupplierID",
     "SELECT s.City AS \"Company Name\", s.SupplierID FROM Suppliers s ORDER BY s.City, s.SupplierID"},
    {"SELECT s.City AS \"To\"\"wn\", s.CompanyName FROM Suppliers s UNION SELECT c.City, c.CompanyName FROM Customers "
     "c "
     "ORDER BY \"To\"\"wn\" DESC, 2",
     "SELECT s.City AS \"To\"\"wn\", s.CompanyName FROM Suppliers s UNION SELECT c.City, c.CompanyName FROM Customers "
     "c ORDER BY \"To\"\"wn\" DESC, 2"},
    // A double negation inside a bracketed group settles in the first load.
    {"SELECT p.ProductID FROM Products p WHERE (p.CategoryID = 3 OR NOT NOT p.SupplierID > 25) ORDER BY p.ProductID",
     "SELECT p.ProductID FROM Products p WHERE p.CategoryID=3 Or p.SupplierID>25 ORDER BY p.ProductID"},
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(SortKeys, TSelectListRoundTrip, testing::ValuesIn(SortCases));

// The grid shows one sort per row: an alias sorts its own row, and a position sorts a row of its
// own even where an output row's expression is that number.
TEST_F(TSelectListRig, SortKeysLandOnTheRowsTheyName) {
  Load("SELECT s.City AS CompanyName FROM Suppliers s ORDER BY CompanyName DESC, s.CompanyName, COMPANYNAME");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"1|s.City|CompanyName|Descending|1|Expression",
                                               "0|s.CompanyName||Ascending|2|Expression", "-2|||||"}));
  Load("SELECT e.LastName, 1 AS One FROM Employees e ORDER BY 1 DESC, One");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"1|e.LastName||||Expression", "1|1|One|Ascending|2|Expression",
                                               "0|1||Descending|1|Expression", "-2|||||"}));
}
