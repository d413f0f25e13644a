#include "vxQBUnionNavBar.h"

#include "vxQBNavBarKeys.h"
#include "vxQBQueryTabSheet.h"
#include "vxQBUnionNavItems.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QPainter>

namespace {

constexpr int GMargin = 2;

// The controls of Group's items in the bar's order: for each item its operator, then its button,
// or its left bracket, its contents and its right bracket.
void AppendControls(QList<QWidget*>& List, const TvxUnionGroup* Group) {
  for (int Index = 0; Index < Group->GetCount(); ++Index) {
    TvxQueryBase* Item = Group->GetItems(Index);
    if (QWidget* Operator = Item->GetUnionOperator()) List.append(Operator);
    if (auto* Operand = qobject_cast<TvxUnionSubQuery*>(Item)) {
      if (QWidget* Button = Operand->GetUnionButton()) List.append(Button);
    } else if (auto* Inner = qobject_cast<TvxUnionGroup*>(Item)) {
      if (QWidget* Left = Inner->GetLeftBracket()) List.append(Left);
      AppendControls(List, Inner);
      if (QWidget* Right = Inner->GetRightBracket()) List.append(Right);
    }
  }
}

}  // namespace

TvxUnionNavBar::TvxUnionNavBar(TvxQueryTabSheet* Sheet) : QWidget(Sheet), FSheet(Sheet) {
  setObjectName(QStringLiteral("UnionNavBar"));
  setAttribute(Qt::WA_StyledBackground, false);
  resize(2 * GMargin, BarHeight);
  new TvxNavBarKeys(this);
}

QList<QWidget*> TvxUnionNavBar::GetOrderedControls() const {
  QList<QWidget*> List;
  if (const TvxSubQuery* SubQuery = FSheet->GetSubQuery()) AppendControls(List, SubQuery);
  return List;
}

void TvxUnionNavBar::AlignControls() {
  const TvxSubQuery* SubQuery = FSheet->GetSubQuery();
  if (SubQuery == nullptr) return;
  const QList<QWidget*> Controls = GetOrderedControls();
  for (QWidget* Control : Controls)
    if (auto* Operator = qobject_cast<TvxUnionOperator*>(Control)) Operator->GetQueryBase()->UpdateUnionOperator();
  const TvxUnionSubQuery* Active = SubQuery->GetActiveUnionSubquery();
  int Left = GMargin;
  for (QWidget* Control : Controls) {
    if (auto* Button = qobject_cast<TvxUnionButton*>(Control)) Button->setChecked(Button->GetUnionSubQuery() == Active);
    if (Control->isHidden()) continue;
    if (qobject_cast<TvxBracket*>(Control) != nullptr)
      Control->setGeometry(Left, 0, Control->width(), BarHeight);
    else if (qobject_cast<TvxUnionOperator*>(Control) != nullptr)
      Control->move(Left, (BarHeight - Control->height()) / 2);
    else
      Control->setGeometry(Left, 1, Control->width(), BarHeight - 2);
    Left += Control->width();
  }
  resize(Left + GMargin, BarHeight);
}

void TvxUnionNavBar::paintEvent(QPaintEvent*) {
  // A light panel with a hairline, so that the bar reads as one strip over the diagram.
  QPainter Painter(this);
  Painter.setPen(palette().color(QPalette::Mid));
  Painter.setBrush(palette().color(QPalette::Window));
  Painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}
