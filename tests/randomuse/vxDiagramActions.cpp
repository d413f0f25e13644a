// Actions on the diagram with the mouse and the keys: ticking fields in a box, dragging a
// field onto another, moving and sizing boxes by their caption and frame, closing a box, and
// clicking a box or a line before pressing Delete.
#include "vxActionKinds.h"
#include "vxDiagramTest.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDatasourceFieldsList.h"
#include "vxQBLinkControl.h"
#include "vxQBWorkArea.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxQueryUnionSubQuery.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

namespace vxrandom {
namespace {

using TBox = TvxQueryBuilderDataSourceControl;

TBox* BoxAt(TRandomUseRig& Rig, int Index) {
  const std::vector<TBox*> List = Rig.ShownBoxes();
  const int At = Wrap(Index, List.size());
  return At < 0 ? nullptr : List[size_t(At)];
}

// The text of row Index of Box's list, scrolled into view as a user scrolls to it; empty when
// the list is empty.
QString FieldRow(TBox* Box, int Index) {
  QListWidget* List = Box->GetFieldsList();
  const int Row = Wrap(Index, size_t(List->count()));
  if (Row < 0) return {};
  List->scrollToItem(List->item(Row));
  return List->item(Row)->text();
}

// Delete pressed where the keyboard focus is, or on the work area when it is elsewhere.
void PressDelete(TvxQueryBuilderWorkArea* WorkArea) {
  QWidget* Focus = QApplication::focusWidget();
  QTest::keyClick(Focus != nullptr && WorkArea->isAncestorOf(Focus) ? Focus : WorkArea, Qt::Key_Delete);
}

TvxUserAction MakeBoxAction(TvxRandom& Random, TRandomUseRig& Rig, const char* Kind, std::vector<int> More) {
  const size_t Count = Rig.ShownBoxes().size();
  if (Count == 0) return {};
  More.insert(More.begin(), Random.Below(int(Count)));
  return {Kind, More};
}

void AddFieldActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back({"ClickFieldCheck", 8,
                   [](TvxRandom& Random, TRandomUseRig& Rig) {
                     return MakeBoxAction(Random, Rig, "ClickFieldCheck", {Random.Below(12)});
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TBox* Box = BoxAt(Rig, Action.GetNumber(0));
                     const QString Field = Box != nullptr ? FieldRow(Box, Action.GetNumber(1)) : QString();
                     if (!Field.isEmpty()) vxtest::ClickCheckBox(Box, Field);
                   }});
  Kinds.push_back({"DragFieldOntoField", 4,
                   [](TvxRandom& Random, TRandomUseRig& Rig) {
                     const int Count = int(Rig.ShownBoxes().size());
                     return MakeBoxAction(Random, Rig, "DragFieldOntoField",
                                          {Random.Below(12), Random.Below(Count), Random.Below(12)});
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TBox* From = BoxAt(Rig, Action.GetNumber(0));
                     TBox* To = BoxAt(Rig, Action.GetNumber(2));
                     if (From == nullptr || To == nullptr) return;
                     const QString FromField = FieldRow(From, Action.GetNumber(1));
                     const QString ToField = FieldRow(To, Action.GetNumber(3));
                     if (!FromField.isEmpty() && !ToField.isEmpty()) vxtest::DragField(From, FromField, To, ToField);
                   }});
}

void AddBoxActions(std::vector<TvxActionKind>& Kinds) {
  Kinds.push_back(
      {"DragBoxCaption", 3,
       [](TvxRandom& Random, TRandomUseRig& Rig) {
         return MakeBoxAction(Random, Rig, "DragBoxCaption", {Random.Below(1000) - 100, Random.Below(700) - 100});
       },
       [](TRandomUseRig& Rig, const TvxUserAction& Action) {
         if (TBox* Box = BoxAt(Rig, Action.GetNumber(0)))
           vxtest::DragCaption(Box, QPoint(Action.GetNumber(1), Action.GetNumber(2)));
       }});
  Kinds.push_back({"ResizeBox", 3,
                   [](TvxRandom& Random, TRandomUseRig& Rig) {
                     return MakeBoxAction(Random, Rig, "ResizeBox",
                                          {Random.Below(4), Random.Below(600) - 300, Random.Below(600) - 300});
                   },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TBox* Box = BoxAt(Rig, Action.GetNumber(0));
                     if (Box == nullptr) return;
                     // A point on the frame: left, right or bottom edge, or the bottom right corner.
                     const int W = Box->width(), H = Box->height(), Edge = 1;
                     const QPoint Grips[] = {
                         {Edge, H / 2}, {W - 1 - Edge, H / 2}, {W / 2, H - 1 - Edge}, {W - 1 - Edge, H - 1 - Edge}};
                     const QPoint Grip = Grips[Wrap(Action.GetNumber(1), 4)];
                     const QPoint End = Grip + QPoint(Action.GetNumber(2), Action.GetNumber(3));
                     QTest::mousePress(Box, Qt::LeftButton, {}, Grip);
                     QTest::mouseMove(Box, End);
                     QTest::mouseRelease(Box, Qt::LeftButton, {}, End);
                   }});
  Kinds.push_back({"CloseBox", 2,
                   [](TvxRandom& Random, TRandomUseRig& Rig) { return MakeBoxAction(Random, Rig, "CloseBox", {}); },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     if (TBox* Box = BoxAt(Rig, Action.GetNumber(0)))
                       QTest::mouseClick(Box, Qt::LeftButton, {}, Box->GetCloseButtonRect().center());
                   }});
  Kinds.push_back({"DeleteBox", 1,
                   [](TvxRandom& Random, TRandomUseRig& Rig) { return MakeBoxAction(Random, Rig, "DeleteBox", {}); },
                   [](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     TBox* Box = BoxAt(Rig, Action.GetNumber(0));
                     if (Box == nullptr) return;
                     QTest::mouseClick(Box, Qt::LeftButton, {}, Box->GetCaptionRect().center() - QPoint(10, 0));
                     PressDelete(Box->GetWorkArea());
                   }});
}

void AddLineActions(std::vector<TvxActionKind>& Kinds) {
  auto Lines = [](TRandomUseRig& Rig) {
    std::vector<TvxQueryBuilderLinkControl*> List;
    for (TvxLink* Link : TRandomUseRig::Links(Rig.ActiveOperand()))
      if (auto* Line = qobject_cast<TvxQueryBuilderLinkControl*>(Link->GetLinkControl()); Line && Line->IsLaidOut())
        List.push_back(Line);
    return List;
  };
  Kinds.push_back({"DeleteLine", 2,
                   [Lines](TvxRandom& Random, TRandomUseRig& Rig) -> TvxUserAction {
                     const size_t Count = Lines(Rig).size();
                     if (Count == 0) return {};
                     return {"DeleteLine", {Random.Below(int(Count)), Random.Below(3)}};
                   },
                   [Lines](TRandomUseRig& Rig, const TvxUserAction& Action) {
                     const std::vector<TvxQueryBuilderLinkControl*> List = Lines(Rig);
                     const int At = Wrap(Action.GetNumber(0), List.size());
                     if (At < 0) return;
                     // The middle of one of the line's three segments, clicked where a user sees it.
                     TvxQueryBuilderLinkControl* Line = List[size_t(At)];
                     const size_t Segment = size_t(Wrap(Action.GetNumber(1), 3));
                     const QPoint Point = (Line->GetPoints()[Segment] + Line->GetPoints()[Segment + 1]) / 2;
                     vxtest::ClickThroughWindow(Line, Point);
                     PressDelete(Line->GetWorkArea());
                   }});
}

}  // namespace

void AddDiagramActions(std::vector<TvxActionKind>& Kinds) {
  AddFieldActions(Kinds);
  AddBoxActions(Kinds);
  AddLineActions(Kinds);
}

}  // namespace vxrandom
