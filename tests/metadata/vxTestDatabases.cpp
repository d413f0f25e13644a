#include "vxTestDatabases.h"

#include "vxBaseMetadataProvider.h"
#include "vxSampleDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <map>
#include <stdexcept>

namespace {

std::map<QString, QString> ReadEnvFile() {
  const QByteArray Path = qgetenv("VX_PG_ENV");
  if (Path.isEmpty())
    throw std::runtime_error("VX_PG_ENV is not set: run the PostgreSQL tests through CTest, which starts the cluster");
  QFile File(QString::fromLocal8Bit(Path));
  if (!File.open(QIODevice::ReadOnly))
    throw std::runtime_error("cannot read " + Path.toStdString() + " (did the pgcluster fixture start?)");
  std::map<QString, QString> Values;
  for (const QByteArray& Line : File.readAll().split('\n')) {
    const qsizetype Equals = Line.indexOf('=');
    if (Equals > 0) Values[QString::fromUtf8(Line.left(Equals))] = QString::fromUtf8(Line.mid(Equals + 1)).trimmed();
  }
  return Values;
}

QString GPgDatabase;  // created by PostgreSQLSample

QSqlDatabase AddPgConnection(const QString& Name, const QString& Database) {
  const auto Env = ReadEnvFile();
  QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), Name);
  Db.setHostName(Env.at(QStringLiteral("PGHOST")));
  Db.setPort(Env.at(QStringLiteral("PGPORT")).toInt());
  Db.setUserName(Env.at(QStringLiteral("PGUSER")));
  Db.setDatabaseName(Database.isEmpty() ? Env.at(QStringLiteral("PGDATABASE")) : Database);
  if (!Db.open())
    throw std::runtime_error("cannot connect to the test cluster: " + Db.lastError().text().toStdString());
  return Db;
}

}  // namespace

QString CreateSQLiteFile(const QString& Path, const QStringList& Statements) {
  const QString Connection = QStringLiteral("test-create-") + Path;
  QString Error;
  {
    QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
    Db.setDatabaseName(Path);
    if (!Db.open()) Error = Db.lastError().text();
    QSqlQuery Query(Db);
    for (const QString& Statement : Statements)
      if (Error.isEmpty() && !Query.exec(Statement))
        Error = Statement + QStringLiteral(": ") + Query.lastError().text();
  }
  QSqlDatabase::removeDatabase(Connection);
  return Error;
}

QString Spelled(const TTestDatabase& Db, const QString& Name) {
  if (Name.contains(QLatin1Char(','))) return Spelled(Db, Name.split(QStringLiteral(", "))).join(QStringLiteral(", "));
  const bool Quoted = Name == QLatin1String("Sales by Category") || Name == QLatin1String("Date");
  return Db.FoldsToLower && !Quoted ? Name.toLower() : Name;
}

QStringList Spelled(const TTestDatabase& Db, const QStringList& Names) {
  QStringList Result;
  for (const QString& Name : Names) Result << Spelled(Db, Name);
  return Result;
}

// Each sample is built by its first caller; one that fails leaves the next caller to try again.
const TTestDatabase& SQLiteSample() {
  static const TTestDatabase Db = [] {
    static QTemporaryDir Folder;
    const QString Path = TvxSampleDatabase::EnsureSQLiteFile(Folder.filePath(QStringLiteral("sample.sqlite")));
    QSqlDatabase Connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-sqlite"));
    Connection.setDatabaseName(Path);
    if (!Connection.open()) throw std::runtime_error("cannot open " + Path.toStdString());
    return TTestDatabase{QStringLiteral("SQLite"),
                         Connection.connectionName(),
                         QStringLiteral("Provider=QSQLITE;Data Source=\"%1\"").arg(Path),
                         QStringLiteral("SQLITE"),
                         {QStringLiteral("PATH=") + Path}};
  }();
  return Db;
}

const TTestDatabase& PostgreSQLSample() {
  static const TTestDatabase Db = [] {
    const auto Env = ReadEnvFile();
    GPgDatabase = QStringLiteral("vxmeta_%1").arg(QCoreApplication::applicationPid());
    {
      QSqlDatabase Admin = AddPgConnection(QStringLiteral("test-pg-admin"), QString());
      QSqlQuery Query(Admin);
      Query.exec(QStringLiteral("SET client_min_messages TO warning"));
      Query.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(GPgDatabase));
      if (!Query.exec(QStringLiteral("CREATE DATABASE %1").arg(GPgDatabase)))
        throw std::runtime_error("cannot create the test database: " + Query.lastError().text().toStdString());
    }
    QSqlDatabase Connection = AddPgConnection(QStringLiteral("test-pg"), GPgDatabase);
    // The scripts' DROP ... IF EXISTS would each print a notice.
    QSqlQuery(Connection).exec(QStringLiteral("SET client_min_messages TO warning"));
    TvxSampleDatabase::Load(Connection);
    return TTestDatabase{QStringLiteral("PostgreSQL"),
                         Connection.connectionName(),
                         PostgreSQLServerString() + QStringLiteral(";Database=") + GPgDatabase,
                         QStringLiteral("POSTGRESQL"),
                         {QStringLiteral("SERVER NAME=") + Env.at(QStringLiteral("PGHOST")),
                          QStringLiteral("PORT=") + Env.at(QStringLiteral("PGPORT")),
                          QStringLiteral("USER NAME=") + Env.at(QStringLiteral("PGUSER")),
                          QStringLiteral("DATABASE NAME=") + GPgDatabase},
                         true};
  }();
  return Db;
}

QString PostgreSQLScratchDatabase(const QString& Purpose) {
  const QString Connection = QStringLiteral("test-pg-") + Purpose;
  if (QSqlDatabase::contains(Connection)) return Connection;
  const QString Database = QStringLiteral("vx%1_%2").arg(Purpose.toLower()).arg(QCoreApplication::applicationPid());
  {
    QSqlDatabase Admin = QSqlDatabase::contains(QStringLiteral("test-pg-admin"))
                             ? QSqlDatabase::database(QStringLiteral("test-pg-admin"))
                             : AddPgConnection(QStringLiteral("test-pg-admin"), QString());
    QSqlQuery Query(Admin);
    Query.exec(QStringLiteral("SET client_min_messages TO warning"));
    Query.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(Database));
    if (!Query.exec(QStringLiteral("CREATE DATABASE %1").arg(Database)))
      throw std::runtime_error("cannot create a test database: " + Query.lastError().text().toStdString());
  }
  QSqlDatabase Db = AddPgConnection(Connection, Database);
  QSqlQuery(Db).exec(QStringLiteral("SET client_min_messages TO warning"));
  return Connection;
}

QString PostgreSQLServerString() {
  const auto Env = ReadEnvFile();
  return QStringLiteral("Provider=QPSQL;Host=%1;Port=%2;User ID=%3")
      .arg(Env.at(QStringLiteral("PGHOST")), Env.at(QStringLiteral("PGPORT")), Env.at(QStringLiteral("PGUSER")));
}

void DropTestDatabases() {
  if (QSqlDatabase::contains(QStringLiteral("test-pg"))) {
    QSqlDatabase::database(QStringLiteral("test-pg"), false).close();
    QSqlQuery Query(QSqlDatabase::database(QStringLiteral("test-pg-admin"), false));
    Query.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(GPgDatabase));
  }
  for (const QString& Name : QSqlDatabase::connectionNames()) {
    QSqlDatabase::database(Name, false).close();
    QSqlDatabase::removeDatabase(Name);
  }
}
