// Queries loaded, edited and cleared over and over leave no model object behind: every
// sub-query, operand, datasource and row goes with the query that held it. (The sanitizer build
// adds the check that no syntax node or model object is leaked outside the component's tree.)
#include "DatasourceTestRig.h"

namespace vxtest {
namespace {

class ModelLifetime : public TFromRig {
protected:
  TvxQuery* Root() const { return FQueryBuilder.GetRootQuery(); }
  int ModelObjects() const {
    return static_cast<int>(FQueryBuilder.findChildren<TvxQueryBuilderControlOwner*>().size());
  }
};

// Unions, bracketed groups, sub-queries in every place a SELECT can nest, derived tables and
// joins: each kind of object the model makes.
const char* const Statements[] = {
    "SELECT c.CompanyName, (SELECT COUNT(*) FROM Orders o WHERE o.CustomerID = c.CustomerID) AS n FROM Customers c "
    "WHERE c.CustomerID IN (SELECT o.CustomerID FROM Orders o JOIN OrderLines l ON l.OrderID = o.OrderID) ORDER BY 1",
    "SELECT City FROM Customers UNION ALL (SELECT City FROM Suppliers EXCEPT SELECT City FROM Employees) UNION "
    "SELECT d.City FROM (SELECT City FROM Customers WHERE EXISTS (SELECT 1 FROM Orders)) d",
    "SELECT p.CategoryID, COUNT(*) FROM Products p LEFT JOIN (Suppliers s CROSS JOIN Categories g) ON p.SupplierID = "
    "s.SupplierID GROUP BY p.CategoryID HAVING COUNT(*) > (SELECT 2 UNION SELECT 3 ORDER BY 1 DESC)",
};

TEST_F(ModelLifetime, LoadingEditingAndClearingLeavesNothingBehind) {
  const int Baseline = ModelObjects();
  for (int Round = 0; Round < 3; ++Round) {
    for (const char* Text : Statements) {
      Load(Text);
      ASSERT_GT(ModelObjects(), Baseline);
      TvxUnionSubQuery* First = Root()->FirstSelect();
      ASSERT_NE(First, nullptr);
      First->EncloseWithBrackets()->RemoveBrackets();
      TvxUnionSubQuery* Added = First->NewUnionSubQuery();
      Added->AddObject("Orders");
      Added->AddQuery("SELECT CustomerID FROM Customers WHERE CustomerID IN (SELECT CustomerID FROM Orders)", "q");
      Added->EncloseWithBrackets();
      // The new operand's sub-queries go with it.
      delete Added;
      for (int I = 0; I < FQueryBuilder.GetSubQueriesCount(); ++I)
        EXPECT_NE(FQueryBuilder.GetSubQueries(I)->GetUnionSubQuery(), Added);
      FQueryBuilder.Clear();
      EXPECT_EQ(FQueryBuilder.GetSubQueriesCount(), 1) << Text;
      EXPECT_EQ(Root()->GetCount(), 0);
      EXPECT_EQ(Root()->GetUnionSubQueriesCount(), 0);
      EXPECT_EQ(Root()->GetActiveUnionSubquery(), nullptr);
      EXPECT_EQ(FQueryBuilder.GetActiveSubquery(), Root());
      FQueryBuilder.ReadSyntaxProviderCaps();
      EXPECT_EQ(ModelObjects(), Baseline) << Text;
    }
  }
}

}  // namespace
}  // namespace vxtest
