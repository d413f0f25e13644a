// The union navigation bar from the keyboard (F6 brings the focus to the active operand's
// button): Left and Right, Home and End go from button to operator to button, Space or Enter does
// what the left button does on the item (a button shows its operand, an operator drops its list
// down), Menu or Shift+F10 opens the item's menu. The focused item is framed in the highlight
// colour, as the items draw no focus of their own. Brackets take no focus: their menus are the
// mouse's.
#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;
class TvxFocusFrame;
class TvxUnionNavBar;

class TvxNavBarKeys : public QObject {
  Q_OBJECT

public:
  // A child of Bar, watching every item added to it.
  explicit TvxNavBarKeys(TvxUnionNavBar* Bar);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  bool KeyPressed(QWidget* Item, QKeyEvent* Event);

  TvxUnionNavBar* FBar;
  TvxFocusFrame* FRing;
};
