// The page of one sub-query in the page control. It holds one union page per union operand of
// the sub-query, each covering the whole sheet; only the active operand's page is shown.
#pragma once

#include <QWidget>

class TvxQueryBuilder;
class TvxSubQuery;

class TvxQueryTabSheet : public QWidget {
  Q_OBJECT

public:
  // SubQuery owns the sheet (its control); the page control becomes its parent.
  explicit TvxQueryTabSheet(TvxSubQuery* SubQuery);

  TvxSubQuery* GetSubQuery() const { return FSubQuery; }
  TvxQueryBuilder* GetQueryBuilder() const { return FQueryBuilder; }

protected:
  void resizeEvent(QResizeEvent* Event) override;

private:
  TvxSubQuery* FSubQuery;
  TvxQueryBuilder* FQueryBuilder;
};
