#include "vxQBLinkControl.h"

#include "vxQBDiagramScale.h"
#include "vxQBFocusPaint.h"
#include "vxQBWorkArea.h"
#include "vxQueryBase.h"
#include "vxQueryBuilder.h"
#include "vxQueryLink.h"

#include <QPainter>

#include <limits>

TvxQueryBuilderLinkControl::TvxQueryBuilderLinkControl(TvxLink* Link, TvxQueryBuilderWorkArea* WorkArea)
    : QWidget(WorkArea->GetCanvas()), FLink(Link), FWorkArea(WorkArea) {
  setObjectName(QStringLiteral("LinkControl"));
  setVisible(false);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(QRect());
  UpdateLine();
}

TvxQueryBuilderLinkControl::~TvxQueryBuilderLinkControl() {
  FWorkArea->ForgetLine(this);
  Repaint();
}

QRect TvxQueryBuilderLinkControl::EndRect(const TvxDatasource* Datasource, const std::string& Field) const {
  // A row scrolled out of view is a rectangle without height at the list's edge, not "none".
  const QRect Row = Datasource->CalcFieldRect(Field, true);
  return FWorkArea->GetScale().ToDiagram(Row.isNull() ? Datasource->CalcFieldRect(std::string(), true) : Row);
}

QRect TvxQueryBuilderLinkControl::GetCanvasBounds() const {
  // A pen a few pixels wide at a large zoom reaches a little beyond the scaled bounds.
  return FWorkArea->GetScale().ToCanvas(FLayout.Bounds).adjusted(-2, -2, 2, 2);
}

double TvxQueryBuilderLinkControl::DistanceTo(const QPointF& Point) const {
  return FLaidOut ? vx::CalcLinkDistance(FLayout.Points, Point - QPointF(FLayout.Bounds.topLeft()))
                  : std::numeric_limits<double>::infinity();
}

void TvxQueryBuilderLinkControl::UpdateLine() {
  const QRect Old = FLaidOut ? GetCanvasBounds() : QRect();
  const TvxDatasource* Left = TvxLink::CalcDatasource(FLink->GetLeftDatasource());
  const TvxDatasource* Right = TvxLink::CalcDatasource(FLink->GetRightDatasource());
  auto HasBox = [](const TvxDatasource* Datasource) {
    return Datasource != nullptr && !Datasource->IsDestroying() && Datasource->GetDSControl() != nullptr;
  };
  FWorkArea->SetLineEnds(this, Left, Right);
  FLaidOut = HasBox(Left) && HasBox(Right);
  if (FLaidOut)
    FLayout = vx::CalcLinkLayout(EndRect(Left, FLink->GetLeftField()), EndRect(Right, FLink->GetRightField()));
  if (QWidget* Canvas = parentWidget()) Canvas->update(Old | (FLaidOut ? GetCanvasBounds() : QRect()));
}

void TvxQueryBuilderLinkControl::Repaint() {
  if (FLaidOut && parentWidget() != nullptr) parentWidget()->update(GetCanvasBounds());
}

void TvxQueryBuilderLinkControl::PaintLine(QPainter& Canvas) const {
  if (!FLaidOut) return;
  const TvxQueryBuilder* QueryBuilder = FLink->GetQueryBuilder();
  TvxQueryBuilderLinkPainter* Painter = QueryBuilder != nullptr ? QueryBuilder->GetLinkType() : nullptr;
  if (Painter == nullptr) Painter = &vx::GetDefaultLinkPainter();
  const bool Focused = FWorkArea->GetFocusedControl() == this;
  // The band marks the focus the same way under every painter's own marks.
  if (Focused) vx::PaintLinkFocus(Canvas, FLayout.Points, FWorkArea->palette());
  Painter->PaintLink(Canvas, FLayout.Points, Focused, FLayout.LeftSide, FLayout.RightSide, FLink);
}

// --- the mouse ---------------------------------------------------------------------------------

void TvxQueryBuilderLinkControl::Press() { FWorkArea->SetFocusedControl(this); }

void TvxQueryBuilderLinkControl::DoubleClick() {
  vx::RunReported(FLink->GetQueryBuilder(), [this] { FLink->EditPropsEvent(this); });
}

void TvxQueryBuilderLinkControl::ShowMenu(const QPoint& Global) {
  FWorkArea->SetFocusedControl(this);
  TvxQueryBuilder* QueryBuilder = FLink->GetQueryBuilder();
  if (QueryBuilder != nullptr && FLink->GetPopupMenu() != nullptr) QueryBuilder->PopupMenuPopup(Global);
}
