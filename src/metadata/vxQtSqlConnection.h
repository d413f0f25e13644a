// Opening a Qt SQL connection from settings, shared by the ADO and BDE layers: both own a
// connection of their own under a unique name and must fail clearly, not silently create an
// empty SQLite file where the host named a missing one.
#pragma once

#include <QSqlDatabase>
#include <QString>

struct TvxConnectionSettings {
  QString Driver;        // Qt SQL driver name: QSQLITE, QPSQL, ...
  QString DatabaseName;  // the SQLite file (or ":memory:"), or the server's database
  QString Host;
  int Port = -1;  // -1: the driver's default
  QString UserName;
  QString Password;
  QString Options;  // Qt connect options, "KEY=value;KEY=value"
};

// Owns one registered Qt SQL connection; the registration is removed with the object.
class TvxOwnedConnection {
public:
  // Prefix starts the unique connection name ("vxADO", "vxBDE").
  explicit TvxOwnedConnection(const QString& Prefix);
  ~TvxOwnedConnection();
  TvxOwnedConnection(const TvxOwnedConnection&) = delete;
  TvxOwnedConnection& operator=(const TvxOwnedConnection&) = delete;

  // Registers (again) and opens a connection with Settings. EvxDatabaseError, with the
  // database's message, when the driver is missing, a SQLite file does not exist, or the
  // server refuses; the connection is then closed.
  void Open(const TvxConnectionSettings& Settings);
  void Close();
  bool IsOpen() const;
  const QString& GetConnectionName() const { return FConnectionName; }
  // The open connection; an invalid one while closed.
  QSqlDatabase GetDatabase() const;

private:
  QString FConnectionName;
};
