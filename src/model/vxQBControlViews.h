// What the model may ask of its controls. The widget classes implement these interfaces beside
// their Qt base; the model finds them on the QWidget it holds with dynamic_cast, so that it never
// names a widget class.
#pragma once

#include <string>
#include <vector>

class QPoint;
class QRect;
class QString;
class QWidget;
class TvxSelectItem;

// Any control that shows the component's look (colours, fonts, borders, splitter size).
class TvxControlView {
public:
  virtual ~TvxControlView() = default;
  // Takes the look from the component again; called for every control of the model when a look
  // property of the component changes.
  virtual void UpdateContolParams() = 0;
};

// An operand's union page.
class TvxUnionPageView {
public:
  virtual ~TvxUnionPageView() = default;
  // The page's diagram area (a TvxWorkAreaView); never null while the page exists.
  virtual QWidget* GetWorkArea() const = 0;
};

// The diagram area of an operand, on which boxes and lines are child widgets.
class TvxWorkAreaView {
public:
  virtual ~TvxWorkAreaView() = default;
  // Where a new box Control (already sized) goes: the top of the column with the most room at
  // the top, columns 130 pixels apart from x = 10, boxes 20 pixels apart from y = 10; the
  // leftmost column wins a tie. In diagram pixels, which the zoom does not change.
  virtual QPoint FindPos(const QWidget* Control) const = 0;
  // The box or line that has the diagram's focus; null when none has.
  virtual QWidget* GetFocusedControl() const = 0;
  virtual void SetFocusedControl(QWidget* Control) = 0;
};

// The add-object dialog.
class TvxAddObjectFormView {
public:
  virtual ~TvxAddObjectFormView() = default;
  // Lists the metadata provider's tables and views afresh and shows the dialog modally; returns
  // when the user closes it.
  virtual void ShowModal() = 0;
  // Takes the component's AddObjectFormOptions again (their change handler).
  virtual void NotifyOptionsChanged() = 0;
};

// One line of the select-list grid: the row it shows and its texts, one per grid column
// (column 0, the row indicator, has none).
struct TvxSelectListGridLine {
  TvxSelectItem* Item = nullptr;
  std::vector<std::string> Texts;
};

// The select-list grid, which shows what the select list writes into it. Its lines count from 1
// as they stand under the title row (line 0): line r shows row r - 1 of the list.
class TvxSelectListGridView {
public:
  virtual ~TvxSelectListGridView() = default;
  // Replaces every line; the grid becomes ColumnCount columns wide.
  virtual void SetGridLines(std::vector<TvxSelectListGridLine> Lines, int ColumnCount) = 0;
  // Line GridRow (1 .. count + 1; one past the last adds a line) shows Line.
  virtual void SetGridLine(int GridRow, TvxSelectListGridLine Line) = 0;
  virtual void SetGridColumnCount(int ColumnCount) = 0;
  virtual int GetGridColumnCount() const = 0;
  // The number of lines under the title row.
  virtual int GetGridLineCount() const = 0;
  // The row line GridRow shows; null for a free line and outside 1 .. count.
  virtual TvxSelectItem* GetGridLineItem(int GridRow) const = 0;
};

// The page of a sub-query, which carries the union navigation bar.
class TvxQueryPageView {
public:
  virtual ~TvxQueryPageView() = default;
  // Lays the navigation bar out from the union tree and puts it in its corner.
  virtual void AlignUnionNavbar() = 0;
};

// A datasource's box in the diagram.
class TvxDatasourceView {
public:
  virtual ~TvxDatasourceView() = default;
  // The rectangle of the row that lists FieldName (compared ignoring case) in the box's own
  // (zoomed) pixels, as wide as the list, its top and bottom kept within the list so that a row scrolled
  // out of view gives the list's edge. An empty FieldName gives the caption bar; a field the box
  // does not list gives an empty rectangle. WithFrame widens the rectangle to the box's outer
  // edges, where lines meet the box.
  virtual QRect CalcFieldRect(const QString& FieldName, bool WithFrame) const = 0;
  // Lists the datasource's fields again ("*" first) with their check marks.
  virtual void RefreshFields() = 0;
  // Takes the check marks from the select list again.
  virtual void UpdateChecks() = 0;
  // Gives the box its natural size: a list 80 pixels wide with room for every row.
  virtual void TuneSize() = 0;
  // Moves and sizes the box as a move by the user would: snapped to the grid and kept right of
  // and below the diagram's origin. In diagram pixels, which the zoom does not change.
  virtual void SetBounds(const QRect& Bounds) = 0;
  // The bounds the box stands at, in diagram pixels (its widget's geometry is these zoomed).
  virtual QRect GetBounds() const = 0;
};

// A link's line in the diagram.
class TvxLinkView {
public:
  virtual ~TvxLinkView() = default;
  // Lays the line out again between the rows it joins (its ends, fields or join changed) and
  // repaints it.
  virtual void UpdateLine() = 0;
};
