#include "vxQBNavBarKeys.h"

#include "vxQBFocusPaint.h"
#include "vxQBUnionNavBar.h"
#include "vxQBUnionNavItems.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

TvxNavBarKeys::TvxNavBarKeys(TvxUnionNavBar* Bar) : QObject(Bar), FBar(Bar), FRing(new TvxFocusFrame(Bar, false)) {
  setObjectName(QStringLiteral("NavBarKeys"));
  Bar->installEventFilter(this);
}

bool TvxNavBarKeys::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FBar) {
    // Items come and go with the union.
    if (Event->type() == QEvent::ChildAdded) static_cast<QChildEvent*>(Event)->child()->installEventFilter(this);
    return false;
  }
  if (!Watched->isWidgetType() || Watched == FRing) return false;
  auto* Item = static_cast<QWidget*>(Watched);
  if (Event->type() == QEvent::FocusIn || (Event->type() == QEvent::Move && Item->hasFocus()))
    FRing->ShowOver(Item->geometry());
  else if (Event->type() == QEvent::FocusOut || Event->type() == QEvent::Hide)
    FRing->hide();
  return Event->type() == QEvent::KeyPress && KeyPressed(Item, static_cast<QKeyEvent*>(Event));
}

bool TvxNavBarKeys::KeyPressed(QWidget* Item, QKeyEvent* Event) {
  QList<QWidget*> Items;
  for (QWidget* Control : FBar->GetOrderedControls())
    if (!Control->isHidden() && qobject_cast<TvxBracket*>(Control) == nullptr) Items.append(Control);
  const int At = Items.indexOf(Item);
  const Qt::KeyboardModifiers Modifiers = Event->modifiers() & ~Qt::KeypadModifier;
  const int Key = Event->key();
  const bool MenuKey =
      (Key == Qt::Key_Menu && Modifiers == Qt::NoModifier) || (Key == Qt::Key_F10 && Modifiers == Qt::ShiftModifier);
  if (At < 0 || (Modifiers != Qt::NoModifier && !MenuKey)) return false;
  if (MenuKey) {
    const QPoint Below = Item->rect().bottomLeft();
    QContextMenuEvent Menu(QContextMenuEvent::Keyboard, Below, Item->mapToGlobal(Below));
    QCoreApplication::sendEvent(Item, &Menu);
    return true;
  }
  switch (Key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End: {
      const int Last = static_cast<int>(Items.size()) - 1;
      const int Next = Key == Qt::Key_Home  ? 0
                       : Key == Qt::Key_End ? Last
                                            : std::clamp(At + (Key == Qt::Key_Right ? 1 : -1), 0, Last);
      Items[Next]->setFocus(Qt::OtherFocusReason);
      return true;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      // The item does what it does for the left button, so that keys and mouse cannot differ.
      const QPointF Middle = QRectF(Item->rect()).center();
      const QPointF Global = Item->mapToGlobal(Middle);
      QMouseEvent Press(QEvent::MouseButtonPress, Middle, Global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
      QMouseEvent Release(QEvent::MouseButtonRelease, Middle, Global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
      QCoreApplication::sendEvent(Item, &Press);
      QCoreApplication::sendEvent(Item, &Release);
      return true;
    }
    default:
      return false;
  }
}
