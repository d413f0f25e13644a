#include "vxSampleDatabase.h"

#include "vxQtSqlCatalog.h"
#include "vxQtSqlConnection.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

#include <atomic>
#include <cstdio>

// Resources of a static library are only linked in when something names them.
static void InitSampleResources() { Q_INIT_RESOURCE(vxSampleDatabase); }

namespace {

QString ReadResource(const QString& Name) {
  InitSampleResources();
  QFile File(QStringLiteral(":/vxquerybuilder/sampledb/") + Name);
  if (!File.open(QIODevice::ReadOnly))
    throw EvxDatabaseError(QStringLiteral("The sample script %1 is missing from the library").arg(Name).toStdString());
  return QString::fromUtf8(File.readAll());
}

// The two 32-bit header fields of a SQLite file that belong to the application: together they
// hold 64 bits of the scripts' hash.
std::pair<qint32, qint32> ScriptsStamp() {
  QCryptographicHash Hash(QCryptographicHash::Sha256);
  Hash.addData(TvxSampleDatabase::GetSchemaScript().toUtf8());
  Hash.addData(TvxSampleDatabase::GetDataScript().toUtf8());
  const QByteArray Digest = Hash.result();
  const auto Word = [&](int Offset) {
    quint32 Value = 0;
    for (int I = 0; I < 4; ++I) Value = (Value << 8) | quint8(Digest[Offset + I]);
    return qint32(Value);
  };
  return {Word(0), Word(4)};
}

std::pair<qint32, qint32> ReadStamp(const QString& Path) {
  TvxOwnedConnection Connection(QStringLiteral("vxSampleCheck"));
  try {
    TvxConnectionSettings Settings;
    Settings.Driver = QStringLiteral("QSQLITE");
    Settings.DatabaseName = Path;
    Settings.Options = QStringLiteral("QSQLITE_OPEN_READONLY");
    Connection.Open(Settings);
  } catch (const EvxDatabaseError&) {
    return {0, 0};  // unreadable: built anew
  }
  QSqlQuery Query(Connection.GetDatabase());
  const auto Pragma = [&](const char* Name) {
    return Query.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(Name))) && Query.next() ? Query.value(0).toInt()
                                                                                            : 0;
  };
  std::pair<qint32, qint32> Stamp{Pragma("user_version"), Pragma("application_id")};
  Query.finish();
  Query = QSqlQuery();
  return Stamp;
}

// The line that names a statement in a message: its first line that is not a comment.
QString FirstCodeLine(const QString& Statement) {
  for (const QString& Line : Statement.split(QLatin1Char('\n'))) {
    const QString Trimmed = Line.trimmed();
    if (!Trimmed.isEmpty() && !Trimmed.startsWith(QLatin1String("--"))) return Trimmed;
  }
  return Statement.trimmed();
}

void RunStatements(QSqlDatabase& Db, const QString& ScriptName, const QString& Script) {
  const QStringList Statements = TvxSampleDatabase::SplitScript(Script);
  QSqlQuery Query(Db);
  // Load runs everything in a transaction of its own; the scripts' own BEGIN and COMMIT (there
  // for the command-line shells) would nest or end it.
  static const QRegularExpression TransactionControl(QStringLiteral("^(BEGIN|COMMIT|END)(\\s+TRANSACTION)?$"),
                                                     QRegularExpression::CaseInsensitiveOption);
  for (int I = 0; I < Statements.size(); ++I) {
    if (TransactionControl.match(Statements[I]).hasMatch() || Query.exec(Statements[I])) continue;
    QString Message = Query.lastError().databaseText().trimmed();
    if (Message.isEmpty()) Message = Query.lastError().text();
    vxRaiseDatabaseError(QStringLiteral("Cannot load the sample database: statement %1 of %2 (%3) failed")
                             .arg(I + 1)
                             .arg(ScriptName, FirstCodeLine(Statements[I])),
                         Message);
  }
}

}  // namespace

QString TvxSampleDatabase::GetSchemaScript() { return ReadResource(QStringLiteral("schema.sql")); }

QString TvxSampleDatabase::GetDataScript() { return ReadResource(QStringLiteral("data.sql")); }

QString TvxSampleDatabase::DefaultPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
         QStringLiteral("/vxquerybuilder/sample.sqlite");
}

void TvxSampleDatabase::Load(QSqlDatabase& Db) {
  const QString Schema = GetSchemaScript(), Data = GetDataScript();
  const bool Transaction = Db.transaction();
  try {
    RunStatements(Db, QStringLiteral("schema.sql"), Schema);
    RunStatements(Db, QStringLiteral("data.sql"), Data);
  } catch (...) {
    if (Transaction) Db.rollback();
    throw;
  }
  if (Transaction && !Db.commit())
    vxRaiseDatabaseError(QStringLiteral("Cannot load the sample database"), Db.lastError().text());
}

QString TvxSampleDatabase::EnsureSQLiteFile(const QString& Path) {
  const QString Target = QFileInfo(Path.isEmpty() ? DefaultPath() : Path).absoluteFilePath();
  const auto Stamp = ScriptsStamp();
  if (QFileInfo(Target).isFile() && ReadStamp(Target) == Stamp) return Target;

  if (!QDir().mkpath(QFileInfo(Target).absolutePath()))
    throw EvxDatabaseError(QStringLiteral("Cannot create the folder of %1").arg(Target).toStdString());
  // Several processes may build at once (tests run in parallel): each builds its own file and
  // the last rename wins, every one of them complete.
  static std::atomic<int> Serial{0};
  const QString Temporary =
      QStringLiteral("%1.tmp-%2-%3").arg(Target).arg(QCoreApplication::applicationPid()).arg(++Serial);
  QFile::remove(Temporary);
  {
    TvxOwnedConnection Connection(QStringLiteral("vxSampleBuild"));
    TvxConnectionSettings Settings;
    Settings.Driver = QStringLiteral("QSQLITE");
    Settings.DatabaseName = Temporary;
    // The driver refuses missing files through TvxOwnedConnection; create it empty first.
    if (QFile File(Temporary); !File.open(QIODevice::WriteOnly))
      throw EvxDatabaseError(QStringLiteral("Cannot create %1: %2").arg(Temporary, File.errorString()).toStdString());
    try {
      Connection.Open(Settings);
      QSqlDatabase Db = Connection.GetDatabase();
      Load(Db);
      QSqlQuery Query(Db);
      if (!Query.exec(QStringLiteral("PRAGMA user_version = %1").arg(Stamp.first)) ||
          !Query.exec(QStringLiteral("PRAGMA application_id = %1").arg(Stamp.second)))
        vxRaiseDatabaseError(QStringLiteral("Cannot stamp the sample database"), Query.lastError().text());
    } catch (...) {
      Connection.Close();
      QFile::remove(Temporary);
      throw;
    }
  }
  if (std::rename(QFile::encodeName(Temporary).constData(), QFile::encodeName(Target).constData()) != 0) {
    QFile::remove(Temporary);
    throw EvxDatabaseError(QStringLiteral("Cannot move the sample database to %1").arg(Target).toStdString());
  }
  return Target;
}

QStringList TvxSampleDatabase::SplitScript(const QString& Script) {
  QStringList Statements;
  QString Current;
  bool HasCode = false;  // Current holds more than comments and blanks
  const int Length = int(Script.size());
  for (int I = 0; I < Length; ++I) {
    const QChar C = Script[I];
    const QChar Next = I + 1 < Length ? Script[I + 1] : QChar();
    if (C == QLatin1Char('-') && Next == QLatin1Char('-')) {
      const int End = int(Script.indexOf(QLatin1Char('\n'), I));
      const int Stop = End < 0 ? Length : End;
      if (HasCode) Current += Script.mid(I, Stop - I);
      I = Stop - 1;
    } else if (C == QLatin1Char('/') && Next == QLatin1Char('*')) {
      const int End = int(Script.indexOf(QLatin1String("*/"), I + 2));
      const int Stop = End < 0 ? Length : End + 2;
      if (HasCode) Current += Script.mid(I, Stop - I);
      I = Stop - 1;
    } else if (C == QLatin1Char('\'') || C == QLatin1Char('"')) {
      // A doubled quote inside stands for itself; the scan simply re-enters the quoted text.
      const int End = int(Script.indexOf(C, I + 1));
      const int Stop = End < 0 ? Length : End + 1;
      Current += Script.mid(I, Stop - I);
      HasCode = true;
      I = Stop - 1;
    } else if (C == QLatin1Char(';')) {
      if (HasCode) Statements << Current.trimmed();
      Current.clear();
      HasCode = false;
    } else if (HasCode || !C.isSpace()) {
      Current += C;
      HasCode = true;
    }
  }
  if (HasCode) Statements << Current.trimmed();
  return Statements;
}
