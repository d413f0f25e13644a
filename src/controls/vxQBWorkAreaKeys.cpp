#include "vxQBWorkAreaKeys.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDatasourceFieldsList.h"
#include "vxQBDiagramScale.h"
#include "vxQBFocusPaint.h"
#include "vxQBLinkControl.h"
#include "vxQBWorkArea.h"
#include "vxQueryBase.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQueryUnionSubQuery.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Keyboard moves and sizes go at least this many pixels at a time.
constexpr int GMinKeyStep = 10;

bool IsTabKey(const QKeyEvent& Event) { return Event.key() == Qt::Key_Tab || Event.key() == Qt::Key_Backtab; }

bool IsBackwards(const QKeyEvent& Event) {
  return Event.key() == Qt::Key_Backtab || (Event.modifiers() & Qt::ShiftModifier) != 0;
}

bool IsArrow(int Key) {
  return Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up || Key == Qt::Key_Down;
}

}  // namespace

TvxWorkAreaKeyboard::TvxWorkAreaKeyboard(TvxQueryBuilderWorkArea* WorkArea)
    : QObject(WorkArea), FWorkArea(WorkArea), FFrame(new TvxFocusFrame(WorkArea->viewport(), true)) {
  setObjectName(QStringLiteral("WorkAreaKeyboard"));
  WorkArea->installEventFilter(this);
}

void TvxWorkAreaKeyboard::Attach(TvxQueryBuilderDatasourceFieldsList* List) { List->installEventFilter(this); }

QList<QWidget*> TvxWorkAreaKeyboard::GetItems() const {
  QList<QWidget*> Items;
  TvxUnionSubQuery* Operand = FWorkArea->GetUnionSubQuery();
  if (Operand == nullptr) return Items;
  TvxDatasourceList Datasources;
  Operand->GetFromClause()->GetItemsByType(Datasources, TvxDatasource::staticMetaObject, true);
  for (TvxDatasourceBase* Item : Datasources) {
    auto* Box = qobject_cast<TvxQueryBuilderDataSourceControl*>(static_cast<TvxDatasource*>(Item)->GetDSControl());
    if (Box != nullptr && !Box->isHidden()) Items.append(Box);
  }
  // Lines are never raised, so the canvas keeps them in the order they were made.
  const QWidget* Canvas = FWorkArea->GetCanvas();
  for (auto* Line : Canvas->findChildren<TvxQueryBuilderLinkControl*>(QString(), Qt::FindDirectChildrenOnly))
    if (Line->IsLaidOut()) Items.append(Line);
  return Items;
}

TvxQueryBuilderDataSourceControl* TvxWorkAreaKeyboard::FocusedBox() const {
  return qobject_cast<TvxQueryBuilderDataSourceControl*>(FWorkArea->GetFocusedControl());
}

TvxQueryBuilderLinkControl* TvxWorkAreaKeyboard::FocusedLine() const {
  return qobject_cast<TvxQueryBuilderLinkControl*>(FWorkArea->GetFocusedControl());
}

// --- events ------------------------------------------------------------------------------------

bool TvxWorkAreaKeyboard::eventFilter(QObject* Watched, QEvent* Event) {
  switch (Event->type()) {
    case QEvent::ShortcutOverride: {
      // The diagram's keys are the diagram's while it has the focus, whatever the host binds.
      const auto* Key = static_cast<QKeyEvent*>(Event);
      if (!FLinkSource && ActionOf(*Key) == TAction::None) return false;
      Event->accept();
      return true;
    }
    case QEvent::KeyPress: {
      auto* Key = static_cast<QKeyEvent*>(Event);
      if (FLeaving) return false;
      const bool Taken = FLinkSource ? LinkKeyPressed(Key) : KeyPressed(Key);
      if (Taken) Key->accept();
      return Taken;
    }
    case QEvent::FocusIn: {
      const auto Reason = static_cast<QFocusEvent*>(Event)->reason();
      if (Watched == FWorkArea && !FLeaving && FWorkArea->GetFocusedControl() == nullptr &&
          (Reason == Qt::TabFocusReason || Reason == Qt::BacktabFocusReason)) {
        const QList<QWidget*> Items = GetItems();
        if (!Items.isEmpty()) FocusItem(Reason == Qt::TabFocusReason ? Items.front() : Items.back());
      }
      UpdateFrame();
      return false;
    }
    case QEvent::FocusOut:
      if (FLinkSource && Watched == FLinkSource->GetFieldsList()) FinishLink(false);
      UpdateFrame();
      return false;
    default:
      return false;
  }
}

void TvxWorkAreaKeyboard::FocusedControlChanged() { UpdateFrame(); }

void TvxWorkAreaKeyboard::UpdateFrame() {
  const bool Show = FWorkArea->hasFocus() && FWorkArea->GetFocusedControl() == nullptr;
  if (Show == FFrame->isVisible()) return;
  if (Show)
    FFrame->ShowOver(FWorkArea->viewport()->rect());
  else
    FFrame->hide();
}

TvxWorkAreaKeyboard::TAction TvxWorkAreaKeyboard::ActionOf(const QKeyEvent& Event) const {
  const Qt::KeyboardModifiers Modifiers = Event.modifiers() & ~Qt::KeypadModifier;
  const int Key = Event.key();
  if (IsTabKey(Event) && (Modifiers & ~Qt::ShiftModifier) == Qt::NoModifier)
    return IsBackwards(Event) ? TAction::Previous : TAction::Next;
  if ((Key == Qt::Key_Return || Key == Qt::Key_Enter) && (Modifiers == Qt::NoModifier || Modifiers == Qt::AltModifier))
    return TAction::Properties;
  if ((Key == Qt::Key_Menu && Modifiers == Qt::NoModifier) || (Key == Qt::Key_F10 && Modifiers == Qt::ShiftModifier))
    return TAction::Menu;
  if (Key == Qt::Key_Insert && Modifiers == Qt::NoModifier) return TAction::AddObject;
  // The rest act on a focused box.
  if (FocusedBox() == nullptr) return TAction::None;
  if (Key == Qt::Key_L && Modifiers == Qt::ControlModifier) return TAction::StartLink;
  if (IsArrow(Key) && Modifiers == Qt::ControlModifier) return TAction::Move;
  if (IsArrow(Key) && Modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) return TAction::Size;
  return TAction::None;
}

bool TvxWorkAreaKeyboard::KeyPressed(QKeyEvent* Event) {
  switch (ActionOf(*Event)) {
    case TAction::None:
      return false;
    case TAction::Next:
    case TAction::Previous:
      StepFocus(!IsBackwards(*Event));
      return true;
    case TAction::Properties:
      EditProperties();
      return true;
    case TAction::StartLink:
      StartLink();
      return true;
    case TAction::AddObject:
      if (TvxUnionSubQuery* Operand = FWorkArea->GetUnionSubQuery())
        vx::RunReported(FWorkArea->GetQueryBuilder(), [&] { Operand->AddTableEvent(FWorkArea); });
      return true;
    case TAction::Menu:
      ShowMenu();
      return true;
    case TAction::Move:
    case TAction::Size:
      MoveOrSize(*Event, ActionOf(*Event) == TAction::Size);
      return true;
  }
  return false;
}

// --- focus -------------------------------------------------------------------------------------

void TvxWorkAreaKeyboard::FocusItem(QWidget* Item) {
  if (auto* Box = qobject_cast<TvxQueryBuilderDataSourceControl*>(Item)) {
    // The current row, selected, shows where Space and Ctrl+L act: the first field when none was
    // chosen (the list would take "*" on getting the focus).
    TvxQueryBuilderDatasourceFieldsList* List = Box->GetFieldsList();
    const int Row = List->currentRow() >= 0 ? List->currentRow() : std::min(1, List->count() - 1);
    Box->BringToFront();
    if (Row >= 0) List->setCurrentRow(Row);
    FWorkArea->ensureWidgetVisible(Box, 0, 0);
  } else if (auto* Line = qobject_cast<TvxQueryBuilderLinkControl*>(Item)) {
    Line->Press();
    const QRect Bounds = Line->GetCanvasBounds();
    FWorkArea->ensureVisible(Bounds.center().x(), Bounds.center().y(), Bounds.width() / 2, Bounds.height() / 2);
  }
}

void TvxWorkAreaKeyboard::StepFocus(bool Forward) {
  const QList<QWidget*> Items = GetItems();
  const int Current = Items.indexOf(FWorkArea->GetFocusedControl());
  // With no item focused the diagram stands before its first item.
  const int Next = Current < 0 ? (Forward ? 0 : -1) : Current + (Forward ? 1 : -1);
  if (Next >= 0 && Next < Items.size())
    FocusItem(Items[Next]);
  else
    LeaveDiagram(Forward);
}

void TvxWorkAreaKeyboard::LeaveDiagram(bool Forward) {
  // Qt's focus chain goes on from the work area, past the boxes' lists (which take the focus by
  // click only) to what follows the diagram.
  FLeaving = true;
  FWorkArea->setFocus(Qt::OtherFocusReason);
  FWorkArea->SetFocusedControl(nullptr);
  QKeyEvent Tab(QEvent::KeyPress, Forward ? Qt::Key_Tab : Qt::Key_Backtab,
                Forward ? Qt::NoModifier : Qt::ShiftModifier);
  QCoreApplication::sendEvent(FWorkArea, &Tab);
  FLeaving = false;
  UpdateFrame();
}

// --- actions on the focused item ---------------------------------------------------------------

void TvxWorkAreaKeyboard::EditProperties() {
  TvxQueryBuilder* QueryBuilder = FWorkArea->GetQueryBuilder();
  if (TvxQueryBuilderDataSourceControl* Box = FocusedBox())
    vx::RunReported(QueryBuilder, [Box] { Box->GetDatasource()->EditPropsEvent(Box); });
  else if (TvxQueryBuilderLinkControl* Line = FocusedLine())
    Line->DoubleClick();
  else if (TvxUnionSubQuery* Operand = FWorkArea->GetUnionSubQuery())
    vx::RunReported(QueryBuilder, [&] { Operand->EditPropsEvent(FWorkArea); });
}

void TvxWorkAreaKeyboard::ShowMenu() {
  // The menu pops up where a right click on the item would show it.
  if (TvxQueryBuilderDataSourceControl* Box = FocusedBox()) {
    const QPoint At = Box->GetCaptionRect().bottomLeft() + QPoint(8, 0);
    QContextMenuEvent Menu(QContextMenuEvent::Keyboard, At, Box->mapToGlobal(At));
    QCoreApplication::sendEvent(Box, &Menu);
  } else if (TvxQueryBuilderLinkControl* Line = FocusedLine()) {
    const QPoint Middle = (Line->GetPoints()[1] + Line->GetPoints()[2]) / 2 + Line->GetBounds().topLeft();
    Line->ShowMenu(FWorkArea->GetCanvas()->mapToGlobal(FWorkArea->GetScale().ToCanvas(Middle)));
  } else if (TvxUnionSubQuery* Operand = FWorkArea->GetUnionSubQuery()) {
    TvxQueryBuilder* QueryBuilder = FWorkArea->GetQueryBuilder();
    const QPoint Global = FWorkArea->viewport()->mapToGlobal(QPoint(16, 16));
    vx::RunReported(QueryBuilder, [&] {
      if (QueryBuilder != nullptr && Operand->GetPopupMenuWA() != nullptr) QueryBuilder->PopupMenuPopup(Global);
    });
  }
}

void TvxWorkAreaKeyboard::MoveOrSize(const QKeyEvent& Event, bool Size) {
  TvxQueryBuilderDataSourceControl* Box = FocusedBox();
  const int Snap = Box->GetSnapStep();
  const int Step = Snap > 0 ? (GMinKeyStep + Snap - 1) / Snap * Snap : GMinKeyStep;
  const int Key = Event.key();
  const QPoint By((Key == Qt::Key_Right) - (Key == Qt::Key_Left), (Key == Qt::Key_Down) - (Key == Qt::Key_Up));
  // In diagram pixels, as the mouse moves boxes: the step is the same at every zoom.
  QRect Bounds = Box->GetBounds();
  if (Size)
    Bounds.setSize(Bounds.size() + QSize(By.x(), By.y()) * Step);
  else
    Bounds.translate(By * Step);
  Box->SetBounds(Bounds);
  FWorkArea->ensureWidgetVisible(Box, 0, 0);
}

// --- choosing a link ---------------------------------------------------------------------------

QList<TvxQueryBuilderDataSourceControl*> TvxWorkAreaKeyboard::GetBoxes() const {
  QList<TvxQueryBuilderDataSourceControl*> Boxes;
  for (QWidget* Item : GetItems())
    if (auto* Box = qobject_cast<TvxQueryBuilderDataSourceControl*>(Item)) Boxes.append(Box);
  return Boxes;
}

void TvxWorkAreaKeyboard::StartLink() {
  TvxQueryBuilderDataSourceControl* Source = FocusedBox();
  const int Row = Source->GetFieldsList()->currentRow();
  // A condition names a column on either side: not "*", and not a table with itself.
  if (Row <= 0 || GetBoxes().size() < 2) return;
  FLinkSource = Source;
  FLinkSourceRow = Row;
  // The walk starts at the source, so that the first target is the box after it in FROM order.
  FLinkTarget = Source;
  StepLinkTarget(1);
}

void TvxWorkAreaKeyboard::StepLinkTarget(int Step) {
  const QList<TvxQueryBuilderDataSourceControl*> Boxes = GetBoxes();
  int At = Boxes.indexOf(FLinkTarget.data());
  if (At < 0 || Boxes.size() < 2 || !Boxes.contains(FLinkSource.data())) return FinishLink(false);
  do At = (At + Step + Boxes.size()) % Boxes.size();
  while (Boxes[At] == FLinkSource);
  SetLinkTarget(Boxes[At]);
}

void TvxWorkAreaKeyboard::SetLinkTarget(TvxQueryBuilderDataSourceControl* Target) {
  // The rows of the old and the new target change their look.
  if (FLinkTarget) FLinkTarget->GetFieldsList()->viewport()->update();
  Target->GetFieldsList()->viewport()->update();
  FLinkTarget = Target;
  TvxQueryBuilderDatasourceFieldsList* List = Target->GetFieldsList();
  if (List->currentRow() <= 0) {
    // A field of the same name is the likeliest partner; else the first field.
    const QString Name = FLinkSource->GetFieldsList()->item(FLinkSourceRow)->text();
    const QList<QListWidgetItem*> Same = List->findItems(Name, Qt::MatchFixedString);
    List->setCurrentRow(!Same.isEmpty() && List->row(Same.front()) > 0 ? List->row(Same.front())
                                                                       : std::min(1, List->count() - 1));
  }
  FWorkArea->ensureWidgetVisible(Target, 0, 0);
  FWorkArea->GetCanvas()->update();
}

void TvxWorkAreaKeyboard::MoveTargetRow(int Key) {
  TvxQueryBuilderDatasourceFieldsList* List = FLinkTarget->GetFieldsList();
  const int Page = std::max(1, List->viewport()->height() / std::max(1, List->GetItemHeight()) - 1);
  int Row = List->currentRow();
  switch (Key) {
    case Qt::Key_Up:
      Row -= 1;
      break;
    case Qt::Key_Down:
      Row += 1;
      break;
    case Qt::Key_PageUp:
      Row -= Page;
      break;
    case Qt::Key_PageDown:
      Row += Page;
      break;
    case Qt::Key_Home:
      Row = 1;
      break;
    case Qt::Key_End:
      Row = List->count() - 1;
      break;
    default:
      break;
  }
  if (List->count() > 1) List->setCurrentRow(std::clamp(Row, 1, List->count() - 1));
  FWorkArea->GetCanvas()->update();
}

bool TvxWorkAreaKeyboard::LinkKeyPressed(QKeyEvent* Event) {
  // Whatever else is typed while a link is chosen does nothing: no key of the diagram may act on
  // the source box behind the user's back.
  if (!FLinkTarget) {
    FinishLink(false);
    return true;
  }
  const int Key = Event->key();
  if (IsTabKey(*Event)) {
    StepLinkTarget(IsBackwards(*Event) ? -1 : 1);
  } else if (Key == Qt::Key_Left || Key == Qt::Key_Right) {
    StepLinkTarget(Key == Qt::Key_Left ? -1 : 1);
  } else if (Key == Qt::Key_Up || Key == Qt::Key_Down || Key == Qt::Key_PageUp || Key == Qt::Key_PageDown ||
             Key == Qt::Key_Home || Key == Qt::Key_End) {
    MoveTargetRow(Key);
  } else if (Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Escape) {
    FinishLink(Key != Qt::Key_Escape);
  } else if (!Event->text().isEmpty() && Event->text().at(0).isLetterOrNumber()) {
    TvxQueryBuilderDatasourceFieldsList* List = FLinkTarget->GetFieldsList();
    List->keyboardSearch(Event->text());
    MoveTargetRow(0);
  }
  return true;
}

void TvxWorkAreaKeyboard::FinishLink(bool Create) {
  const QPointer<TvxQueryBuilderDataSourceControl> Source = FLinkSource, Target = FLinkTarget;
  const int SourceRow = FLinkSourceRow;
  FLinkSource = nullptr;
  FLinkTarget = nullptr;
  FLinkSourceRow = -1;
  FWorkArea->GetCanvas()->update();
  if (Target) Target->GetFieldsList()->viewport()->update();
  if (!Create || !Source || !Target) return;
  TvxQueryBuilderDatasourceFieldsList* To = Target->GetFieldsList();
  To->LinkFrom(Source->GetFieldsList(), SourceRow, To->currentRow());
}

void TvxWorkAreaKeyboard::PaintLinkChoice(QPainter& Canvas) const {
  if (!FLinkSource || !FLinkTarget) return;
  const QPalette& Colours = FWorkArea->palette();
  vx::PaintTargetRing(Canvas, FLinkTarget->geometry(), Colours);
  auto RowRect = [](const TvxQueryBuilderDataSourceControl* Box, int Row) {
    const QListWidgetItem* Item = Box->GetFieldsList()->item(Row);
    const QRect Rect = Item != nullptr ? Box->CalcFieldRect(Item->text(), true) : QRect();
    return Rect.translated(Box->pos());
  };
  const QRect From = RowRect(FLinkSource, FLinkSourceRow);
  const QRect To = RowRect(FLinkTarget, FLinkTarget->GetFieldsList()->currentRow());
  if (From.isNull() || To.isNull()) return;
  const vx::TvxLinkLayout Layout = vx::CalcLinkLayout(From, To);
  Canvas.save();
  Canvas.translate(Layout.Bounds.topLeft());
  vx::PaintLinkPreview(Canvas, Layout.Points, Colours);
  Canvas.restore();
}
