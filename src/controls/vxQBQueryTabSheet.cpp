#include "vxQBQueryTabSheet.h"

#include "vxQBUnionNavBar.h"
#include "vxQBUnionSubQueryTabSheet.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QAbstractScrollArea>
#include <QEvent>

namespace {
constexpr int GNavBarMargin = 4;
}

TvxQueryTabSheet::TvxQueryTabSheet(TvxSubQuery* SubQuery)
    : FSubQuery(SubQuery), FQueryBuilder(SubQuery->GetQueryBuilder()) {
  setObjectName(QStringLiteral("QueryTabSheet"));
  FNavBar = new TvxUnionNavBar(this);
}

void TvxQueryTabSheet::AlignUnionNavbar() {
  FNavBar->AlignControls();
  PlaceNavBar();
}

void TvxQueryTabSheet::PlaceNavBar() {
  const TvxUnionSubQuery* Active = FSubQuery->GetActiveUnionSubquery();
  const auto* Page = Active != nullptr ? dynamic_cast<const TvxUnionPageView*>(Active->GetUnionPage()) : nullptr;
  QWidget* Area = Page != nullptr ? Page->GetWorkArea() : nullptr;
  // The diagram's visible part, without its scroll bars; the whole sheet before it exists.
  QRect Bounds = rect();
  if (Area != nullptr) {
    // A resize of the diagram (the splitter) moves a bottom corner.
    Area->installEventFilter(this);
    const auto* Scroll = qobject_cast<const QAbstractScrollArea*>(Area);
    const QWidget* Visible = Scroll != nullptr ? Scroll->viewport() : Area;
    Bounds = QRect(Visible->mapTo(this, QPoint(0, 0)), Visible->size());
  }
  Bounds.adjust(GNavBarMargin, GNavBarMargin, -GNavBarMargin, -GNavBarMargin);
  const TvxUnionNavBarPosition Corner = FQueryBuilder != nullptr ? FQueryBuilder->GetUnionNavBarPos() : unbTopRight;
  const bool Right = Corner == unbTopRight || Corner == unbBottomRight;
  const bool Bottom = Corner == unbBottomRight || Corner == unbBottomLeft;
  FNavBar->move(Right ? Bounds.right() + 1 - FNavBar->width() : Bounds.left(),
                Bottom ? Bounds.bottom() + 1 - FNavBar->height() : Bounds.top());
  FNavBar->raise();
}

bool TvxQueryTabSheet::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::Resize || Event->type() == QEvent::Show) PlaceNavBar();
  return QWidget::eventFilter(Watched, Event);
}

void TvxQueryTabSheet::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  // The union pages lie on top of each other; showing one hides none of the others' geometry.
  for (auto* Page : findChildren<TvxUnionSubQueryTabSheet*>(QString(), Qt::FindDirectChildrenOnly))
    Page->setGeometry(rect());
  PlaceNavBar();
}
