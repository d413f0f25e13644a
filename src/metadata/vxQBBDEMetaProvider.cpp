#include "vxQBBDEMetaProvider.h"

#include "vxASTNames.h"

TvxBDEMetadataProvider::~TvxBDEMetadataProvider() { SetConnection(nullptr); }

void TvxBDEMetadataProvider::SetConnection(TDatabase* Connection) {
  if (FConnection == Connection) return;
  if (FConnection) disconnect(FConnection, &QObject::destroyed, this, nullptr);
  FConnection = Connection;
  if (Connection)
    connect(Connection, &QObject::destroyed, this, [this] {
      FConnection = nullptr;
      emit ConnectionChanged();
    });
  emit ConnectionChanged();
}

void TvxBDEMetadataProvider::ReadTableList(TvxStringList& Names, bool System, bool Views) {
  Names.Clear();
  if (!FConnection) return;
  FConnection->Open();
  hDBICur Cursor = nullptr;
  Check(DbiOpenTableList(FConnection->GetHandle(), false, System, nullptr, &Cursor));
  TBLBaseDesc Desc;
  while (DbiGetNextRecord(Cursor, dbiNOLOCK, &Desc, nullptr) == DBIERR_NONE)
    if (Desc.bView == Views) Names.Add(Desc.szName);
  DbiCloseCursor(&Cursor);
}

void TvxBDEMetadataProvider::GetTableNames(TvxStringList& Names, bool System) { ReadTableList(Names, System, false); }

void TvxBDEMetadataProvider::GetViewNames(TvxStringList& Names, bool System) { ReadTableList(Names, false, true); }

void TvxBDEMetadataProvider::GetFields(const std::string& SQL, TvxStringList& FieldNames) {
  FieldNames.Clear();
  if (!FConnection) return;
  TQuery Query;
  Query.SetDatabaseName(FConnection->GetDatabaseName());
  Query.SQL.Text = QString::fromStdString(SQL);
  Query.FieldDefs.Update();
  for (const TFieldDef& Def : Query.FieldDefs) FieldNames.Add(Def.Name.toStdString());
}

void TvxBDEMetadataProvider::GetTableRelations(const TSQLDatabaseObject& TableName,
                                               TSQLMetadataRelationList& Relations) {
  Relations.clear();
}
