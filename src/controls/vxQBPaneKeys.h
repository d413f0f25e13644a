// F6 and Shift+F6 anywhere on the component's page control (its tabs included): the keyboard
// focus goes round the panes of the active sub-query's active operand, the diagram, the
// select-list grid and, while the query is a union, the navigation bar (its active operand's
// button), as F6 goes round the panes of a desktop window. The diagram takes the focus itself
// (Tab then walks its boxes and lines), the grid takes it on its current cell.
#pragma once

#include <QObject>

class QWidget;
class TvxQueryBuiderPageControl;
class TvxQueryTabSheet;

class TvxPaneKeys : public QObject {
  Q_OBJECT

public:
  // A child of Pages; its keys act while the focus is anywhere on Pages.
  explicit TvxPaneKeys(TvxQueryBuiderPageControl* Pages);

  // The panes of the shown sheet in F6 order: work area, grid, the active button of the
  // navigation bar; null where one is missing or hidden.
  QList<QWidget*> GetPanes() const;
  // Moves the focus to the next (previous) pane after the one that has it; from outside them,
  // to the first (last).
  void CyclePanes(bool Forward);

private:
  TvxQueryTabSheet* ShownSheet() const;

  TvxQueryBuiderPageControl* FPages;
};
