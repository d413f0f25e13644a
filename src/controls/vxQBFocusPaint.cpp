#include "vxQBFocusPaint.h"

#include <QEvent>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>

namespace {

QColor Faded(QColor Colour, int Alpha) {
  Colour.setAlpha(Alpha);
  return Colour;
}

// Outlines on Canvas, antialiased, until the object goes; Canvas is then as it was.
class TOutlines {
public:
  explicit TOutlines(QPainter& Canvas) : FCanvas(Canvas) {
    Canvas.save();
    Canvas.setRenderHint(QPainter::Antialiasing);
    Canvas.setBrush(Qt::NoBrush);
  }
  ~TOutlines() { FCanvas.restore(); }
  TOutlines(const TOutlines&) = delete;
  TOutlines& operator=(const TOutlines&) = delete;

private:
  QPainter& FCanvas;
};

QPolygonF Polyline(const TvxLinkPoints& Points) {
  QPolygonF Line;
  for (const QPoint& Point : Points) Line << QPointF(Point.x() + 0.5, Point.y() + 0.5);
  return Line;
}

}  // namespace

namespace vx {

void PaintLinkFocus(QPainter& Canvas, const TvxLinkPoints& Points, const QPalette& Colours) {
  const TOutlines Outlines(Canvas);
  Canvas.setPen(QPen(Faded(Colours.color(QPalette::Highlight), 140), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  Canvas.drawPolyline(Polyline(Points));
}

void PaintLinkPreview(QPainter& Canvas, const TvxLinkPoints& Points, const QPalette& Colours) {
  const QColor Highlight = Colours.color(QPalette::Highlight);
  PaintLinkFocus(Canvas, Points, Colours);
  const TOutlines Outlines(Canvas);
  Canvas.setPen(QPen(Highlight, 2, Qt::DashLine, Qt::FlatCap, Qt::RoundJoin));
  Canvas.drawPolyline(Polyline(Points));
  Canvas.setPen(Qt::NoPen);
  Canvas.setBrush(Highlight);
  for (const QPoint& End : {Points.front(), Points.back()}) Canvas.drawEllipse(QPointF(End) + QPointF(0.5, 0.5), 3, 3);
}

void PaintTargetRing(QPainter& Canvas, const QRect& Box, const QPalette& Colours) {
  const TOutlines Outlines(Canvas);
  Canvas.setPen(QPen(Faded(Colours.color(QPalette::Highlight), 110), 4));
  Canvas.drawRoundedRect(QRectF(Box).adjusted(-2.5, -2.5, 2.5, 2.5), 6, 6);
  Canvas.setPen(QPen(Colours.color(QPalette::Highlight), 1.5));
  Canvas.drawRoundedRect(QRectF(Box).adjusted(-4.5, -4.5, 4.5, 4.5), 8, 8);
}

void PaintAreaFocus(QPainter& Canvas, const QRect& Area, const QPalette& Colours) {
  const TOutlines Outlines(Canvas);
  Canvas.setPen(QPen(Faded(Colours.color(QPalette::Highlight), 200), 2));
  Canvas.drawRoundedRect(QRectF(Area).adjusted(1, 1, -1, -1), 3, 3);
}

}  // namespace vx

TvxFocusFrame::TvxFocusFrame(QWidget* Parent, bool FollowParent) : QWidget(Parent) {
  setObjectName(QStringLiteral("FocusFrame"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  if (FollowParent) Parent->installEventFilter(this);
}

void TvxFocusFrame::ShowOver(const QRect& Bounds) {
  setGeometry(Bounds);
  raise();
  show();
}

void TvxFocusFrame::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  vx::PaintAreaFocus(Painter, rect(), palette());
}

bool TvxFocusFrame::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::Resize && Watched == parent()) setGeometry(parentWidget()->rect());
  return QWidget::eventFilter(Watched, Event);
}
