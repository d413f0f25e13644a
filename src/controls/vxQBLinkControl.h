// A join link's line in the diagram, laid out between the two field rows it joins (a link
// without a field at one end attaches to that box's caption bar), under every box.
//
// The widget is the handle the link owns and frees; it takes no room of its own. The canvas
// paints the line (TvxQueryBuilderWorkArea::PaintUnderBoxes) with the component's painter, the
// default one when it has none, and the work area hands it the clicks within 6 pixels of it
// that no box takes: a widget the size of the line's bounds, masked to its band, would have Qt
// recompute and repaint those bounds, far larger than the line, whenever a box it ends at moves.
//
// The line is laid out and hit-tested in diagram pixels and drawn through a painter scaled by
// the component's zoom, so that its width and marks grow with the boxes; the 6-pixel band is in
// diagram pixels too, 6 times the zoom on screen.
//
// The mouse and keys: a press focuses the line (the work area's focused control, drawn as the
// painter draws focus, over a band of the highlight colour); Delete without modifiers in the work area, or "Remove" in
// the menu, frees it and so its link; a double click or "Edit..." opens the link's properties.
#pragma once

#include "vxQBControlViews.h"
#include "vxQBLinkGeometry.h"

#include <QWidget>

#include <string>

class QPainter;

class TvxDatasource;
class TvxLink;
class TvxQueryBuilderWorkArea;

class TvxQueryBuilderLinkControl : public QWidget, public TvxLinkView, public TvxControlView {
  Q_OBJECT

public:
  // Link owns the line (its control); the line lies on WorkArea's canvas. It comes back hidden
  // and laid out as far as its boxes exist.
  TvxQueryBuilderLinkControl(TvxLink* Link, TvxQueryBuilderWorkArea* WorkArea);
  // The canvas repaints where the line was.
  ~TvxQueryBuilderLinkControl() override;

  TvxLink* GetLink() const { return FLink; }
  TvxQueryBuilderWorkArea* GetWorkArea() const { return FWorkArea; }
  // False while one of the boxes the line joins is missing: then it is neither drawn nor hit.
  bool IsLaidOut() const { return FLaidOut; }
  // Where the line and its marks are drawn, in diagram pixels; the points are relative to it.
  const QRect& GetBounds() const { return FLayout.Bounds; }
  // GetBounds() on the canvas at the current zoom, with room for wide pens.
  QRect GetCanvasBounds() const;
  const TvxLinkPoints& GetPoints() const { return FLayout.Points; }
  TvxQueryBuilderLinkConnectToSide GetLeftSide() const { return FLayout.LeftSide; }
  TvxQueryBuilderLinkConnectToSide GetRightSide() const { return FLayout.RightSide; }
  // How far the diagram point Point lies from the line (CalcLinkDistance); infinity while the
  // line is not laid out.
  double DistanceTo(const QPointF& Point) const;

  void UpdateLine() override;
  void UpdateContolParams() override { Repaint(); }
  // Has the canvas repaint the line where it is.
  void Repaint();
  // Draws the line on Canvas, whose origin is the top left corner of GetBounds() and whose unit
  // is a diagram pixel.
  void PaintLine(QPainter& Canvas) const;

  // What the user's hand on the line does: a press makes it the diagram's focused control, a
  // double click opens the link's properties, the context menu pops up at the screen point
  // Global.
  void Press();
  void DoubleClick();
  void ShowMenu(const QPoint& Global);

private:
  // The row of the end's box in diagram pixels: a field the box does not list (its catalog
  // does not know it) attaches where a condition on the whole source does, to the caption bar.
  QRect EndRect(const TvxDatasource* Datasource, const std::string& Field) const;

  TvxLink* FLink;
  TvxQueryBuilderWorkArea* FWorkArea;
  vx::TvxLinkLayout FLayout;
  bool FLaidOut = false;
};
