// Reads a database's catalog through Qt SQL: its tables and views, the result columns of a
// statement and its foreign keys. The Qt SQL, ADO and BDE providers all answer from here, so
// the three agree on every database.
//
// SQLite and PostgreSQL are read from their own catalogs; any other Qt SQL driver through
// QSqlDatabase::tables() (and without foreign keys or result columns).
//
// Describing a statement never runs it: the text of a FROM source is the user's, and a table
// named ") x, (SELECT f()) y--" must not call f. SQLite and PostgreSQL compile it without running
// it (sqlite3_prepare_v2; PQprepare and PQdescribePrepared on the unnamed statement). Another
// driver offers no such path, so its statements are not described at all (CanDescribe).
#pragma once

#include "vxBaseMetadataProvider.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

enum class TvxCatalogObjectKind { cokTable, cokView, cokSystemTable };

struct TvxCatalogObject {
  QString Name;
  TvxCatalogObjectKind Kind;
};

// One column pair of a foreign key.
struct TvxForeignKeyColumn {
  QString Name;  // the constraint's name; SQLite keeps none, so there "<table>_fk<n>"
  QString PKTable;
  QString PKColumn;
  QString FKTable;
  QString FKColumn;
  int Ordinal = 0;  // 1-based position of the pair within its key
};
using TvxForeignKeyColumns = std::vector<TvxForeignKeyColumn>;

enum class TvxCatalogDialect { cdSQLite, cdPostgreSQL, cdGeneric };

// SQLite can only list the keys a table holds, not the keys that refer to it; finding those
// means reading every table's keys. This index does that once and keeps the result until the
// database's schema version (or the file or schema asked about) changes. One index serves
// one connection; the providers own theirs.
class TvxForeignKeyIndex {
public:
  void Invalidate() { FStateKey.clear(); }

private:
  friend class TvxQtSqlCatalog;
  QString FStateKey;  // empty: nothing cached
  TvxForeignKeyColumns FAll;
  QHash<QString, std::vector<int>> FByReferenced;  // upper-cased referenced table -> rows of FAll
};

class TvxQtSqlCatalog {
public:
  // Db must be open. Schema empty means the connection's default schema. Index may be null
  // (then SQLite's referenced-side look-ups read every table's keys each time).
  TvxQtSqlCatalog(QSqlDatabase Db, const QString& Schema, TvxForeignKeyIndex* Index);

  // The connection named ConnectionName, opened when it is closed; an invalid QSqlDatabase when
  // ConnectionName is empty. EvxDatabaseError when no such connection exists or it cannot be
  // opened.
  static QSqlDatabase OpenConnection(const QString& ConnectionName);

  TvxCatalogDialect GetDialect() const { return FDialect; }
  // The schema asked about; the default one is read from the connection on first use.
  const QString& GetSchema() const;

  // The tables and views of the schema, sorted by name; system tables only with System.
  std::vector<TvxCatalogObject> GetObjects(bool System) const;
  // The result column names of SQL, found without running it: nothing of it is executed, no
  // row is fetched. Empty where the driver cannot compile a statement without running it
  // (CanDescribe false). EvxDatabaseError when the database refuses the statement, and when this
  // build does not know the native connection handle of a SQLite or PostgreSQL connection
  // (rather than running the statement to learn its columns).
  QStringList DescribeStatement(const QString& SQL) const;
  // Whether DescribeStatement can answer on this connection: SQLite and PostgreSQL, whose native
  // connection handle this build found by the driver's type name for it.
  bool CanDescribe() const;
  // The type name of the driver's native connection handle that DescribeStatement looks for:
  // "sqlite3*" for SQLite, "pg_conn*" for PostgreSQL (Qt 6 names the handle after the struct
  // behind libpq's PGconn). Empty for any other driver.
  static const char* NativeHandleTypeName(TvxCatalogDialect Dialect);
  // How the server spells unquoted names: PostgreSQL in lower case; Oracle, DB2 and InterBase in
  // upper case; SQLite and the others as written.
  TvxNameFolding GetNameFolding() const;
  // The schema asked about when it is not the connection's default one (so that names must be
  // qualified with it to reach its objects), else empty.
  QString GetQualifyingSchema() const;
  bool SupportsForeignKeys() const { return FDialect != TvxCatalogDialect::cdGeneric; }
  // Foreign-key pairs restricted to a referenced table and/or a referencing table (empty: any),
  // sorted by referencing table, key name and ordinal. Table names are matched as the
  // database matches unquoted names (case-insensitively in SQLite; in PostgreSQL exactly,
  // else folded to lower case). Empty for a driver without foreign keys.
  TvxForeignKeyColumns GetForeignKeys(const QString& PKTable, const QString& FKTable) const;

private:
  QString DefaultSchema() const;
  std::vector<TvxCatalogObject> GetSQLiteObjects(bool System) const;
  std::vector<TvxCatalogObject> GetPostgreSQLObjects(bool System) const;
  std::vector<TvxCatalogObject> GetGenericObjects(bool System) const;
  TvxForeignKeyColumns GetSQLiteKeysOf(const QString& FKTable) const;
  const TvxForeignKeyIndex& GetSQLiteIndex(TvxForeignKeyIndex& Index) const;
  void BuildSQLiteIndex(TvxForeignKeyIndex& Index) const;
  QStringList GetSQLitePrimaryKey(const QString& Table) const;
  QString ResolvePostgreSQLName(const QString& Table) const;
  TvxForeignKeyColumns GetPostgreSQLKeys(const QString& PKTable, const QString& FKTable) const;
  QStringList DescribeSQLite(const QByteArray& Text) const;
  QStringList DescribePostgreSQL(const QByteArray& Text) const;
  QString SQLiteSchemaPrefix() const;

  QSqlDatabase FDb;
  TvxCatalogDialect FDialect;
  mutable QString FSchema;  // empty until known
  TvxForeignKeyIndex* FIndex;
};

// How the server behind the Qt SQL driver DriverName (QPSQL, QSQLITE, QOCI, ...) spells unquoted
// names, as TvxQtSqlCatalog::GetNameFolding says for an open connection.
TvxNameFolding vxDriverNameFolding(const QString& DriverName);

// The order of names in every list the providers sort: case-insensitive, ties broken exactly,
// as ADO sorts text. Negative, zero or positive.
int vxCompareNames(const QString& A, const QString& B);

// Raises EvxDatabaseError with What and the database's own message.
[[noreturn]] void vxRaiseDatabaseError(const QString& What, const QString& DatabaseMessage);
