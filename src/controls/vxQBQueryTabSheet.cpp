#include "vxQBQueryTabSheet.h"

#include "vxQBUnionSubQueryTabSheet.h"
#include "vxQuerySubQuery.h"

TvxQueryTabSheet::TvxQueryTabSheet(TvxSubQuery* SubQuery)
    : FSubQuery(SubQuery), FQueryBuilder(SubQuery->GetQueryBuilder()) {
  setObjectName(QStringLiteral("QueryTabSheet"));
}

void TvxQueryTabSheet::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  // The union pages lie on top of each other; showing one hides none of the others' geometry.
  for (auto* Page : findChildren<TvxUnionSubQueryTabSheet*>(QString(), Qt::FindDirectChildrenOnly))
    Page->setGeometry(rect());
}
