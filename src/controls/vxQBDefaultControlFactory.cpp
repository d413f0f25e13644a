#include "vxQBDefaultControlFactory.h"

#include "vxAddObject.h"
#include "vxDatasourceProps.h"
#include "vxLinkProps.h"
#include "vxQBDataSourceControl.h"
#include "vxQBLinkControl.h"
#include "vxQBPageControl.h"
#include "vxQBQueryTabSheet.h"
#include "vxQBSelectListControl.h"
#include "vxQBUnionNavBar.h"
#include "vxQBUnionNavItems.h"
#include "vxQBUnionSubQueryTabSheet.h"
#include "vxQBWorkArea.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxQuerySelectList.h"
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

namespace {

TvxQueryBuilderWorkArea* WorkAreaOf(const TvxUnionSubQuery* Operand) {
  return Operand != nullptr ? qobject_cast<TvxQueryBuilderWorkArea*>(Operand->GetWorkArea()) : nullptr;
}

// The navigation bar of the sheet of Item's sub-query; null before the sheet exists.
TvxUnionNavBar* NavBarOf(const TvxQueryBase* Item) {
  const TvxSubQuery* SubQuery = Item->GetRootQuery();
  auto* Sheet = SubQuery != nullptr ? qobject_cast<TvxQueryTabSheet*>(SubQuery->GetQueryPage()) : nullptr;
  return Sheet != nullptr ? Sheet->GetNavBar() : nullptr;
}

}  // namespace

QWidget* TvxDefaultControlFactory::CreateDatasourceControl(TvxDatasource* Datasource) {
  TvxQueryBuilderWorkArea* WorkArea = WorkAreaOf(Datasource->GetOwningOperand());
  return WorkArea != nullptr ? new TvxQueryBuilderDataSourceControl(Datasource, WorkArea) : nullptr;
}

QWidget* TvxDefaultControlFactory::CreateLinkControl(TvxLink* Link) {
  TvxQueryBuilderWorkArea* WorkArea = WorkAreaOf(Link->GetUnionSubQuery());
  return WorkArea != nullptr ? new TvxQueryBuilderLinkControl(Link, WorkArea) : nullptr;
}

QWidget* TvxDefaultControlFactory::CreateUnionButton(TvxUnionSubQuery* Operand) {
  TvxUnionNavBar* Bar = NavBarOf(Operand);
  return Bar != nullptr ? new TvxUnionButton(Operand, Bar) : nullptr;
}

QWidget* TvxDefaultControlFactory::CreateUnionOperator(TvxQueryBase* Item) {
  TvxUnionNavBar* Bar = NavBarOf(Item);
  return Bar != nullptr ? new TvxUnionOperator(Item, Bar) : nullptr;
}

QWidget* TvxDefaultControlFactory::CreateUnionBracket(TvxUnionGroup* Group, bool Left) {
  TvxUnionNavBar* Bar = NavBarOf(Group);
  return Bar != nullptr ? new TvxBracket(Group, Left, Bar) : nullptr;
}

QWidget* TvxDefaultControlFactory::CreateSelectListGrid(TvxSelectList* SelectList) {
  TvxUnionSubQuery* Operand = SelectList->GetUnionSubQuery();
  auto* Page = Operand != nullptr ? qobject_cast<TvxUnionSubQueryTabSheet*>(Operand->GetUnionPage()) : nullptr;
  return Page != nullptr ? new TvxQueryBuilderSelectListControl(SelectList, Page->GetBottomPanel()) : nullptr;
}

QWidget* TvxDefaultControlFactory::CreateAddObjectForm(TvxQueryBuilder* QueryBuilder) {
  return new TvxAddObjectForm(QueryBuilder);
}

const TvxEditPropsFormClass* TvxDefaultControlFactory::GetLinkPropsFormClass() { return &TvxLinkPropsForm::Class(); }

const TvxEditPropsFormClass* TvxDefaultControlFactory::GetDatasourcePropsFormClass() {
  return &TvxDatasourcePropsForm::Class();
}
