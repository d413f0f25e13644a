// A thousand seeded user actions break nothing, and the sequences that once did replay clean.
#include "vxRandomUseRun.h"

#include <gtest/gtest.h>

namespace vxrandom {
namespace {

// Fails the test with the seed and the shrunk sequence when Result failed.
void ExpectClean(std::uint64_t Seed, const TvxRunResult& Result) {
  if (!Result.Failure.IsFailure()) return;
  const TvxUserActions Shrunk = TvxRandomUse::Shrink(Result.Actions, Result.Failure.Check);
  ADD_FAILURE() << TvxRandomUse::Report("seed " + std::to_string(Seed), Result, Shrunk,
                                        TvxRandomUse::Replay(Shrunk).Failure);
}

TEST(RandomUse, AThousandActionsOnAFixedSeedBreakNothing) {
  constexpr std::uint64_t Seed = 16;
  const TvxRunResult Result = TvxRandomUse::Run(Seed, 1000);
  ExpectClean(Seed, Result);
  // A run that only refuses or never compares rows would check little.
  EXPECT_GT(Result.Statistics.RowComparisons, 100);
}

// Shrunk sequences of runs that once failed, as the runs printed them.
TEST(RandomUse, SequencesThatOnceFailedReplayClean) {
  const TvxUserActions Sequences[] = {
      // The empty last row sorted: ORDER BY without a key.
      {{"EditGridCell", {0, 5}, "desc"}},
      // A link between two fields of the first table: an ON condition on it.
      {{"AssignSQL", {}, "SELECT ol.OrderID FROM OrderLines ol GROUP BY ol.OrderID"}, {"AddLink", {0, 9, 0, 10}, ""}},
      // The same link left on a table that came first when the one before it went.
      {{"AssignSQL",
        {},
        "SELECT c.CompanyName, o.OrderID FROM Customers c JOIN Orders o ON (o.CustomerID = c.CustomerID)"},
       {"AddLink", {1, 11, 1, 3}, ""},
       {"RemoveDatasource", {0}, ""}},
      // The same, when the table came first because a bracketed join before it went.
      {{"AssignSQL",
        {},
        "SELECT c.CompanyName, o.OrderID FROM Customers c LEFT JOIN Orders o INNER JOIN Employees e ON e.EmployeeID = "
        "o.EmployeeID ON o.CustomerID = c.CustomerID AND e.City = 'London'"},
       {"AddObjectsInDialog", {408226}, ""},
       {"RemoveDatasource", {1}, ""},
       {"CloseBox", {0}, ""},
       {"RemoveDatasource", {1}, ""},
       {"AddObject", {0}, "Employees"},
       {"AddLink", {1, 7, 1, 7}, ""},
       {"ChooseMenuItem", {2, 0}, "Remove"}},
      // A comparison typed over an output row: "SELECT 1=1".
      {{"AssignSQL", {}, "SELECT COUNT ( * ) , SUM ( Freight ) , COUNT ( DISTINCT CustomerID ) FROM Orders"},
       {"EditGridCell", {0, 2}, "1 = 1"}},
      // A condition typed over a GROUP BY row: "GROUP BY Not 1=2".
      {{"AssignSQL",
        {},
        "SELECT c.Country, COUNT(DISTINCT c.CustomerID) AS Customers, COUNT(o.OrderID) AS Orders FROM Customers c "
        "LEFT JOIN Orders o ON o.CustomerID = c.CustomerID GROUP BY c.Country"},
       {"EditGridCell", {0, 2}, "NOT 1 = 2"}},
      // An aggregate chosen for a condition row: "HAVING Not Sum(Exists(...))=True".
      {{"AssignSQL",
        {},
        "SELECT e.LastName FROM Employees e WHERE NOT EXISTS (SELECT * FROM Orders o WHERE o.EmployeeID = "
        "e.EmployeeID) AND e.ManagerID IS NOT NULL"},
       {"EditGridCell", {1, 6}, "Sum"}},
      // Customers.* of "FROM Customers, Customers "a.b"" read back as the aliased copy's columns.
      {{"AssignSQL",
        {},
        "SELECT top3.ProductID FROM (SELECT ProductID FROM Products ORDER BY UnitPrice DESC, ProductID) top3"},
       {"AddObjectsInDialog", {939852}, ""},
       {"CheckField", {1, 5, 1}, ""},
       {"CheckField", {1, 10, 1}, ""},
       {"ChooseMenuItem", {4, 0}, "Remove"},
       {"ChooseMenuItem", {2, 0}, "Remove"},
       {"AddObject", {37}, "Customers"}},
      // Every box of a bracketed join closed: "FROM Products p,  ()".
      {{"AssignSQL",
        {},
        "SELECT p.ProductName, ol.OrderID, o.OrderDate, c.CompanyName FROM Products p INNER JOIN OrderLines ol "
        "INNER JOIN Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID ON o.OrderID = ol.OrderID ON "
        "ol.ProductID = p.ProductID"},
       {"DeleteBox", {1}, ""},
       {"CloseBox", {1}, ""},
       {"CloseBox", {1}, ""}},
      // A derived table's alias emptied in its properties dialog: "FROM (SELECT ...)".
      {{"AssignSQL",
        {},
        "SELECT top3.ProductID FROM (SELECT ProductID FROM Products ORDER BY UnitPrice DESC, ProductID) top3"},
       {"EditBoxInDialog", {0, 532091, 1}, ""}},
      // A table the host dropped refused on an empty FROM: the FROM went with it.
      {{"AssignBrokenSQL", {}, "SELECT \"it's\" AS \"don't\" FROM"},
       {"HostDropOnWorkArea", {197, 247, 2}, "NoSuchTable"}},
  };
  for (const TvxUserActions& Actions : Sequences) {
    const TvxRunResult Result = TvxRandomUse::Replay(Actions);
    EXPECT_FALSE(Result.Failure.IsFailure()) << Result.Failure.Message << "\n" << ToString(Actions);
  }
}

TEST(RandomUse, PrintedActionsReadBackAsTheyWere) {
  const TvxUserAction Actions[] = {
      {"AssignSQL", {}, "SELECT 'it''s' AS \"q\"\r\n\tFROM t -- \\ \x01\xC3\xA9"},
      {"AddLink", {0, -3, 12, 7}, ""},
  };
  for (const TvxUserAction& Action : Actions) {
    TvxUserAction Read;
    ASSERT_TRUE(ParseUserAction(Action.ToString() + ",", Read)) << Action.ToString();
    EXPECT_EQ(Read, Action) << Action.ToString();
  }
  TvxUserAction Read;
  EXPECT_FALSE(ParseUserAction("{\"AddLink\", {1 2}, \"\"}", Read));
}

}  // namespace
}  // namespace vxrandom
