#include "vxQBSelectListControl.h"

#include "vxQBDatasourceFieldsList.h"
#include "vxQBSelectListGridDelegate.h"
#include "vxQBSelectListGridModel.h"
#include "vxQBSelectListInplaceEdit.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQuerySelectList.h"
#include "vxQueryUnionSubQuery.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

namespace {

constexpr int GDragThreshold = 4;

// The title row: as high as the grid's design says, whatever the style's header would take.
class TvxTitleRow : public QHeaderView {
public:
  explicit TvxTitleRow(QWidget* Parent) : QHeaderView(Qt::Horizontal, Parent) {}
  QSize sizeHint() const override {
    return QSize(QHeaderView::sizeHint().width(), TvxQueryBuilderSelectListControl::TitleHeight);
  }
};

int ColumnWidth(int Column) {
  static const int Widths[] = {TvxQueryBuilderSelectListControl::IndicatorWidth, 40, 100, 70, 90, 90, 90};
  return Column < slcCriteria ? Widths[Column] : 90;
}

}  // namespace

TvxQueryBuilderSelectListControl::TvxQueryBuilderSelectListControl(TvxSelectList* List, QWidget* Parent)
    : QTableView(Parent), FSelectList(List) {
  setObjectName(QStringLiteral("SelectListGrid"));
  // First: setting the model already moves the current cell, which places the editor.
  FEditor = new TvxQueryBuilderSelectListInplaceEdit(this);
  FModel = new TvxSelectListGridModel(this);
  setHorizontalHeader(new TvxTitleRow(this));
  setModel(FModel);
  setItemDelegate(new TvxSelectListGridDelegate(this));
  setFrameShape(QFrame::NoFrame);
  // The current cell is all there is to choose; it is framed, not selected (see the delegate).
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  QHeaderView* Titles = horizontalHeader();
  Titles->setSectionResizeMode(QHeaderView::Interactive);
  Titles->setSectionsClickable(false);
  Titles->setHighlightSections(false);
  Titles->setMinimumSectionSize(IndicatorWidth);
  Titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QHeaderView* Lines = verticalHeader();
  Lines->hide();
  Lines->setMinimumSectionSize(LineHeight);
  Lines->setDefaultSectionSize(LineHeight);
  Lines->setSectionResizeMode(QHeaderView::Fixed);
  connect(FModel, &QAbstractItemModel::columnsInserted, this,
          [this](const QModelIndex&, int First, int Last) { ApplyColumnWidths(First, Last); });
  connect(Titles, &QHeaderView::sectionResized, this, &TvxQueryBuilderSelectListControl::PlaceEditor);

  FRowDrag = new TvxMouseDrag(viewport(), GDragThreshold);
  FRowDrag->OnCanStartDrag = [this](const QPoint& Point) {
    const QModelIndex Pressed = indexAt(Point);
    const bool OnRow = Pressed.isValid() && Pressed.column() == slcIndicator && Pressed.row() < FSelectList->GetCount();
    FDraggedRow = OnRow ? Pressed.row() : -1;
    return FDraggedRow >= 0;
  };
  connect(FRowDrag, &TvxMouseDrag::dragFinished, this, [this] { FDraggedRow = -1; });

  // A new grid has its columns and one empty line until the list fills it.
  SetGridLines({TvxSelectListGridLine()}, TvxSelectList::FixedGridColumns + TvxSelectList::MinCriteriaColumns);
  setCurrentIndex(FModel->index(0, slcOutput));
  if (Parent->layout() != nullptr) Parent->layout()->addWidget(this);
}

TvxQueryBuilder* TvxQueryBuilderSelectListControl::GetQueryBuilder() const { return FSelectList->GetQueryBuilder(); }

void TvxQueryBuilderSelectListControl::SetFlatChecks(bool Value) {
  if (Value == FFlatChecks) return;
  FFlatChecks = Value;
  viewport()->update();
}

QRect TvxQueryBuilderSelectListControl::GetCheckRect(int Row) const {
  return TvxSelectListGridDelegate::CheckRect(this, visualRect(FModel->index(Row, slcOutput)));
}

void TvxQueryBuilderSelectListControl::ApplyColumnWidths(int First, int Last) {
  // The design's widths, widened where the title would not fit in the font at hand.
  const QFontMetrics Metrics(horizontalHeader()->font());
  const int Margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, horizontalHeader()) + 2;
  for (int Column = First; Column <= Last; ++Column) {
    const QString Title = FModel->headerData(Column, Qt::Horizontal).toString();
    setColumnWidth(Column, std::max(ColumnWidth(Column), Metrics.horizontalAdvance(Title) + Margins));
  }
}

TvxSelectItem* TvxQueryBuilderSelectListControl::CurrentItem() const { return FModel->GetItem(currentIndex().row()); }

// --- what the select list fills ----------------------------------------------------------------

void TvxQueryBuilderSelectListControl::SetGridLines(std::vector<TvxSelectListGridLine> Lines, int ColumnCount) {
  FModel->SetLines(std::move(Lines), ColumnCount);
  RefreshEditor();
}

void TvxQueryBuilderSelectListControl::SetGridLine(int GridRow, TvxSelectListGridLine Line) {
  FModel->SetLine(GridRow - 1, std::move(Line));
  if (GridRow - 1 == currentIndex().row()) RefreshEditor();
}

void TvxQueryBuilderSelectListControl::SetGridColumnCount(int ColumnCount) { FModel->SetColumnCount(ColumnCount); }

int TvxQueryBuilderSelectListControl::GetGridColumnCount() const { return FModel->columnCount(); }

int TvxQueryBuilderSelectListControl::GetGridLineCount() const { return FModel->rowCount(); }

TvxSelectItem* TvxQueryBuilderSelectListControl::GetGridLineItem(int GridRow) const {
  return FModel->GetItem(GridRow - 1);
}

// --- the editor --------------------------------------------------------------------------------

void TvxQueryBuilderSelectListControl::UpdateEditorState() {
  const QModelIndex Current = currentIndex();
  TvxSelectItem* Item = FModel->GetItem(Current.row());
  if (!Current.isValid() || !FSelectList->CanEditCell(Current.column(), Item)) {
    HideEditor();
    return;
  }
  if (!FEditor->isVisible() || !FEditor->IsModified())
    FEditor->Open(FModel->GetText(Current.row(), Current.column()), FSelectList->GetEditStyle(Current.column(), Item));
  PlaceEditor();
  const bool GridHasFocus = hasFocus() || isAncestorOf(QApplication::focusWidget());
  FEditor->show();
  if (GridHasFocus) FEditor->setFocus(Qt::OtherFocusReason);
}

void TvxQueryBuilderSelectListControl::HideEditor() {
  // Hiding a focused child would pass the focus on as Tab does, which moves the current cell:
  // the focus is dropped first and given to the grid after.
  QWidget* Focused = QApplication::focusWidget();
  const bool HadFocus = FEditor->isAncestorOf(Focused);
  if (HadFocus) Focused->clearFocus();
  FEditor->hide();
  if (HadFocus) setFocus(Qt::OtherFocusReason);
}

void TvxQueryBuilderSelectListControl::RefreshEditor() {
  if (FEditor->isVisible() && FEditor->IsModified()) return;
  HideEditor();
  UpdateEditorState();
}

void TvxQueryBuilderSelectListControl::PlaceEditor() {
  if (currentIndex().isValid()) FEditor->setGeometry(visualRect(currentIndex()));
}

void TvxQueryBuilderSelectListControl::updateGeometries() {
  QTableView::updateGeometries();
  PlaceEditor();
}

bool TvxQueryBuilderSelectListControl::CommitEditor() {
  const QModelIndex Current = currentIndex();
  TvxSelectItem* Item = CurrentItem();
  if (!FEditor->isVisible() || Item == nullptr) return true;
  const std::string Text = vx::FromQString(FEditor->GetText());
  const QPointer<TvxQueryBuilderSelectListControl> Self(this);
  try {
    FSelectList->SetEditText(Current.column(), Item, Text);
  } catch (const std::exception& Error) {
    if (Self) FEditor->setFocus(Qt::OtherFocusReason);
    vx::ReportActionError(Self ? GetQueryBuilder() : nullptr, Error);
    return false;
  }
  if (!Self) return true;
  // The cell shows what the row made of the text ("5" becomes "=5").
  FEditor->Open(FModel->GetText(Current.row(), Current.column()),
                FSelectList->GetEditStyle(Current.column(), CurrentItem()));
  return true;
}

void TvxQueryBuilderSelectListControl::RestoreEditor() {
  const QModelIndex Current = currentIndex();
  if (!FEditor->isVisible()) return;
  FEditor->Open(FModel->GetText(Current.row(), Current.column()),
                FSelectList->GetEditStyle(Current.column(), CurrentItem()));
}

void TvxQueryBuilderSelectListControl::EditButtonClick() {
  TvxSelectItem* Item = CurrentItem();
  if (Item == nullptr) return;
  const QToolButton* Button = FEditor->GetEditButton();
  const QPoint Corner = Button->mapToGlobal(Button->rect().bottomLeft());
  const int Column = currentIndex().column();
  vx::RunReported(GetQueryBuilder(), [&] { FSelectList->EditCellSubQueries(Column, *Item, Corner); });
}

void TvxQueryBuilderSelectListControl::GetPickListItems(QStringList& Items) const {
  Items.clear();
  const TvxSelectItem* Item = CurrentItem();
  if (Item == nullptr) return;
  TvxStringList Strings;
  FSelectList->GetPickList(currentIndex().column(), *Item, Strings);
  for (const std::string& Text : Strings) Items.append(vx::ToQString(Text));
}

void TvxQueryBuilderSelectListControl::MoveFromEditor(QKeyEvent* Event) {
  if (!CommitEditor()) return;
  QTableView::keyPressEvent(Event);
}

bool TvxQueryBuilderSelectListControl::MoveCurrent(const QModelIndex& Index) {
  if (Index == currentIndex()) return true;
  if (FEditor->isVisible() && FEditor->IsModified() && !CommitEditor()) return false;
  setCurrentIndex(Index);
  return true;
}

void TvxQueryBuilderSelectListControl::currentChanged(const QModelIndex& Current, const QModelIndex& Previous) {
  QTableView::currentChanged(Current, Previous);
  // The indicator marks the current row.
  if (Previous.row() != Current.row()) {
    viewport()->update(visualRect(FModel->index(Previous.row(), slcIndicator)));
    viewport()->update(visualRect(FModel->index(Current.row(), slcIndicator)));
  }
  HideEditor();
  UpdateEditorState();
}

// --- mouse and keys ----------------------------------------------------------------------------

void TvxQueryBuilderSelectListControl::ToggleOutput(int Row) {
  TvxSelectItem* Item = FModel->GetItem(Row);
  if (Item == nullptr || !Item->IsCanSelect()) return;
  vx::RunReported(GetQueryBuilder(), [Item] { Item->SetSelect(!Item->GetSelect()); });
}

void TvxQueryBuilderSelectListControl::mousePressEvent(QMouseEvent* Event) {
  Event->accept();
  const QPoint Point = Event->position().toPoint();
  const QModelIndex Pressed = indexAt(Point);
  const bool OneButton = Event->buttons() == Event->button();
  if (Pressed.isValid() && OneButton && (Event->button() == Qt::LeftButton || Event->button() == Qt::RightButton)) {
    // The indicator chooses the row and keeps the column.
    const int Column =
        Pressed.column() == slcIndicator ? std::max<int>(currentIndex().column(), slcOutput) : Pressed.column();
    if (!MoveCurrent(FModel->index(Pressed.row(), Column))) return;
  }
  if (Pressed.isValid() && Pressed.column() == slcOutput && Event->button() == Qt::LeftButton &&
      Event->modifiers() == Qt::NoModifier && GetCheckRect(Pressed.row()).contains(Point))
    ToggleOutput(Pressed.row());
  UpdateEditorState();
}

// A double click comes as a second press, as it does for a grid without double clicks.
void TvxQueryBuilderSelectListControl::mouseDoubleClickEvent(QMouseEvent* Event) { mousePressEvent(Event); }

// Presses choose cells; a drag selects no range (the indicator's drag moves rows).
void TvxQueryBuilderSelectListControl::mouseMoveEvent(QMouseEvent* Event) { Event->accept(); }

void TvxQueryBuilderSelectListControl::mouseReleaseEvent(QMouseEvent* Event) {
  Event->accept();
  UpdateEditorState();
}

void TvxQueryBuilderSelectListControl::keyPressEvent(QKeyEvent* Event) {
  const QModelIndex Current = currentIndex();
  if (Event->key() == Qt::Key_Space && Event->modifiers() == Qt::NoModifier && Current.column() == slcOutput) {
    ToggleOutput(Current.row());
    Event->accept();
    return;
  }
  if (Event->key() == Qt::Key_Escape) {
    RestoreEditor();
    Event->accept();
    return;
  }
  // Typing reaches only a cell that takes text, through its editor; no search by first letter.
  if (!Event->text().isEmpty() && Event->text().at(0).isPrint()) {
    Event->accept();
    return;
  }
  QTableView::keyPressEvent(Event);
}

void TvxQueryBuilderSelectListControl::focusInEvent(QFocusEvent* Event) {
  QTableView::focusInEvent(Event);
  if (FEditor->isVisible()) FEditor->setFocus(Event->reason());
}

void TvxQueryBuilderSelectListControl::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
  const QModelIndex Pressed = indexAt(Event->pos());
  TvxSelectItem* Item = Pressed.column() == slcIndicator ? FModel->GetItem(Pressed.row()) : nullptr;
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (Item == nullptr || QueryBuilder == nullptr) return;
  const QPoint Global = Event->globalPos();
  vx::RunReported(QueryBuilder, [&] {
    if (Item->GetPopupMenu() != nullptr) QueryBuilder->PopupMenuPopup(Global);
  });
}

// --- the library's drag ------------------------------------------------------------------------

int TvxQueryBuilderSelectListControl::LineAt(const QPoint& Point) const {
  const QPoint InViewport = viewport()->mapFrom(this, Point);
  if (InViewport.y() < 0) return -1;
  const int Row = rowAt(InViewport.y());
  return Row < 0 ? FModel->rowCount() : Row;
}

void TvxQueryBuilderSelectListControl::DragOver(QObject* Source, const QPoint& Point, bool& Accept) {
  if (Source == viewport() && FDraggedRow >= 0) {
    const int Line = LineAt(Point);
    Accept = Line >= 0 && Line < FModel->rowCount();
    return;
  }
  const auto* Fields = TvxQueryBuilderDatasourceFieldsList::FromDragSource(Source);
  const TvxDatasource* Datasource = Fields != nullptr ? Fields->GetDatasource() : nullptr;
  // Only fields of the boxes on this grid's own diagram.
  Accept = Datasource != nullptr && Datasource->GetUnionSubQuery() == FSelectList->GetUnionSubQuery();
}

void TvxQueryBuilderSelectListControl::DragDrop(QObject* Source, const QPoint& Point) {
  const int Line = LineAt(Point);
  if (Source == viewport() && FDraggedRow >= 0) {
    const int From = FDraggedRow;
    // The trailing empty line stands for the end of the list.
    const int To = std::min(Line, FSelectList->GetCount() - 1);
    const int Column = currentIndex().column();
    vx::RunReported(GetQueryBuilder(), [&] { FSelectList->Move(From, To); });
    setCurrentIndex(FModel->index(To, Column));
    return;
  }
  const auto* Fields = TvxQueryBuilderDatasourceFieldsList::FromDragSource(Source);
  if (Fields == nullptr) return;
  TvxDatasource* Datasource = Fields->GetDatasource();
  // Empty for row 0: all columns of the datasource.
  const std::string Name = Fields->GetDraggedField();
  const TvxSelectItem* Before = FModel->GetItem(Line);
  vx::RunReported(GetQueryBuilder(), [&] { FSelectList->DropField(Datasource, Name, Before); });
}
