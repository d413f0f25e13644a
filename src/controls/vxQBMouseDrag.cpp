#include "vxQBMouseDrag.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// The widget that takes drags at Global, in Source's window, and the point in its coordinates.
QWidget* TargetAt(const QWidget* Source, const QPoint& Global, QPoint& Point) {
  QWidget* Window = Source->window();
  const QPoint InWindow = Window->mapFromGlobal(Global);
  QWidget* Hit = Window->childAt(InWindow);
  if (Hit == nullptr && Window->rect().contains(InWindow)) Hit = Window;
  for (QWidget* Widget = Hit; Widget != nullptr; Widget = Widget->parentWidget()) {
    if (dynamic_cast<TvxDragTarget*>(Widget) == nullptr) continue;
    Point = Widget->mapFromGlobal(Global);
    return Widget;
  }
  return nullptr;
}

}  // namespace

TvxMouseDrag::TvxMouseDrag(QWidget* Source, int Threshold) : QObject(Source), FSource(Source), FThreshold(Threshold) {
  Source->installEventFilter(this);
}

TvxMouseDrag::~TvxMouseDrag() {
  if (FDragging) Stop();
}

bool TvxMouseDrag::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FSource) {
    switch (Event->type()) {
      case QEvent::MouseButtonPress: {
        auto* Mouse = static_cast<QMouseEvent*>(Event);
        if (Mouse->button() == Qt::LeftButton && !FDragging) {
          FPressed = true;
          FPressGlobal = Mouse->globalPosition().toPoint();
        }
        break;
      }
      case QEvent::MouseMove: {
        auto* Mouse = static_cast<QMouseEvent*>(Event);
        // A press whose release went elsewhere (a popup took it) starts nothing later.
        if (!(Mouse->buttons() & Qt::LeftButton)) FPressed = false;
        return MouseMoved(Mouse->globalPosition().toPoint());
      }
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton)
          return MouseReleased(static_cast<QMouseEvent*>(Event)->globalPosition().toPoint());
        break;
      default:
        break;
    }
  }
  // While dragging the whole application is watched: Escape may be typed anywhere.
  if (FDragging && Event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape) {
    Cancel();
    return true;
  }
  return QObject::eventFilter(Watched, Event);
}

bool TvxMouseDrag::MouseMoved(const QPoint& Global) {
  if (FDragging) {
    Track(Global);
    return true;
  }
  if (!FPressed) return false;
  const QPoint Moved = Global - FPressGlobal;
  if (std::abs(Moved.x()) <= FThreshold && std::abs(Moved.y()) <= FThreshold) return false;
  FPressed = false;
  if (OnCanStartDrag && !OnCanStartDrag(FSource->mapFromGlobal(FPressGlobal))) return false;
  Start();
  Track(Global);
  return true;
}

bool TvxMouseDrag::MouseReleased(const QPoint& Global) {
  FPressed = false;
  if (!FDragging) return false;
  Track(Global);
  QPointer<QWidget> Target = GetAcceptingTarget();
  const QPoint Point = FTargetPoint;
  Stop();
  // The drop may rebuild the controls, this drag and its source among them.
  QPointer<TvxMouseDrag> Self(this);
  if (Target) dynamic_cast<TvxDragTarget*>(Target.data())->DragDrop(FSource, Point);
  if (Self) emit dragFinished(Target != nullptr);
  return true;
}

void TvxMouseDrag::Start() {
  FDragging = true;
  FTarget = nullptr;
  FAccepted = false;
  qApp->installEventFilter(this);
  QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
  emit dragStarted();
}

void TvxMouseDrag::Track(const QPoint& Global) {
  QPoint Point;
  QWidget* Target = TargetAt(FSource, Global, Point);
  bool Accept = false;
  if (Target != nullptr) dynamic_cast<TvxDragTarget*>(Target)->DragOver(FSource, Point, Accept);
  FTarget = Target;
  FTargetPoint = Point;
  FAccepted = Accept;
  QGuiApplication::changeOverrideCursor(Accept ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void TvxMouseDrag::Stop() {
  FDragging = false;
  qApp->removeEventFilter(this);
  QGuiApplication::restoreOverrideCursor();
}

void TvxMouseDrag::Cancel() {
  if (!FDragging) return;
  FAccepted = false;
  Stop();
  emit dragFinished(false);
}
