#include "vxQBBDEMetaProvider.h"

#include "vxASTNames.h"

void TvxBDEMetadataProvider::ReadTableList(TvxStringList& Names, bool System, bool Views) {
  Names.Clear();
  TDatabase* Database = GetConnection();
  if (!Database) return;
  Database->Open();
  hDBICur Cursor = nullptr;
  Check(DbiOpenTableList(Database->GetHandle(), false, System, nullptr, &Cursor));
  TBLBaseDesc Desc;
  while (DbiGetNextRecord(Cursor, dbiNOLOCK, &Desc, nullptr) == DBIERR_NONE)
    if (Desc.bView == Views) Names.Add(Desc.szName);
  DbiCloseCursor(&Cursor);
}

void TvxBDEMetadataProvider::GetTableNames(TvxStringList& Names, bool System) { ReadTableList(Names, System, false); }

void TvxBDEMetadataProvider::GetViewNames(TvxStringList& Names, bool System) { ReadTableList(Names, false, true); }

void TvxBDEMetadataProvider::GetFields(const std::string& SQL, TvxStringList& FieldNames) {
  FieldNames.Clear();
  if (!GetConnection()) return;
  TQuery Query;
  Query.SetDatabaseName(GetConnection()->GetDatabaseName());
  Query.SQL.Text = QString::fromStdString(SQL);
  Query.FieldDefs.Update();
  for (const TFieldDef& Def : Query.FieldDefs) FieldNames.Add(Def.Name.toStdString());
}

void TvxBDEMetadataProvider::GetTableRelations(const TSQLDatabaseObject& TableName,
                                               TSQLMetadataRelationList& Relations) {
  Relations.clear();
}

TvxNameFolding TvxBDEMetadataProvider::GetNameFolding() const {
  const TDatabase* Database = GetConnection();
  return Database != nullptr ? Database->GetNameFolding() : TvxNameFolding::nfNone;
}

std::string TvxBDEMetadataProvider::GetObjectsSchema() const {
  TDatabase* Database = GetConnection();
  return Database != nullptr ? Database->GetQualifyingSchema().toStdString() : std::string();
}
