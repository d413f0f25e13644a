// Undo and redo of the component on the sample database: a sequence of mixed edits taken back and
// brought again step by step, the history's bound, assigned SQL starting it afresh, and the keys.
#include "HistoryTestRig.h"

#include "vxQBSelectListControl.h"
#include "vxQBSelectListGridModel.h"
#include "vxQBSelectListInplaceEdit.h"
#include "vxQueryHistory.h"
#include "vxQuerySelectList.h"
#include "vxTestModal.h"

#include <QAction>
#include <QApplication>
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

TEST_F(THistoryTest, TheLimitKeepsTheNewestStepsAndANewEditDropsTheRedoSteps) {
  FQueryBuilder.SetUndoLimit(3);
  TvxDatasource* Customers = Box("c");
  std::vector<std::pair<const char*, std::function<void()>>> Edits;
  for (const char* Field : {"CompanyName", "ContactName", "City", "Country", "Phone"})
    Edits.emplace_back(Field, [Customers, Field] { Customers->CheckField(Field, true); });
  Edits.emplace_back("move", [Customers] { DragCaption(Customers, {100, 60}); });
  const std::vector<TPicture> Pictures = Run(Edits);
  EXPECT_EQ(FQueryBuilder.GetHistory()->GetCount(), 4);
  for (size_t Step = Pictures.size() - 2; Step >= Pictures.size() - 4; --Step) {
    FQueryBuilder.Undo();
    EXPECT_EQ(Picture().SQL, Pictures[Step].SQL);
    EXPECT_TRUE(Picture().SameLayout(Pictures[Step])) << Step;
  }
  EXPECT_FALSE(FQueryBuilder.CanUndo());
  EXPECT_FALSE(FQueryBuilder.GetUndoAction()->isEnabled());
  EXPECT_TRUE(FQueryBuilder.GetRedoAction()->isEnabled());

  // A lower limit drops the steps furthest from the current one, here those Redo would bring.
  FQueryBuilder.SetUndoLimit(1);
  EXPECT_EQ(FQueryBuilder.GetHistory()->GetCount(), 2);
  FQueryBuilder.Redo();
  EXPECT_EQ(Picture().SQL, Pictures[4].SQL);

  // An edit after an undo drops what Redo would have brought back.
  FQueryBuilder.SetUndoLimit(10);
  FQueryBuilder.Undo();
  // Undo rebuilt the model: the datasource is another object now.
  Box("c")->CheckField("Fax", true);
  Settle();
  EXPECT_FALSE(FQueryBuilder.CanRedo());
  FQueryBuilder.Undo();
  EXPECT_EQ(Picture().SQL, Pictures[3].SQL);
  EXPECT_FALSE(FQueryBuilder.CanUndo());
}

TEST_F(THistoryTest, AssignedSQLStartsAfreshAndBringsItsLayout) {
  Box("c")->CheckField("CompanyName", true);
  Settle();
  DragCaption(Box("c"), {200, 100});
  Settle();
  ASSERT_TRUE(FQueryBuilder.CanUndo());
  FQueryBuilder.Undo();
  ASSERT_TRUE(FQueryBuilder.CanRedo());

  // A layout given while the text waits is applied once it has loaded; it is no step.
  const std::string Text = "SELECT o.OrderID FROM Orders o, Shippers s";
  const std::string Layout = "vxqb-layout 1\nsubquery \"\" 0\noperand\nbox \"s\" \"Shippers\" 300 200 120 90\n";
  FQueryBuilder.SetSQL(Text);
  FQueryBuilder.ApplyLayout(Layout);
  EXPECT_FALSE(FQueryBuilder.CanUndo());
  QSignalSpy Loaded(FQueryBuilder.GetHistory(), &TvxQueryHistory::changed);
  ASSERT_TRUE(Loaded.wait());
  Settle();
  EXPECT_FALSE(FQueryBuilder.CanUndo());
  EXPECT_FALSE(FQueryBuilder.CanRedo());
  EXPECT_FALSE(FQueryBuilder.GetRedoAction()->isEnabled());
  EXPECT_EQ(BoundsOf(Box("s")), QRect(300, 200, 120, 90));
  // The first step goes back to what was loaded, the layout included.
  DragCaption(Box("s"), {40, 40});
  Settle();
  FQueryBuilder.Undo();
  EXPECT_EQ(BoundsOf(Box("s")), QRect(300, 200, 120, 90));
  EXPECT_FALSE(FQueryBuilder.CanUndo());
}

// The link style is the host's choice of look: undoing edits made before it changed keeps it.
TEST_F(THistoryTest, UndoLeavesTheLinkStyleAsItIs) {
  Box("c")->CheckField("CompanyName", true);
  Settle();
  FQueryBuilder.SetLinkTypeName(QStringLiteral("TvxQueryBuilderLinkPainterAccess"));
  Box("c")->CheckField("City", true);
  Settle();
  FQueryBuilder.Undo();
  FQueryBuilder.Undo();
  EXPECT_EQ(SQL(), "SELECT c.CustomerID FROM Customers c");
  EXPECT_EQ(FQueryBuilder.GetLinkTypeName(), QStringLiteral("TvxQueryBuilderLinkPainterAccess"));
}

TEST_F(THistoryTest, AnUndoThatCannotLoadChangesNothing) {
  Box("c")->CheckField("CompanyName", true);
  Settle();
  const TPicture Before = Picture();
  QSignalSpy Failed(&FQueryBuilder, &TvxQueryBuilder::actionFailed);
  FQueryBuilder.SetMetadataProvider(nullptr);
  FQueryBuilder.Undo();
  ASSERT_EQ(Failed.count(), 1);
  EXPECT_EQ(Failed[0][0].toString(), QStringLiteral("No syntax provider!"));
  EXPECT_EQ(Picture().SQL, Before.SQL);
  EXPECT_TRUE(Picture().SameLayout(Before));
  EXPECT_TRUE(FQueryBuilder.CanUndo());
  FQueryBuilder.SetMetadataProvider(&FMetadata);
  FQueryBuilder.Undo();
  EXPECT_EQ(SQL(), "SELECT c.CustomerID FROM Customers c");
}

TEST_F(THistoryTest, TheKeysUndoInTheDiagramAndLeaveATypedCellItsOwnUndo) {
  Box("c")->CheckField("CompanyName", true);
  Settle();
  const std::string Ticked = SQL();
  QWidget* WorkArea = ActiveOperand()->GetWorkArea();
  WorkArea->setFocus();
  QTest::keyClick(WorkArea, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(SQL(), "SELECT c.CustomerID FROM Customers c");
  // The undo rebuilt the diagram; the focus is still in the component, for the next key.
  QWidget* Focused = QApplication::focusWidget();
  ASSERT_TRUE(FQueryBuilder.isAncestorOf(Focused));
  QTest::keyClick(Focused, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(SQL(), Ticked);

  // Typing into a cell of the grid: Ctrl+Z takes back the typing, not the tick.
  auto* Grid =
      qobject_cast<TvxQueryBuilderSelectListControl*>(ActiveOperand()->GetSelectList()->GetSelectListControl());
  ASSERT_NE(Grid, nullptr);
  const QPoint Cell = Grid->visualRect(Grid->GetGridModel()->index(1, slcAlias)).center();
  QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, Cell);
  QLineEdit* Edit = Grid->GetEditor()->GetLineEdit();
  ASSERT_TRUE(Edit->isVisible());
  QTest::keyClicks(Edit, QStringLiteral("Name"));
  ASSERT_EQ(Edit->text(), QStringLiteral("Name"));
  QTest::keyClick(Edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Edit->text(), QString());
  EXPECT_EQ(SQL(), Ticked);
  EXPECT_TRUE(FQueryBuilder.CanUndo());
}

// A component loaded before it is first shown places its boxes when it shows; undo goes back to
// those places, not to boxes that were never placed.
TEST_F(TFromRig, BoxesPlacedWhenTheComponentFirstShowsAreNoStep) {
  Load("SELECT * FROM Customers c, Orders o");
  FQueryBuilder.resize(900, 600);
  FQueryBuilder.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&FQueryBuilder));
  QCoreApplication::processEvents();
  EXPECT_FALSE(FQueryBuilder.CanUndo());
  TvxDatasource* Orders = Find("o");
  const QRect Placed = BoundsOf(Orders);
  ASSERT_FALSE(Placed.topLeft().isNull());
  DragCaption(Orders, {50, 150});
  QCoreApplication::processEvents();
  ASSERT_NE(BoundsOf(Orders), Placed);
  FQueryBuilder.Undo();
  EXPECT_EQ(BoundsOf(Find("o")), Placed);
}
