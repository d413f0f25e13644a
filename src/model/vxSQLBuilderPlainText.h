// The SQL builder that writes plain multi-line text (CR LF line breaks).
#pragma once

#include "vxBaseSQLBuilder.h"

class TvxSQLBuilderPlainText : public TvxBaseSQLBuilder {
  Q_OBJECT

public:
  explicit TvxSQLBuilderPlainText(QObject* Owner = nullptr) : TvxBaseSQLBuilder(Owner) {}

protected:
  TSQLBuilderClass SQLBuilderClass() const override;
};
