#include "vxDemoConnectDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

TvxDemoConnectDialog::TvxDemoConnectDialog(QWidget* Parent) : QDialog(Parent) {
  setWindowTitle(tr("Connect to PostgreSQL"));
  eHost = new QLineEdit(this);
  sePort = new QSpinBox(this);
  sePort->setRange(1, 65535);
  eDatabase = new QLineEdit(this);
  eUser = new QLineEdit(this);
  ePassword = new QLineEdit(this);
  ePassword->setEchoMode(QLineEdit::Password);
  ePassword->setPlaceholderText(tr("none"));
  auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  Buttons->button(QDialogButtonBox::Ok)->setText(tr("&Connect"));
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* Form = new QFormLayout(this);
  Form->addRow(tr("&Host:"), eHost);
  Form->addRow(tr("P&ort:"), sePort);
  Form->addRow(tr("&Database:"), eDatabase);
  Form->addRow(tr("&User:"), eUser);
  Form->addRow(tr("Pass&word:"), ePassword);
  Form->addRow(Buttons);
  setMinimumWidth(360);

  TvxConnectionSettings Defaults;
  Defaults.Host = QStringLiteral("localhost");
  Defaults.Port = 5432;
  Defaults.DatabaseName = QStringLiteral("postgres");
  Defaults.UserName = qEnvironmentVariable("USER");
  SetSettings(Defaults);
}

TvxConnectionSettings TvxDemoConnectDialog::GetSettings() const {
  TvxConnectionSettings Settings;
  Settings.Driver = QStringLiteral("QPSQL");
  Settings.Host = eHost->text().trimmed();
  Settings.Port = sePort->value();
  Settings.DatabaseName = eDatabase->text().trimmed();
  Settings.UserName = eUser->text().trimmed();
  Settings.Password = ePassword->text();
  return Settings;
}

void TvxDemoConnectDialog::SetSettings(const TvxConnectionSettings& Settings) {
  eHost->setText(Settings.Host);
  sePort->setValue(Settings.Port > 0 ? Settings.Port : 5432);
  eDatabase->setText(Settings.DatabaseName);
  eUser->setText(Settings.UserName);
  ePassword->setText(Settings.Password);
}
