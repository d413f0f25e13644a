// A metadata provider that reads a Qt SQL connection directly: what a Qt host reaches for first.
#pragma once

#include "vxBaseMetadataProvider.h"
#include "vxQtSqlCatalog.h"

#include <QString>

// Answers from the QSqlDatabase connection registered under ConnectionName. SQLite and
// PostgreSQL are read from their catalogs (with foreign keys); any other Qt SQL driver through
// Qt's generic table list (without relations).
//
// Names are returned unqualified, as the database spells them; objects of a Schema other than
// the connection's default are added to a query qualified with it (GetObjectsSchema). Errors of
// the database (a connection that cannot open, a statement it cannot describe) raise
// EvxDatabaseError; with an empty ConnectionName every list stays empty. Statements are
// described without being run, which only SQLite and PostgreSQL connections allow: with another
// driver every field list stays empty.
class TvxQtSqlMetadataProvider : public TvxBaseMetadataProvider {
  Q_OBJECT
  // The name under which the connection was added with QSqlDatabase::addDatabase; default
  // empty (no connection). A closed connection is opened on first use.
  Q_PROPERTY(QString ConnectionName READ GetConnectionName WRITE SetConnectionName NOTIFY ConnectionNameChanged)
  // The schema whose tables and views are listed; default empty: the connection's default
  // schema ("main" in SQLite, current_schema() in PostgreSQL).
  Q_PROPERTY(QString Schema READ GetSchema WRITE SetSchema NOTIFY SchemaChanged)

public:
  explicit TvxQtSqlMetadataProvider(QObject* Owner = nullptr) : TvxBaseMetadataProvider(Owner) {}

  const QString& GetConnectionName() const { return FConnectionName; }
  void SetConnectionName(const QString& ConnectionName);
  const QString& GetSchema() const { return FSchema; }
  void SetSchema(const QString& Schema);

  void GetTableNames(TvxStringList& Names, bool System) override;
  void GetViewNames(TvxStringList& Names, bool System) override;
  void GetFields(const std::string& SQL, TvxStringList& Fields) override;
  // Appends one relation per foreign key in which the table is the referenced side (sorted by
  // referencing table and key), then one per key it holds (sorted by referenced table and key);
  // field pairs in key order. Relations is cleared first. A self-reference appears from both
  // sides.
  void GetTableRelations(const TSQLDatabaseObject& TableName, TSQLMetadataRelationList& Relations) override;
  // The connection's driver decides (TvxQtSqlCatalog::GetNameFolding); nfNone without one.
  TvxNameFolding GetNameFolding() const override;
  // Schema, when it is set and not the connection's default schema.
  std::string GetObjectsSchema() const override;

public slots:
  // Forgets what was cached about the database's foreign keys. Not needed after schema changes
  // made through SQL (the cache notices them); meant for a connection re-pointed elsewhere.
  void InvalidateCache() { FIndex.Invalidate(); }

signals:
  void ConnectionNameChanged();
  void SchemaChanged();

private:
  void GetObjectNames(TvxStringList& Names, bool System, bool Views);

  QString FConnectionName;
  QString FSchema;
  TvxForeignKeyIndex FIndex;
};

// Appends to Relations one relation per key of Keys (rows of one key are adjacent, in ordinal
// order), sorted by SortTable (the table on the other side), key name and ordinal. Names are
// made with the dialect of TableName. Shared by the providers that read a catalog.
void vxAppendRelations(const TSQLDatabaseObject& TableName, TvxForeignKeyColumns Keys, bool SortByPKTable,
                       TSQLMetadataRelationList& Relations);
