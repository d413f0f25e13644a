// Asks for the PostgreSQL server the demo connects to: host, port, database, user, password.
#pragma once

#include "vxQtSqlConnection.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

class TvxDemoConnectDialog : public QDialog {
  Q_OBJECT

public:
  // Starts with localhost:5432, database postgres and the user's login name.
  explicit TvxDemoConnectDialog(QWidget* Parent = nullptr);

  // The QPSQL settings the fields describe.
  TvxConnectionSettings GetSettings() const;
  void SetSettings(const TvxConnectionSettings& Settings);

  QLineEdit* eHost = nullptr;
  QSpinBox* sePort = nullptr;
  QLineEdit* eDatabase = nullptr;
  QLineEdit* eUser = nullptr;
  QLineEdit* ePassword = nullptr;
};
