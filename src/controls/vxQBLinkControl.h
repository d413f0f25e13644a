// A join link's line in the diagram: a child of the work area's canvas, below every box, laid
// out between the two field rows it joins (a link without a field at one end attaches to that
// box's caption bar). It takes the mouse only within 6 pixels of the line (its mask), so that a
// click beside it reaches the box, the other line or the empty area below.
//
// The line itself is painted by the canvas (TvxQueryBuilderWorkArea::PaintUnderBoxes) with the
// component's painter, the default one when it has none: a widget masked to the band would
// clip the marks and pictures that reach beyond it.
//
// The mouse and keys: a press focuses the line (the work area's focused control, drawn as the
// painter draws focus); Delete without modifiers in the work area, or "Remove" in the menu,
// frees it and so its link; a double click or "Edit..." opens the link's properties.
#pragma once

#include "vxQBControlViews.h"
#include "vxQBLinkGeometry.h"

#include <QWidget>

#include <string>

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
  const TvxLinkPoints& GetPoints() const { return FLayout.Points; }
  TvxQueryBuilderLinkConnectToSide GetLeftSide() const { return FLayout.LeftSide; }
  TvxQueryBuilderLinkConnectToSide GetRightSide() const { return FLayout.RightSide; }
  // Whether one end of the line is on Datasource's box.
  bool Joins(const TvxDatasource* Datasource) const;

  void UpdateLine() override;
  void UpdateContolParams() override { Repaint(); }
  // Has the canvas repaint the line where it is.
  void Repaint();
  // Draws the line on Canvas, whose origin is this control's top left corner.
  void PaintLine(QPainter& Canvas) const;

protected:
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;

private:
  // The row of the end's box in work-area pixels: a field the box does not list (its catalog
  // does not know it) attaches where a condition on the whole source does, to the caption bar.
  static QRect EndRect(const TvxDatasource* Datasource, const std::string& Field);

  TvxLink* FLink;
  TvxQueryBuilderWorkArea* FWorkArea;
  vx::TvxLinkLayout FLayout;
  bool FLaidOut = false;
};
