#include "vxQBADOMetaProvider.h"

#include "vxASTNames.h"

#include <climits>
#include <memory>

void TvxADOMetadataProvider::ReadTablesRowset(TvxStringList& Names,
                                              const std::function<bool(const QString& Type)>& Wanted) {
  TADOConnection* Connection = GetConnection();
  if (!Connection) {
    Names.Clear();
    return;
  }
  Connection->Open();
  auto DataSet = std::make_unique<TADODataSet>();
  Connection->OpenSchema(siTables, {}, DataSet.get());
  Names.Clear();
  for (DataSet->First(); !DataSet->Eof(); DataSet->Next())
    if (Wanted(DataSet->FieldByName(QStringLiteral("TABLE_TYPE")).AsString()))
      Names.Add(DataSet->FieldByName(QStringLiteral("TABLE_NAME")).AsString().toStdString());
}

void TvxADOMetadataProvider::GetTableNames(TvxStringList& Names, bool System) {
  ReadTablesRowset(Names, [System](const QString& Type) {
    return Type == QLatin1String("TABLE") || (System && Type == QLatin1String("SYSTEM TABLE"));
  });
}

void TvxADOMetadataProvider::GetViewNames(TvxStringList& Names, bool System) {
  ReadTablesRowset(Names, [](const QString& Type) { return Type == QLatin1String("VIEW"); });
}

void TvxADOMetadataProvider::GetFields(const std::string& SQL, TvxStringList& FieldNames) {
  FieldNames.Clear();
  if (!GetConnection()) return;
  auto DataSet = std::make_unique<TADODataSet>();
  DataSet->SetConnection(GetConnection());
  DataSet->SetCommandText(QString::fromStdString(SQL));
  DataSet->FieldDefs.Update();
  for (const TFieldDef& Def : DataSet->FieldDefs) FieldNames.Add(Def.Name.toStdString());
}

// Rows of one key are adjacent after sorting, its ORDINAL rising: a row whose ORDINAL does not
// exceed the previous one starts the next key.
void TvxADOMetadataProvider::ReadRelations(TADODataSet& DataSet, const TSQLDatabaseObject& TableName,
                                           const QVariantList& Restrictions, const QString& Sort,
                                           TSQLMetadataRelationList& Relations) {
  GetConnection()->OpenSchema(siForeignKeys, Restrictions, &DataSet);
  if (DataSet.IsEmpty()) return;
  DataSet.SetSort(Sort);
  int PreviousOrdinal = INT_MAX;
  TSQLMetadataRelation* Relation = nullptr;
  for (DataSet.First(); !DataSet.Eof(); DataSet.Next()) {
    const int Ordinal = DataSet.FieldByName(QStringLiteral("ORDINAL")).AsInteger();
    if (Ordinal <= PreviousOrdinal) {
      Relations.push_back(TSQLMetadataRelation::Create(
          TableName.GetSyntaxProvider(), DataSet.FieldByName(QStringLiteral("PK_TABLE_NAME")).AsString().toStdString(),
          DataSet.FieldByName(QStringLiteral("FK_TABLE_NAME")).AsString().toStdString()));
      Relation = Relations.back().get();
    }
    Relation->AddPair(DataSet.FieldByName(QStringLiteral("PK_COLUMN_NAME")).AsString().toStdString(),
                      DataSet.FieldByName(QStringLiteral("FK_COLUMN_NAME")).AsString().toStdString());
    PreviousOrdinal = Ordinal;
  }
}

void TvxADOMetadataProvider::GetTableRelations(const TSQLDatabaseObject& TableName,
                                               TSQLMetadataRelationList& Relations) {
  if (!GetConnection()) return;
  auto DataSet = std::make_unique<TADODataSet>();
  const QVariant Null;
  const QString Name = QString::fromStdString(GetCatalogName(TableName));
  try {
    ReadRelations(*DataSet, TableName, {Null, Null, Name, Null, Null, Null},
                  QStringLiteral("FK_TABLE_NAME, FK_NAME, ORDINAL"), Relations);
    ReadRelations(*DataSet, TableName, {Null, Null, Null, Null, Null, Name},
                  QStringLiteral("PK_TABLE_NAME, FK_NAME, ORDINAL"), Relations);
  } catch (...) {
    // A provider without the foreign-keys rowset simply has no relations to offer; what was
    // read before the failure stays.
  }
}

TvxNameFolding TvxADOMetadataProvider::GetNameFolding() const {
  TADOConnection* Connection = GetConnection();
  return Connection != nullptr ? Connection->GetNameFolding() : TvxNameFolding::nfNone;
}
