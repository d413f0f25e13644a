// How the diagram and the navigation bar show where the keyboard is: drawn on the work area's canvas under the boxes,
// in the palette's highlight colour, so that focus reads the same whichever link painter draws
// the lines and whatever TableColor the boxes have.
#pragma once

#include "vxQBLinkPainter.h"

#include <QRect>
#include <QWidget>

class QPainter;
class QPalette;

namespace vx {

// A translucent band along the line through Points, under what the painter draws: the mark of
// the diagram's focused line. The band reaches 5 pixels either side of the line: within the room
// the link layout leaves above and below it; at the boxes' edges the boxes cover it.
void PaintLinkFocus(QPainter& Canvas, const TvxLinkPoints& Points, const QPalette& Colours);
// The link the keyboard is about to make: a dashed line through Points with a dot at either end.
void PaintLinkPreview(QPainter& Canvas, const TvxLinkPoints& Points, const QPalette& Colours);
// A ring around Box (canvas pixels), just outside its frame: the box a link being chosen ends
// at.
void PaintTargetRing(QPainter& Canvas, const QRect& Box, const QPalette& Colours);
// The frame along the inside of Area that shows the diagram itself has the keyboard focus.
void PaintAreaFocus(QPainter& Canvas, const QRect& Area, const QPalette& Colours);

}  // namespace vx

// A frame drawn with PaintAreaFocus over whatever lies under it (a child raised over its
// siblings), letting every click through: the focus mark of a pane or item that draws none of
// its own. Hidden when made.
class TvxFocusFrame : public QWidget {
  Q_OBJECT

public:
  // With FollowParent the frame covers its parent whenever that is resized.
  TvxFocusFrame(QWidget* Parent, bool FollowParent);
  // Covers Bounds (the parent's pixels) over the siblings, and shows.
  void ShowOver(const QRect& Bounds);

protected:
  void paintEvent(QPaintEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;
};
