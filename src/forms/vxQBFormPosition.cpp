#include "vxQBFormPosition.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

void vx::PlaceDialog(QWidget& Dialog, TvxPosition Position) {
  QWidget* Parent = Dialog.parentWidget() != nullptr ? Dialog.parentWidget()->window() : nullptr;
  QRect Area;
  switch (Position) {
    case poScreenCenter:
    case poDesktopCenter: {
      const QScreen* Screen = Parent != nullptr ? Parent->screen() : QGuiApplication::primaryScreen();
      if (Screen != nullptr) Area = Screen->availableGeometry();
      break;
    }
    case poMainFormCenter:
    case poOwnerFormCenter:
      if (Parent != nullptr) Area = Parent->frameGeometry();
      break;
    default:
      return;
  }
  if (Area.isEmpty()) return;
  // The frame is not known before the first show; the client area stands in for it.
  QRect Frame = Dialog.frameGeometry();
  Frame.moveCenter(Area.center());
  Dialog.move(Frame.topLeft());
}
