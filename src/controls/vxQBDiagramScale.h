// The two kinds of pixels of a diagram at a zoom. Diagram pixels are the model's: box bounds,
// the grid boxes snap to, where new boxes go, the link layout and its 6-pixel hit band are all
// in them and do not change with the zoom. Canvas pixels are the widgets': a box's geometry on
// the work area's canvas and the mouse's position are diagram pixels times the zoom.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>

class TvxDiagramScale {
public:
  // ZoomPercent 100 maps every diagram pixel onto one canvas pixel.
  explicit TvxDiagramScale(int ZoomPercent = 100) : FFactor(ZoomPercent / 100.0) {}

  // Canvas pixels per diagram pixel.
  double GetFactor() const { return FFactor; }
  bool IsIdentity() const { return FFactor == 1.0; }

  int ToCanvas(int Diagram) const;
  QPoint ToCanvas(const QPoint& Diagram) const;
  // Each edge is rounded on its own, so that boxes that touch in the diagram touch on the
  // canvas and a rectangle maps the same wherever it lies.
  QRect ToCanvas(const QRect& Diagram) const;
  // The font as large as Diagram would look at this zoom (point or pixel size scaled; at least
  // one pixel).
  QFont ToCanvas(const QFont& Diagram) const;

  // The diagram pixel nearest to Canvas.
  int ToDiagram(int Canvas) const;
  QPoint ToDiagram(const QPoint& Canvas) const;
  QPointF ToDiagram(const QPointF& Canvas) const;
  QRect ToDiagram(const QRect& Canvas) const;

private:
  double FFactor;
};
