#include "vxQBSelectListInplaceEdit.h"

#include "vxQBSelectListControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>

namespace {
constexpr int GPickListRows = 8;
}

TvxQueryBuilderSelectListInplaceEdit::TvxQueryBuilderSelectListInplaceEdit(TvxQueryBuilderSelectListControl* Grid)
    : QFrame(Grid->viewport()), FGrid(Grid) {
  setObjectName(QStringLiteral("InplaceEdit"));
  setFrameShape(QFrame::NoFrame);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  setFocusPolicy(Qt::StrongFocus);
  hide();

  FLineEdit = new QLineEdit(this);
  FLineEdit->setObjectName(QStringLiteral("InplaceEditText"));
  FLineEdit->setFrame(false);
  FLineEdit->setTextMargins(1, 0, 1, 0);
  FLineEdit->installEventFilter(this);
  setFocusProxy(FLineEdit);

  FEditButton = new QToolButton(this);
  FEditButton->setObjectName(QStringLiteral("InplaceEditButton"));
  FEditButton->setFocusPolicy(Qt::NoFocus);
  FEditButton->setAutoRaise(false);
  connect(FEditButton, &QToolButton::clicked, this, &TvxQueryBuilderSelectListInplaceEdit::EditButtonClicked);

  FPickList = new QListWidget(this);
  FPickList->setObjectName(QStringLiteral("InplaceEditPickList"));
  FPickList->setWindowFlags(Qt::Popup);
  FPickList->setFocusPolicy(Qt::NoFocus);
  FPickList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FPickList->setUniformItemSizes(true);
  FPickList->installEventFilter(this);
  connect(FPickList, &QListWidget::itemClicked, this, [this] { CloseUp(true); });
}

void TvxQueryBuilderSelectListInplaceEdit::Open(const QString& Text, TvxGridEditStyle Style) {
  CloseUp(false);
  FStyle = Style;
  FOpenedText = Text;
  FLineEdit->setText(Text);
  FEditButton->setVisible(Style != esSimple);
  if (Style == esEllipsis) {
    FEditButton->setArrowType(Qt::NoArrow);
    FEditButton->setText(QStringLiteral("\u2026"));
  } else {
    FEditButton->setText(QString());
    FEditButton->setArrowType(Qt::DownArrow);
  }
  resizeEvent(nullptr);
  SelectAll();
}

QString TvxQueryBuilderSelectListInplaceEdit::GetText() const { return FLineEdit->text(); }

void TvxQueryBuilderSelectListInplaceEdit::SetText(const QString& Text) { FLineEdit->setText(Text); }

bool TvxQueryBuilderSelectListInplaceEdit::IsModified() const { return FLineEdit->text() != FOpenedText; }

void TvxQueryBuilderSelectListInplaceEdit::SelectAll() { FLineEdit->selectAll(); }

void TvxQueryBuilderSelectListInplaceEdit::resizeEvent(QResizeEvent*) {
  const int Button = FEditButton->isVisibleTo(this) ? EditButtonWidth : 0;
  FLineEdit->setGeometry(0, 0, width() - Button, height());
  FEditButton->setGeometry(width() - Button, 0, Button, height());
}

void TvxQueryBuilderSelectListInplaceEdit::focusInEvent(QFocusEvent* Event) {
  QFrame::focusInEvent(Event);
  FLineEdit->setFocus(Event->reason());
}

// --- the pick list and the button --------------------------------------------------------------

void TvxQueryBuilderSelectListInplaceEdit::EditButtonClicked() {
  if (FStyle == esEllipsis)
    FGrid->EditButtonClick();
  else if (IsDroppedDown())
    CloseUp(false);
  else
    DropDown();
}

void TvxQueryBuilderSelectListInplaceEdit::DropDown() {
  if (FStyle != esPickList || IsDroppedDown()) return;
  QStringList Items;
  FGrid->GetPickListItems(Items);
  FPickList->clear();
  FPickList->addItems(Items);
  if (Items.isEmpty()) return;
  // The choice that matches the text is the current one, so Enter keeps it.
  const auto Matching = FPickList->findItems(GetText(), Qt::MatchFixedString);
  FPickList->setCurrentRow(Matching.isEmpty() ? 0 : FPickList->row(Matching.front()));
  const int RowHeight = std::max(FPickList->sizeHintForRow(0), 1);
  const int Rows = std::min<int>(static_cast<int>(Items.size()), GPickListRows);
  const int Frame = 2 * FPickList->frameWidth();
  int Width = std::max(width(), FPickList->sizeHintForColumn(0) + Frame + 4);
  if (Items.size() > GPickListRows) Width += FPickList->verticalScrollBar()->sizeHint().width();
  QRect Popup(mapToGlobal(QPoint(0, height())), QSize(Width, Rows * RowHeight + Frame));
  // Above the cell when the screen ends below it.
  if (const QScreen* Screen = screen(); Screen != nullptr && Popup.bottom() > Screen->availableGeometry().bottom())
    Popup.moveBottom(mapToGlobal(QPoint(0, 0)).y() - 1);
  FPickList->setGeometry(Popup);
  FPickList->show();
  FPickList->scrollToItem(FPickList->currentItem());
}

void TvxQueryBuilderSelectListInplaceEdit::CloseUp(bool Accept) {
  if (!IsDroppedDown()) return;
  const QListWidgetItem* Chosen = FPickList->currentItem();
  FPickList->hide();
  if (!Accept || Chosen == nullptr) return;
  FLineEdit->setText(Chosen->text());
  // A choice is meant at once, as Enter would be.
  if (FGrid->CommitEditor()) SelectAll();
}

bool TvxQueryBuilderSelectListInplaceEdit::IsDroppedDown() const { return FPickList->isVisible(); }

// --- keys --------------------------------------------------------------------------------------

bool TvxQueryBuilderSelectListInplaceEdit::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FLineEdit && Event->type() == QEvent::KeyPress) return LineKeyPressed(static_cast<QKeyEvent*>(Event));
  if (Watched == FPickList && Event->type() == QEvent::KeyPress)
    return PickListKeyPressed(static_cast<QKeyEvent*>(Event));
  if (Watched == FLineEdit && Event->type() == QEvent::FocusOut) {
    // Focus that stays in the grid (a click on another cell) is the grid's to handle.
    const QWidget* Now = QApplication::focusWidget();
    if (Now != nullptr && Now != FPickList && Now != FGrid && !FGrid->isAncestorOf(Now) && IsModified())
      FGrid->CommitEditor();
  }
  return QFrame::eventFilter(Watched, Event);
}

bool TvxQueryBuilderSelectListInplaceEdit::LineKeyPressed(QKeyEvent* Event) {
  const Qt::KeyboardModifiers Modifiers = Event->modifiers() & ~Qt::KeypadModifier;
  switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (Modifiers != Qt::NoModifier) return false;
      if (FGrid->CommitEditor()) SelectAll();
      return true;
    case Qt::Key_Escape:
      FGrid->RestoreEditor();
      return true;
    case Qt::Key_F4:
      DropDown();
      return true;
    case Qt::Key_F2:
      // Into the text, as a spreadsheet's F2: the arrows then move the caret, not the cell.
      FLineEdit->deselect();
      FLineEdit->end(false);
      return true;
    case Qt::Key_Down:
      if (Modifiers == Qt::AltModifier) {
        DropDown();
        return true;
      }
      [[fallthrough]];
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      FGrid->MoveFromEditor(Event);
      return true;
    case Qt::Key_Left:
    case Qt::Key_Right: {
      // Inside the text the arrows move the caret; at its ends they move to the next cell.
      const bool AtEnd = Event->key() == Qt::Key_Left ? FLineEdit->cursorPosition() == 0
                                                      : FLineEdit->cursorPosition() == FLineEdit->text().size();
      if (Modifiers != Qt::NoModifier || FLineEdit->hasSelectedText() || !AtEnd) return false;
      FGrid->MoveFromEditor(Event);
      return true;
    }
    default:
      return false;
  }
}

bool TvxQueryBuilderSelectListInplaceEdit::PickListKeyPressed(QKeyEvent* Event) {
  switch (Event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CloseUp(true);
      return true;
    case Qt::Key_Escape:
    case Qt::Key_F4:
      CloseUp(false);
      return true;
    case Qt::Key_Up:
      if (Event->modifiers() & Qt::AltModifier) {
        CloseUp(true);
        return true;
      }
      return false;
    default:
      return false;
  }
}
