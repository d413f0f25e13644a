// The sample database as the metadata tests see it: once as a SQLite file, once in the
// PostgreSQL cluster the test fixture started, each reachable through a Qt SQL connection, an
// ADO connection string and BDE parameters.
#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& Text, std::ostream* Stream) { *Stream << '"' << Text.toStdString() << '"'; }

struct TTestDatabase {
  QString Kind;            // "SQLite" or "PostgreSQL"
  QString ConnectionName;  // a registered, open QSqlDatabase connection
  QString AdoConnectionString;
  QString BdeDriverName;
  QStringList BdeParams;
  // The database spells unquoted names in lower case (PostgreSQL).
  bool FoldsToLower = false;
};

// Built on first use and kept for the whole run. The PostgreSQL one reads the file named by
// VX_PG_ENV (written by tests/fixtures/pgcluster.sh) and loads the sample into a database of
// its own; a missing or unusable cluster fails the calling test with the reason.
const TTestDatabase& SQLiteSample();
const TTestDatabase& PostgreSQLSample();
// A new empty database of the test cluster for one test suite, named after Purpose (letters)
// and the process, open under the returned Qt SQL connection name. Created on the first call
// per Purpose; a missing or unusable cluster raises std::runtime_error with the reason.
QString PostgreSQLScratchDatabase(const QString& Purpose);
// The cluster's connection settings as an ADO connection string without a database.
QString PostgreSQLServerString();
// Drops what PostgreSQLSample created; called once at the end of the run.
void DropTestDatabases();

// Creates the SQLite file Path and runs Statements in it: a small database of a test's own.
// Empty when all went well, else the reason.
QString CreateSQLiteFile(const QString& Path, const QStringList& Statements);

// Names as the sample writes them, in the spelling of Db: lower case where it folds unquoted
// names; the sample's two quoted names keep theirs. A comma-separated list is spelled per name.
QString Spelled(const TTestDatabase& Db, const QString& Name);
QStringList Spelled(const TTestDatabase& Db, const QStringList& Names);
