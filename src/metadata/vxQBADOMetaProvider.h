// The metadata provider that reads an ADO connection's schema rowsets.
#pragma once

#include "vxADO.h"
#include "vxBaseMetadataProvider.h"

class TvxADOMetadataProvider : public TvxLinkedMetadataProvider {
  Q_OBJECT
  // A link, no default. Cleared when the connection is destroyed (and by the destructor).
  Q_PROPERTY(TADOConnection* Connection READ GetConnection WRITE SetConnection NOTIFY ConnectionChanged)

public:
  using TvxLinkedMetadataProvider::TvxLinkedMetadataProvider;

  TADOConnection* GetConnection() const { return static_cast<TADOConnection*>(GetLinkedComponent()); }
  void SetConnection(TADOConnection* Connection) { SetLinkedComponent(Connection); }

  // Tables and views come from the tables rowset; errors of the connection propagate.
  void GetTableNames(TvxStringList& Names, bool System) override;
  void GetViewNames(TvxStringList& Names, bool System) override;
  // The statement's field definitions, read without running it; errors propagate.
  void GetFields(const std::string& SQL, TvxStringList& FieldNames) override;
  // Appends (never clears) one relation per key from the foreign-keys rowset: first those
  // referring to the table, then those the table holds. Every error is swallowed, keeping the
  // relations read until then.
  void GetTableRelations(const TSQLDatabaseObject& TableName, TSQLMetadataRelationList& Relations) override;
  // The connection's driver decides (TvxQtSqlCatalog::GetNameFolding); nfNone without one.
  TvxNameFolding GetNameFolding() const override;

private:
  void ReadTablesRowset(TvxStringList& Names, const std::function<bool(const QString& Type)>& Wanted);
  void ReadRelations(TADODataSet& DataSet, const TSQLDatabaseObject& TableName, const QVariantList& Restrictions,
                     const QString& Sort, TSQLMetadataRelationList& Relations);
};
