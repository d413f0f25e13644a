// What the model may ask of its controls. The widget classes implement these interfaces beside
// their Qt base; the model finds them on the QWidget it holds with dynamic_cast, so that it never
// names a widget class.
#pragma once

class QPoint;
class QWidget;

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
