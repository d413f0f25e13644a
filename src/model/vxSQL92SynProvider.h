// The SQL-92 syntax provider component: selects the SQL-92 dialect for the query builders that
// use it, and names the property dialogs of links and datasources.
#pragma once

#include "vxBaseSyntaxProvider.h"

class TvxSQL92SyntaxProvider : public TvxBaseSyntaxProvider {
  Q_OBJECT

public:
  explicit TvxSQL92SyntaxProvider(QObject* Owner = nullptr) : TvxBaseSyntaxProvider(Owner) {}

  // The link dialog for a link, the datasource dialog for a datasource (as the control factory
  // of the object's component makes them), else none.
  const TvxEditPropsFormClass* GetEditPropsFormClass(TvxQueryBuilderControlOwner* Owner) override;

protected:
  // A new TastSQL92SyntaxProvider.
  std::unique_ptr<TastSyntaxProvider> CreateASTSyntaxProvider() override;
};
