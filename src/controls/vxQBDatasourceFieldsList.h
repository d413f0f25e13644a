// The body of a datasource's box: row 0 "*" stands for all columns of the datasource, then one
// checkable row per field. Ticking a row makes the field an output row of the select list
// (in the trailing empty row, or a new one); unticking removes every row of that field; both
// through TvxDatasource::CheckField.
//
// Dragging: a press on a row and a move of more than 2 pixels start the library's drag
// (TvxMouseDrag). Dropped on a field of another box of the same work area (not on its row 0,
// not on its own list), it links the two fields (TvxUnionSubQuery::AddLink): the dragged field
// is the link's left end.
//
// For other drop targets (the select-list grid): the drag's Source is the list's viewport,
// where the mouse is. A target gets the list with FromDragSource(Source), which is null for
// any other drag, and from the list the datasource (GetDatasource()) and the field
// (GetDraggedField(): empty for row 0, that is all columns of the datasource).
//
// Rows are drawn and hit-tested at the component's zoom.
//
// While the component is loading SQL, clicks neither tick rows nor start drags.
//
// The current row is selected in the highlight colour while the list has the focus (or is the
// end of a link the keyboard is choosing), tinted otherwise. Tab does not stop at the list: the
// diagram's keyboard (TvxWorkAreaKeyboard) gives it the focus with its box.
#pragma once

#include "vxQBMouseDrag.h"

#include <QListWidget>

#include <string>

class TvxDatasource;
class TvxQueryBuilderDataSourceControl;
class TvxQueryBuilderWorkArea;

class TvxQueryBuilderDatasourceFieldsList : public QListWidget, public TvxDragTarget {
  Q_OBJECT

public:
  // A child of Box, which lays it out.
  explicit TvxQueryBuilderDatasourceFieldsList(TvxQueryBuilderDataSourceControl* Box);

  TvxQueryBuilderDataSourceControl* GetBox() const { return FBox; }
  TvxDatasource* GetDatasource() const;
  TvxQueryBuilderWorkArea* GetWorkArea() const;
  // The list a library drag comes from, or null when its Source is no fields list's.
  static TvxQueryBuilderDatasourceFieldsList* FromDragSource(QObject* Source);
  TvxMouseDrag* GetDrag() const { return FDrag; }
  // The row the last drag started on; -1 before any.
  int GetDraggedRow() const { return FDraggedRow; }
  // The field of GetDraggedRow(): empty for row 0 (all columns).
  std::string GetDraggedField() const { return FieldOfRow(FDraggedRow); }
  // The field of Row as the model names it: empty for row 0.
  std::string FieldOfRow(int Row) const;
  // The row of Point (this list's coordinates); -1 below the last row.
  int RowAt(const QPoint& Point) const;

  // Lists Fields ("*" first, as TvxDatasource::GetFieldsList gives them), all unticked.
  void SetFields(const QStringList& Fields);
  // Ticks the rows the select list outputs; row 0 is only ever ticked here, never unticked.
  void UpdateChecks();
  // The height of one row in diagram pixels (rows are this times the zoom on screen).
  int GetItemHeight() const;

  // Whether row FromRow of From and row Row of this list may be linked: fields (not row 0) of two
  // different boxes of the same diagram.
  bool CanLinkFrom(const TvxQueryBuilderDatasourceFieldsList* From, int FromRow, int Row) const;
  // Links the field of row FromRow of From (the left end) to the field of Row
  // (TvxUnionSubQuery::AddLink), as a drop of the one on the other does; a refusal goes out
  // through the component's actionFailed.
  void LinkFrom(const TvxQueryBuilderDatasourceFieldsList* From, int FromRow, int Row);

  void DragOver(QObject* Source, const QPoint& Point, bool& Accept) override;
  void DragDrop(QObject* Source, const QPoint& Point) override;

protected:
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  // Ctrl+wheel zooms the diagram rather than scrolling the list: it goes on to the work area.
  void wheelEvent(QWheelEvent* Event) override;

private:
  // A row's mark changed: the user ticked or unticked it.
  void ClickCheck(QListWidgetItem* Item);
  bool IsLoading() const;

  TvxQueryBuilderDataSourceControl* FBox;
  TvxMouseDrag* FDrag;
  int FDraggedRow = -1;
  // Set while the list itself changes marks: those are no user's ticks.
  bool FSettingChecks = false;
};
