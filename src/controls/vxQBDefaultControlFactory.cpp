#include "vxQBDefaultControlFactory.h"

#include "vxQueryBuilder.h"

#include <QTabWidget>

namespace vx {

TvxQueryBuilderControlFactory& GetDefaultControlFactory() {
  static TvxDefaultControlFactory Factory;
  return Factory;
}

}  // namespace vx

QTabWidget* TvxDefaultControlFactory::CreatePageControl(TvxQueryBuilder* QueryBuilder) {
  auto* PageControl = new QTabWidget(QueryBuilder);
  PageControl->setObjectName(QStringLiteral("PageControl"));
  return PageControl;
}

QWidget* TvxDefaultControlFactory::CreateQueryTabSheet(TvxSubQuery*) { return nullptr; }

QWidget* TvxDefaultControlFactory::CreateUnionPage(TvxUnionSubQuery*) { return nullptr; }

// The navigation bar, the diagram's boxes and lines and the select-list grid have no widgets yet.
QWidget* TvxDefaultControlFactory::CreateUnionButton(TvxUnionSubQuery*) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateUnionOperator(TvxQueryBase*) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateUnionBracket(TvxUnionGroup*, bool) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateDatasourceControl(TvxDatasource*) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateLinkControl(TvxLink*) { return nullptr; }
QWidget* TvxDefaultControlFactory::CreateSelectListGrid(TvxSelectList*) { return nullptr; }
