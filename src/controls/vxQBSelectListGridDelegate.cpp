#include "vxQBSelectListGridDelegate.h"

#include "vxQBSelectListControl.h"
#include "vxQuerySelectList.h"

#include <QPainter>
#include <QPainterPath>

TvxSelectListGridDelegate::TvxSelectListGridDelegate(TvxQueryBuilderSelectListControl* Grid)
    : QStyledItemDelegate(Grid), FGrid(Grid) {}

QRect TvxSelectListGridDelegate::CheckRect(const QWidget* Widget, const QRect& Cell) {
  const QStyle* Style = Widget->style();
  const int Width = Style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, Widget);
  const int Height = Style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, Widget);
  return QRect(Cell.left() + (Cell.width() - Width) / 2, Cell.top() + (Cell.height() - Height) / 2, Width, Height);
}

void TvxSelectListGridDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option,
                                      const QModelIndex& Index) const {
  if (Index.column() == slcIndicator) {
    PaintIndicator(Painter, Option, Index);
    return;
  }
  // Like a spreadsheet's, the current cell is framed rather than filled: the editor covers it
  // when it takes text, and a filled output cell would hide its box.
  QStyleOptionViewItem Cell = Option;
  Cell.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
  if (Index.column() == slcOutput) {
    initStyleOption(&Cell, Index);
    Cell.text.clear();
    Cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    Cell.widget->style()->drawControl(QStyle::CE_ItemViewItem, &Cell, Painter, Cell.widget);
    PaintCheck(Painter, Option, Index.data(Qt::DisplayRole).toString());
  } else {
    QStyledItemDelegate::paint(Painter, Cell, Index);
  }
  if (Index == FGrid->currentIndex()) {
    Painter->save();
    Painter->setPen(QPen(Option.palette.color(QPalette::Highlight), 2));
    Painter->setBrush(Qt::NoBrush);
    Painter->drawRect(QRectF(Option.rect).adjusted(1, 1, -1, -1));
    Painter->restore();
  }
}

void TvxSelectListGridDelegate::PaintIndicator(QPainter* Painter, const QStyleOptionViewItem& Option,
                                               const QModelIndex& Index) const {
  const QWidget* Widget = Option.widget;
  QStyleOptionHeader Section;
  Section.initFrom(Widget);
  Section.rect = Option.rect;
  Section.orientation = Qt::Vertical;
  Section.position = QStyleOptionHeader::Middle;
  Section.state = QStyle::State_Enabled | QStyle::State_Raised;
  Widget->style()->drawControl(QStyle::CE_HeaderSection, &Section, Painter, Widget);
  if (Index.row() != FGrid->currentIndex().row()) return;
  // A small triangle points at the current row.
  const QRectF Box = QRectF(Option.rect).adjusted(3, 4, -3, -4);
  const qreal Side = std::min(Box.width(), Box.height());
  const QPointF Tip(Box.center().x() + Side / 3, Box.center().y());
  QPainterPath Mark;
  Mark.moveTo(Tip.x() - Side * 2 / 3, Tip.y() - Side / 2);
  Mark.lineTo(Tip);
  Mark.lineTo(Tip.x() - Side * 2 / 3, Tip.y() + Side / 2);
  Mark.closeSubpath();
  Painter->save();
  Painter->setRenderHint(QPainter::Antialiasing);
  Painter->fillPath(Mark, Option.palette.color(QPalette::WindowText));
  Painter->restore();
}

void TvxSelectListGridDelegate::PaintCheck(QPainter* Painter, const QStyleOptionViewItem& Option,
                                           const QString& State) const {
  const bool Enabled = State == QLatin1String("1") || State == QLatin1String("0");
  if (!Enabled && State != QLatin1String("-1")) return;
  const QWidget* Widget = Option.widget;
  QStyleOptionButton Box;
  Box.initFrom(Widget);
  Box.rect = CheckRect(Widget, Option.rect);
  Box.state = (State == QLatin1String("1") ? QStyle::State_On : QStyle::State_Off);
  if (Enabled)
    Box.state |= QStyle::State_Enabled;
  else
    Box.palette.setCurrentColorGroup(QPalette::Disabled);
  Painter->save();
  if (FGrid->GetFlatChecks()) {
    // Flat: the style's box without its bevel, under a one-pixel frame in the shadow colour.
    Painter->setClipRect(Box.rect.adjusted(2, 2, -2, -2));
    Widget->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &Box, Painter, Widget);
    Painter->setClipping(false);
    Painter->setPen(Option.palette.color(QPalette::Dark));
    Painter->setBrush(Qt::NoBrush);
    Painter->drawRect(Box.rect.adjusted(1, 1, -2, -2));
  } else {
    Widget->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &Box, Painter, Widget);
  }
  Painter->restore();
}
