#include "vxQBLinkPainters.h"

#include "vxQBPaint.h"
#include "vxQueryLink.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>

namespace {

// The marks at the stub ends: an ellipse Length x 2 HalfHeight beside an inner end, an arrow
// head ArrowLength long and 2 ArrowHalfHeight wide whose tip touches an outer end. Both lie on
// the far side of the stub end, towards the other table.
struct TEndMarkSize {
  int Length;
  int HalfHeight;
  int ArrowLength;
  int ArrowHalfHeight;
};

constexpr TEndMarkSize GSimpleMarks{8, 4, 8, 4};
constexpr TEndMarkSize GAccessMarks{6, 3, 4, 4};
// Half the side of the MS SQL style's diamond and of its half squares.
constexpr int GCentreMark = 7;
// The gap between a cardinality picture and the line under it.
constexpr int GCardinalityGap = 4;

// Outlines of width 1 through pixel centres, so that they stay sharp when antialiased.
QPointF Centre(int X, int Y) { return QPointF(X + 0.5, Y + 0.5); }

void DrawEndMark(QPainter& Canvas, const QPoint& StubEnd, TvxQueryBuilderLinkConnectToSide Side, bool Outer,
                 const TEndMarkSize& Size) {
  const int D = Side == csLeft ? -1 : 1;
  const int X = StubEnd.x(), Y = StubEnd.y();
  if (Outer) {
    const int Base = X + Size.ArrowLength * D;
    Canvas.drawPolygon(
        QPolygonF({Centre(X, Y), Centre(Base, Y - Size.ArrowHalfHeight), Centre(Base, Y + Size.ArrowHalfHeight)}));
  } else {
    const qreal RadiusX = Size.Length / 2.0 - 0.5, RadiusY = Size.HalfHeight - 0.5;
    Canvas.drawEllipse(QPointF(X + Size.Length * D / 2.0 + 0.5, Y + 0.5), RadiusX, RadiusY);
  }
}

bool LeftIsOuter(const TvxLink* Link) { return Link != nullptr && Link->GetLeftType(); }
bool RightIsOuter(const TvxLink* Link) { return Link != nullptr && Link->GetRightType(); }

void DrawEndMarks(QPainter& Canvas, const TvxLinkPoints& Points, TvxQueryBuilderLinkConnectToSide LeftSide,
                  TvxQueryBuilderLinkConnectToSide RightSide, const TvxLink* Link, const TEndMarkSize& Size) {
  DrawEndMark(Canvas, Points[1], LeftSide, LeftIsOuter(Link), Size);
  DrawEndMark(Canvas, Points[2], RightSide, RightIsOuter(Link), Size);
}

// The cardinality picture centred over the middle of the stub from Edge to StubEnd.
void DrawCardinality(QPainter& Canvas, TvxQueryBuilderLinkCardinality Cardinality, const QPoint& Edge,
                     const QPoint& StubEnd) {
  if (Cardinality == qblcUnknown) return;
  const QPixmap Picture =
      vx::GetQBBitmap(Cardinality == qblcOne ? "VXQBLINKCARDINALITYONE" : "VXQBLINKCARDINALITYMANY");
  const int Middle = (Edge.x() + StubEnd.x()) / 2;
  Canvas.drawPixmap(Middle - Picture.width() / 2, Edge.y() - Picture.height() - GCardinalityGap, Picture);
}

}  // namespace

// --- Simple ------------------------------------------------------------------------------------

TvxQueryBuilderLinkPainterSimple::TvxQueryBuilderLinkPainterSimple(TvxQueryBuilder* QueryBuilder)
    : TvxQueryBuilderLinkPainter(QueryBuilder) {}

void TvxQueryBuilderLinkPainterSimple::PaintLink(QPainter& Canvas, const TvxLinkPoints& Points, bool Focused,
                                                 TvxQueryBuilderLinkConnectToSide LeftSide,
                                                 TvxQueryBuilderLinkConnectToSide RightSide, TvxLink* Link) {
  DrawLine(Canvas, Points, FLinkColor, Focused ? 2 : 1, 0);
  Canvas.setBrush(FLinkShapesColor);
  Canvas.setPen(QPen(FLinkColor, 1));
  DrawEndMarks(Canvas, Points, LeftSide, RightSide, Link, GSimpleMarks);
}

// --- MS SQL ------------------------------------------------------------------------------------

TvxQueryBuilderLinkPainterMSSQL::TvxQueryBuilderLinkPainterMSSQL(TvxQueryBuilder* QueryBuilder)
    : TvxQueryBuilderLinkPainter(QueryBuilder),
      FLinkColor(QGuiApplication::palette().color(QPalette::Button)),
      FLinkColorFocused(QGuiApplication::palette().color(QPalette::Dark)) {}

void TvxQueryBuilderLinkPainterMSSQL::PaintLink(QPainter& Canvas, const TvxLinkPoints& Points, bool Focused,
                                                TvxQueryBuilderLinkConnectToSide LeftSide,
                                                TvxQueryBuilderLinkConnectToSide RightSide, TvxLink* Link) {
  for (int Offset = -1; Offset <= 1; ++Offset) DrawLine(Canvas, Points, FLinkColor, 1, Offset);
  DrawLine(Canvas, Points, FLinkLinesColor, 1, -2);
  DrawLine(Canvas, Points, FLinkLinesColor, Focused ? 2 : 1, 2);

  Canvas.setBrush(Focused ? FLinkColorFocused : FLinkColor);
  Canvas.setPen(QPen(FLinkLinesColor, 1));
  // The middle of the line. A loop's field edges lie on the boxes, which would hide the marks:
  // there they go on the middle of the part that is seen.
  const bool Loop = LeftSide == RightSide;
  const QPoint From = Loop ? Points[1] : Points[0], To = Loop ? Points[2] : Points[3];
  const int X = (From.x() + To.x()) / 2, Y = (From.y() + To.y()) / 2;
  const int D = Points[0].x() > Points[3].x() ? -1 : 1;
  const int M = GCentreMark;
  auto HalfSquare = [&](int Direction) {
    Canvas.drawPolygon(QPolygonF(
        {Centre(X, Y - M), Centre(X + M * Direction, Y - M), Centre(X + M * Direction, Y + M), Centre(X, Y + M)}));
  };
  if (LeftIsOuter(Link)) HalfSquare(-D);
  if (RightIsOuter(Link)) HalfSquare(D);
  Canvas.drawPolygon(QPolygonF({Centre(X, Y - M), Centre(X + M, Y), Centre(X, Y + M), Centre(X - M, Y)}));
}

// --- Access ------------------------------------------------------------------------------------

TvxQueryBuilderLinkPainterAccess::TvxQueryBuilderLinkPainterAccess(TvxQueryBuilder* QueryBuilder)
    : TvxQueryBuilderLinkPainter(QueryBuilder) {}

void TvxQueryBuilderLinkPainterAccess::PaintLink(QPainter& Canvas, const TvxLinkPoints& Points, bool Focused,
                                                 TvxQueryBuilderLinkConnectToSide LeftSide,
                                                 TvxQueryBuilderLinkConnectToSide RightSide, TvxLink* Link) {
  DrawLine(Canvas, Points, FLinkColor, Focused ? 2 : 1, 0);
  Canvas.setPen(QPen(FLinkColor, 2, Qt::SolidLine, Qt::FlatCap));
  Canvas.drawLine(Points[0], Points[1]);
  Canvas.drawLine(Points[3], Points[2]);
  if (Link != nullptr) {
    DrawCardinality(Canvas, Link->GetLeftCardinality(), Points[0], Points[1]);
    DrawCardinality(Canvas, Link->GetRightCardinality(), Points[3], Points[2]);
  }
  Canvas.setBrush(FLinkColor);
  Canvas.setPen(QPen(FLinkColor, 1));
  DrawEndMarks(Canvas, Points, LeftSide, RightSide, Link, GAccessMarks);
}

// --- the registry ------------------------------------------------------------------------------

TvxQueryBuilderLinkPainters& GetPaintersList() {
  static TvxQueryBuilderLinkPainters Painters = [] {
    TvxQueryBuilderLinkPainters List;
    List.RegisterPainter<TvxQueryBuilderLinkPainterSimple>();
    List.RegisterPainter<TvxQueryBuilderLinkPainterMSSQL>();
    List.RegisterPainter<TvxQueryBuilderLinkPainterAccess>();
    return List;
  }();
  return Painters;
}

namespace vx {

TvxQueryBuilderLinkPainter& GetDefaultLinkPainter() {
  static TvxQueryBuilderLinkPainterAccess Painter(nullptr);
  return Painter;
}

}  // namespace vx
