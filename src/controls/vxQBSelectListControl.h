// The select-list grid under an operand's diagram: one line per row of the select list, under a
// title row, in the columns row indicator, "Output", "Expression", "Alias", "Sort Type", "Sort
// Order", "Group By", "Criteria" and "Or..." (as many criteria columns as the list asks for).
// The select list writes the texts (TvxSelectListGridView); every user action is a call of the
// list or its rows, and a refusal goes out through the component's actionFailed.
//
// The current cell always shows its editor when the cell takes text; typed text is committed by
// Enter, by choosing from a pick list, or when the current cell or the focus moves away. Text
// the row refuses keeps the editor open with the typed text, on its cell.
//
// Mouse: a press moves to the pressed cell (in the indicator column, to the same row); a left
// click inside an output box toggles the row's output (Space does too), a click beside it does
// nothing. Dragging a row indicator moves the row; a field of a box on the same diagram dropped
// on a line goes in front of it, on the title or below the lines in front of the trailing empty
// row. The context menu of an indicator is the row's ("Remove Row", "Insert Empty Row").
#pragma once

#include "vxQBControlViews.h"
#include "vxQBMouseDrag.h"

#include <QTableView>

class TvxQueryBuilder;
class TvxQueryBuilderSelectListInplaceEdit;
class TvxSelectList;
class TvxSelectListGridModel;

class TvxQueryBuilderSelectListControl : public QTableView, public TvxSelectListGridView, public TvxDragTarget {
  Q_OBJECT
  // Default false: the output boxes in the style's look; true draws them flat, framed by a line.
  Q_PROPERTY(bool FlatChecks READ GetFlatChecks WRITE SetFlatChecks)

public:
  static constexpr int TitleHeight = 18;
  static constexpr int LineHeight = 16;
  static constexpr int IndicatorWidth = 12;

  // The grid of List in the select-list pane Parent (which lays it out); List owns it.
  TvxQueryBuilderSelectListControl(TvxSelectList* List, QWidget* Parent);

  TvxSelectList* GetSelectList() const { return FSelectList; }
  TvxQueryBuilder* GetQueryBuilder() const;
  TvxSelectListGridModel* GetGridModel() const { return FModel; }
  TvxQueryBuilderSelectListInplaceEdit* GetEditor() const { return FEditor; }
  bool GetFlatChecks() const { return FFlatChecks; }
  void SetFlatChecks(bool Value);
  // The output box of line Row (0-based) in viewport coordinates.
  QRect GetCheckRect(int Row) const;

  // --- what the select list fills ---
  void SetGridLines(std::vector<TvxSelectListGridLine> Lines, int ColumnCount) override;
  void SetGridLine(int GridRow, TvxSelectListGridLine Line) override;
  void SetGridColumnCount(int ColumnCount) override;
  int GetGridColumnCount() const override;
  int GetGridLineCount() const override;
  TvxSelectItem* GetGridLineItem(int GridRow) const override;

  // --- the library's drag ---
  void DragOver(QObject* Source, const QPoint& Point, bool& Accept) override;
  void DragDrop(QObject* Source, const QPoint& Point) override;

  // --- what the editor asks ---
  // Hands the editor's text to the current cell's row; false, with the refusal reported and the
  // typed text kept, when the row refuses it.
  bool CommitEditor();
  // The current cell's text back into the editor.
  void RestoreEditor();
  // The current cell's "..." button: its nested SELECTs (one: its tab; several: a menu).
  void EditButtonClick();
  void GetPickListItems(QStringList& Items) const;
  // A navigation key typed into the editor: commits, then moves as the key says.
  void MoveFromEditor(QKeyEvent* Event);
  // Shows the editor on the current cell when that takes text, else hides it.
  void UpdateEditorState();

protected:
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override;
  void updateGeometries() override;

private:
  TvxSelectItem* CurrentItem() const;
  // Moves the current cell to Index, committing the editor first; false when the commit was
  // refused (the cell stays).
  bool MoveCurrent(const QModelIndex& Index);
  void ToggleOutput(int Row);
  void HideEditor();
  // The editor's text afresh from its cell, unless the user is typing into it.
  void RefreshEditor();
  void PlaceEditor();
  void ApplyColumnWidths(int First, int Last);
  // The line under a point of the grid's own coordinates; -1 over the title, rowCount() below
  // the lines.
  int LineAt(const QPoint& Point) const;

  TvxSelectList* FSelectList;
  TvxSelectListGridModel* FModel;
  TvxQueryBuilderSelectListInplaceEdit* FEditor;
  TvxMouseDrag* FRowDrag;
  int FDraggedRow = -1;
  bool FFlatChecks = false;
};
