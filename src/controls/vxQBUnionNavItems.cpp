#include "vxQBUnionNavItems.h"

#include "vxQBPaint.h"
#include "vxQBStrings.h"
#include "vxQBUnionNavBar.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSyntaxProvider.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace {

constexpr int GDragThreshold = 4;

QFont ItemFont(const QWidget* Widget) {
  QFont Font = Widget->font();
  Font.setFamily(QStringLiteral("Arial"));
  Font.setBold(true);
  Font.setPixelSize(15);
  return Font;
}

// Buttons and brackets are dragged; the drag ends with the source back up.
void MakeDraggable(QWidget* Source) {
  auto* Drag = new TvxMouseDrag(Source, GDragThreshold);
  QObject::connect(Drag, &TvxMouseDrag::dragFinished, Source, [Source] {
    if (auto* Button = qobject_cast<QAbstractButton*>(Source)) Button->setDown(false);
  });
}

void PopupMenuOf(TvxQueryBuilderControlOwner* Owner, TvxQueryBuilder* QueryBuilder, const QPoint& Global) {
  if (Owner == nullptr || QueryBuilder == nullptr) return;
  vx::RunReported(QueryBuilder, [&] {
    if (Owner->GetPopupMenu() != nullptr) QueryBuilder->PopupMenuPopup(Global);
  });
}

}  // namespace

// --- TvxNavBarItem ---------------------------------------------------------------------------

TvxQueryBuilder* TvxNavBarItem::QueryBuilderOf() const {
  const TvxQueryBase* Item = GetNavItem().Item;
  return Item != nullptr ? Item->GetQueryBuilder() : nullptr;
}

void TvxNavBarItem::DragOver(QObject* Source, const QPoint&, bool& Accept) {
  const auto* Dragged = dynamic_cast<const TvxNavBarItem*>(Source);
  Accept = Dragged != nullptr && qobject_cast<TvxUnionOperator*>(Source) == nullptr &&
           vx::CanDropNavItem(GetNavItem(), Dragged->GetNavItem());
}

void TvxNavBarItem::DragDrop(QObject* Source, const QPoint&) {
  const auto* Dragged = dynamic_cast<const TvxNavBarItem*>(Source);
  if (Dragged == nullptr) return;
  const TvxNavItem Target = GetNavItem();
  const TvxNavItem Moved = Dragged->GetNavItem();
  // After the drag has ended: a drop may free a group, and with it the bracket being dragged.
  const QPointer<TvxQueryBase> TargetGuard(Target.Item);
  const QPointer<TvxQueryBase> MovedGuard(Moved.Item);
  const QPointer<TvxQueryBuilder> QueryBuilder(QueryBuilderOf());
  QTimer::singleShot(0, QueryBuilder.data(), [=] {
    if (!TargetGuard || !MovedGuard) return;
    vx::RunReported(QueryBuilder.data(), [&] { vx::DropNavItem(Target, Moved); });
  });
}

// --- TvxUnionButton --------------------------------------------------------------------------

TvxUnionButton::TvxUnionButton(TvxUnionSubQuery* Operand, TvxUnionNavBar* Bar) : QToolButton(Bar), FOperand(Operand) {
  setObjectName(QStringLiteral("UnionButton"));
  setCheckable(true);
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setFont(ItemFont(this));
  setText(QStringLiteral("Q"));
  resize(ButtonWidth, TvxUnionNavBar::BarHeight - 2);
  MakeDraggable(this);
}

TvxNavItem TvxUnionButton::GetNavItem() const { return {FOperand, TvxNavItemKind::nikButton}; }

void TvxUnionButton::mousePressEvent(QMouseEvent* Event) {
  // The operand shows on the press, before the release.
  if (Event->button() == Qt::LeftButton) {
    TvxSubQuery* SubQuery = FOperand->GetRootQuery();
    vx::RunReported(FOperand->GetQueryBuilder(), [&] {
      if (SubQuery != nullptr) SubQuery->SetActiveUnionSubquery(FOperand);
    });
  }
  QToolButton::mousePressEvent(Event);
}

void TvxUnionButton::mouseDoubleClickEvent(QMouseEvent* Event) {
  Event->accept();
  vx::RunReported(FOperand->GetQueryBuilder(), [this] { FOperand->EditPropsEvent(this); });
}

void TvxUnionButton::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
  PopupMenuOf(FOperand, FOperand->GetQueryBuilder(), Event->globalPos());
}

// --- TvxBracket ------------------------------------------------------------------------------

TvxBracket::TvxBracket(TvxUnionGroup* Group, bool Left, TvxUnionNavBar* Bar)
    : QLabel(Left ? QStringLiteral("(") : QStringLiteral(")"), Bar), FGroup(Group), FLeft(Left) {
  setObjectName(Left ? QStringLiteral("LeftBracket") : QStringLiteral("RightBracket"));
  setAlignment(Qt::AlignCenter);
  setFont(ItemFont(this));
  resize(BracketWidth, TvxUnionNavBar::BarHeight);
  MakeDraggable(this);
}

TvxNavItem TvxBracket::GetNavItem() const {
  return {FGroup, FLeft ? TvxNavItemKind::nikLeftBracket : TvxNavItemKind::nikRightBracket};
}

void TvxBracket::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
  PopupMenuOf(FGroup, FGroup->GetQueryBuilder(), Event->globalPos());
}

// --- TvxUnionOperator ------------------------------------------------------------------------

TvxUnionOperator::TvxUnionOperator(TvxQueryBase* Item, TvxUnionNavBar* Bar) : QWidget(Bar), FItem(Item) {
  setObjectName(QStringLiteral("UnionOperator"));
  setFont(ItemFont(this));
  resize(OperatorSize, OperatorSize);
  UpdateContent();
}

void TvxUnionOperator::SetUnionOperator(const QString& Text) {
  const QString Value = Text.isEmpty() ? QStringLiteral("union") : Text;
  if (Value == FOperator) return;
  FOperator = Value;
  UpdateContent();
}

void TvxUnionOperator::SetAll(bool Value) {
  if (Value == FAll) return;
  FAll = Value;
  UpdateContent();
}

QString TvxUnionOperator::GetCaption() const {
  return FOperator.left(1).toLower() + (FAll ? QStringLiteral("a") : QString());
}

void TvxUnionOperator::UpdateContent() {
  setToolTip(FOperator.toLower() + (FAll ? QStringLiteral(" all") : QString()));
  update();
}

TvxNavItem TvxUnionOperator::GetNavItem() const {
  if (qobject_cast<TvxUnionGroup*>(FItem) != nullptr) return {FItem, TvxNavItemKind::nikLeftBracket};
  return {FItem, TvxNavItemKind::nikButton};
}

void TvxUnionOperator::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  const TvxQueryBuilder* QueryBuilder = FItem->GetQueryBuilder();
  const TastSyntaxProvider* Dialect = QueryBuilder != nullptr ? QueryBuilder->GetASTSyntaxProvider() : nullptr;
  const QString Operator = FOperator + (FAll ? QStringLiteral(" all") : QString());
  const QPixmap Picture = Dialect != nullptr
                              ? vx::GetQBBitmap(vx::ToQString(Dialect->GetUnionOperatorIcon(vx::FromQString(Operator))))
                              : QPixmap();
  if (!Picture.isNull()) {
    // Centred: the pictures are lower than the control is high.
    const QSize Size = Picture.deviceIndependentSize().toSize();
    Painter.drawPixmap((width() - Size.width()) / 2, (height() - Size.height()) / 2, Picture);
    return;
  }
  Painter.setPen(palette().color(QPalette::WindowText));
  Painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TvxUnionOperator::mouseReleaseEvent(QMouseEvent* Event) {
  Event->accept();
  if (Event->button() != Qt::LeftButton || Event->modifiers() != Qt::NoModifier) return;
  TvxQueryBuilder* QueryBuilder = FItem->GetQueryBuilder();
  const QPoint Global = mapToGlobal(Event->position().toPoint());
  vx::RunReported(QueryBuilder, [&] {
    if (QMenu* Menu = FItem->GetUnionOperatorPopupMenu()) Menu->popup(Global);
  });
}
