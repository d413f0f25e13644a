#include "vxQBDefaultControlFactory.h"

#include "vxQBPageControl.h"
#include "vxQBQueryTabSheet.h"
#include "vxQBUnionSubQueryTabSheet.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

namespace vx {

TvxQueryBuilderControlFactory& GetDefaultControlFactory() {
  static TvxDefaultControlFactory Factory;
  return Factory;
}

}  // namespace vx

QTabWidget* TvxDefaultControlFactory::CreatePageControl(TvxQueryBuilder* QueryBuilder) {
  return new TvxQueryBuiderPageControl(QueryBuilder);
}

QWidget* TvxDefaultControlFactory::CreateQueryTabSheet(TvxSubQuery* SubQuery) {
  TvxQueryBuilder* QueryBuilder = SubQuery->GetQueryBuilder();
  auto* PageControl =
      QueryBuilder != nullptr ? qobject_cast<TvxQueryBuiderPageControl*>(QueryBuilder->GetPageControl()) : nullptr;
  if (PageControl == nullptr) return nullptr;
  auto* Sheet = new TvxQueryTabSheet(SubQuery);
  PageControl->InsertSheet(Sheet);
  return Sheet;
}

QWidget* TvxDefaultControlFactory::CreateUnionPage(TvxUnionSubQuery* Operand) {
  TvxSubQuery* SubQuery = Operand->GetRootQuery();
  auto* Sheet = SubQuery != nullptr ? qobject_cast<TvxQueryTabSheet*>(SubQuery->GetQueryPage()) : nullptr;
  return Sheet != nullptr ? new TvxUnionSubQueryTabSheet(Operand, Sheet) : nullptr;
}

// The navigation bar, the diagram's boxes and lines and the select-list grid have no widgets yet.
QWidget* TvxDefaultControlFactory::CreateUnionButton(TvxUnionSubQuery*) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateUnionOperator(TvxQueryBase*) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateUnionBracket(TvxUnionGroup*, bool) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateDatasourceControl(TvxDatasource*) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateLinkControl(TvxLink*) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateSelectListGrid(TvxSelectList*) { return nullptr; }
