#include "vxSQL92SynProvider.h"

#include "vxQBControlFactory.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxSQL92SyntaxProvider.h"

std::unique_ptr<TastSyntaxProvider> TvxSQL92SyntaxProvider::CreateASTSyntaxProvider() {
  return std::make_unique<TastSQL92SyntaxProvider>();
}

const TvxEditPropsFormClass* TvxSQL92SyntaxProvider::GetEditPropsFormClass(TvxQueryBuilderControlOwner* Owner) {
  // The dialogs are widgets: the component's control factory has them, as it has the controls.
  TvxQueryBuilder* QueryBuilder = Owner != nullptr ? Owner->GetQueryBuilder() : nullptr;
  if (QueryBuilder == nullptr) return TvxBaseSyntaxProvider::GetEditPropsFormClass(Owner);
  if (qobject_cast<TvxLink*>(Owner) != nullptr) return QueryBuilder->GetControlFactory().GetLinkPropsFormClass();
  if (qobject_cast<TvxDatasource*>(Owner) != nullptr)
    return QueryBuilder->GetControlFactory().GetDatasourcePropsFormClass();
  return TvxBaseSyntaxProvider::GetEditPropsFormClass(Owner);
}
