#include "vxQBDatasourceFieldsList.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDiagramScale.h"
#include "vxQBWorkArea.h"
#include "vxQBWorkAreaKeys.h"
#include "vxQueryBase.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQueryUnionSubQuery.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A drag starts once the pointer is more than this many pixels away from the press.
constexpr int GDragThreshold = 2;

// Rows as tight as the font and the check box allow: a box shows many fields in little room.
// At a zoom a row is laid out at its natural size and drawn scaled, so that text, check box and
// selection grow together; clicks are scaled back before the check box is hit-tested.
class TvxFieldRowDelegate : public QStyledItemDelegate {
public:
  explicit TvxFieldRowDelegate(TvxQueryBuilderDatasourceFieldsList* List) : QStyledItemDelegate(List), FList(List) {}

  // The natural row, in diagram pixels.
  QSize DiagramSizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const {
    const QSize Natural = QStyledItemDelegate::sizeHint(Option, Index);
    const QWidget* View = Option.widget;
    const int Indicator = View != nullptr ? View->style()->pixelMetric(QStyle::PM_IndicatorHeight, &Option, View) : 13;
    return QSize(Natural.width(), std::max(Option.fontMetrics.height() + 3, Indicator + 3));
  }

  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const QSize Natural = DiagramSizeHint(Option, Index);
    const double Zoom = GetZoom();
    // Rounded down, so that rows never need more room than the zoomed box gives them.
    return QSize(static_cast<int>(std::ceil(Natural.width() * Zoom)), static_cast<int>(Natural.height() * Zoom));
  }

  void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const QStyleOptionViewItem Row = Marked(Option);
    const double Zoom = GetZoom();
    if (Zoom == 1.0) return QStyledItemDelegate::paint(Painter, Row, Index);
    Painter->save();
    Painter->translate(Row.rect.topLeft());
    Painter->scale(Zoom, Zoom);
    Painter->setRenderHint(QPainter::SmoothPixmapTransform);
    QStyledItemDelegate::paint(Painter, Unzoomed(Row, Zoom), Index);
    Painter->restore();
  }

  bool editorEvent(QEvent* Event, QAbstractItemModel* Model, const QStyleOptionViewItem& Option,
                   const QModelIndex& Index) override {
    const double Zoom = GetZoom();
    const auto* Mouse = dynamic_cast<const QMouseEvent*>(Event);
    if (Zoom == 1.0 || Mouse == nullptr) return QStyledItemDelegate::editorEvent(Event, Model, Option, Index);
    const QPointF At = (Mouse->position() - Option.rect.topLeft()) / Zoom;
    QMouseEvent Unscaled(Mouse->type(), At, Mouse->scenePosition(), Mouse->globalPosition(), Mouse->button(),
                         Mouse->buttons(), Mouse->modifiers(), Mouse->pointingDevice());
    const bool Taken = QStyledItemDelegate::editorEvent(&Unscaled, Model, Unzoomed(Option, Zoom), Index);
    Event->setAccepted(Unscaled.isAccepted());
    return Taken;
  }

private:
  // The current row is selected in the highlight colour only where the keys act on it: in the
  // box with the focus and in the box a link being chosen ends at. Elsewhere it is a tint.
  QStyleOptionViewItem Marked(const QStyleOptionViewItem& Option) const {
    const TvxWorkAreaKeyboard* Keys = FList->GetWorkArea()->GetKeyboard();
    if (Keys == nullptr || !(Option.state & QStyle::State_Selected) || FList->hasFocus() ||
        Keys->GetLinkTarget() == FList->GetBox())
      return Option;
    QStyleOptionViewItem Tinted = Option;
    QColor Tint = Option.palette.color(QPalette::Highlight);
    Tint.setAlpha(56);
    Tinted.palette.setColor(QPalette::Highlight, Tint);
    Tinted.palette.setColor(QPalette::HighlightedText, Option.palette.color(QPalette::Text));
    return Tinted;
  }
  double GetZoom() const { return FList->GetWorkArea()->GetScale().GetFactor(); }
  // Option with the row at its natural size at the origin.
  static QStyleOptionViewItem Unzoomed(const QStyleOptionViewItem& Option, double Zoom) {
    QStyleOptionViewItem Natural(Option);
    Natural.rect = QRect(0, 0, static_cast<int>(std::ceil(Option.rect.width() / Zoom)),
                         static_cast<int>(std::ceil(Option.rect.height() / Zoom)));
    return Natural;
  }

  TvxQueryBuilderDatasourceFieldsList* FList;
};

}  // namespace

TvxQueryBuilderDatasourceFieldsList::TvxQueryBuilderDatasourceFieldsList(TvxQueryBuilderDataSourceControl* Box)
    : QListWidget(Box), FBox(Box) {
  setObjectName(QStringLiteral("FieldsList"));
  setFrameShape(QFrame::NoFrame);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTextElideMode(Qt::ElideRight);
  setUniformItemSizes(true);
  setItemDelegate(new TvxFieldRowDelegate(this));
  // Tab walks the diagram's items (TvxWorkAreaKeyboard), not Qt's chain of lists.
  setFocusPolicy(Qt::ClickFocus);
  GetWorkArea()->GetKeyboard()->Attach(this);
  connect(this, &QListWidget::itemChanged, this, &TvxQueryBuilderDatasourceFieldsList::ClickCheck);
  // Lines meet the rows they join, or the list's edge when a row is scrolled out of view.
  connect(verticalScrollBar(), &QScrollBar::valueChanged, FBox, &TvxQueryBuilderDataSourceControl::LinksMoved);

  FDrag = new TvxMouseDrag(viewport(), GDragThreshold);
  FDrag->OnCanStartDrag = [this](const QPoint& Point) {
    FDraggedRow = IsLoading() ? -1 : RowAt(viewport()->mapTo(this, Point));
    return FDraggedRow >= 0;
  };
}

TvxDatasource* TvxQueryBuilderDatasourceFieldsList::GetDatasource() const { return FBox->GetDatasource(); }

TvxQueryBuilderWorkArea* TvxQueryBuilderDatasourceFieldsList::GetWorkArea() const { return FBox->GetWorkArea(); }

TvxQueryBuilderDatasourceFieldsList* TvxQueryBuilderDatasourceFieldsList::FromDragSource(QObject* Source) {
  if (Source == nullptr) return nullptr;
  if (auto* List = qobject_cast<TvxQueryBuilderDatasourceFieldsList*>(Source)) return List;
  return qobject_cast<TvxQueryBuilderDatasourceFieldsList*>(Source->parent());
}

std::string TvxQueryBuilderDatasourceFieldsList::FieldOfRow(int Row) const {
  const QListWidgetItem* Row0OrField = item(Row);
  if (Row <= 0 || Row0OrField == nullptr) return std::string();
  return Row0OrField->text().toStdString();
}

int TvxQueryBuilderDatasourceFieldsList::RowAt(const QPoint& Point) const {
  const QListWidgetItem* Item = itemAt(viewport()->mapFrom(this, Point));
  return Item != nullptr ? row(Item) : -1;
}

int TvxQueryBuilderDatasourceFieldsList::GetItemHeight() const {
  return std::max(fontMetrics().height() + 3, style()->pixelMetric(QStyle::PM_IndicatorHeight) + 3);
}

bool TvxQueryBuilderDatasourceFieldsList::IsLoading() const {
  const TvxQueryBuilder* QueryBuilder = GetDatasource()->GetQueryBuilder();
  return QueryBuilder != nullptr && QueryBuilder->IsSQLLoading();
}

// --- rows and marks ----------------------------------------------------------------------------

void TvxQueryBuilderDatasourceFieldsList::SetFields(const QStringList& Fields) {
  const bool Setting = std::exchange(FSettingChecks, true);
  clear();
  for (const QString& Field : Fields) {
    auto* Row = new QListWidgetItem(Field, this);
    Row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    Row->setCheckState(Qt::Unchecked);
    // Long names are cut at the box's edge; the whole name is a hover away.
    Row->setToolTip(Field);
  }
  FSettingChecks = Setting;
}

void TvxQueryBuilderDatasourceFieldsList::UpdateChecks() {
  const TvxDatasource* Datasource = GetDatasource();
  const bool Setting = std::exchange(FSettingChecks, true);
  if (count() > 0 && Datasource->IsFieldChecked(std::string())) item(0)->setCheckState(Qt::Checked);
  for (int Row = 1; Row < count(); ++Row)
    item(Row)->setCheckState(Datasource->IsFieldChecked(FieldOfRow(Row)) ? Qt::Checked : Qt::Unchecked);
  FSettingChecks = Setting;
}

void TvxQueryBuilderDatasourceFieldsList::ClickCheck(QListWidgetItem* Item) {
  if (FSettingChecks) return;
  const std::string Field = FieldOfRow(row(Item));
  const bool Checked = Item->checkState() == Qt::Checked;
  TvxDatasource* Datasource = GetDatasource();
  if (!IsLoading()) vx::RunReported(Datasource->GetQueryBuilder(), [&] { Datasource->CheckField(Field, Checked); });
  // The marks show what the select list holds, also after a refusal; Item may be gone by now.
  UpdateChecks();
}

// --- the mouse and keys ------------------------------------------------------------------------

void TvxQueryBuilderDatasourceFieldsList::mousePressEvent(QMouseEvent* Event) {
  FBox->BringToFront();
  if (IsLoading()) {
    Event->accept();
    return;
  }
  QListWidget::mousePressEvent(Event);
}

void TvxQueryBuilderDatasourceFieldsList::mouseReleaseEvent(QMouseEvent* Event) {
  // The release is where a check box toggles.
  if (IsLoading()) {
    Event->accept();
    return;
  }
  QListWidget::mouseReleaseEvent(Event);
}

void TvxQueryBuilderDatasourceFieldsList::mouseDoubleClickEvent(QMouseEvent* Event) {
  if (IsLoading()) {
    Event->accept();
    return;
  }
  QListWidget::mouseDoubleClickEvent(Event);
}

void TvxQueryBuilderDatasourceFieldsList::keyPressEvent(QKeyEvent* Event) {
  if (Event->key() == Qt::Key_Delete && Event->modifiers() == Qt::NoModifier && FBox->IsFocusedControl()) {
    Event->accept();
    FBox->Close();
    return;
  }
  QListWidget::keyPressEvent(Event);
}

void TvxQueryBuilderDatasourceFieldsList::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
  FBox->ShowMenu(Event->globalPos());
}

void TvxQueryBuilderDatasourceFieldsList::wheelEvent(QWheelEvent* Event) {
  if (Event->modifiers() & Qt::ControlModifier) {
    Event->ignore();
    return;
  }
  QListWidget::wheelEvent(Event);
}

void TvxQueryBuilderDatasourceFieldsList::focusInEvent(QFocusEvent* Event) {
  QListWidget::focusInEvent(Event);
  FBox->ListFocused();
  viewport()->update();
}

void TvxQueryBuilderDatasourceFieldsList::focusOutEvent(QFocusEvent* Event) {
  QListWidget::focusOutEvent(Event);
  viewport()->update();
}

// --- dropping a field on a field ---------------------------------------------------------------

bool TvxQueryBuilderDatasourceFieldsList::CanLinkFrom(const TvxQueryBuilderDatasourceFieldsList* From, int FromRow,
                                                      int Row) const {
  // A condition joins two tables and names a column on either side: not a table with itself,
  // not all columns.
  return From != nullptr && From != this && From->GetWorkArea() == GetWorkArea() && FromRow > 0 && Row > 0;
}

void TvxQueryBuilderDatasourceFieldsList::LinkFrom(const TvxQueryBuilderDatasourceFieldsList* From, int FromRow,
                                                   int Row) {
  if (!CanLinkFrom(From, FromRow, Row)) return;
  TvxDatasource* Left = From->GetDatasource();
  TvxDatasource* Right = GetDatasource();
  const std::string LeftField = From->FieldOfRow(FromRow), RightField = FieldOfRow(Row);
  TvxUnionSubQuery* Operand = Right->GetOwningOperand();
  if (Operand == nullptr) return;
  vx::RunReported(Right->GetQueryBuilder(), [&] { Operand->AddLink(Left, LeftField, Right, RightField); });
}

void TvxQueryBuilderDatasourceFieldsList::DragOver(QObject* Source, const QPoint& Point, bool& Accept) {
  const TvxQueryBuilderDatasourceFieldsList* From = FromDragSource(Source);
  Accept = From != nullptr && CanLinkFrom(From, From->GetDraggedRow(), RowAt(Point));
}

void TvxQueryBuilderDatasourceFieldsList::DragDrop(QObject* Source, const QPoint& Point) {
  const TvxQueryBuilderDatasourceFieldsList* From = FromDragSource(Source);
  if (From != nullptr) LinkFrom(From, From->GetDraggedRow(), RowAt(Point));
}
