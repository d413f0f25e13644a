// The properties dialog of a link: the two sides with a "Select All From ..." box each (both
// ticked: a full join), and either the operator of a comparison of two columns (simple mode)
// or the whole join condition as text (expression mode). The condition is parsed on OK; text
// that does not parse keeps the dialog open with the message, the offending token selected.
#pragma once

#include "vxQBPropertiesForm.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

class TvxLinkPropsForm : public TvxQBPropertiesForm {
  Q_OBJECT

public:
  explicit TvxLinkPropsForm(QWidget* Parent = nullptr);

  // The record the control factory hands out for this dialog.
  static const TvxEditPropsFormClass& Class();
  // True in simple mode (the operator alone is edited).
  bool IsSimpleMode() const;

protected:
  void LoadProps(TvxQueryBuilderControlOwner* Owner) override;
  void SaveProps(TvxQueryBuilderControlOwner* Owner) override;

private:
  QWidget* CreateObjectsPanel();
  QWidget* CreateSimplePanel();
  QWidget* CreateExpressionPanel();
  // A label over a read-only field, both aligned to Side.
  QLineEdit* AddSideField(QWidget* Panel, const char* LabelName, const QString& Caption, const char* FieldName,
                          Qt::Alignment Side);

  QWidget* pSimple = nullptr;
  QWidget* pExpression = nullptr;
  QLineEdit* eLeftObj = nullptr;
  QLineEdit* eRightObj = nullptr;
  QCheckBox* cbAllFromLeft = nullptr;
  QCheckBox* cbAllFromRight = nullptr;
  QLineEdit* eLeftCol = nullptr;
  QComboBox* cbOperator = nullptr;
  QLineEdit* eRightCol = nullptr;
  QLineEdit* eExpression = nullptr;
};
