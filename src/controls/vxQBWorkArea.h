// The diagram area of a union operand: a scroll area whose canvas holds the datasource boxes and
// link lines as child widgets, so that real clicks reach real boxes; the canvas paints the lines
// and the work area takes the clicks near them. Canvas coordinates are
// the diagram's; the canvas is at least as large as the visible area and grows with the boxes.
//
// Background, scrolling with the diagram: without a host picture (BkImage empty) a fill and the
// built-in 450 x 350 watermark at the diagram's origin, both in the tone BkImageDarkness
// selects (fill white, RGB(224,223,227) or RGB(153,153,153)); with a host picture, BkColor and
// BkImage in place of them, at the origin (bkipTopLeft) or repeated over the whole diagram
// (bkipTile).
//
// Boxes, lines and the background are drawn at the component's Zoom (TvxDiagramScale): canvas
// pixels are diagram pixels times the zoom, and the model, FindPos, the grid and the lines' hit
// band work in diagram pixels. Ctrl+wheel zooms, keeping the diagram point under the mouse.
//
// The mouse and keys: a press within 6 (diagram) pixels of a line (the nearest, where lines meet) goes to
// the line; a press on empty area focuses the work area and clears the focused box or line; a
// double click opens the line's or else the operand's properties; the context menu is the
// line's or else the operand's work-area menu; Delete without modifiers frees the focused control, and so its model
// object. Every other key of the diagram is its keyboard's (TvxWorkAreaKeyboard: Tab through
// boxes and lines, links, properties, moving and sizing, the add-object dialog, menus). Qt drags (those that come from
// the host) go to the component's DragOver2 and DragDrop2 with points in diagram pixels; their source is the drag's
// source widget when the drag comes from this application, else its QMimeData.
#pragma once

#include "vxQBControlViews.h"
#include "vxQBDiagramIndex.h"
#include "vxQBTypes.h"

#include <QPointer>
#include <QScrollArea>

class QDropEvent;
class QPainter;
class TvxDiagramScale;
class TvxDatasource;
class TvxQueryBuilderLinkControl;
class TvxQueryBuilder;
class TvxUnionSubQuery;
class TvxUnionSubQueryTabSheet;
class TvxWorkAreaKeyboard;

class TvxQueryBuilderWorkArea : public QScrollArea, public TvxWorkAreaView, public TvxControlView {
  Q_OBJECT

public:
  // A child of the operand's union page Sheet.
  explicit TvxQueryBuilderWorkArea(TvxUnionSubQueryTabSheet* Sheet);
  ~TvxQueryBuilderWorkArea() override;

  TvxUnionSubQuery* GetUnionSubQuery() const { return FUnionSubQuery; }
  TvxQueryBuilder* GetQueryBuilder() const { return FQueryBuilder; }
  // The parent of boxes and lines.
  QWidget* GetCanvas() const { return widget(); }
  // What the keys do in the diagram (owned).
  TvxWorkAreaKeyboard* GetKeyboard() const { return FKeyboard; }
  // Diagram pixels to canvas pixels and back at the component's zoom.
  TvxDiagramScale GetScale() const;
  // Every child of the canvas but Control and the link lines counts as a box. When not even the
  // first column leaves room for Control, the first column is used all the same.
  QPoint FindPos(const QWidget* Control) const override;
  QWidget* GetFocusedControl() const override { return FFocusedControl; }
  // A control that takes no keyboard focus (a line) is marked by the work area taking the focus
  // and the control repainting itself as focused; any other control takes the focus itself.
  void SetFocusedControl(QWidget* Control) override;
  void UpdateContolParams() override;

  // Paints the background into CanvasRect of the canvas.
  void PaintBackground(QPainter& Painter, const QRect& CanvasRect) const;
  // Paints what lies on the background under the boxes into Rect of the canvas: the boxes'
  // shadows, the link lines and the link the keyboard is choosing.
  void PaintUnderBoxes(QPainter& Painter, const QRect& Rect) const;
  // Lays out again the lines that end at Datasource's box (every line for null).
  void RealignLinks(const TvxDatasource* Datasource);
  // Makes the canvas cover the visible area and every box, with a margin for growing.
  void UpdateCanvasSize();
  // A child of the canvas moved or changed size (a box tells also while hidden, when Qt holds
  // the events back), or went.
  void ChildMoved(const QWidget* Child);
  void ChildRemoved(const QObject* Child);
  // Line joins the datasources Left and Right from now on (either may be null); ForgetLine
  // when it goes.
  void SetLineEnds(TvxQueryBuilderLinkControl* Line, const TvxDatasource* Left, const TvxDatasource* Right) {
    FIndex.SetLineEnds(Line, Left, Right);
  }
  void ForgetLine(TvxQueryBuilderLinkControl* Line) { FIndex.RemoveLine(Line); }
  // The line nearest to the diagram point DiagramPoint, if one lies within 6 diagram pixels.
  TvxQueryBuilderLinkControl* LineAt(const QPointF& DiagramPoint) const;

protected:
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void dragEnterEvent(QDragEnterEvent* Event) override;
  void dragMoveEvent(QDragMoveEvent* Event) override;
  void dragLeaveEvent(QDragLeaveEvent* Event) override;
  void dropEvent(QDropEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;

private:
  void FocusChanged(QWidget* Old, QWidget* Now);
  // The background in diagram pixels: Painter is scaled to the zoom.
  void PaintDiagramBackground(QPainter& Painter, const QRect& Rect, TvxBkImageDarkness Darkness,
                              const QPixmap& HostPicture) const;
  // A box's bounds in diagram pixels; any other child's geometry unzoomed.
  QRect DiagramBoundsOf(const QWidget* Box) const;
  // A point of the viewport in diagram pixels, and as precisely as the zoom gives it.
  QPoint ToDiagram(const QPointF& ViewportPoint) const;
  QPointF ToDiagramF(const QPointF& ViewportPoint) const;
  void HostDragOver(QDropEvent* Event, TvxDragState State);

  TvxUnionSubQuery* FUnionSubQuery;
  TvxQueryBuilder* FQueryBuilder;
  QPointer<QWidget> FFocusedControl;
  TvxWorkAreaKeyboard* FKeyboard;
  QPointer<QObject> FHostDragSource;  // the source of the Qt drag over the work area
  QMetaObject::Connection FFocusLink;
  // Its column ends are a cache FindPos keeps.
  mutable TvxDiagramIndex FIndex;
};
