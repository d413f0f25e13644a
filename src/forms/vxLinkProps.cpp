#include "vxLinkProps.h"

#include "vxBaseSyntaxProvider.h"
#include "vxParserBase.h"
#include "vxQBStrings.h"
#include "vxQueryLink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QWidget* NewPanel(QWidget* Parent, const char* Name) {
  auto* Panel = new QWidget(Parent);
  Panel->setObjectName(QLatin1String(Name));
  return Panel;
}

QVBoxLayout* NewColumn(QWidget* Panel) {
  auto* Column = new QVBoxLayout(Panel);
  Column->setContentsMargins(0, 0, 0, 0);
  Column->setSpacing(4);
  return Column;
}

// Where the parser stopped, in words: "near 'x' (column 7)" or "at the end".
QString DescribeStop(const EvxSQLError& Error, const std::string& Text) {
  if (Error.TokenOffset >= Text.size()) return QStringLiteral("%1 at the end").arg(QString::fromUtf8(Error.what()));
  const auto Column = QString::fromUtf8(Text.data(), static_cast<qsizetype>(Error.TokenOffset)).size() + 1;
  return QStringLiteral("%1 near '%2' (column %3)")
      .arg(QString::fromUtf8(Error.what()), vx::ToQString(Error.TokenText))
      .arg(Column);
}

}  // namespace

TvxLinkPropsForm::TvxLinkPropsForm(QWidget* Parent) : TvxQBPropertiesForm(Parent) {
  setObjectName(QStringLiteral("TvxLinkPropsForm"));
  setWindowTitle(QStringLiteral("Link Properties"));
  AddPanel(CreateObjectsPanel());
  AddPanel(pSimple = CreateSimplePanel());
  AddPanel(pExpression = CreateExpressionPanel());
  pSimple->hide();
  pExpression->hide();
  setMinimumSize(360, 200);
  resize(360, 305);
}

const TvxEditPropsFormClass& TvxLinkPropsForm::Class() {
  static const TvxEditPropsFormClass Record{
      "TvxLinkPropsForm",
      [](QWidget* Parent) -> std::unique_ptr<TvxEditPropsForm> { return std::make_unique<TvxLinkPropsForm>(Parent); }};
  return Record;
}

QLineEdit* TvxLinkPropsForm::AddSideField(QWidget* Panel, const char* LabelName, const QString& Caption,
                                          const char* FieldName, Qt::Alignment Side) {
  auto* Label = new QLabel(Caption, Panel);
  Label->setObjectName(QLatin1String(LabelName));
  Label->setAlignment(Side | Qt::AlignVCenter);
  QLineEdit* Field = NewReadOnlyField(Panel, FieldName);
  Field->setAlignment(Side);
  auto* Column = qobject_cast<QVBoxLayout*>(Panel->layout());
  Column->addWidget(Label);
  Column->addWidget(Field);
  return Field;
}

QWidget* TvxLinkPropsForm::CreateObjectsPanel() {
  QWidget* pObjects = NewPanel(this, "pObjects");
  auto* Row = new QHBoxLayout(pObjects);
  Row->setContentsMargins(0, 0, 0, 0);
  Row->setSpacing(12);
  QWidget* pLeftObj = NewPanel(pObjects, "pLeftObj");
  NewColumn(pLeftObj);
  eLeftObj = AddSideField(pLeftObj, "Label1", QStringLiteral("Left object"), "eLeftObj", Qt::AlignLeft);
  cbAllFromLeft = new QCheckBox(QStringLiteral("Select All From Left"), pLeftObj);
  cbAllFromLeft->setObjectName(QStringLiteral("cbAllFromLeft"));
  pLeftObj->layout()->addWidget(cbAllFromLeft);

  QWidget* pRightObj = NewPanel(pObjects, "pRightObj");
  NewColumn(pRightObj);
  eRightObj = AddSideField(pRightObj, "Label2", QStringLiteral("Right object"), "eRightObj", Qt::AlignRight);
  cbAllFromRight = new QCheckBox(QStringLiteral("Select All From Right"), pRightObj);
  cbAllFromRight->setObjectName(QStringLiteral("cbAllFromRight"));
  // The right side mirrors the left: the box at the outer edge, its text inside.
  cbAllFromRight->setLayoutDirection(Qt::RightToLeft);
  qobject_cast<QVBoxLayout*>(pRightObj->layout())->addWidget(cbAllFromRight, 0, Qt::AlignRight);

  Row->addWidget(pLeftObj, 1);
  Row->addWidget(pRightObj, 1);
  return pObjects;
}

QWidget* TvxLinkPropsForm::CreateSimplePanel() {
  QWidget* Panel = NewPanel(this, "pSimple");
  auto* Row = new QHBoxLayout(Panel);
  Row->setContentsMargins(0, 0, 0, 0);
  QWidget* pLeftCol = NewPanel(Panel, "pLeftCol");
  NewColumn(pLeftCol);
  eLeftCol = AddSideField(pLeftCol, "Label4", QStringLiteral("Left column"), "eLeftCol", Qt::AlignLeft);

  QWidget* pOperator = NewPanel(Panel, "pOperator");
  QVBoxLayout* OperatorColumn = NewColumn(pOperator);
  cbOperator = new QComboBox(pOperator);
  cbOperator->setObjectName(QStringLiteral("cbOperator"));
  // Any operator may be typed; the condition with it must still parse.
  cbOperator->setEditable(true);
  cbOperator->setInsertPolicy(QComboBox::NoInsert);
  cbOperator->setMinimumWidth(65);
  OperatorColumn->addStretch(1);
  OperatorColumn->addWidget(cbOperator);

  QWidget* pRightCol = NewPanel(Panel, "pRightCol");
  NewColumn(pRightCol);
  eRightCol = AddSideField(pRightCol, "Label5", QStringLiteral("Right column"), "eRightCol", Qt::AlignRight);

  Row->addWidget(pLeftCol, 1);
  Row->addWidget(pOperator, 0);
  Row->addWidget(pRightCol, 1);
  return Panel;
}

QWidget* TvxLinkPropsForm::CreateExpressionPanel() {
  QWidget* Panel = NewPanel(this, "pExpression");
  QVBoxLayout* Column = NewColumn(Panel);
  auto* Label3 = new QLabel(QStringLiteral("Join expression"), Panel);
  Label3->setObjectName(QStringLiteral("Label3"));
  eExpression = new QLineEdit(Panel);
  eExpression->setObjectName(QStringLiteral("eExpression"));
  Label3->setBuddy(eExpression);
  Column->addWidget(Label3);
  Column->addWidget(eExpression);
  return Panel;
}

bool TvxLinkPropsForm::IsSimpleMode() const { return !pSimple->isHidden(); }

void TvxLinkPropsForm::LoadProps(TvxQueryBuilderControlOwner* Owner) {
  const auto* Link = qobject_cast<TvxLink*>(Owner);
  if (Link == nullptr) return;
  const TvxLinkProps Props = Link->GetProps();
  eLeftObj->setText(vx::ToQString(Props.LeftObject));
  eRightObj->setText(vx::ToQString(Props.RightObject));
  cbAllFromLeft->setChecked(Props.AllFromLeft);
  cbAllFromRight->setChecked(Props.AllFromRight);
  pSimple->setVisible(Props.Simple);
  pExpression->setVisible(!Props.Simple);
  if (Props.Simple) {
    eLeftCol->setText(vx::ToQString(Props.LeftColumn));
    eRightCol->setText(vx::ToQString(Props.RightColumn));
    cbOperator->clear();
    if (TvxBaseSyntaxProvider* Syntax = GetSyntaxProvider()) {
      TvxStringList Operators;
      Syntax->GetComparisonOperators(Operators);
      for (const std::string& Operator : Operators) cbOperator->addItem(vx::ToQString(Operator));
    }
    cbOperator->setCurrentText(vx::ToQString(Props.Operator));
    cbOperator->setFocus();
  } else {
    eExpression->setText(vx::ToQString(Props.Expression));
    eExpression->setFocus();
  }
  // As tall as the panel of the mode needs, as wide as the user left it.
  layout()->activate();
  resize(width(), sizeHint().height());
}

void TvxLinkPropsForm::SaveProps(TvxQueryBuilderControlOwner* Owner) {
  auto* Link = qobject_cast<TvxLink*>(Owner);
  if (Link == nullptr) return;
  TvxLinkProps Props;
  Props.AllFromLeft = cbAllFromLeft->isChecked();
  Props.AllFromRight = cbAllFromRight->isChecked();
  Props.Simple = IsSimpleMode();
  Props.Operator = vx::FromQString(cbOperator->currentText());
  Props.Expression = vx::FromQString(eExpression->text());
  try {
    Link->SetProps(Props);
  } catch (const EvxSQLError& Error) {
    if (Props.Simple) {
      // The operator is what makes the condition unreadable.
      cbOperator->setFocus();
      cbOperator->lineEdit()->selectAll();
      throw EvxException(vx::FromQString(
          QStringLiteral("%1 with the operator '%2'").arg(QString::fromUtf8(Error.what()), cbOperator->currentText())));
    }
    // The text stays as typed, with the token where reading stopped selected.
    const size_t Offset = std::min<size_t>(Error.TokenOffset, Props.Expression.size());
    const auto Start = QString::fromUtf8(Props.Expression.data(), static_cast<qsizetype>(Offset)).size();
    eExpression->setFocus();
    eExpression->setSelection(static_cast<int>(Start), static_cast<int>(vx::ToQString(Error.TokenText).size()));
    throw EvxException(vx::FromQString(DescribeStop(Error, Props.Expression)));
  }
}
