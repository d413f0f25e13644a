// The metadata provider that reads a BDE database's table list.
#pragma once

#include "vxBDE.h"
#include "vxBaseMetadataProvider.h"

class TvxBDEMetadataProvider : public TvxLinkedMetadataProvider {
  Q_OBJECT
  // A link, no default. Cleared when the database component is destroyed (and by the
  // destructor).
  Q_PROPERTY(TDatabase* Connection READ GetConnection WRITE SetConnection NOTIFY ConnectionChanged)

public:
  using TvxLinkedMetadataProvider::TvxLinkedMetadataProvider;

  TDatabase* GetConnection() const { return static_cast<TDatabase*>(GetLinkedComponent()); }
  void SetConnection(TDatabase* Connection) { SetLinkedComponent(Connection); }

  // The engine's table list; views never appear among tables. Engine errors propagate as
  // EDBEngineError, errors opening the database as EvxDatabaseError.
  void GetTableNames(TvxStringList& Names, bool System) override;
  // The views of the table list; System has no effect.
  void GetViewNames(TvxStringList& Names, bool System) override;
  void GetFields(const std::string& SQL, TvxStringList& FieldNames) override;
  // The engine knows no relations: Relations is cleared and stays empty.
  void GetTableRelations(const TSQLDatabaseObject& TableName, TSQLMetadataRelationList& Relations) override;
  // The driver decides (TvxQtSqlCatalog::GetNameFolding); nfNone without a database.
  TvxNameFolding GetNameFolding() const override;
  // The database's SCHEMA NAME when it is not the connection's default schema.
  std::string GetObjectsSchema() const override;

private:
  void ReadTableList(TvxStringList& Names, bool System, bool Views);
};
