#include "vxDatasourceProps.h"

#include "vxQBStrings.h"
#include "vxQueryDatasource.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

TvxDatasourcePropsForm::TvxDatasourcePropsForm(QWidget* Parent) : TvxQBPropertiesForm(Parent) {
  setObjectName(QStringLiteral("TvxDatasourcePropsForm"));
  setWindowTitle(QStringLiteral("Datasource Properties"));

  auto* pDatasource = new QWidget(this);
  pDatasource->setObjectName(QStringLiteral("pDatasource"));
  auto* Grid = new QGridLayout(pDatasource);
  Grid->setContentsMargins(0, 0, 0, 0);
  auto* Label1 = new QLabel(QStringLiteral("Object"), pDatasource);
  Label1->setObjectName(QStringLiteral("Label1"));
  eObj = NewReadOnlyField(pDatasource, "eObj");
  auto* Label2 = new QLabel(QStringLiteral("Alias"), pDatasource);
  Label2->setObjectName(QStringLiteral("Label2"));
  eAlias = new QLineEdit(pDatasource);
  eAlias->setObjectName(QStringLiteral("eAlias"));
  Label2->setBuddy(eAlias);
  Grid->addWidget(Label1, 0, 0);
  Grid->addWidget(eObj, 0, 1);
  Grid->addWidget(Label2, 1, 0);
  Grid->addWidget(eAlias, 1, 1);
  Grid->setColumnStretch(1, 1);
  AddPanel(pDatasource);

  setMinimumWidth(365);
  resize(365, sizeHint().height());
}

const TvxEditPropsFormClass& TvxDatasourcePropsForm::Class() {
  static const TvxEditPropsFormClass Record{"TvxDatasourcePropsForm",
                                            [](QWidget* Parent) -> std::unique_ptr<TvxEditPropsForm> {
                                              return std::make_unique<TvxDatasourcePropsForm>(Parent);
                                            }};
  return Record;
}

void TvxDatasourcePropsForm::LoadProps(TvxQueryBuilderControlOwner* Owner) {
  const auto* Datasource = qobject_cast<TvxDatasource*>(Owner);
  const TSQLFromSource* Node = Datasource != nullptr ? Datasource->GetNode() : nullptr;
  eObj->setText(Node != nullptr ? vx::ToQString(Node->GetSimpleExpression()) : QString());
  eObj->setCursorPosition(0);
  eAlias->setText(Datasource != nullptr ? vx::ToQString(Datasource->GetAlias()) : QString());
  eAlias->selectAll();
  eAlias->setFocus();
}

void TvxDatasourcePropsForm::SaveProps(TvxQueryBuilderControlOwner* Owner) {
  auto* Datasource = qobject_cast<TvxDatasource*>(Owner);
  if (Datasource == nullptr) return;
  const std::string Alias = vx::FromQString(eAlias->text().trimmed());
  if (Alias != Datasource->GetAlias()) Datasource->SetAlias(Alias);
}
