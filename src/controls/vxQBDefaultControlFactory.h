// The widget layer's control factory: the controls every component gets unless its host gives
// it another factory. Derive from it to replace one kind of control and keep the others.
#pragma once

#include "vxQBControlFactory.h"

class TvxDefaultControlFactory : public TvxQueryBuilderControlFactory {
public:
  QTabWidget* CreatePageControl(TvxQueryBuilder* QueryBuilder) override;
  QWidget* CreateQueryTabSheet(TvxSubQuery* SubQuery) override;
  QWidget* CreateUnionPage(TvxUnionSubQuery* Operand) override;
  QWidget* CreateUnionButton(TvxUnionSubQuery* Operand) override;
  QWidget* CreateUnionOperator(TvxQueryBase* Item) override;
  QWidget* CreateUnionBracket(TvxUnionGroup* Group, bool Left) override;
  QWidget* CreateDatasourceControl(TvxDatasource* Datasource) override;
  QWidget* CreateLinkControl(TvxLink* Link) override;
  QWidget* CreateSelectListGrid(TvxSelectList* SelectList) override;
};
