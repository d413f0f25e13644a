// The component's page control: one tab per sub-query, in the order of the component's
// sub-query list ("Main" first). Choosing a tab makes its sub-query the active one. F6 and
// Shift+F6 go round the panes of the shown page (TvxPaneKeys).
#pragma once

#include <QTabWidget>

class TvxQueryBuilder;
class TvxQueryTabSheet;

class TvxQueryBuiderPageControl : public QTabWidget {
  Q_OBJECT

public:
  // A child of QueryBuilder, filling it.
  explicit TvxQueryBuiderPageControl(TvxQueryBuilder* QueryBuilder);

  TvxQueryBuilder* GetQueryBuilder() const { return FQueryBuilder; }
  // Adds Sheet's tab at the place of its sub-query in the component's sub-query list, among
  // the sub-queries that have a tab.
  void InsertSheet(TvxQueryTabSheet* Sheet);

private:
  void PageChanged(int Index);

  TvxQueryBuilder* FQueryBuilder;
};
