#include "vxBDE.h"

#include "vxQtSqlCatalog.h"
#include "vxQtSqlConnection.h"

#include <QPointer>
#include <QRegularExpression>

#include <vector>

struct TvxDbiDatabase {
  TvxOwnedConnection Connection{QStringLiteral("vxBDE")};
  QString Schema;
};

struct TvxDbiCursor {
  std::vector<TBLBaseDesc> Entries;
  size_t Next = 0;
};

namespace {

// The message of the last failing engine call, for Check.
thread_local std::string GLastEngineMessage;

DBIResult Fail(DBIResult Code, std::string Message) {
  GLastEngineMessage = std::move(Message);
  return Code;
}

// The database components alive, in creation order.
std::vector<TDatabase*>& Databases() {
  static std::vector<TDatabase*> List;
  return List;
}

QString QtDriverName(const QString& DriverName) {
  const QString Upper = DriverName.toUpper();
  if (Upper == QLatin1String("SQLITE")) return QStringLiteral("QSQLITE");
  if (Upper == QLatin1String("POSTGRESQL") || Upper == QLatin1String("PGSQL")) return QStringLiteral("QPSQL");
  return DriverName;
}

}  // namespace

// --- engine calls ----------------------------------------------------------------------------

DBIResult DbiOpenTableList(hDBIDb hDb, bool bExtended, bool bSystem, const char* pszWild, hDBICur* phCur) {
  Q_UNUSED(bExtended);
  if (phCur == nullptr) return Fail(DBIERR_INVALIDPARAM, "DbiOpenTableList: no cursor argument");
  *phCur = nullptr;
  if (hDb == nullptr || !hDb->Connection.IsOpen())
    return Fail(DBIERR_INVALIDHNDL, "DbiOpenTableList: the database is not open");
  QRegularExpression Pattern;
  if (pszWild != nullptr && *pszWild != '\0')
    Pattern = QRegularExpression(QRegularExpression::wildcardToRegularExpression(QString::fromUtf8(pszWild)),
                                 QRegularExpression::CaseInsensitiveOption);
  auto Cursor = std::make_unique<TvxDbiCursor>();
  try {
    const TvxQtSqlCatalog Catalog(hDb->Connection.GetDatabase(), hDb->Schema, nullptr);
    for (const TvxCatalogObject& Object : Catalog.GetObjects(bSystem)) {
      if (Pattern.isValid() && !Pattern.pattern().isEmpty() && !Pattern.match(Object.Name).hasMatch()) continue;
      Cursor->Entries.push_back({Object.Name.toStdString(), Object.Kind == TvxCatalogObjectKind::cokView});
    }
  } catch (const EvxException& Error) {
    return Fail(DBIERR_QUERYFAILED, Error.what());
  }
  *phCur = Cursor.release();
  return DBIERR_NONE;
}

DBIResult DbiGetNextRecord(hDBICur hCursor, DBILockType eLock, TBLBaseDesc* pRecBuff, void* precProps) {
  Q_UNUSED(eLock);
  Q_UNUSED(precProps);
  if (hCursor == nullptr) return Fail(DBIERR_INVALIDHNDL, "DbiGetNextRecord: no cursor");
  if (hCursor->Next >= hCursor->Entries.size()) return Fail(DBIERR_EOF, "DbiGetNextRecord: at end of table");
  if (pRecBuff != nullptr) *pRecBuff = hCursor->Entries[hCursor->Next];
  ++hCursor->Next;
  return DBIERR_NONE;
}

DBIResult DbiCloseCursor(hDBICur* phCursor) {
  if (phCursor == nullptr || *phCursor == nullptr) return Fail(DBIERR_INVALIDHNDL, "DbiCloseCursor: no cursor");
  delete *phCursor;
  *phCursor = nullptr;
  return DBIERR_NONE;
}

void Check(DBIResult Result) {
  if (Result != DBIERR_NONE) throw EDBEngineError(Result, GLastEngineMessage);
}

// --- TDatabase -------------------------------------------------------------------------------

TDatabase::TDatabase(QObject* Owner) : QObject(Owner) { Databases().push_back(this); }

TDatabase::~TDatabase() {
  Close();
  std::erase(Databases(), this);
}

void TDatabase::SetDriverName(const QString& DriverName) {
  if (FDriverName == DriverName) return;
  Close();
  FDriverName = DriverName;
}

void TDatabase::SetParams(const QStringList& Params) {
  if (FParams == Params) return;
  Close();
  FParams = Params;
}

void TDatabase::Open() {
  if (FHandle) return;
  TvxConnectionSettings Settings;
  Settings.Driver = QtDriverName(FDriverName);
  QString Schema;
  for (const QString& Param : FParams) {
    const qsizetype Equals = Param.indexOf(QLatin1Char('='));
    const QString Name = Param.left(Equals).trimmed().toUpper();
    const QString Value = Equals < 0 ? QString() : Param.mid(Equals + 1).trimmed();
    if (Equals < 0)
      throw EvxDatabaseError(QStringLiteral("Invalid parameter \"%1\" of database \"%2\": NAME=value expected")
                                 .arg(Param, FDatabaseName)
                                 .toStdString());
    if (Name == QLatin1String("PATH") || Name == QLatin1String("DATABASE NAME")) {
      Settings.DatabaseName = Value;
    } else if (Name == QLatin1String("SERVER NAME")) {
      Settings.Host = Value;
    } else if (Name == QLatin1String("PORT")) {
      bool Ok = false;
      Settings.Port = Value.toInt(&Ok);
      if (!Ok)
        throw EvxDatabaseError(
            QStringLiteral("Invalid port \"%1\" of database \"%2\"").arg(Value, FDatabaseName).toStdString());
    } else if (Name == QLatin1String("USER NAME")) {
      Settings.UserName = Value;
    } else if (Name == QLatin1String("PASSWORD")) {
      Settings.Password = Value;
    } else if (Name == QLatin1String("SCHEMA NAME")) {
      Schema = Value;
    } else {
      throw EvxDatabaseError(
          QStringLiteral("Unknown parameter \"%1\" of database \"%2\"").arg(Name, FDatabaseName).toStdString());
    }
  }
  auto Handle = std::make_unique<TvxDbiDatabase>();
  Handle->Schema = Schema;
  Handle->Connection.Open(Settings);
  FHandle = std::move(Handle);
}

void TDatabase::Close() { FHandle.reset(); }

TvxNameFolding TDatabase::GetNameFolding() const { return vxDriverNameFolding(QtDriverName(FDriverName)); }

QString TDatabase::GetQualifyingSchema() {
  Open();
  return TvxQtSqlCatalog(FHandle->Connection.GetDatabase(), FHandle->Schema, nullptr).GetQualifyingSchema();
}

TDatabase* TDatabase::FindDatabase(const QString& DatabaseName) {
  for (TDatabase* Database : Databases())
    if (Database->FDatabaseName.compare(DatabaseName, Qt::CaseInsensitive) == 0) return Database;
  return nullptr;
}

// --- TQuery ----------------------------------------------------------------------------------

TQuery::TQuery(QObject* Owner)
    : QObject(Owner), FieldDefs([this] {
        TDatabase* Database = TDatabase::FindDatabase(FDatabaseName);
        if (Database == nullptr)
          throw EvxDatabaseError(QStringLiteral("Unknown database: \"%1\"").arg(FDatabaseName).toStdString());
        Database->Open();
        const TvxQtSqlCatalog Catalog(Database->GetHandle()->Connection.GetDatabase(), Database->GetHandle()->Schema,
                                      nullptr);
        const QStringList Names = Catalog.DescribeStatement(SQL.Text);
        return std::vector<QString>(Names.begin(), Names.end());
      }) {}
