// A small BDE layer over Qt SQL: database components with driver and parameters, queries that
// describe their statement, and the three engine calls that walk a database's table list.
#pragma once

#include "vxBaseMetadataProvider.h"
#include "vxFieldDefs.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <string>

// Engine call results.
using DBIResult = int;
constexpr DBIResult DBIERR_NONE = 0;
constexpr DBIResult DBIERR_EOF = 0x2202;           // no further record
constexpr DBIResult DBIERR_INVALIDHNDL = 0x2706;   // a null or closed handle
constexpr DBIResult DBIERR_INVALIDPARAM = 0x2702;  // a null output argument
constexpr DBIResult DBIERR_QUERYFAILED = 0x3303;   // the database refused a catalog request

enum DBILockType { dbiNOLOCK, dbiREADLOCK, dbiWRITELOCK };

// One entry of a table list. Names are UTF-8, as the database spells them (Qt already hands
// Unicode over, so no conversion from a native character set is needed).
struct TBLBaseDesc {
  std::string szName;
  bool bView = false;
};

struct TvxDbiDatabase;
struct TvxDbiCursor;
using hDBIDb = TvxDbiDatabase*;  // owned by its TDatabase, valid while it is open
using hDBICur = TvxDbiCursor*;   // owned by the caller until DbiCloseCursor

// The database engine's error: the code of the failing call and the database's message.
class EDBEngineError : public EvxDatabaseError {
public:
  EDBEngineError(DBIResult ErrorCode, const std::string& Message) : EvxDatabaseError(Message), FErrorCode(ErrorCode) {}
  DBIResult GetErrorCode() const { return FErrorCode; }

private:
  DBIResult FErrorCode;
};

// Opens a cursor over the tables and views of the database (system tables too with bSystem),
// sorted by name; pszWild, when given, is a pattern with * and ? that names must match.
// bExtended is accepted and adds nothing.
DBIResult DbiOpenTableList(hDBIDb hDb, bool bExtended, bool bSystem, const char* pszWild, hDBICur* phCur);
// Copies the cursor's next entry into pRecBuff; DBIERR_EOF after the last one.
DBIResult DbiGetNextRecord(hDBICur hCursor, DBILockType eLock, TBLBaseDesc* pRecBuff, void* precProps);
// Frees the cursor and clears *phCursor.
DBIResult DbiCloseCursor(hDBICur* phCursor);
// Raises EDBEngineError for any result but DBIERR_NONE, with the message of the failing call.
void Check(DBIResult Result);

// A database: a driver and its parameters, opened as a Qt SQL connection of its own.
//
// DriverName: "SQLITE" or "POSTGRESQL" (the Qt names QSQLITE and QPSQL, and any other Qt SQL
// driver name, work as well). Params, "NAME=value" each:
//   PATH or DATABASE NAME   the SQLite file, or the server's database
//   SERVER NAME, PORT       the server
//   USER NAME, PASSWORD
//   SCHEMA NAME             the schema whose tables are listed (default: the connection's)
// Unknown parameter names are errors. Queries find the database through DatabaseName.
class TDatabase : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString DatabaseName READ GetDatabaseName WRITE SetDatabaseName)
  Q_PROPERTY(QString DriverName READ GetDriverName WRITE SetDriverName)
  Q_PROPERTY(QStringList Params READ GetParams WRITE SetParams)
  Q_PROPERTY(bool Connected READ GetConnected WRITE SetConnected)

public:
  explicit TDatabase(QObject* Owner = nullptr);
  ~TDatabase() override;

  const QString& GetDatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const QString& DatabaseName) { FDatabaseName = DatabaseName; }
  const QString& GetDriverName() const { return FDriverName; }
  void SetDriverName(const QString& DriverName);
  const QStringList& GetParams() const { return FParams; }
  void SetParams(const QStringList& Params);
  bool GetConnected() const { return FHandle != nullptr; }
  void SetConnected(bool Connected) { Connected ? Open() : Close(); }

  // Opens when closed; EvxDatabaseError for bad parameters or a database that cannot open.
  void Open();
  void Close();
  // The engine handle; null while closed.
  hDBIDb GetHandle() const { return FHandle.get(); }

  // How the driver's server spells unquoted names; the database is not opened.
  TvxNameFolding GetNameFolding() const;
  // The SCHEMA NAME parameter when it names a schema other than the connection's default one,
  // else empty. Opens the database.
  QString GetQualifyingSchema();

  // The database component named DatabaseName (case-insensitive), open or not; null when none.
  static TDatabase* FindDatabase(const QString& DatabaseName);

private:
  QString FDatabaseName;
  QString FDriverName;
  QStringList FParams;
  std::unique_ptr<TvxDbiDatabase> FHandle;
};

// The text of a query: SQL.Text as a whole.
struct TQuerySQL {
  QString Text;
};

// A query on the database named DatabaseName; only its field definitions are ever read.
class TQuery : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString DatabaseName READ GetDatabaseName WRITE SetDatabaseName)

public:
  explicit TQuery(QObject* Owner = nullptr);

  const QString& GetDatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const QString& DatabaseName) { FDatabaseName = DatabaseName; }

  TQuerySQL SQL;
  // Update reads the column names of SQL.Text without running it; EvxDatabaseError when no
  // database of that name is open or the database cannot describe the statement.
  TFieldDefs FieldDefs;

private:
  QString FDatabaseName;
};
