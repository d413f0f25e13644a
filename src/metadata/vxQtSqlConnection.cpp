#include "vxQtSqlConnection.h"

#include "vxQtSqlCatalog.h"

#include <QFileInfo>
#include <QSqlError>

#include <atomic>

namespace {
std::atomic<quint64> GConnectionSerial{0};
}

TvxOwnedConnection::TvxOwnedConnection(const QString& Prefix)
    : FConnectionName(QStringLiteral("%1-%2").arg(Prefix).arg(++GConnectionSerial)) {}

TvxOwnedConnection::~TvxOwnedConnection() { Close(); }

void TvxOwnedConnection::Open(const TvxConnectionSettings& Settings) {
  Close();
  const QString What = QStringLiteral("Cannot open the database \"%1\"").arg(Settings.DatabaseName);
  if (Settings.Driver.isEmpty()) vxRaiseDatabaseError(What, QStringLiteral("no driver is named"));
  if (!QSqlDatabase::isDriverAvailable(Settings.Driver))
    vxRaiseDatabaseError(What, QStringLiteral("the Qt SQL driver \"%1\" is not available (available: %2)")
                                   .arg(Settings.Driver, QSqlDatabase::drivers().join(QStringLiteral(", "))));
  // The SQLite driver creates a missing file; a metadata reader must report it instead.
  if (Settings.Driver.startsWith(QLatin1String("QSQLITE")) && Settings.DatabaseName != QLatin1String(":memory:") &&
      !Settings.DatabaseName.startsWith(QLatin1String("file:")) && !QFileInfo(Settings.DatabaseName).isFile())
    vxRaiseDatabaseError(What, QStringLiteral("the file does not exist"));
  {
    QSqlDatabase Db = QSqlDatabase::addDatabase(Settings.Driver, FConnectionName);
    Db.setDatabaseName(Settings.DatabaseName);
    if (!Settings.Host.isEmpty()) Db.setHostName(Settings.Host);
    if (Settings.Port >= 0) Db.setPort(Settings.Port);
    if (!Settings.UserName.isEmpty()) Db.setUserName(Settings.UserName);
    if (!Settings.Password.isEmpty()) Db.setPassword(Settings.Password);
    if (!Settings.Options.isEmpty()) Db.setConnectOptions(Settings.Options);
    if (Db.open()) return;
    QString Message = Db.lastError().databaseText().trimmed();
    if (Message.isEmpty()) Message = Db.lastError().text().trimmed();
    Db = QSqlDatabase();
    Close();
    vxRaiseDatabaseError(What, Message);
  }
}

void TvxOwnedConnection::Close() {
  if (!QSqlDatabase::contains(FConnectionName)) return;
  {
    QSqlDatabase Db = QSqlDatabase::database(FConnectionName, false);
    Db.close();
  }
  QSqlDatabase::removeDatabase(FConnectionName);
}

bool TvxOwnedConnection::IsOpen() const {
  return QSqlDatabase::contains(FConnectionName) && QSqlDatabase::database(FConnectionName, false).isOpen();
}

QSqlDatabase TvxOwnedConnection::GetDatabase() const {
  return IsOpen() ? QSqlDatabase::database(FConnectionName, false) : QSqlDatabase();
}
