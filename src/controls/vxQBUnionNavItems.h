// The items of the union navigation bar: a button per operand, a bracket on each side of a group
// and an operator in front of every operand but the first of its group. Each is a control of its
// model object, a child of the bar; the bar lays them out in the union tree's order.
//
// Buttons and brackets are dragged with the library's drag (beyond 4 pixels) onto other items;
// what a drop does is the model's (vx::DropNavItem). An operator takes the drops meant for its
// operand's button or its group's left bracket.
#pragma once

#include "vxQBMouseDrag.h"
#include "vxQueryUnionNavDrop.h"

#include <QLabel>
#include <QToolButton>

class TvxQueryBuilder;
class TvxUnionGroup;
class TvxUnionNavBar;
class TvxUnionSubQuery;

// What every item of the bar answers, as a drag source and as a drop target.
class TvxNavBarItem : public TvxDragTarget {
public:
  // The bar item this one stands for (an operator: its operand's button or left bracket).
  virtual TvxNavItem GetNavItem() const = 0;
  void DragOver(QObject* Source, const QPoint& Point, bool& Accept) override;
  void DragDrop(QObject* Source, const QPoint& Point) override;

protected:
  // The component whose actionFailed hears a refused drop or menu.
  TvxQueryBuilder* QueryBuilderOf() const;
};

// An operand's button: pressing it shows the operand at once; one button of a bar is down.
class TvxUnionButton : public QToolButton, public TvxNavBarItem {
  Q_OBJECT

public:
  static constexpr int ButtonWidth = 23;

  TvxUnionButton(TvxUnionSubQuery* Operand, TvxUnionNavBar* Bar);
  TvxUnionSubQuery* GetUnionSubQuery() const { return FOperand; }
  TvxNavItem GetNavItem() const override;

protected:
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;
  // A click never raises the button: its operand stays the one shown.
  void nextCheckState() override { setChecked(true); }

private:
  TvxUnionSubQuery* FOperand;
};

// "(" or ")" around a group's items.
class TvxBracket : public QLabel, public TvxNavBarItem {
  Q_OBJECT

public:
  static constexpr int BracketWidth = 10;

  TvxBracket(TvxUnionGroup* Group, bool Left, TvxUnionNavBar* Bar);
  TvxUnionGroup* GetUnionGroup() const { return FGroup; }
  bool IsLeft() const { return FLeft; }
  TvxNavItem GetNavItem() const override;

protected:
  void contextMenuEvent(QContextMenuEvent* Event) override;

private:
  TvxUnionGroup* FGroup;
  bool FLeft;
};

// The set operator in front of an operand, drawn with the dialect's picture for it. A left click
// drops down the dialect's operators, the current one checked.
class TvxUnionOperator : public QWidget, public TvxNavBarItem {
  Q_OBJECT
  // Written by the model (TvxQueryBase::UpdateUnionOperator).
  Q_PROPERTY(QString UnionOperator READ GetUnionOperator WRITE SetUnionOperator)
  Q_PROPERTY(bool All READ GetAll WRITE SetAll)

public:
  static constexpr int OperatorSize = 16;

  TvxUnionOperator(TvxQueryBase* Item, TvxUnionNavBar* Bar);
  TvxQueryBase* GetQueryBase() const { return FItem; }
  QString GetUnionOperator() const { return FOperator; }
  void SetUnionOperator(const QString& Text);
  bool GetAll() const { return FAll; }
  void SetAll(bool Value);
  // The operator's first letter, with "a" for ALL: "u", "ua", "ea".
  QString GetCaption() const;
  TvxNavItem GetNavItem() const override;

protected:
  void paintEvent(QPaintEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

private:
  void UpdateContent();

  TvxQueryBase* FItem;
  QString FOperator = QStringLiteral("union");
  bool FAll = false;
};
