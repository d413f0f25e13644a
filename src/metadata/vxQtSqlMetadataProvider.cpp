#include "vxQtSqlMetadataProvider.h"

#include "vxASTNames.h"

#include <algorithm>

void vxAppendRelations(const TSQLDatabaseObject& TableName, TvxForeignKeyColumns Keys, bool SortByPKTable,
                       TSQLMetadataRelationList& Relations) {
  std::stable_sort(Keys.begin(), Keys.end(), [&](const TvxForeignKeyColumn& A, const TvxForeignKeyColumn& B) {
    const QString& TableA = SortByPKTable ? A.PKTable : A.FKTable;
    const QString& TableB = SortByPKTable ? B.PKTable : B.FKTable;
    if (int C = vxCompareNames(TableA, TableB); C != 0) return C < 0;
    if (int C = vxCompareNames(A.Name, B.Name); C != 0) return C < 0;
    return A.Ordinal < B.Ordinal;
  });
  const TvxForeignKeyColumn* Previous = nullptr;
  for (const TvxForeignKeyColumn& Key : Keys) {
    if (Previous == nullptr || Previous->Name != Key.Name || Previous->FKTable != Key.FKTable)
      Relations.push_back(TSQLMetadataRelation::Create(TableName.GetSyntaxProvider(), Key.PKTable.toStdString(),
                                                       Key.FKTable.toStdString()));
    Relations.back()->AddPair(Key.PKColumn.toStdString(), Key.FKColumn.toStdString());
    Previous = &Key;
  }
}

void TvxQtSqlMetadataProvider::SetConnectionName(const QString& ConnectionName) {
  if (FConnectionName == ConnectionName) return;
  FConnectionName = ConnectionName;
  FIndex.Invalidate();
  emit ConnectionNameChanged();
}

void TvxQtSqlMetadataProvider::SetSchema(const QString& Schema) {
  if (FSchema == Schema) return;
  FSchema = Schema;
  emit SchemaChanged();
}

void TvxQtSqlMetadataProvider::GetObjectNames(TvxStringList& Names, bool System, bool Views) {
  Names.Clear();
  QSqlDatabase Db = TvxQtSqlCatalog::OpenConnection(FConnectionName);
  if (!Db.isValid()) return;
  for (const TvxCatalogObject& Object : TvxQtSqlCatalog(Db, FSchema, &FIndex).GetObjects(System)) {
    const bool Wanted = Views ? Object.Kind == TvxCatalogObjectKind::cokView
                              : Object.Kind == TvxCatalogObjectKind::cokTable ||
                                    (System && Object.Kind == TvxCatalogObjectKind::cokSystemTable);
    if (Wanted) Names.Add(Object.Name.toStdString());
  }
}

void TvxQtSqlMetadataProvider::GetTableNames(TvxStringList& Names, bool System) {
  GetObjectNames(Names, System, false);
}

void TvxQtSqlMetadataProvider::GetViewNames(TvxStringList& Names, bool System) { GetObjectNames(Names, System, true); }

void TvxQtSqlMetadataProvider::GetFields(const std::string& SQL, TvxStringList& Fields) {
  Fields.Clear();
  QSqlDatabase Db = TvxQtSqlCatalog::OpenConnection(FConnectionName);
  if (!Db.isValid()) return;
  for (const QString& Name : TvxQtSqlCatalog(Db, FSchema, &FIndex).DescribeStatement(QString::fromStdString(SQL)))
    Fields.Add(Name.toStdString());
}

void TvxQtSqlMetadataProvider::GetTableRelations(const TSQLDatabaseObject& TableName,
                                                 TSQLMetadataRelationList& Relations) {
  Relations.clear();
  QSqlDatabase Db = TvxQtSqlCatalog::OpenConnection(FConnectionName);
  if (!Db.isValid()) return;
  const TvxQtSqlCatalog Catalog(Db, FSchema, &FIndex);
  const QString Table = QString::fromStdString(GetCatalogName(TableName));
  vxAppendRelations(TableName, Catalog.GetForeignKeys(Table, QString()), false, Relations);
  vxAppendRelations(TableName, Catalog.GetForeignKeys(QString(), Table), true, Relations);
}

TvxNameFolding TvxQtSqlMetadataProvider::GetNameFolding() const {
  if (FConnectionName.isEmpty() || !QSqlDatabase::contains(FConnectionName)) return TvxNameFolding::nfNone;
  // The driver alone decides; the connection need not be open.
  return TvxQtSqlCatalog(QSqlDatabase::database(FConnectionName, false), FSchema, nullptr).GetNameFolding();
}

std::string TvxQtSqlMetadataProvider::GetObjectsSchema() const {
  if (FSchema.isEmpty()) return std::string();
  QSqlDatabase Db = TvxQtSqlCatalog::OpenConnection(FConnectionName);
  if (!Db.isValid()) return std::string();
  return TvxQtSqlCatalog(Db, FSchema, nullptr).GetQualifyingSchema().toStdString();
}
