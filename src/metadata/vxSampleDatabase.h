// The sample company database shipped inside the library: its schema and data as SQL text
// (Qt resources), built into a SQLite file on first use or loaded into any open connection.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class TvxSampleDatabase {
public:
  // The path of a ready SQLite file holding the sample. The file is built when it is missing
  // or was built from other SQL than the library holds now (a hash of the SQL is kept in the
  // file's header), into a temporary file renamed over Path, so a reader never sees half a
  // database. Default Path: DefaultPath(). EvxDatabaseError when the file cannot be built.
  static QString EnsureSQLiteFile(const QString& Path = QString());
  // <generic cache folder>/vxquerybuilder/sample.sqlite, e.g. ~/.cache/vxquerybuilder/sample.sqlite.
  static QString DefaultPath();

  // Runs the sample's schema and data scripts on Db (open, any driver that understands the
  // portable SQL of the scripts; tested with SQLite and PostgreSQL) inside one transaction.
  // Existing sample objects are dropped first. EvxDatabaseError naming the failing statement.
  static void Load(QSqlDatabase& Db);

  // The embedded scripts as UTF-8 text.
  static QString GetSchemaScript();
  static QString GetDataScript();

  // Splits a script into statements at each ";" outside quotes ('...', "...") and comments
  // (-- to line end, /* ... */). Statements come back trimmed, without their ";" and without
  // the comments before them (comments inside are kept); empty parts are dropped.
  static QStringList SplitScript(const QString& Script);
};
