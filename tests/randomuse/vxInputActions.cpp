// Actions with the keys and the mouse where the model is reached only through widgets: typing
// into the grid's in-place editor and choosing from its pick lists by keys, dragging a field of
// a box onto the grid, dragging items of the navigation bar, right clicks that open a context
// menu and a click on one of its items, and a host's drag of a name onto the work area.
#include "vxActionKinds.h"
#include "vxDialogDriver.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDatasourceFieldsList.h"
#include "vxQBLinkControl.h"
#include "vxQBQueryTabSheet.h"
#include "vxQBSelectListControl.h"
#include "vxQBSelectListGridModel.h"
#include "vxQBSelectListInplaceEdit.h"
#include "vxQBUnionNavBar.h"
#include "vxQBWorkArea.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxQuerySelectList.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QTest>

namespace vxrandom {
namespace {

using TGrid = TvxQueryBuilderSelectListControl;
using TBox = TvxQueryBuilderDataSourceControl;

// The keys that end typing into a cell: commit, restore, or commit and move on.
const Qt::Key GEndKeys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Up};

TGrid* ActiveGrid(TRandomUseRig& Rig) {
  TvxUnionSubQuery* Operand = Rig.ActiveOperand();
  auto* Grid = Operand != nullptr ? qobject_cast<TGrid*>(Operand->GetSelectList()->GetSelectListControl()) : nullptr;
  return Grid != nullptr && Grid->isVisible() ? Grid : nullptr;
}

// The middle of the cell at Row and Column, scrolled into view as a user scrolls to it.
QPoint CellPoint(TGrid* Grid, int Row, int Column) {
  const QModelIndex Index = Grid->GetGridModel()->index(Row, Column);
  Grid->scrollTo(Index);
  return Grid->visualRect(Index).center();
}

// A click on the cell Numbers[0], Numbers[1] (wrapped; columns from the output column on);
// false when the grid or the cell is not there or the click did not make it current.
bool ClickCell(TRandomUseRig& Rig, const TvxUserAction& Action, TGrid*& Grid, int& Row, int& Column) {
  Grid = ActiveGrid(Rig);
  if (Grid == nullptr) return false;
  Row = Wrap(Action.GetNumber(0), size_t(Grid->GetGridModel()->rowCount()));
  const int Columns = Grid->GetGridModel()->columnCount() - slcOutput;
  Column = slcOutput + Wrap(Action.GetNumber(1), size_t(std::max(Columns, 0)));
  if (Row < 0 || Column < slcOutput) return false;
  const QPoint Point = CellPoint(Grid, Row, Column);
  if (!Grid->viewport()->rect().contains(Point)) return false;
  QTest::mouseClick(Grid->viewport(), Qt::LeftButton, {}, Point);
  // Text left in the editor that its row refused keeps the editor on its cell: the click was
  // refused too, and the user sees the message before typing on.
  return Grid->currentIndex() == Grid->GetGridModel()->index(Row, Column);
}

TvxUserAction MakeCellAction(TvxRandom& Random, TRandomUseRig& Rig, const char* Kind, std::vector<int> More) {
  TvxSelectList* List = Rig.ActiveOperand() != nullptr ? Rig.ActiveOperand()->GetSelectList() : nullptr;
  if (ActiveGrid(Rig) == nullptr || List == nullptr || List->GetCount() == 0) return {};
  const int Row = Random.Below(List->GetCount());
  const int Column = Random.Below(List->GetGridColumnCount() - slcOutput);
  More.insert(More.begin(), {Row, Column});
  TvxUserAction Action{Kind, More};
  if (std::string(Kind) == "TypeIntoGrid")
    Action.Text = MakeCellText(Random, *List, *List->GetItems(Row), slcOutput + Column);
  return Action;
}

void AddGridKeyActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"TypeIntoGrid", 8,
                   [](TvxRandom& Random, TRandomUseRig& Rig) {
                     return MakeCellAction(Random, Rig, "TypeIntoGrid", {Random.Below(std::size(GEndKeys))});
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TGrid* Grid = nullptr;
                     int Row = 0, Column = 0;
                     if (!ClickCell(Rig, Action, Grid, Row, Column)) return;
                     // The output cell is a check box: Space flips it.
                     if (Column == slcOutput) {
                       QTest::keyClick(Grid, Qt::Key_Space);
                       return;
                     }
                     TvxQueryBuilderSelectListInplaceEdit* Editor = Grid->GetEditor();
                     if (Editor == nullptr || !Editor->isVisible()) return;
                     QLineEdit* Edit = Editor->GetLineEdit();
                     QTest::keyClick(Edit, Qt::Key_A, Qt::ControlModifier);
                     TypeText(Edit, QString::fromStdString(Action.Text));
                     QTest::keyClick(Edit, GEndKeys[Wrap(Action.GetNumber(2), std::size(GEndKeys))]);
                   }});
  Kinds.push_back({"PickFromGridList", 5,
                   [](TvxRandom& Random, TRandomUseRig& Rig) {
                     return MakeCellAction(Random, Rig, "PickFromGridList", {Random.Below(8), Random.Below(4)});
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TGrid* Grid = nullptr;
                     int Row = 0, Column = 0;
                     if (!ClickCell(Rig, Action, Grid, Row, Column)) return;
                     TvxQueryBuilderSelectListInplaceEdit* Editor = Grid->GetEditor();
                     if (Editor == nullptr || !Editor->isVisible() || Editor->GetEditStyle() != esPickList) return;
                     // Alt+Down drops the list down, Down walks it, Enter chooses and Escape closes.
                     QTest::keyClick(Editor->GetLineEdit(), Qt::Key_Down, Qt::AltModifier);
                     if (!Editor->IsDroppedDown()) return;
                     for (int Step = Action.GetNumber(2); Step > 0; --Step)
                       QTest::keyClick(Editor->GetPickList(), Qt::Key_Down);
                     QTest::keyClick(Editor->GetPickList(), Action.GetNumber(3) == 0 ? Qt::Key_Escape : Qt::Key_Return);
                   }});
}

// Presses the left button at Start of Source, moves past the drag threshold and on to End
// (Source's coordinates) and lets go there: the library's own drag.
void MouseDrag(QWidget* Source, const QPoint& Start, const QPoint& End) {
  QTest::mousePress(Source, Qt::LeftButton, {}, Start);
  QTest::mouseMove(Source, Start + QPoint(6, 0));
  QTest::mouseMove(Source, End);
  QTest::mouseRelease(Source, Qt::LeftButton, {}, End);
}

void AddDragActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back(
      {"DragFieldOntoGrid", 3,
       [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
         const size_t Count = Rig.ShownBoxes().size();
         TGrid* Grid = ActiveGrid(Rig);
         if (Count == 0 || Grid == nullptr) return {};
         // Line -1 is the title row.
         return {"DragFieldOntoGrid",
                 {Random.Below(int(Count)), Random.Below(12), Random.Below(Grid->GetGridModel()->rowCount() + 1) - 1}};
       },
       [](TRandomUseRig& Rig, const TvxUserAction& Action) {
         const std::vector<TBox*> List = Rig.ShownBoxes();
         const int At = Wrap(Action.GetNumber(0), List.size());
         TGrid* Grid = ActiveGrid(Rig);
         if (At < 0 || Grid == nullptr) return;
         QListWidget* Fields = List[size_t(At)]->GetFieldsList();
         const int Field = Wrap(Action.GetNumber(1), size_t(Fields->count()));
         if (Field < 0) return;
         Fields->scrollToItem(Fields->item(Field));
         const int Line = Action.GetNumber(2);
         const QPoint OnGrid = Line < 0 || Line >= Grid->GetGridModel()->rowCount()
                                   ? Grid->viewport()->mapTo(Grid, QPoint(Grid->viewport()->width() / 2, 0)) -
                                         QPoint(0, TGrid::TitleHeight / 2)
                                   : Grid->viewport()->mapTo(Grid, CellPoint(Grid, Line, slcExpression));
         QWidget* Source = Fields->viewport();
         MouseDrag(Source, Fields->visualItemRect(Fields->item(Field)).center(),
                   Source->mapFromGlobal(Grid->mapToGlobal(OnGrid)));
       }});
  auto NavItems = [](TRandomUseRig& Rig) {
    QList<QWidget*> Items;
    TvxSubQuery* SubQuery = Rig.ActiveSubQuery();
    auto* Sheet = SubQuery != nullptr ? qobject_cast<TvxQueryTabSheet*>(SubQuery->GetQueryPage()) : nullptr;
    if (Sheet == nullptr || Sheet->GetNavBar() == nullptr || !Sheet->GetNavBar()->isVisible()) return Items;
    for (QWidget* Item : Sheet->GetNavBar()->GetOrderedControls())
      if (Item->isVisibleTo(Sheet->GetNavBar())) Items.push_back(Item);
    return Items;
  };
  Kinds.push_back({"DragNavBarItem", 3,
                   [NavItems](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     const int Count = int(NavItems(Rig).size());
                     if (Count < 2) return {};
                     return {"DragNavBarItem", {Random.Below(Count), Random.Below(Count)}};
                   },
                   [NavItems](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     const QList<QWidget*> Items = NavItems(Rig);
                     const int From = Wrap(Action.GetNumber(0), size_t(Items.size()));
                     const int To = Wrap(Action.GetNumber(1), size_t(Items.size()));
                     if (From < 0 || To < 0) return;
                     QWidget* Source = Items[From];
                     QWidget* Target = Items[To];
                     MouseDrag(Source, Source->rect().center(),
                               Source->mapFromGlobal(Target->mapToGlobal(Target->rect().center())));
                   }});
}

// The places a right click opens a menu at, where the user is: the work area (at a point drawn
// from the numbers), each box's caption, each line, each grid line's indicator and each item of
// the navigation bar. Each gives the widget and the point in its coordinates.
using TPlace = std::pair<QWidget*, QPoint>;

std::vector<TPlace> MenuPlaces(TRandomUseRig& Rig, int X, int Y) {
  std::vector<TPlace> Places;
  TvxUnionSubQuery* Operand = Rig.ActiveOperand();
  auto* WorkArea = Operand != nullptr ? qobject_cast<TvxQueryBuilderWorkArea*>(Operand->GetWorkArea()) : nullptr;
  if (WorkArea == nullptr || !WorkArea->isVisible()) return Places;
  QWidget* Viewport = WorkArea->viewport();
  Places.push_back({Viewport, QPoint(Wrap(X, size_t(Viewport->width())), Wrap(Y, size_t(Viewport->height())))});
  for (TBox* Box : Rig.ShownBoxes()) Places.push_back({Box, Box->GetCaptionRect().center() - QPoint(10, 0)});
  for (TvxLink* Link : TRandomUseRig::Links(Operand))
    if (auto* Line = qobject_cast<TvxQueryBuilderLinkControl*>(Link->GetLinkControl()); Line && Line->IsLaidOut())
      Places.push_back({Line, (Line->GetPoints()[1] + Line->GetPoints()[2]) / 2});
  if (TGrid* Grid = ActiveGrid(Rig))
    for (int Row = 0; Row < Grid->GetGridModel()->rowCount(); ++Row)
      Places.push_back({Grid->viewport(), Grid->visualRect(Grid->GetGridModel()->index(Row, slcIndicator)).center()});
  TvxSubQuery* SubQuery = Rig.ActiveSubQuery();
  if (auto* Sheet = SubQuery != nullptr ? qobject_cast<TvxQueryTabSheet*>(SubQuery->GetQueryPage()) : nullptr)
    if (Sheet->GetNavBar() != nullptr && Sheet->GetNavBar()->isVisible())
      for (QWidget* Item : Sheet->GetNavBar()->GetOrderedControls())
        if (Item->isVisibleTo(Sheet->GetNavBar())) Places.push_back({Item, Item->rect().center()});
  return Places;
}

// A right click at Point of Widget as the window delivers it: to the widget under the point
// (masks honoured), passed on to its parents while none takes it.
void RightClick(QWidget* Widget, const QPoint& Point) {
  QWidget* Window = Widget->window();
  const QPoint InWindow = Widget->mapTo(Window, Point);
  QWidget* Target = Window->childAt(InWindow);
  if (Target == nullptr) Target = Window;
  const QPoint Local = Target->mapFrom(Window, InWindow);
  QContextMenuEvent Event(QContextMenuEvent::Mouse, Local, Target->mapToGlobal(Local));
  QApplication::sendEvent(Target, &Event);
}

void AddContextMenuActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"RightClickMenu", 6,
                   [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     const int X = Random.Below(1000), Y = Random.Below(1000);
                     const size_t Count = MenuPlaces(Rig, X, Y).size();
                     if (Count == 0) return {};
                     return {
                         "RightClickMenu",
                         {Random.Below(int(Count)), X, Y, Random.Below(20), Random.Below(1000000), Random.Below(2)}};
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     const std::vector<TPlace> Places = MenuPlaces(Rig, Action.GetNumber(1), Action.GetNumber(2));
                     const int At = Wrap(Action.GetNumber(0), Places.size());
                     if (At < 0) return;
                     RightClick(Places[size_t(At)].first, Places[size_t(At)].second);
                     QMenu* Menu = Rig.GetQueryBuilder().GetPopupMenu();
                     if (Menu == nullptr || !Menu->isVisible()) return;
                     // An item of the real popup, as a user clicks it; a dialog it opens is answered too.
                     std::vector<QAction*> Items;
                     for (QAction* Item : Menu->actions())
                       if (!Item->isSeparator() && Item->isEnabled() && Item->isVisible() && Item->menu() == nullptr)
                         Items.push_back(Item);
                     const int Choice = Wrap(Action.GetNumber(3), Items.size() + 1);
                     if (Choice < 0 || size_t(Choice) == Items.size()) {
                       QTest::keyClick(Menu, Qt::Key_Escape);
                       return;
                     }
                     const int Seed = Action.GetNumber(4);
                     const bool Accept = Action.GetNumber(5) != 0;
                     TvxDialogDriver Driver([Seed, Accept](QDialog& Dialog) { HandleDialog(Dialog, Seed, Accept); });
                     QTest::mouseClick(Menu, Qt::LeftButton, {}, Menu->actionGeometry(Items[size_t(Choice)]).center());
                   }});
}

// A host's drag of a name onto the work area (Qt's drag and drop): the names of the sample's
// tables and views, and text the host's handler cannot add.
void AddHostDropActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back(
      {"HostDropOnWorkArea", 2,
       [](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
         if (Rig.ActiveOperand() == nullptr || Rig.GetCatalog().empty()) return {};
         const std::string Name = Random.Chance(80) ? Random.Pick(Rig.GetCatalog()) : "NoSuchTable";
         return {"HostDropOnWorkArea", {Random.Below(600), Random.Below(400), Random.Below(5)}, Name};
       },
       [](TRandomUseRig& Rig, const TvxUserAction& Action) {
         TvxUnionSubQuery* Operand = Rig.ActiveOperand();
         auto* WorkArea = Operand != nullptr ? qobject_cast<TvxQueryBuilderWorkArea*>(Operand->GetWorkArea()) : nullptr;
         if (WorkArea == nullptr || !WorkArea->isVisible()) return;
         QMimeData Name;
         Name.setText(QString::fromStdString(Action.Text));
         const QPoint Point(Action.GetNumber(0), Action.GetNumber(1));
         QDragEnterEvent Enter(Point, Qt::CopyAction, &Name, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(WorkArea->viewport(), &Enter);
         QDragMoveEvent Move(Point + QPoint(5, 5), Qt::CopyAction, &Name, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(WorkArea->viewport(), &Move);
         // Now and then the drag leaves the work area again instead of dropping.
         if (Action.GetNumber(2) == 0) {
           QDragLeaveEvent Leave;
           QApplication::sendEvent(WorkArea->viewport(), &Leave);
           return;
         }
         QDropEvent Drop(QPointF(Point + QPoint(5, 5)), Qt::CopyAction, &Name, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(WorkArea->viewport(), &Drop);
       }});
}

}  // namespace

void AddInputActions(std::vector<TvxActionKind>& Kinds) {
  AddGridKeyActions(Kinds);
  AddDragActions(Kinds);
  AddContextMenuActions(Kinds);
  AddHostDropActions(Kinds);
}

}  // namespace vxrandom
