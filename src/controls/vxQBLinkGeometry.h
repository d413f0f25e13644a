// Where a link line runs: its bounds in the work area, the sides of the boxes it enters, its
// four points and how far a point lies from it (a click within 6 pixels selects the line). Pure geometry, so that the
// layout can be checked without widgets.
//
// Rectangles follow the diagram's convention for field rows: right and bottom are exclusive
// (Left + Width, Top + Height), so that a row ending at a box's outer edge gives the first pixel
// beyond the box.
#pragma once

#include "vxQBLinkPainter.h"
#include "vxQBTypes.h"

#include <QRect>

namespace vx {

// The stub that leaves a box before the line turns towards the other box, in pixels.
constexpr int LinkStubLength = 16;
// How far from the line a click still selects it, in diagram pixels: the band scales with the
// zoom like the line it surrounds.
constexpr int LinkHitTolerance = 6;

struct TvxLinkLayout {
  // The line control's geometry in work-area pixels, room for the marks included.
  QRect Bounds;
  TvxQueryBuilderLinkConnectToSide LeftSide = csRight;
  TvxQueryBuilderLinkConnectToSide RightSide = csLeft;
  // Left field edge, left stub end, right stub end, right field edge, in Bounds' coordinates.
  TvxLinkPoints Points;
};

// The stub of one end: from the row's edge on Side, at the row's middle, 16 pixels outwards.
void CalcEnterLine(const QRect& FieldRect, TvxQueryBuilderLinkConnectToSide Side, QPoint& Edge, QPoint& StubEnd);
// The four points of a line between two rows entered on the given sides.
TvxLinkPoints CalcLinkPoints(const QRect& LeftRect, TvxQueryBuilderLinkConnectToSide LeftSide, const QRect& RightRect,
                             TvxQueryBuilderLinkConnectToSide RightSide);
// The line between the rows LeftRect and RightRect (work-area pixels): between boxes side by
// side it leaves one box on the side facing the other; between boxes that overlap horizontally
// it loops out 16 pixels on the side where their edges are nearer, on the right when the left
// loop would leave the diagram (x < 0).
TvxLinkLayout CalcLinkLayout(const QRect& LeftRect, const QRect& RightRect);
// How far Point lies from the polyline: the least distance to a segment, where a horizontal
// segment measures the vertical distance (and only between its ends), a vertical one the
// horizontal distance (likewise), and a slanting one |dx| + |dy| to its nearest point.
// Infinity when no segment measures it. Point may lie between pixels (a click at a zoom).
double CalcLinkDistance(const TvxLinkPoints& Points, const QPointF& Point);

}  // namespace vx
