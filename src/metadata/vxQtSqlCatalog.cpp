#include "vxQtSqlCatalog.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

#ifdef VX_HAVE_SQLITE3
#include <sqlite3.h>
#endif
#ifdef VX_HAVE_LIBPQ
#include <libpq-fe.h>
#endif

namespace {

QString ErrorText(const QSqlError& Error) {
  QString Text = Error.databaseText().trimmed();
  if (Text.isEmpty()) Text = Error.text().trimmed();
  if (Text.isEmpty()) Text = QStringLiteral("unknown error");
  return Text;
}

// Prepares and runs Sql with positional Values; raises What with the database's message.
QSqlQuery Run(const QSqlDatabase& Db, const QString& Sql, const QVariantList& Values, const QString& What) {
  QSqlQuery Query(Db);
  Query.setForwardOnly(true);
  if (!Query.prepare(Sql)) vxRaiseDatabaseError(What, ErrorText(Query.lastError()));
  for (const QVariant& Value : Values) Query.addBindValue(Value);
  if (!Query.exec()) vxRaiseDatabaseError(What, ErrorText(Query.lastError()));
  return Query;
}

QString QuoteIdentifier(const QString& Name) {
  QString Quoted = Name;
  Quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
  return QLatin1Char('"') + Quoted + QLatin1Char('"');
}

void SortKeys(TvxForeignKeyColumns& Keys) {
  std::stable_sort(Keys.begin(), Keys.end(), [](const TvxForeignKeyColumn& A, const TvxForeignKeyColumn& B) {
    if (int C = vxCompareNames(A.FKTable, B.FKTable); C != 0) return C < 0;
    if (int C = vxCompareNames(A.Name, B.Name); C != 0) return C < 0;
    return A.Ordinal < B.Ordinal;
  });
}

QString SQLiteKeyName(const QString& Table, int Id) {
  return QStringLiteral("%1_fk%2").arg(Table).arg(Id, 3, 10, QLatin1Char('0'));
}

}  // namespace

TvxNameFolding vxDriverNameFolding(const QString& DriverName) {
  const QString Driver = DriverName.toUpper();
  if (Driver.startsWith(QLatin1String("QPSQL"))) return TvxNameFolding::nfLower;
  if (Driver.startsWith(QLatin1String("QOCI")) || Driver.startsWith(QLatin1String("QDB2")) ||
      Driver.startsWith(QLatin1String("QIBASE")))
    return TvxNameFolding::nfUpper;
  return TvxNameFolding::nfNone;
}

int vxCompareNames(const QString& A, const QString& B) {
  if (int C = A.compare(B, Qt::CaseInsensitive); C != 0) return C;
  return A.compare(B);
}

void vxRaiseDatabaseError(const QString& What, const QString& DatabaseMessage) {
  throw EvxDatabaseError((What + QStringLiteral(": ") + DatabaseMessage).toStdString());
}

TvxQtSqlCatalog::TvxQtSqlCatalog(QSqlDatabase Db, const QString& Schema, TvxForeignKeyIndex* Index)
    : FDb(std::move(Db)), FIndex(Index) {
  switch (FDb.driver() ? FDb.driver()->dbmsType() : QSqlDriver::UnknownDbms) {
    case QSqlDriver::SQLite:
      FDialect = TvxCatalogDialect::cdSQLite;
      break;
    case QSqlDriver::PostgreSQL:
      FDialect = TvxCatalogDialect::cdPostgreSQL;
      break;
    default:
      FDialect = TvxCatalogDialect::cdGeneric;
      break;
  }
  FSchema = Schema;
}

const QString& TvxQtSqlCatalog::GetSchema() const {
  if (FSchema.isEmpty()) FSchema = DefaultSchema();
  return FSchema;
}

QSqlDatabase TvxQtSqlCatalog::OpenConnection(const QString& ConnectionName) {
  if (ConnectionName.isEmpty()) return QSqlDatabase();
  if (!QSqlDatabase::contains(ConnectionName))
    vxRaiseDatabaseError(QStringLiteral("Cannot use the database connection \"%1\"").arg(ConnectionName),
                         QStringLiteral("no connection of that name is registered"));
  QSqlDatabase Db = QSqlDatabase::database(ConnectionName, false);
  if (!Db.isOpen() && !Db.open())
    vxRaiseDatabaseError(QStringLiteral("Cannot open the database connection \"%1\"").arg(ConnectionName),
                         ErrorText(Db.lastError()));
  return Db;
}

QString TvxQtSqlCatalog::DefaultSchema() const {
  switch (FDialect) {
    case TvxCatalogDialect::cdSQLite:
      return QStringLiteral("main");
    case TvxCatalogDialect::cdPostgreSQL: {
      QSqlQuery Query =
          Run(FDb, QStringLiteral("SELECT current_schema()"), {}, QStringLiteral("Cannot read the schema"));
      // current_schema() is NULL when the search path names no existing schema.
      if (Query.next() && !Query.value(0).isNull()) return Query.value(0).toString();
      return QStringLiteral("public");
    }
    case TvxCatalogDialect::cdGeneric:
      break;
  }
  return QString();
}

// --- tables and views ------------------------------------------------------------------------

std::vector<TvxCatalogObject> TvxQtSqlCatalog::GetObjects(bool System) const {
  std::vector<TvxCatalogObject> Objects;
  switch (FDialect) {
    case TvxCatalogDialect::cdSQLite:
      Objects = GetSQLiteObjects(System);
      break;
    case TvxCatalogDialect::cdPostgreSQL:
      Objects = GetPostgreSQLObjects(System);
      break;
    case TvxCatalogDialect::cdGeneric:
      Objects = GetGenericObjects(System);
      break;
  }
  std::stable_sort(Objects.begin(), Objects.end(), [](const TvxCatalogObject& A, const TvxCatalogObject& B) {
    return vxCompareNames(A.Name, B.Name) < 0;
  });
  return Objects;
}

QString TvxQtSqlCatalog::SQLiteSchemaPrefix() const { return QuoteIdentifier(GetSchema()) + QLatin1Char('.'); }

std::vector<TvxCatalogObject> TvxQtSqlCatalog::GetSQLiteObjects(bool System) const {
  std::vector<TvxCatalogObject> Objects;
  QSqlQuery Query = Run(FDb,
                        QStringLiteral("SELECT name, type FROM %1sqlite_master WHERE type IN ('table', 'view')")
                            .arg(SQLiteSchemaPrefix()),
                        {}, QStringLiteral("Cannot list the tables of schema \"%1\"").arg(GetSchema()));
  while (Query.next()) {
    const QString Name = Query.value(0).toString();
    if (Query.value(1).toString() == QLatin1String("view")) {
      Objects.push_back({Name, TvxCatalogObjectKind::cokView});
    } else if (Name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)) {
      // sqlite_sequence, sqlite_stat1...: kept by the engine itself.
      if (System) Objects.push_back({Name, TvxCatalogObjectKind::cokSystemTable});
    } else {
      Objects.push_back({Name, TvxCatalogObjectKind::cokTable});
    }
  }
  // The catalog table does not list itself.
  if (System) {
    const bool Temp = GetSchema().compare(QLatin1String("temp"), Qt::CaseInsensitive) == 0;
    Objects.push_back({Temp ? QStringLiteral("sqlite_temp_master") : QStringLiteral("sqlite_master"),
                       TvxCatalogObjectKind::cokSystemTable});
  }
  return Objects;
}

std::vector<TvxCatalogObject> TvxQtSqlCatalog::GetPostgreSQLObjects(bool System) const {
  std::vector<TvxCatalogObject> Objects;
  // Partitions are left out: queries name their parent table. System tables live in pg_catalog,
  // which every search path includes, so their plain names work in a FROM clause.
  QString Sql = QStringLiteral(
      "SELECT c.relname, c.relkind IN ('v', 'm'), n.nspname <> ? FROM pg_catalog.pg_class c "
      "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
      "WHERE NOT c.relispartition AND ((n.nspname = ? AND c.relkind IN ('r', 'p', 'f', 'v', 'm'))");
  if (System) Sql += QStringLiteral(" OR (n.nspname = 'pg_catalog' AND c.relkind IN ('r', 'p'))");
  Sql += QLatin1Char(')');
  QSqlQuery Query = Run(FDb, Sql, {GetSchema(), GetSchema()},
                        QStringLiteral("Cannot list the tables of schema \"%1\"").arg(GetSchema()));
  while (Query.next()) {
    const TvxCatalogObjectKind Kind = Query.value(2).toBool()   ? TvxCatalogObjectKind::cokSystemTable
                                      : Query.value(1).toBool() ? TvxCatalogObjectKind::cokView
                                                                : TvxCatalogObjectKind::cokTable;
    Objects.push_back({Query.value(0).toString(), Kind});
  }
  return Objects;
}

std::vector<TvxCatalogObject> TvxQtSqlCatalog::GetGenericObjects(bool System) const {
  std::vector<TvxCatalogObject> Objects;
  const auto Add = [&](QSql::TableType Type, TvxCatalogObjectKind Kind) {
    for (const QString& Name : FDb.tables(Type)) Objects.push_back({Name, Kind});
    if (FDb.lastError().isValid())
      vxRaiseDatabaseError(QStringLiteral("Cannot list the tables"), ErrorText(FDb.lastError()));
  };
  Add(QSql::Tables, TvxCatalogObjectKind::cokTable);
  Add(QSql::Views, TvxCatalogObjectKind::cokView);
  if (System) Add(QSql::SystemTables, TvxCatalogObjectKind::cokSystemTable);
  return Objects;
}

// --- result columns --------------------------------------------------------------------------

const char* TvxQtSqlCatalog::NativeHandleTypeName(TvxCatalogDialect Dialect) {
  switch (Dialect) {
    case TvxCatalogDialect::cdSQLite:
      return "sqlite3*";
    case TvxCatalogDialect::cdPostgreSQL:
      // libpq declares "typedef struct pg_conn PGconn", and Qt 6 names a pointer type after what
      // the compiler calls it, so the handle is a "pg_conn*", not a "PGconn*".
      return "pg_conn*";
    case TvxCatalogDialect::cdGeneric:
      break;
  }
  return "";
}

namespace {

// The connection's native handle when it is of the type named TypeName, else null.
template <class THandle>
THandle* NativeHandle(const QSqlDatabase& Db, const char* TypeName) {
  const QVariant Handle = Db.driver() ? Db.driver()->handle() : QVariant();
  if (!Handle.isValid() || *TypeName == '\0' || qstrcmp(Handle.typeName(), TypeName) != 0) return nullptr;
  return *static_cast<THandle* const*>(Handle.constData());
}

}  // namespace

bool TvxQtSqlCatalog::CanDescribe() const {
  switch (FDialect) {
#ifdef VX_HAVE_SQLITE3
    case TvxCatalogDialect::cdSQLite:
      return NativeHandle<sqlite3>(FDb, NativeHandleTypeName(FDialect)) != nullptr;
#endif
#ifdef VX_HAVE_LIBPQ
    case TvxCatalogDialect::cdPostgreSQL:
      return NativeHandle<PGconn>(FDb, NativeHandleTypeName(FDialect)) != nullptr;
#endif
    default:
      return false;
  }
}

TvxNameFolding TvxQtSqlCatalog::GetNameFolding() const {
  switch (FDb.driver() ? FDb.driver()->dbmsType() : QSqlDriver::UnknownDbms) {
    case QSqlDriver::PostgreSQL:
      return TvxNameFolding::nfLower;
    case QSqlDriver::Oracle:
    case QSqlDriver::DB2:
    case QSqlDriver::Interbase:
      return TvxNameFolding::nfUpper;
    default:
      return TvxNameFolding::nfNone;
  }
}

QString TvxQtSqlCatalog::GetQualifyingSchema() const {
  if (FSchema.isEmpty() || FDialect == TvxCatalogDialect::cdGeneric) return QString();
  const QString Default = DefaultSchema();
  // SQLite compares schema names without regard to case; PostgreSQL's are exact.
  const bool Same =
      FDialect == TvxCatalogDialect::cdSQLite ? FSchema.compare(Default, Qt::CaseInsensitive) == 0 : FSchema == Default;
  return Same ? QString() : FSchema;
}

// Asks the engine itself to compile the statement and name its columns: nothing runs, no row is
// read, and names come out exactly as the engine reports them (duplicates included, which a
// wrapping derived table would rename or reject).
QStringList TvxQtSqlCatalog::DescribeStatement(const QString& SQL) const {
  const QByteArray Text = SQL.toUtf8();
  switch (FDialect) {
    case TvxCatalogDialect::cdSQLite:
      return DescribeSQLite(Text);
    case TvxCatalogDialect::cdPostgreSQL:
      return DescribePostgreSQL(Text);
    case TvxCatalogDialect::cdGeneric:
      break;
  }
  // No driver-independent way compiles a statement without running it: describe nothing.
  return QStringList();
}

namespace {

[[noreturn]] void RaiseUnknownHandle(const QSqlDatabase& Db, const char* Expected) {
  const QVariant Handle = Db.driver() ? Db.driver()->handle() : QVariant();
  vxRaiseDatabaseError(
      QStringLiteral("Cannot describe the statement"),
      QStringLiteral("the %1 driver's connection handle is a \"%2\", not the \"%3\" this build can compile "
                     "statements with, and the statement is not run to learn its columns")
          .arg(Db.driverName(), QString::fromLatin1(Handle.isValid() ? Handle.typeName() : "nothing"),
               QString::fromLatin1(Expected)));
}

}  // namespace

QStringList TvxQtSqlCatalog::DescribeSQLite(const QByteArray& Text) const {
  QStringList Names;
  const QString What = QStringLiteral("Cannot describe the statement");
#ifdef VX_HAVE_SQLITE3
  sqlite3* Connection = NativeHandle<sqlite3>(FDb, NativeHandleTypeName(FDialect));
  if (Connection == nullptr) RaiseUnknownHandle(FDb, NativeHandleTypeName(FDialect));
  sqlite3_stmt* Statement = nullptr;
  const char* Tail = nullptr;
  if (sqlite3_prepare_v2(Connection, Text.constData(), int(Text.size()), &Statement, &Tail) != SQLITE_OK)
    vxRaiseDatabaseError(What, QString::fromUtf8(sqlite3_errmsg(Connection)));
  // Only comments and blanks may follow the statement.
  sqlite3_stmt* Next = nullptr;
  if (Tail != nullptr && *Tail != '\0' && sqlite3_prepare_v2(Connection, Tail, -1, &Next, nullptr) == SQLITE_OK &&
      Next != nullptr) {
    sqlite3_finalize(Next);
    sqlite3_finalize(Statement);
    vxRaiseDatabaseError(What, QStringLiteral("the text holds more than one statement"));
  }
  if (Statement == nullptr) vxRaiseDatabaseError(What, QStringLiteral("the text holds no statement"));
  for (int I = 0, N = sqlite3_column_count(Statement); I < N; ++I)
    Names << QString::fromUtf8(sqlite3_column_name(Statement, I));
  sqlite3_finalize(Statement);
#else
  Q_UNUSED(Text);
  Q_UNUSED(What);
  RaiseUnknownHandle(FDb, NativeHandleTypeName(FDialect));
#endif
  return Names;
}

QStringList TvxQtSqlCatalog::DescribePostgreSQL(const QByteArray& Text) const {
  QStringList Names;
  const QString What = QStringLiteral("Cannot describe the statement");
#ifdef VX_HAVE_LIBPQ
  PGconn* Connection = NativeHandle<PGconn>(FDb, NativeHandleTypeName(FDialect));
  if (Connection == nullptr) RaiseUnknownHandle(FDb, NativeHandleTypeName(FDialect));
  // A query of the host still delivering its rows keeps the connection busy. Qt ends it before
  // it sends anything else (its rows are lost, as with any other statement the host would run
  // meanwhile); a statement of our own, which is no user text, lets it do so.
  if (PQtransactionStatus(Connection) == PQTRANS_ACTIVE) {
    QSqlQuery Finish(FDb);
    Finish.exec(QStringLiteral("SELECT 1"));
  }
  if (PQtransactionStatus(Connection) == PQTRANS_ACTIVE)
    vxRaiseDatabaseError(What, QStringLiteral("the connection is busy with another query"));
  // The unnamed statement: Qt's own prepared statements are named, so nothing of Qt's is
  // replaced, and the next unnamed one frees it. Preparing parses and analyses the statement
  // and runs nothing; a text of several statements is refused.
  PGresult* Result = PQprepare(Connection, "", Text.constData(), 0, nullptr);
  const auto Fail = [&](PGresult* Failed) {
    QString Message = QString::fromUtf8(Failed ? PQresultErrorMessage(Failed) : PQerrorMessage(Connection));
    PQclear(Failed);
    vxRaiseDatabaseError(What, Message.trimmed());
  };
  if (PQresultStatus(Result) != PGRES_COMMAND_OK) Fail(Result);
  PQclear(Result);
  Result = PQdescribePrepared(Connection, "");
  if (PQresultStatus(Result) != PGRES_COMMAND_OK) Fail(Result);
  for (int I = 0, N = PQnfields(Result); I < N; ++I) Names << QString::fromUtf8(PQfname(Result, I));
  PQclear(Result);
#else
  Q_UNUSED(Text);
  Q_UNUSED(What);
  RaiseUnknownHandle(FDb, NativeHandleTypeName(FDialect));
#endif
  return Names;
}

// --- foreign keys ----------------------------------------------------------------------------

TvxForeignKeyColumns TvxQtSqlCatalog::GetForeignKeys(const QString& PKTable, const QString& FKTable) const {
  TvxForeignKeyColumns Keys;
  switch (FDialect) {
    case TvxCatalogDialect::cdGeneric:
      return Keys;
    case TvxCatalogDialect::cdPostgreSQL:
      Keys = GetPostgreSQLKeys(PKTable, FKTable);
      break;
    case TvxCatalogDialect::cdSQLite:
      if (!FKTable.isEmpty()) {
        // The table's own keys come straight from the engine, always current.
        Keys = GetSQLiteKeysOf(FKTable);
        if (!PKTable.isEmpty())
          std::erase_if(Keys, [&](const TvxForeignKeyColumn& Key) {
            return Key.PKTable.compare(PKTable, Qt::CaseInsensitive) != 0;
          });
      } else {
        TvxForeignKeyIndex Local;
        const TvxForeignKeyIndex& Index = GetSQLiteIndex(FIndex ? *FIndex : Local);
        if (PKTable.isEmpty()) {
          Keys = Index.FAll;
        } else {
          for (int Row : Index.FByReferenced.value(PKTable.toUpper())) Keys.push_back(Index.FAll[Row]);
        }
      }
      break;
  }
  SortKeys(Keys);
  return Keys;
}

TvxForeignKeyColumns TvxQtSqlCatalog::GetSQLiteKeysOf(const QString& FKTable) const {
  TvxForeignKeyColumns Keys;
  const QString What = QStringLiteral("Cannot read the foreign keys of \"%1\"").arg(FKTable);
  // The catalog's spelling of the table, so relations name it as the database does.
  QSqlQuery Name =
      Run(FDb,
          QStringLiteral("SELECT name FROM %1sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE")
              .arg(SQLiteSchemaPrefix()),
          {FKTable}, What);
  const QString Table = Name.next() ? Name.value(0).toString() : FKTable;
  QSqlQuery Query = Run(FDb,
                        QStringLiteral("SELECT id, seq, \"table\", \"from\", \"to\" FROM pragma_foreign_key_list(?, ?) "
                                       "ORDER BY id, seq"),
                        {Table, GetSchema()}, What);
  QHash<QString, QString> Spelling;  // referenced name as written -> as the catalog has it
  while (Query.next()) {
    TvxForeignKeyColumn Key;
    Key.Name = SQLiteKeyName(Table, Query.value(0).toInt());
    Key.Ordinal = Query.value(1).toInt() + 1;
    Key.FKTable = Table;
    Key.PKTable = Query.value(2).toString();
    Key.FKColumn = Query.value(3).toString();
    Key.PKColumn = Query.value(4).toString();
    if (!Spelling.contains(Key.PKTable)) {
      QSqlQuery Referenced =
          Run(FDb,
              QStringLiteral("SELECT name FROM %1sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE")
                  .arg(SQLiteSchemaPrefix()),
              {Key.PKTable}, What);
      Spelling.insert(Key.PKTable, Referenced.next() ? Referenced.value(0).toString() : Key.PKTable);
    }
    Key.PKTable = Spelling.value(Key.PKTable);
    // "REFERENCES Parent" without columns means the parent's primary key.
    if (Query.value(4).isNull()) {
      const QStringList Primary = GetSQLitePrimaryKey(Key.PKTable);
      Key.PKColumn = Key.Ordinal <= Primary.size() ? Primary[Key.Ordinal - 1] : QString();
    }
    Keys.push_back(std::move(Key));
  }
  return Keys;
}

QStringList TvxQtSqlCatalog::GetSQLitePrimaryKey(const QString& Table) const {
  QSqlQuery Query = Run(FDb, QStringLiteral("SELECT name FROM pragma_table_info(?, ?) WHERE pk > 0 ORDER BY pk"),
                        {Table, GetSchema()}, QStringLiteral("Cannot read the primary key of \"%1\"").arg(Table));
  QStringList Columns;
  while (Query.next()) Columns << Query.value(0).toString();
  return Columns;
}

const TvxForeignKeyIndex& TvxQtSqlCatalog::GetSQLiteIndex(TvxForeignKeyIndex& Index) const {
  // The schema version changes with every CREATE, DROP or ALTER on the file, from any
  // connection; the file name and schema tell different databases apart.
  QSqlQuery Query = Run(FDb, QStringLiteral("PRAGMA %1schema_version").arg(SQLiteSchemaPrefix()), {},
                        QStringLiteral("Cannot read the schema version"));
  const QString Version = Query.next() ? Query.value(0).toString() : QString();
  const QString StateKey = FDb.databaseName() + QLatin1Char('\n') + GetSchema() + QLatin1Char('\n') + Version;
  if (Index.FStateKey != StateKey) {
    BuildSQLiteIndex(Index);
    Index.FStateKey = StateKey;
  }
  return Index;
}

void TvxQtSqlCatalog::BuildSQLiteIndex(TvxForeignKeyIndex& Index) const {
  Index.FStateKey.clear();
  Index.FAll.clear();
  Index.FByReferenced.clear();
  const QString What = QStringLiteral("Cannot read the foreign keys of schema \"%1\"").arg(GetSchema());
  QHash<QString, QString> Spelling;  // upper-cased table name -> as the catalog has it
  {
    QSqlQuery Tables =
        Run(FDb, QStringLiteral("SELECT name FROM %1sqlite_master WHERE type = 'table'").arg(SQLiteSchemaPrefix()), {},
            What);
    while (Tables.next()) {
      const QString Name = Tables.value(0).toString();
      Spelling.insert(Name.toUpper(), Name);
    }
  }
  // One statement joins every table with its key list: far cheaper than one pragma per table.
  QSqlQuery Query = Run(FDb,
                        QStringLiteral("SELECT m.name, f.id, f.seq, f.\"table\", f.\"from\", f.\"to\" "
                                       "FROM %1sqlite_master m, pragma_foreign_key_list(m.name, ?) f "
                                       "WHERE m.type = 'table'")
                            .arg(SQLiteSchemaPrefix()),
                        {GetSchema()}, What);
  while (Query.next()) {
    TvxForeignKeyColumn Key;
    Key.FKTable = Query.value(0).toString();
    Key.Name = SQLiteKeyName(Key.FKTable, Query.value(1).toInt());
    Key.Ordinal = Query.value(2).toInt() + 1;
    Key.PKTable = Spelling.value(Query.value(3).toString().toUpper(), Query.value(3).toString());
    Key.FKColumn = Query.value(4).toString();
    Key.PKColumn = Query.value(5).toString();
    if (Query.value(5).isNull()) {
      const QStringList Primary = GetSQLitePrimaryKey(Key.PKTable);
      Key.PKColumn = Key.Ordinal <= Primary.size() ? Primary[Key.Ordinal - 1] : QString();
    }
    Index.FAll.push_back(std::move(Key));
  }
  SortKeys(Index.FAll);
  for (int Row = 0; Row < int(Index.FAll.size()); ++Row)
    Index.FByReferenced[Index.FAll[Row].PKTable.toUpper()].push_back(Row);
}

// PostgreSQL keeps an unquoted name in lower case: a name asked about as written in a statement
// matches the catalog exactly or, failing that, folded.
QString TvxQtSqlCatalog::ResolvePostgreSQLName(const QString& Table) const {
  QSqlQuery Query = Run(FDb,
                        QStringLiteral("SELECT c.relname FROM pg_catalog.pg_class c "
                                       "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
                                       "WHERE n.nspname = ? AND c.relname IN (?, lower(?)) "
                                       "ORDER BY c.relname = ? DESC LIMIT 1"),
                        {GetSchema(), Table, Table, Table}, QStringLiteral("Cannot look up \"%1\"").arg(Table));
  return Query.next() ? Query.value(0).toString() : Table;
}

TvxForeignKeyColumns TvxQtSqlCatalog::GetPostgreSQLKeys(const QString& PKTable, const QString& FKTable) const {
  QString Sql = QStringLiteral(
      "SELECT con.conname, pk.relname, pa.attname, fk.relname, fa.attname, k.ord "
      "FROM pg_catalog.pg_constraint con "
      "JOIN pg_catalog.pg_class fk ON fk.oid = con.conrelid "
      "JOIN pg_catalog.pg_namespace fkn ON fkn.oid = fk.relnamespace "
      "JOIN pg_catalog.pg_class pk ON pk.oid = con.confrelid "
      "JOIN pg_catalog.pg_namespace pkn ON pkn.oid = pk.relnamespace "
      "CROSS JOIN LATERAL unnest(con.conkey, con.confkey) WITH ORDINALITY AS k(fkatt, pkatt, ord) "
      "JOIN pg_catalog.pg_attribute fa ON fa.attrelid = con.conrelid AND fa.attnum = k.fkatt "
      "JOIN pg_catalog.pg_attribute pa ON pa.attrelid = con.confrelid AND pa.attnum = k.pkatt "
      "WHERE con.contype = 'f'");
  QVariantList Values;
  if (!PKTable.isEmpty()) {
    Sql += QStringLiteral(" AND pkn.nspname = ? AND pk.relname = ?");
    Values << GetSchema() << ResolvePostgreSQLName(PKTable);
  }
  if (!FKTable.isEmpty() || PKTable.isEmpty()) Sql += QStringLiteral(" AND fkn.nspname = ?"), Values << GetSchema();
  if (!FKTable.isEmpty()) Sql += QStringLiteral(" AND fk.relname = ?"), Values << ResolvePostgreSQLName(FKTable);
  QSqlQuery Query = Run(FDb, Sql, Values, QStringLiteral("Cannot read the foreign keys"));
  TvxForeignKeyColumns Keys;
  while (Query.next()) {
    TvxForeignKeyColumn Key;
    Key.Name = Query.value(0).toString();
    Key.PKTable = Query.value(1).toString();
    Key.PKColumn = Query.value(2).toString();
    Key.FKTable = Query.value(3).toString();
    Key.FKColumn = Query.value(4).toString();
    Key.Ordinal = Query.value(5).toInt();
    Keys.push_back(std::move(Key));
  }
  return Keys;
}
