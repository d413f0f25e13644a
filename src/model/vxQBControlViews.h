// What the model may ask of its controls. The widget classes implement these interfaces beside
// their Qt base; the model finds them on the QWidget it holds with dynamic_cast, so that it never
// names a widget class.
#pragma once

#include <string>
#include <vector>

class QPoint;
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
  // leftmost column wins a tie. In work-area (diagram) pixels.
  virtual QPoint FindPos(const QWidget* Control) const = 0;
  // The box or line that has the diagram's focus; null when none has.
  virtual QWidget* GetFocusedControl() const = 0;
  virtual void SetFocusedControl(QWidget* Control) = 0;
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
