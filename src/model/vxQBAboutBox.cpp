#include "vxQBAboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

TvxAboutBox::TvxAboutBox(QWidget* Parent) : QDialog(Parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About Zarquel"));
  auto* Layout = new QVBoxLayout(this);
  auto* Title = new QLabel(QStringLiteral("<b>Zarquel vxQueryBuilder</b>"), this);
  auto* Text = new QLabel(QStringLiteral("Visual SQL query builder components for Qt.\n"
                                         "Build SELECT statements by drawing tables, joins and columns."),
                          this);
  Text->setWordWrap(true);
  auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  Layout->addWidget(Title);
  Layout->addWidget(Text);
  Layout->addWidget(Buttons);
}
