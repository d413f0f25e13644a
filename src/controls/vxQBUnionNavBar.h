// The row of a sub-query's union items in a corner of its tab sheet, over the operand's diagram:
// the buttons of the operands, the brackets of groups and the operators between them, laid out
// left to right in the union tree's order. The bar owns no model state: the model objects create
// its items as their controls and ask it to lay them out again after every change. Its keys are
// TvxNavBarKeys'.
#pragma once

#include <QWidget>

class TvxQueryTabSheet;

class TvxUnionNavBar : public QWidget {
  Q_OBJECT

public:
  static constexpr int BarHeight = 24;

  explicit TvxUnionNavBar(TvxQueryTabSheet* Sheet);
  TvxQueryTabSheet* GetQueryTabSheet() const { return FSheet; }
  // Puts the items in the union tree's order, brings every operator up to date, checks the
  // active operand's button and sizes the bar: 4 pixels plus the widths of the visible items.
  void AlignControls();
  // The bar's items left to right as laid out (visible or not).
  QList<QWidget*> GetOrderedControls() const;

protected:
  void paintEvent(QPaintEvent* Event) override;

private:
  TvxQueryTabSheet* FSheet;
};
