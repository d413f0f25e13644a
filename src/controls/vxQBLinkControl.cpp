#include "vxQBLinkControl.h"

#include "vxQBWorkArea.h"
#include "vxQueryBase.h"
#include "vxQueryBuilder.h"
#include "vxQueryLink.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

TvxQueryBuilderLinkControl::TvxQueryBuilderLinkControl(TvxLink* Link, TvxQueryBuilderWorkArea* WorkArea)
    : QWidget(WorkArea->GetCanvas()), FLink(Link), FWorkArea(WorkArea) {
  setObjectName(QStringLiteral("LinkControl"));
  setVisible(false);
  // Lines lie under the boxes; the canvas paints them, the widget only takes the mouse.
  setFocusPolicy(Qt::NoFocus);
  lower();
  UpdateLine();
}

TvxQueryBuilderLinkControl::~TvxQueryBuilderLinkControl() {
  // The widget's own area is only the band it takes clicks in; the marks reach beyond it.
  Repaint();
}

bool TvxQueryBuilderLinkControl::Joins(const TvxDatasource* Datasource) const {
  return Datasource != nullptr && (TvxLink::CalcDatasource(FLink->GetLeftDatasource()) == Datasource ||
                                   TvxLink::CalcDatasource(FLink->GetRightDatasource()) == Datasource);
}

QRect TvxQueryBuilderLinkControl::EndRect(const TvxDatasource* Datasource, const std::string& Field) {
  // A row scrolled out of view is a rectangle without height at the list's edge, not "none".
  const QRect Row = Datasource->CalcFieldRect(Field, true);
  return Row.isNull() ? Datasource->CalcFieldRect(std::string(), true) : Row;
}

void TvxQueryBuilderLinkControl::UpdateLine() {
  const QRect Old = FLaidOut ? geometry() : QRect();
  const TvxDatasource* Left = TvxLink::CalcDatasource(FLink->GetLeftDatasource());
  const TvxDatasource* Right = TvxLink::CalcDatasource(FLink->GetRightDatasource());
  auto HasBox = [](const TvxDatasource* Datasource) {
    return Datasource != nullptr && !Datasource->IsDestroying() && Datasource->GetDSControl() != nullptr;
  };
  FLaidOut = HasBox(Left) && HasBox(Right);
  if (FLaidOut) {
    FLayout = vx::CalcLinkLayout(EndRect(Left, FLink->GetLeftField()), EndRect(Right, FLink->GetRightField()));
    setGeometry(FLayout.Bounds);
    setMask(vx::CalcLinkHitRegion(FLayout.Points, vx::LinkHitTolerance));
  } else {
    // An empty mask would be no mask at all: a line without its boxes takes no room instead.
    setGeometry(QRect());
  }
  if (QWidget* Canvas = parentWidget()) Canvas->update(Old | (FLaidOut ? geometry() : QRect()));
}

void TvxQueryBuilderLinkControl::Repaint() {
  if (FLaidOut && parentWidget() != nullptr) parentWidget()->update(geometry());
}

void TvxQueryBuilderLinkControl::PaintLine(QPainter& Canvas) const {
  if (!FLaidOut) return;
  const TvxQueryBuilder* QueryBuilder = FLink->GetQueryBuilder();
  TvxQueryBuilderLinkPainter* Painter = QueryBuilder != nullptr ? QueryBuilder->GetLinkType() : nullptr;
  if (Painter == nullptr) Painter = &vx::GetDefaultLinkPainter();
  const bool Focused = FWorkArea->GetFocusedControl() == this;
  Painter->PaintLink(Canvas, FLayout.Points, Focused, FLayout.LeftSide, FLayout.RightSide, FLink);
}

// --- the mouse ---------------------------------------------------------------------------------

void TvxQueryBuilderLinkControl::mousePressEvent(QMouseEvent* Event) {
  Event->accept();
  FWorkArea->SetFocusedControl(this);
}

void TvxQueryBuilderLinkControl::mouseDoubleClickEvent(QMouseEvent* Event) {
  Event->accept();
  if (Event->button() != Qt::LeftButton) return;
  vx::RunReported(FLink->GetQueryBuilder(), [this] { FLink->EditPropsEvent(this); });
}

void TvxQueryBuilderLinkControl::contextMenuEvent(QContextMenuEvent* Event) {
  Event->accept();
  FWorkArea->SetFocusedControl(this);
  TvxQueryBuilder* QueryBuilder = FLink->GetQueryBuilder();
  if (QueryBuilder != nullptr && FLink->GetPopupMenu() != nullptr) QueryBuilder->PopupMenuPopup(Event->globalPos());
}
