// Shared pieces of the undo and layout tests: a shown component on the sample database in
// SQLite, and a picture of what it shows, read from the widgets.
#pragma once

#include "DatasourceTestRig.h"

#include <QPoint>
#include <QRect>

#include <string>
#include <vector>

class QWidget;

namespace vxtest {

// What the user sees, read from the widgets rather than from what the history or the layout keep:
// the SQL, every box with its bounds (as "tab | operand | caption | x,y wxh", sorted, so that the
// order of the model's lists does not matter), and the shown tab and operand.
struct TPicture {
  std::string SQL;
  std::vector<std::string> Boxes;
  int ShownTab = -1;
  int ShownOperand = -1;
  // All but the SQL.
  bool SameLayout(const TPicture& Other) const {
    return Boxes == Other.Boxes && ShownTab == Other.ShownTab && ShownOperand == Other.ShownOperand;
  }
};
void PrintTo(const TPicture& Picture, std::ostream* Stream);

class TShownRig : public TFromRig {
protected:
  // The component at 1100 x 750, shown and exposed.
  TShownRig();

  // Lets the event loop run until the history has taken the snapshot a change awaits.
  void Settle();
  TPicture Picture() const;
  // The datasource of the active operand of the active sub-query captioned Caption.
  TvxDatasource* Box(const std::string& Caption) const;
  // The text a component that loads SQL afresh gives back.
  std::string Reloaded(const std::string& SQL);
};

// Every datasource of Operand at any depth, in FROM order.
std::vector<TvxDatasource*> Boxes(TvxUnionSubQuery* Operand);
// Drags the box of Datasource by its caption bar by Offset, with the mouse.
void DragCaption(TvxDatasource* Datasource, const QPoint& Offset);
// Drags the bottom right corner of Datasource's box by Offset, with the mouse.
void DragCorner(TvxDatasource* Datasource, const QPoint& Offset);
// The box's bounds in the work area; empty without a box.
QRect BoundsOf(const TvxDatasource* Datasource);

}  // namespace vxtest
