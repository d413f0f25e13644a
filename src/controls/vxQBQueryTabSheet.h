// The page of one sub-query in the page control. It holds one union page per union operand of
// the sub-query, each covering the whole sheet; only the active operand's page is shown. The
// union navigation bar floats over the pages in the corner UnionNavBarPos names, at the edge of
// the active operand's diagram, and stays there when the diagram scrolls or the panes resize.
#pragma once

#include "vxQBControlViews.h"

#include <QWidget>

class TvxQueryBuilder;
class TvxSubQuery;
class TvxUnionNavBar;

class TvxQueryTabSheet : public QWidget, public TvxQueryPageView {
  Q_OBJECT

public:
  // SubQuery owns the sheet (its control); the page control becomes its parent.
  explicit TvxQueryTabSheet(TvxSubQuery* SubQuery);

  TvxSubQuery* GetSubQuery() const { return FSubQuery; }
  TvxQueryBuilder* GetQueryBuilder() const { return FQueryBuilder; }
  TvxUnionNavBar* GetNavBar() const { return FNavBar; }
  void AlignUnionNavbar() override;

protected:
  void resizeEvent(QResizeEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  // Moves the bar to its corner of the active operand's diagram.
  void PlaceNavBar();

  TvxSubQuery* FSubQuery;
  TvxQueryBuilder* FQueryBuilder;
  TvxUnionNavBar* FNavBar;
};
