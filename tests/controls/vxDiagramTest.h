// Shared pieces of the diagram tests: a shown component over the Overview's two tables and the
// user's hand on its boxes and lines.
#pragma once

#include "vxControlsTest.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>

class QListWidgetItem;
class TvxQueryBuilderDataSourceControl;
class TvxQueryBuilderLinkControl;

namespace vxtest {

// A component, shown at 900 x 700, whose metadata knows Customers (Id, Name, City) and Orders
// (Id, CustId, Total, Note) with the foreign key Orders.CustId -> Customers.Id, and answers any
// other table with the fields A, B and C.
struct TDiagramRig {
  TvxSQL92SyntaxProvider Syntax;
  TvxEventMetadataProvider Metadata;
  TvxQueryBuilder QueryBuilder;

  TDiagramRig();
  // Loads Text at once (raising as the synchronous loader does).
  void Load(const std::string& Text);
  std::string SQL() const { return QueryBuilder.GetSQL(); }
  // The box of the datasource captioned Caption in the active operand; null when there is none.
  TvxQueryBuilderDataSourceControl* Box(const QString& Caption) const;
  // The lines of the active operand's diagram, in creation order.
  QList<TvxQueryBuilderLinkControl*> Lines() const;
};

// The base of the diagram test classes: a fresh rig, shown, for every test function.
class TDiagramTest : public QObject {
  Q_OBJECT

protected:
  std::unique_ptr<TDiagramRig> FRig;

private slots:
  void init();
  void cleanup() { FRig.reset(); }
};

// The row of Box's list that shows Field ("*" for row 0).
QListWidgetItem* RowOf(TvxQueryBuilderDataSourceControl* Box, const QString& Field);
// The middle of Field's check box, in the coordinates of the list's viewport.
QPoint CheckBoxOf(TvxQueryBuilderDataSourceControl* Box, const QString& Field);
// Clicks Field's check box with the mouse.
void ClickCheckBox(TvxQueryBuilderDataSourceControl* Box, const QString& Field);
// Drags Field of From with the mouse and lets it go over Field of To.
void DragField(TvxQueryBuilderDataSourceControl* From, const QString& FromField, TvxQueryBuilderDataSourceControl* To,
               const QString& ToField);
// Drags Box by its caption bar so that, unsnapped, it would stand at Target (diagram pixels,
// at any zoom).
void DragCaption(TvxQueryBuilderDataSourceControl* Box, const QPoint& Target);
// A click of Button at Point of Widget delivered to its window, so that the widget under the
// point (masks honoured) takes it, as a user's click would reach it.
void ClickThroughWindow(QWidget* Widget, const QPoint& Point, Qt::MouseButton Button = Qt::LeftButton);

}  // namespace vxtest
