// The component's zoom: its steps and keys. Only the diagram's widgets scale with it; the model
// keeps box bounds and the grid in unzoomed diagram pixels.
#include "vxQueryBuilder.h"

#include <QKeyEvent>

#include <algorithm>
#include <array>

namespace {

// The stops of Ctrl+plus and Ctrl+minus, as image viewers and office programs step.
constexpr std::array<int, 15> GZoomSteps{25, 33, 50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};

enum class TZoomKey { None, In, Out, Actual };

// Plus is shifted on many layouts, so Ctrl with "=" zooms in as well; Shift and the keypad
// do not matter.
TZoomKey ZoomKeyOf(const QKeyEvent& Event) {
  const Qt::KeyboardModifiers Others = Event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (Others != Qt::ControlModifier) return TZoomKey::None;
  switch (Event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return TZoomKey::In;
    case Qt::Key_Minus:
      return TZoomKey::Out;
    case Qt::Key_0:
      return TZoomKey::Actual;
    default:
      return TZoomKey::None;
  }
}

}  // namespace

void TvxQueryBuilder::SetZoom(int Value) {
  Value = std::clamp(Value, MinZoom, MaxZoom);
  if (Value == FZoom) return;
  FZoom = Value;
  DoUpdateControlParams();
  emit zoomChanged(FZoom);
}

void TvxQueryBuilder::ZoomIn() {
  const auto Next = std::upper_bound(GZoomSteps.begin(), GZoomSteps.end(), FZoom);
  if (Next != GZoomSteps.end()) SetZoom(*Next);
}

void TvxQueryBuilder::ZoomOut() {
  const auto Next = std::lower_bound(GZoomSteps.begin(), GZoomSteps.end(), FZoom);
  if (Next != GZoomSteps.begin()) SetZoom(*(Next - 1));
}

void TvxQueryBuilder::keyPressEvent(QKeyEvent* Event) {
  switch (ZoomKeyOf(*Event)) {
    case TZoomKey::In:
      ZoomIn();
      break;
    case TZoomKey::Out:
      ZoomOut();
      break;
    case TZoomKey::Actual:
      SetZoom(100);
      break;
    case TZoomKey::None:
      QWidget::keyPressEvent(Event);
      return;
  }
  Event->accept();
}
