#include "vxQBPropertiesForm.h"

#include "vxQBControlOwner.h"
#include "vxQBFormPosition.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TvxQBPropertiesForm::TvxQBPropertiesForm(QWidget* Parent) : QDialog(Parent) {
  auto* Layout = new QVBoxLayout(this);
  FPanels = new QVBoxLayout;
  FPanels->setSpacing(8);
  Layout->addLayout(FPanels);
  Layout->addStretch(1);

  lError = new QLabel(this);
  lError->setObjectName(QStringLiteral("lError"));
  lError->setWordWrap(true);
  lError->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPalette Red = lError->palette();
  Red.setColor(QPalette::WindowText, QColor(176, 0, 32));
  lError->setPalette(Red);
  lError->hide();
  Layout->addWidget(lError);

  pButtons = new QDialogButtonBox(this);
  pButtons->setObjectName(QStringLiteral("pButtons"));
  QPushButton* BitBtn1 = pButtons->addButton(QDialogButtonBox::Ok);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  pButtons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn1->setDefault(true);
  connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // The buttons stand apart from the fields they confirm.
  Layout->addSpacing(6);
  Layout->addWidget(pButtons);
}

QLineEdit* TvxQBPropertiesForm::NewReadOnlyField(QWidget* Parent, const char* Name) {
  auto* Field = new QLineEdit(Parent);
  Field->setObjectName(QLatin1String(Name));
  Field->setReadOnly(true);
  // Selectable with the mouse, but never a stop of the Tab key.
  Field->setFocusPolicy(Qt::ClickFocus);
  QPalette Colours = Field->palette();
  Colours.setColor(QPalette::Base, Colours.color(QPalette::Window));
  Field->setPalette(Colours);
  return Field;
}

void TvxQBPropertiesForm::AddPanel(QWidget* Panel) { FPanels->addWidget(Panel); }

bool TvxQBPropertiesForm::Edit(TvxQueryBuilderControlOwner* Owner, TvxBaseSyntaxProvider* SyntaxProvider) {
  Load(Owner, SyntaxProvider);
  vx::PlaceDialog(*this, FPosition);
  return exec() == QDialog::Accepted;
}

void TvxQBPropertiesForm::Load(TvxQueryBuilderControlOwner* Owner, TvxBaseSyntaxProvider* SyntaxProvider) {
  FOwner = Owner;
  FSyntaxProvider = SyntaxProvider;
  ShowError(QString());
  LoadProps(Owner);
}

QString TvxQBPropertiesForm::GetErrorText() const { return lError->isHidden() ? QString() : lError->text(); }

void TvxQBPropertiesForm::ShowError(const QString& Message) {
  lError->setText(Message);
  lError->setVisible(!Message.isEmpty());
}

void TvxQBPropertiesForm::accept() {
  // The object may have gone while the dialog was open: there is nothing left to save to.
  if (FOwner.isNull()) {
    reject();
    return;
  }
  try {
    SaveProps(FOwner);
  } catch (const std::exception& Error) {
    ShowError(QString::fromUtf8(Error.what()));
    return;
  }
  QDialog::accept();
}
