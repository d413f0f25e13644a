#include "vxQBDiagramScale.h"

#include <algorithm>
#include <cmath>

int TvxDiagramScale::ToCanvas(int Diagram) const { return static_cast<int>(std::lround(Diagram * FFactor)); }

QPoint TvxDiagramScale::ToCanvas(const QPoint& Diagram) const {
  return QPoint(ToCanvas(Diagram.x()), ToCanvas(Diagram.y()));
}

QRect TvxDiagramScale::ToCanvas(const QRect& Diagram) const {
  // Right and bottom exclusive: x + width is the first pixel beyond the rectangle.
  const QPoint TopLeft = ToCanvas(Diagram.topLeft());
  const QPoint Beyond = ToCanvas(Diagram.topLeft() + QPoint(Diagram.width(), Diagram.height()));
  return QRect(TopLeft, QSize(Beyond.x() - TopLeft.x(), Beyond.y() - TopLeft.y()));
}

QFont TvxDiagramScale::ToCanvas(const QFont& Diagram) const {
  if (IsIdentity()) return Diagram;
  QFont Scaled = Diagram;
  if (Diagram.pointSizeF() > 0)
    Scaled.setPointSizeF(std::max(1.0, Diagram.pointSizeF() * FFactor));
  else
    Scaled.setPixelSize(std::max(1, ToCanvas(Diagram.pixelSize())));
  return Scaled;
}

int TvxDiagramScale::ToDiagram(int Canvas) const { return static_cast<int>(std::lround(Canvas / FFactor)); }

QPoint TvxDiagramScale::ToDiagram(const QPoint& Canvas) const {
  return QPoint(ToDiagram(Canvas.x()), ToDiagram(Canvas.y()));
}

QPointF TvxDiagramScale::ToDiagram(const QPointF& Canvas) const { return Canvas / FFactor; }

QRect TvxDiagramScale::ToDiagram(const QRect& Canvas) const {
  const QPoint TopLeft = ToDiagram(Canvas.topLeft());
  const QPoint Beyond = ToDiagram(Canvas.topLeft() + QPoint(Canvas.width(), Canvas.height()));
  return QRect(TopLeft, QSize(Beyond.x() - TopLeft.x(), Beyond.y() - TopLeft.y()));
}
