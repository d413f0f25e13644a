#include "vxSQL92SynProvider.h"

#include "vxSQL92SyntaxProvider.h"

std::unique_ptr<TastSyntaxProvider> TvxSQL92SyntaxProvider::CreateASTSyntaxProvider() {
  return std::make_unique<TastSQL92SyntaxProvider>();
}

const TvxEditPropsFormClass* TvxSQL92SyntaxProvider::GetEditPropsFormClass(TvxQueryBuilderControlOwner* Owner) {
  // The link and datasource dialogs answer here once the link (TvxLink) and datasource
  // (TvxDatasource) models and their dialogs (TvxLinkPropsForm, TvxDatasourcePropsForm) are
  // part of the library: a qobject_cast of Owner to each model class picks the dialog's class
  // record. Every other object has no properties dialog.
  return TvxBaseSyntaxProvider::GetEditPropsFormClass(Owner);
}
