#include "vxQBLinkGeometry.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vx {

namespace {

int RightOf(const QRect& Rect) { return Rect.x() + Rect.width(); }
int BottomOf(const QRect& Rect) { return Rect.y() + Rect.height(); }

// The points within Tolerance of Point by |dx| + |dy|.
QPolygon Diamond(const QPoint& Point, int Tolerance) {
  return QPolygon({Point + QPoint(-Tolerance, 0), Point + QPoint(0, -Tolerance), Point + QPoint(Tolerance, 0),
                   Point + QPoint(0, Tolerance)});
}

QRegion SegmentBand(const QPoint& From, const QPoint& To, int Tolerance) {
  const int Dx = To.x() - From.x(), Dy = To.y() - From.y();
  if (Dy == 0) return QRegion(std::min(From.x(), To.x()), From.y() - Tolerance, std::abs(Dx) + 1, 2 * Tolerance + 1);
  if (Dx == 0) return QRegion(From.x() - Tolerance, std::min(From.y(), To.y()), 2 * Tolerance + 1, std::abs(Dy) + 1);
  // Measured |dx| + |dy| from the foot of the perpendicular, a point at perpendicular distance d
  // lies d * (|dx| + |dy|) / length away: the band is narrower than the tolerance across a
  // slanting line, by as much as a diagonal step is longer than a straight one.
  const qreal Scale = static_cast<qreal>(Tolerance) / (std::abs(Dx) + std::abs(Dy));
  const QPointF Offset(-Dy * Scale, Dx * Scale);
  const QPolygonF Strip({QPointF(From) + Offset, QPointF(To) + Offset, QPointF(To) - Offset, QPointF(From) - Offset});
  return QRegion(Strip.toPolygon()) | QRegion(Diamond(From, Tolerance)) | QRegion(Diamond(To, Tolerance));
}

}  // namespace

void CalcEnterLine(const QRect& FieldRect, TvxQueryBuilderLinkConnectToSide Side, QPoint& Edge, QPoint& StubEnd) {
  const int Y = (FieldRect.y() + BottomOf(FieldRect)) / 2;
  if (Side == csLeft) {
    Edge = QPoint(FieldRect.x(), Y);
    StubEnd = QPoint(FieldRect.x() - LinkStubLength, Y);
  } else {
    Edge = QPoint(RightOf(FieldRect), Y);
    StubEnd = QPoint(RightOf(FieldRect) + LinkStubLength, Y);
  }
}

TvxLinkPoints CalcLinkPoints(const QRect& LeftRect, TvxQueryBuilderLinkConnectToSide LeftSide, const QRect& RightRect,
                             TvxQueryBuilderLinkConnectToSide RightSide) {
  TvxLinkPoints Points;
  CalcEnterLine(LeftRect, LeftSide, Points[0], Points[1]);
  CalcEnterLine(RightRect, RightSide, Points[3], Points[2]);
  return Points;
}

TvxLinkLayout CalcLinkLayout(const QRect& LeftRect, const QRect& RightRect) {
  TvxLinkLayout Layout;
  int Left, Width;
  if (RightOf(LeftRect) < RightRect.x()) {
    Left = RightOf(LeftRect);
    Width = RightRect.x() - Left;
    Layout.LeftSide = csRight;
    Layout.RightSide = csLeft;
  } else if (RightOf(RightRect) < LeftRect.x()) {
    Left = RightOf(RightRect);
    Width = LeftRect.x() - Left;
    Layout.LeftSide = csLeft;
    Layout.RightSide = csRight;
  } else if (std::abs(LeftRect.x() - RightRect.x()) <= std::abs(RightOf(LeftRect) - RightOf(RightRect))) {
    Left = std::min(LeftRect.x(), RightRect.x()) - LinkStubLength;
    Width = std::max(LeftRect.x(), RightRect.x()) - Left;
    Layout.LeftSide = Layout.RightSide = csLeft;
  } else {
    Left = std::min(RightOf(LeftRect), RightOf(RightRect));
    Width = std::max(RightOf(LeftRect), RightOf(RightRect)) + LinkStubLength - Left;
    Layout.LeftSide = Layout.RightSide = csRight;
  }
  const int Top = std::min(LeftRect.y(), RightRect.y());
  const int Height = std::max(BottomOf(LeftRect), BottomOf(RightRect)) - Top;
  // Too narrow a gap keeps its middle and takes the stubs' room.
  if (Width < LinkStubLength) {
    Left = Left + Width - LinkStubLength;
    Width = 2 * LinkStubLength - Width;
  }
  // Room above and below for the marks, and for lines that meet the boxes' edges.
  Layout.Bounds = QRect(Left - 2, Top - 20, Width + 4, Height + 41);
  const QPoint Origin = Layout.Bounds.topLeft();
  Layout.Points =
      CalcLinkPoints(LeftRect.translated(-Origin), Layout.LeftSide, RightRect.translated(-Origin), Layout.RightSide);
  return Layout;
}

QRegion CalcLinkHitRegion(const TvxLinkPoints& Points, int Tolerance) {
  QRegion Band;
  for (size_t I = 0; I + 1 < Points.size(); ++I) Band |= SegmentBand(Points[I], Points[I + 1], Tolerance);
  return Band;
}

}  // namespace vx
