// Undo and redo of the component on the sample database: a sequence of mixed edits taken back and
// brought again step by step, the history's bound, assigned SQL starting it afresh, and the keys.
#include "HistoryTestRig.h"

#include "vxQBSelectListControl.h"
#include "vxQBSelectListInplaceEdit.h"
#include "vxQueryHistory.h"
#include "vxQuerySelectList.h"
#include "vxTestModal.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <utility>

using namespace vxtest;

namespace {

class THistoryTest : public TShownRig {
protected:
  THistoryTest() { Load("SELECT c.CustomerID FROM Customers c"); }

  TvxUnionSubQuery* ActiveOperand() const { return FQueryBuilder.GetActiveSubquery()->GetActiveUnionSubquery(); }
  TvxSelectItem* RowOf(const std::string& Expression) const {
    TvxSelectList* List = ActiveOperand()->GetSelectList();
    for (int Index = 0; Index < List->GetCount(); ++Index)
      if (List->GetCellText(*List->GetItems(Index), slcExpression) == Expression) return List->GetItems(Index);
    ADD_FAILURE() << "no row " << Expression;
    return nullptr;
  }
  // Renames Datasource in its properties dialog, as the user would.
  static void RenameInDialog(TvxDatasource* Datasource, const QString& Alias) {
    WhenModalShows([Alias](QWidget* Modal) {
      Modal->findChild<QLineEdit*>(QStringLiteral("eAlias"))->setText(Alias);
      qobject_cast<QDialog*>(Modal)->accept();
    });
    Datasource->EditProps(poMainFormCenter);
  }

  // Runs each edit, letting the event loop run after it as it would between two user actions,
  // and returns the picture before the first and after each.
  std::vector<TPicture> Run(const std::vector<std::pair<const char*, std::function<void()>>>& Edits) {
    Settle();
    std::vector<TPicture> Pictures{Picture()};
    for (const auto& [Name, Edit] : Edits) {
      Edit();
      Settle();
      Pictures.push_back(Picture());
      const TPicture& Before = Pictures[Pictures.size() - 2];
      EXPECT_TRUE(Pictures.back().SQL != Before.SQL || !Pictures.back().SameLayout(Before))
          << Name << " changed nothing";
    }
    return Pictures;
  }
};

TEST_F(THistoryTest, TwentyMixedEditsGoBackAndComeAgainStepByStep) {
  TvxDatasource* Customers = Box("c");
  TvxDatasource* Orders = nullptr;
  TvxDatasource* Lines = nullptr;
  TvxUnionSubQuery* Second = nullptr;
  TvxDataSourceQuery* Derived = nullptr;
  const std::vector<std::pair<const char*, std::function<void()>>> Edits = {
      {"tick a field", [&] { Customers->CheckField("CompanyName", true); }},
      {"add a table with its key's link",
       [&] {
         Orders = ActiveOperand()->AddObjectWithFKAt("Orders", {300, 40});
       }},
      {"move a box",
       [&] {
         DragCaption(Orders, {60, 180});
       }},
      {"add a table",
       [&] {
         Lines = ActiveOperand()->AddObjectAt("OrderLines", {620, 30}, "ol");
       }},
      {"link two fields", [&] { ActiveOperand()->AddLink(Orders, "OrderID", Lines, "OrderID"); }},
      {"type a criterion",
       [&] { ActiveOperand()->GetSelectList()->SetEditText(slcCriteria, RowOf("c.CompanyName"), "LIKE 'A%'"); }},
      {"alias in the dialog", [&] { RenameInDialog(Orders, QStringLiteral("o")); }},
      {"size a box",
       [&] {
         DragCorner(Lines, {50, 70});
       }},
      {"pick a sort order",
       [&] { ActiveOperand()->GetSelectList()->SetEditText(slcSortType, RowOf("c.CompanyName"), "Descending"); }},
      {"tick a field of the third box", [&] { Lines->CheckField("Quantity", true); }},
      {"remove a link", [&] { delete ActiveOperand()->FindLink(Orders, "OrderID", Lines, "OrderID"); }},
      {"new union operand", [&] { Second = ActiveOperand()->NewUnionSubQuery(); }},
      {"add a table to it",
       [&] {
         Second->AddObjectAt("Suppliers", {20, 20});
       }},
      {"tick its field", [&] { Box("Suppliers")->CheckField("CompanyName", true); }},
      {"union operator", [&] { Second->SelectUnionOperator("Union All"); }},
      {"move its box",
       [&] {
         DragCaption(Box("Suppliers"), {140, 90});
       }},
      {"derived table", [&] { Derived = FQueryBuilder.GetRootQuery()->FirstSelect()->AddSubQuery(); }},
      {"a table in the derived table's own tab",
       [&] {
         FQueryBuilder.SetActiveSubquery(Derived->GetSubQuery());
         Derived->GetSubQuery()->FirstSelect()->AddObjectAt("Products", {200, 120});
       }},
      {"close a box", [&] { Customers->RemoveEvent(nullptr); }},
      {"brackets", [&] { Second->EncloseWithBrackets(); }},
  };
  ASSERT_EQ(Edits.size(), 20u);
  const std::vector<TPicture> Pictures = Run(Edits);
  ASSERT_EQ(FQueryBuilder.GetHistory()->GetCount(), 21);

  // A step whose text differs from the query on screen is loaded from that text, and the model
  // writes a few edited queries otherwise than a load of their text gives them back: a new
  // derived table's "(SELECT)" is "(SELECT )" once loaded. There the query must be what a
  // fresh load of the step's text gives; everywhere else, and for every box, exactly the step's.
  size_t Respelled = 0;
  const auto ExpectShows = [&](const TPicture& Step, const char* Doing, const char* Edit) {
    const TPicture Shown = Picture();
    EXPECT_TRUE(Shown.SameLayout(Step)) << Doing << " \"" << Edit << "\":" << testing::PrintToString(Shown)
                                        << "\ninstead of" << testing::PrintToString(Step);
    if (Shown.SQL == Step.SQL) return;
    ++Respelled;
    EXPECT_EQ(Shown.SQL, Reloaded(Step.SQL)) << Doing << " \"" << Edit << '"';
  };
  for (size_t Step = Edits.size(); Step > 0; --Step) {
    ASSERT_TRUE(FQueryBuilder.CanUndo()) << Step;
    FQueryBuilder.Undo();
    Settle();
    ExpectShows(Pictures[Step - 1], "undoing", Edits[Step - 1].first);
  }
  EXPECT_FALSE(FQueryBuilder.CanUndo());
  for (size_t Step = 1; Step <= Edits.size(); ++Step) {
    ASSERT_TRUE(FQueryBuilder.CanRedo()) << Step;
    FQueryBuilder.Redo();
    Settle();
    ExpectShows(Pictures[Step], "redoing", Edits[Step - 1].first);
  }
  // Only the steps with the new, empty derived table (before a table went into it) are spelled
  // otherwise: one undone to, one redone to.
  EXPECT_EQ(Respelled, 2u);
  EXPECT_FALSE(FQueryBuilder.CanRedo());
  // Going to and fro recorded nothing of its own.
  EXPECT_EQ(FQueryBuilder.GetHistory()->GetCount(), 21);
}

}  // namespace
