#include "vxQBPageControl.h"

#include "vxQBPaneKeys.h"
#include "vxQBQueryTabSheet.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"

#include <QTabBar>

TvxQueryBuiderPageControl::TvxQueryBuiderPageControl(TvxQueryBuilder* QueryBuilder)
    : QTabWidget(QueryBuilder), FQueryBuilder(QueryBuilder) {
  setObjectName(QStringLiteral("PageControl"));
  // Sub-query captions are cut at 25 characters already; eliding them again would hide the
  // part that tells two sub-queries apart.
  setElideMode(Qt::ElideNone);
  setUsesScrollButtons(true);
  connect(this, &QTabWidget::currentChanged, this, &TvxQueryBuiderPageControl::PageChanged);
  new TvxPaneKeys(this);
}

void TvxQueryBuiderPageControl::InsertSheet(TvxQueryTabSheet* Sheet) {
  int Index = 0;
  for (int I = 0; I < FQueryBuilder->GetSubQueriesCount(); ++I) {
    TvxSubQuery* SubQuery = FQueryBuilder->GetSubQueries(I);
    if (SubQuery == Sheet->GetSubQuery()) break;
    if (SubQuery->GetQueryPage() != nullptr && indexOf(SubQuery->GetQueryPage()) >= 0) ++Index;
  }
  insertTab(Index, Sheet, QString());
}

void TvxQueryBuiderPageControl::PageChanged(int Index) {
  // While the controls are torn down, tabs go one by one and the bar passes its current tab on;
  // that is no choice of the user.
  if (FQueryBuilder->IsDestroying() || !FQueryBuilder->GetControlsCreated()) return;
  if (auto* Sheet = qobject_cast<TvxQueryTabSheet*>(widget(Index)))
    FQueryBuilder->SetActiveSubquery(Sheet->GetSubQuery());
}
