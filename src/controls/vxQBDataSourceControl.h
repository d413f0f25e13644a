// A datasource's box in the diagram: a child of the work area's canvas with a caption bar (the
// datasource's alias or name, and a close button) over its fields list, in the component's
// TableColor and TableFont.
//
// The box stands at bounds in diagram pixels, which the model reads and stores and which the
// component's Zoom does not change; its widget geometry, fonts and lines are those bounds
// zoomed (TvxDiagramScale). Sizes below are in diagram pixels.
//
// The caption bar moves the box, the frame resizes it (50 to 400 pixels wide, at most 500
// high). Every move and resize, the user's or the model's, is snapped: with SnapToGrid the
// position is cut down to a multiple of GridSize (negative values towards zero; 5 pixels when
// the box has no component), and a resize from the left or top grows by what the cut took, so
// that the opposite edge stays; the box never goes left of or above the diagram's origin.
//
// The caption bar's mouse: a press brings the box to the front and gives it the diagram's
// focus (shown by the caption bar in the highlight colour), a double click opens the
// datasource's properties, the context menu offers "Remove" and "Edit...". The close button,
// and Delete without modifiers while the box has the diagram's focus, remove the datasource
// with its links and select-list rows.
#pragma once

#include "vxQBControlViews.h"

#include <QWidget>

class TvxDatasource;
class TvxQueryBuilderDatasourceFieldsList;
class TvxQueryBuilderWorkArea;

class TvxQueryBuilderDataSourceControl : public QWidget, public TvxDatasourceView, public TvxControlView {
  Q_OBJECT

public:
  // The sizing frame around the list, in pixels (1 of line, the rest of TableColor).
  static constexpr int FrameWidth = 3;
  static constexpr int MinWidth = 50;
  static constexpr int MaxWidth = 400;
  static constexpr int MaxHeight = 500;
  // The width of a new box's list.
  static constexpr int TunedClientWidth = 80;

  // Datasource owns the box (its control); the box lies on WorkArea's canvas. It comes back
  // hidden, listing the datasource's fields with their marks.
  TvxQueryBuilderDataSourceControl(TvxDatasource* Datasource, TvxQueryBuilderWorkArea* WorkArea);
  ~TvxQueryBuilderDataSourceControl() override;

  TvxDatasource* GetDatasource() const { return FDatasource; }
  TvxQueryBuilderWorkArea* GetWorkArea() const { return FWorkArea; }
  TvxQueryBuilderDatasourceFieldsList* GetFieldsList() const { return FFieldsList; }
  // The caption bar and its close button, in the box's (zoomed) pixels.
  QRect GetCaptionRect() const;
  QRect GetCloseButtonRect() const;
  // Whether the box is the diagram's focused control.
  bool IsFocusedControl() const;
  // The step positions are snapped to: 0 for none.
  int GetSnapStep() const;
  // Wanted as the box's new bounds when its current size is CurrentSize: the position cut down
  // to multiples of Step (a size that changes grows by the cut).
  static QRect SnapBounds(const QRect& Wanted, const QSize& CurrentSize, int Step);

  QRect CalcFieldRect(const QString& FieldName, bool WithFrame) const override;
  void RefreshFields() override;
  void UpdateChecks() override;
  void TuneSize() override;
  void SetBounds(const QRect& Bounds) override;
  QRect GetBounds() const override { return FBounds; }
  void UpdateContolParams() override;

  // Raises the box over the others and gives it the diagram's focus.
  void BringToFront();
  // Removes the datasource from the query now; the box and the datasource are freed once the
  // event loop runs again (the box may be in one of its own event handlers).
  void Close();
  // Pops the box's menu up at the screen point Global.
  void ShowMenu(const QPoint& Global);
  // The list took the keyboard focus: the box becomes the diagram's focused control.
  void ListFocused();
  // The rows moved on the canvas (box moved or sized, list scrolled): lines follow them.
  void LinksMoved();
  // Draws the box's shadow on Canvas, which paints the work area's canvas.
  void PaintShadow(QPainter& Canvas) const;

protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void moveEvent(QMoveEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void showEvent(QShowEvent* Event) override;
  void changeEvent(QEvent* Event) override;

private:
  // What the mouse does from a press: nothing, move the box, size it at some edges, or press
  // the close button.
  enum class TMouseAction { None, Move, Resize, Close };

  // The frame edges under Point (corners reach a little along both edges).
  Qt::Edges EdgesAt(const QPoint& Point) const;
  // In diagram pixels.
  int GetCaptionHeight() const;
  QRect GetDiagramCaptionRect() const;
  // A rectangle of the box in diagram pixels, relative to its top left corner, in the box's
  // own (zoomed) pixels.
  QRect ToLocal(const QRect& Diagram) const;
  // The box less its frame, in its own pixels.
  QRect GetInnerRect() const;
  // Gives the widget the geometry FBounds has at the current zoom.
  void ApplyBounds();
  int GetMinHeight() const;
  void LayoutFieldsList();
  // Bounds the mouse asks for, FromStart (diagram pixels) away from where the press found the
  // box.
  QRect ResizedBounds(const QPoint& FromStart) const;
  // Makes the canvas repaint the shadow around Bounds.
  void RepaintShadow(const QRect& Bounds) const;
  void SetCloseHot(bool Hot);

  TvxDatasource* FDatasource;
  TvxQueryBuilderWorkArea* FWorkArea;
  TvxQueryBuilderDatasourceFieldsList* FFieldsList;
  QColor FTableColor;
  QRect FBounds;  // diagram pixels
  TMouseAction FMouseAction = TMouseAction::None;
  Qt::Edges FResizeEdges;
  QPoint FPressGlobal;
  QRect FPressBounds;  // diagram pixels
  bool FCloseHot = false;
  bool FClosing = false;
};
