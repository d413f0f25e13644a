#include "vxQBEventMetaProvider.h"

#include "vxASTNames.h"

void TvxEventMetadataProvider::GetTableNames(TvxStringList& Names, bool System) {
  Names.Clear();
  if (OnGetTableNames) OnGetTableNames(this, Names, System);
}

void TvxEventMetadataProvider::GetViewNames(TvxStringList& Names, bool System) {
  Names.Clear();
  if (OnGetViewNames) OnGetViewNames(this, Names, System);
}

void TvxEventMetadataProvider::GetFields(const std::string& SQL, TvxStringList& FieldNames) {
  FieldNames.Clear();
  if (OnGetSQLFieldNames) OnGetSQLFieldNames(this, SQL, FieldNames);
}

void TvxEventMetadataProvider::GetTableRelations(const TSQLDatabaseObject& TableName,
                                                 TSQLMetadataRelationList& Relations) {
  Relations.clear();
  if (OnGetTableRelations) OnGetTableRelations(this, TableName, Relations);
}
