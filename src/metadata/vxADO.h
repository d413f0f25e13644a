// A small ADO layer over Qt SQL: a connection configured by an ADO-style connection string,
// schema rowsets and data sets with the operations the ADO metadata provider uses.
#pragma once

#include "vxFieldDefs.h"
#include "vxQtSqlCatalog.h"
#include "vxQtSqlConnection.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <vector>

class TADODataSet;

// The schema rowsets OpenSchema supplies.
enum TSchemaInfo {
  // TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE ("TABLE", "VIEW", "SYSTEM TABLE");
  // restrictions: catalog, schema, name, type.
  siTables = 20,
  // PK_TABLE_CATALOG, PK_TABLE_SCHEMA, PK_TABLE_NAME, PK_COLUMN_NAME, FK_TABLE_CATALOG,
  // FK_TABLE_SCHEMA, FK_TABLE_NAME, FK_COLUMN_NAME, ORDINAL (1-based within the key), FK_NAME;
  // restrictions: PK catalog, PK schema, PK table, FK catalog, FK schema, FK table.
  siForeignKeys = 27
};

// A connection to a database, described by ConnectionString: ";"-separated "Key=Value" pairs,
// keys case-insensitive, values optionally quoted with " or ' (a doubled quote stands for
// itself):
//   Provider         the Qt SQL driver (QSQLITE, QPSQL, ...); required
//   Data Source      the SQLite file, or the server's database (also "Database",
//                    "Initial Catalog")
//   Host, Port       the server (also "Server")
//   User ID, Password  (also "UID", "User", "PWD")
//   Options          Qt connect options, e.g. "QSQLITE_OPEN_READONLY"
// Examples: "Provider=QSQLITE;Data Source=/data/sample.sqlite"
//           "Provider=QPSQL;Host=127.0.0.1;Port=5432;Database=db;User ID=u;Password=p"
// Unknown keys are errors, so a typing mistake is not silently ignored.
class TADOConnection : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString ConnectionString READ GetConnectionString WRITE SetConnectionString)
  // Setting it true opens, false closes; default false.
  Q_PROPERTY(bool Connected READ GetConnected WRITE SetConnected)

public:
  explicit TADOConnection(QObject* Owner = nullptr);
  ~TADOConnection() override;

  const QString& GetConnectionString() const { return FConnectionString; }
  // Closes the connection when the text changes.
  void SetConnectionString(const QString& ConnectionString);
  bool GetConnected() const { return FConnection.IsOpen(); }
  void SetConnected(bool Connected) { Connected ? Open() : Close(); }

  // Opens when closed; EvxDatabaseError for a bad connection string or a database that cannot
  // be opened (the database's message included).
  void Open();
  void Close();
  // Fills DataSet with the rowset Schema; Restrictions holds one value per restriction column
  // in order, a null QVariant meaning "any". Opens the connection when closed. EvxDatabaseError
  // for a rowset this database cannot supply.
  void OpenSchema(TSchemaInfo Schema, const QVariantList& Restrictions, TADODataSet* DataSet);

  // The open Qt SQL connection (opened on demand).
  QSqlDatabase GetDatabase();
  // A catalog reader for the restriction schema Schema (empty: the default schema).
  TvxQtSqlCatalog GetCatalog(const QString& Schema = QString());
  // How the server of the connection string's Provider spells unquoted names (nfNone for a
  // connection string that names none); the connection is not opened.
  TvxNameFolding GetNameFolding() const;

  // Parses a connection string; EvxDatabaseError naming the offending part.
  static TvxConnectionSettings ParseConnectionString(const QString& ConnectionString);

private:
  QString FConnectionString;
  TvxOwnedConnection FConnection;
  TvxForeignKeyIndex FIndex;
};

// The current row's value of one field of a TADODataSet.
class TField {
public:
  TField(const QString& FieldName, QVariant Value) : FFieldName(FieldName), FValue(std::move(Value)) {}
  const QString& GetFieldName() const { return FFieldName; }
  const QVariant& GetValue() const { return FValue; }
  bool IsNull() const { return FValue.isNull(); }
  QString AsString() const { return FValue.toString(); }
  // EvxDatabaseError when the value is not an integer.
  int AsInteger() const;

private:
  QString FFieldName;
  QVariant FValue;
};

// A data set read into memory: either a schema rowset (TADOConnection::OpenSchema) or the rows
// of CommandText (Open). Navigation is First/Next/Eof over the rows in Sort order.
class TADODataSet : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString CommandText READ GetCommandText WRITE SetCommandText)
  // "Field [ASC|DESC], Field [ASC|DESC], ..."; default empty: the order read. Setting it
  // re-sorts the rows and moves to the first.
  Q_PROPERTY(QString Sort READ GetSort WRITE SetSort)

public:
  explicit TADODataSet(QObject* Owner = nullptr);

  // A link; the data set does not own the connection.
  TADOConnection* GetConnection() const { return FConnection; }
  void SetConnection(TADOConnection* Connection) { FConnection = Connection; }
  const QString& GetCommandText() const { return FCommandText; }
  void SetCommandText(const QString& CommandText) { FCommandText = CommandText; }
  const QString& GetSort() const { return FSort; }
  // EvxDatabaseError for an unknown field name.
  void SetSort(const QString& Sort);
  // The column names of CommandText, read without running it.
  TFieldDefs FieldDefs;

  // Runs CommandText and reads all its rows.
  void Open();
  void Close();
  bool GetActive() const { return FActive; }
  bool IsEmpty() const { return FRows.empty(); }
  int RecordCount() const { return int(FRows.size()); }
  void First() { FRecNo = 0; }
  void Next() {
    if (FRecNo < int(FRows.size())) ++FRecNo;
  }
  bool Eof() const { return FRecNo >= int(FRows.size()); }
  int FieldCount() const { return int(FFieldNames.size()); }
  // The current row's value of a field (case-insensitive name). EvxDatabaseError for an
  // unknown field, or when there is no current row.
  TField FieldByName(const QString& Name) const;

  // Used by TADOConnection::OpenSchema: replaces the content with a finished rowset.
  void SetRowset(QStringList FieldNames, std::vector<QVariantList> Rows);

private:
  std::vector<QString> ReadFieldNames();
  int FieldIndex(const QString& Name) const;
  TADOConnection& RequireConnection() const;

  QPointer<TADOConnection> FConnection;
  QString FCommandText;
  QString FSort;
  QStringList FFieldNames;
  std::vector<QVariantList> FRows;
  int FRecNo = 0;
  bool FActive = false;
};
