#include "vxQBLinkGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vx {

namespace {

int RightOf(const QRect& Rect) { return Rect.x() + Rect.width(); }
int BottomOf(const QRect& Rect) { return Rect.y() + Rect.height(); }

// min over t in [0, 1] of |From.x + t Dx - Point.x| + |From.y + t Dy - Point.y|: the sum is
// convex and piecewise linear in t, so its least value lies at an end or where one of its
// terms is zero.
double SlantDistance(const QPoint& From, const QPoint& To, const QPointF& Point) {
  const double Dx = To.x() - From.x(), Dy = To.y() - From.y();
  auto At = [&](double T) {
    T = std::clamp(T, 0.0, 1.0);
    return std::abs(From.x() + T * Dx - Point.x()) + std::abs(From.y() + T * Dy - Point.y());
  };
  return std::min({At(0.0), At(1.0), At((Point.x() - From.x()) / Dx), At((Point.y() - From.y()) / Dy)});
}

bool Between(double Value, int End1, int End2) {
  return std::min(End1, End2) <= Value && Value <= std::max(End1, End2);
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
  } else if (std::abs(LeftRect.x() - RightRect.x()) <= std::abs(RightOf(LeftRect) - RightOf(RightRect)) &&
             std::min(LeftRect.x(), RightRect.x()) >= LinkStubLength) {
    // (A loop on the left of boxes at the diagram's left edge would run outside the diagram,
    // where nobody sees it: it goes round the right side instead.)
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

double CalcLinkDistance(const TvxLinkPoints& Points, const QPointF& Point) {
  double Nearest = std::numeric_limits<double>::infinity();
  for (size_t I = 0; I + 1 < Points.size(); ++I) {
    const QPoint& From = Points[I];
    const QPoint& To = Points[I + 1];
    if (From.x() == To.x()) {
      if (Between(Point.y(), From.y(), To.y())) Nearest = std::min(Nearest, std::abs(Point.x() - From.x()));
    } else if (From.y() == To.y()) {
      if (Between(Point.x(), From.x(), To.x())) Nearest = std::min(Nearest, std::abs(Point.y() - From.y()));
    } else {
      Nearest = std::min(Nearest, SlantDistance(From, To, Point));
    }
  }
  return Nearest;
}

}  // namespace vx
