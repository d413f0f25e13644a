// The properties dialog of a datasource: the object it reads (read-only) and its alias. OK sets
// the alias only when it was changed.
#pragma once

#include "vxQBPropertiesForm.h"

#include <QPointer>

class QLineEdit;
class TvxDatasource;

class TvxDatasourcePropsForm : public TvxQBPropertiesForm {
  Q_OBJECT

public:
  explicit TvxDatasourcePropsForm(QWidget* Parent = nullptr);

  // The record the control factory hands out for this dialog.
  static const TvxEditPropsFormClass& Class();

protected:
  void LoadProps(TvxQueryBuilderControlOwner* Owner) override;
  void SaveProps(TvxQueryBuilderControlOwner* Owner) override;

private:
  QLineEdit* eObj = nullptr;
  QLineEdit* eAlias = nullptr;
};
