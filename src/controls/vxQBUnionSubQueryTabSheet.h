// The page of one union operand: its diagram (the work area) above a splitter and the pane of
// its select-list grid. The pane starts DefColumnsPaneHeight pixels high, or three eighths of
// the component's height when that is 0; the splitter's bar is SplitterHeight pixels thick.
#pragma once

#include "vxQBControlViews.h"

#include <QWidget>

class QFrame;
class QSplitter;
class TvxQueryBuilder;
class TvxQueryBuilderWorkArea;
class TvxQueryTabSheet;
class TvxUnionSubQuery;

class TvxUnionSubQueryTabSheet : public QWidget, public TvxUnionPageView, public TvxControlView {
  Q_OBJECT

public:
  // Operand owns the page (its control); Sheet, the tab sheet of its sub-query, is the parent.
  // The page comes back hidden, covering the sheet.
  TvxUnionSubQueryTabSheet(TvxUnionSubQuery* Operand, TvxQueryTabSheet* Sheet);

  TvxUnionSubQuery* GetUnionSubQuery() const { return FUnionSubQuery; }
  TvxQueryBuilder* GetQueryBuilder() const { return FQueryBuilder; }
  QWidget* GetWorkArea() const override;
  // The pane that holds the select-list grid.
  QFrame* GetBottomPanel() const { return FBottomPanel; }
  QSplitter* GetSplitter() const { return FSplitter; }
  void UpdateContolParams() override;

protected:
  void resizeEvent(QResizeEvent* Event) override;

private:
  // The pane's height the component asks for now.
  int GetWantedPaneHeight() const;
  void ApplyPaneHeight();

  TvxUnionSubQuery* FUnionSubQuery;
  TvxQueryBuilder* FQueryBuilder;
  TvxQueryBuilderWorkArea* FWorkArea;
  QSplitter* FSplitter;
  QFrame* FBottomPanel;
  // The DefColumnsPaneHeight the pane was sized by.
  int FPaneSetting = 0;
  // The user dragged the splitter: the pane keeps that height until the property changes.
  bool FUserSized = false;
};
