// The select-list grid as a user meets it: what a statement fills in, the output boxes, typing
// into cells with Enter and Escape, refused text, pick lists, the "..." button of a nested
// SELECT, the row menu and moving rows by their indicator; all through real mouse and key
// events on the offscreen platform.
#include "vxControlsTest.h"
#include "vxDiagramTest.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDatasourceFieldsList.h"

#include "vxQBSelectListControl.h"
#include "vxQBSelectListGridModel.h"
#include "vxQBSelectListInplaceEdit.h"
#include "vxQuerySelectList.h"

#include <QAbstractItemModelTester>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace vxtest;

namespace {

const char* const GTypical =
    "SELECT c.Name, o.Total FROM Customers c INNER JOIN Orders o ON c.Id = o.CustId WHERE o.Total > 100 ORDER BY "
    "c.Name";

// A shown component with the grid of its first operand at hand.
struct TGridRig : TQueryBuilderRig {
  TGridRig() {
    QueryBuilder.resize(900, 500);
    QueryBuilder.SetDefColumnsPaneHeight(180);
  }
  bool Show() { return ShowAndWait(QueryBuilder); }
  TvxQueryBuilderSelectListControl* Grid() const {
    return qobject_cast<TvxQueryBuilderSelectListControl*>(
        QueryBuilder.GetRootQuery()->FirstSelect()->GetSelectList()->GetSelectListControl());
  }
  TvxSelectList* List() const { return QueryBuilder.GetRootQuery()->FirstSelect()->GetSelectList(); }
  std::string SQL() const { return QueryBuilder.GetSQL(); }
  TvxQueryBuilderSelectListInplaceEdit* Editor() const { return Grid()->GetEditor(); }
  // The texts of line Row, columns 1 and on, joined by "|" up to the last that is not empty.
  QString Line(int Row) const {
    QStringList Texts;
    for (int Column = slcOutput; Column < Grid()->GetGridModel()->columnCount(); ++Column)
      Texts << Grid()->GetGridModel()->GetText(Row, Column);
    while (!Texts.isEmpty() && Texts.back().isEmpty()) Texts.removeLast();
    return Texts.join('|');
  }
  QPoint CellCenter(int Row, int Column) const {
    return Grid()->visualRect(Grid()->GetGridModel()->index(Row, Column)).center();
  }
  // The SELECT clause of the SQL (up to FROM), on one line.
  QString SelectClause() const {
    const QString Text = Q(SQL()).simplified();
    return Text.left(Text.indexOf(QStringLiteral(" FROM ")));
  }
  // Drags the indicator of line From onto line To with the library's drag.
  void DragIndicator(int From, int To) {
    QWidget* Viewport = Grid()->viewport();
    QTest::mousePress(Viewport, Qt::LeftButton, {}, CellCenter(From, slcIndicator));
    QTest::mouseMove(Viewport, CellCenter(From, slcIndicator) + QPoint(0, 6));
    QTest::mouseMove(Viewport, CellCenter(To, slcIndicator));
    QTest::mouseRelease(Viewport, Qt::LeftButton, {}, CellCenter(To, slcIndicator));
  }
  void Click(int Row, int Column) {
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, CellCenter(Row, Column));
  }
  // Clicks the cell, replaces its text by typing Text, and ends with Key.
  void Type(int Row, int Column, const QString& Text, Qt::Key Key = Qt::Key_Return) {
    Click(Row, Column);
    QLineEdit* Edit = Editor()->GetLineEdit();
    QTest::keyClick(Edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Edit, Text);
    QTest::keyClick(Edit, Key);
  }
};

}  // namespace

class TSelectListGridTest : public QObject {
  Q_OBJECT

private slots:
  void ANewGridAndTheTypicalStatement() {
    TGridRig Rig;
    QVERIFY(Rig.Show());
    TvxQueryBuilderSelectListControl* Grid = Rig.Grid();
    QVERIFY(Grid != nullptr && Grid->isVisible());
    QAbstractItemModelTester Tester(Grid->GetGridModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    // A new grid: the title row and one empty line, whose output cell holds no box.
    QCOMPARE(Grid->GetGridModel()->rowCount(), 1);
    QCOMPARE(Grid->GetGridModel()->columnCount(), 11);
    QCOMPARE(Grid->GetGridModel()->index(0, slcOutput).data(Qt::CheckStateRole), QVariant());
    QStringList Titles;
    for (int Column = 0; Column < 11; ++Column)
      Titles << Grid->GetGridModel()->headerData(Column, Qt::Horizontal).toString();
    QCOMPARE(Titles, QStringList({"", "Output", "Expression", "Alias", "Sort Type", "Sort Order", "Group By",
                                  "Criteria", "Or...", "Or...", "Or..."}));
    QCOMPARE(Grid->horizontalHeader()->height(), 18);
    QCOMPARE(Grid->rowHeight(0), 16);
    QCOMPARE(Grid->columnWidth(slcIndicator), 12);
    QVERIFY(Grid->columnWidth(slcExpression) >= 100);

    Rig.Load(GTypical);
    // Loading makes a new select list, with a new grid.
    Grid = Rig.Grid();
    QVERIFY(Grid != nullptr);
    QCOMPARE(Grid->GetGridModel()->rowCount(), 3);
    QCOMPARE(Rig.Line(0), QStringLiteral("1|c.Name||Ascending|1|Expression"));
    QCOMPARE(Rig.Line(1), QStringLiteral("1|o.Total||||Where|>100"));
    QCOMPARE(Rig.Line(2), QStringLiteral("-2"));
    QCOMPARE(Grid->GetGridModel()->index(0, slcOutput).data(Qt::CheckStateRole), QVariant(Qt::Checked));
  }

  void EditsReachTheSQL() {
    TGridRig Rig;
    QVERIFY(Rig.Show());
    Rig.Load(GTypical);
    QSignalSpy Failed(&Rig.QueryBuilder, &TvxQueryBuilder::actionFailed);

    // A click beside the output box does nothing; inside it the column leaves the SELECT.
    const QRect Box = Rig.Grid()->GetCheckRect(0);
    QTest::mouseClick(Rig.Grid()->viewport(), Qt::LeftButton, {}, QPoint(Box.right() + 6, Box.center().y()));
    QCOMPARE(Rig.SelectClause(), QStringLiteral("SELECT c.Name, o.Total"));
    QTest::mouseClick(Rig.Grid()->viewport(), Qt::LeftButton, {}, Box.center());
    QCOMPARE(Rig.SelectClause(), QStringLiteral("SELECT o.Total"));
    QCOMPARE(Rig.Grid()->GetGridModel()->index(0, slcOutput).data(Qt::CheckStateRole), QVariant(Qt::Unchecked));
    // Space on the output cell puts it back.
    QTest::keyClick(Rig.Grid(), Qt::Key_Space);
    QCOMPARE(Rig.SelectClause(), QStringLiteral("SELECT c.Name, o.Total"));

    Rig.Type(1, slcAlias, QStringLiteral("Amount"));
    QCOMPARE(Rig.SelectClause(), QStringLiteral("SELECT c.Name, o.Total AS Amount"));
    // Escape puts the cell's text back and changes nothing.
    Rig.Type(1, slcAlias, QStringLiteral("Other"), Qt::Key_Escape);
    QCOMPARE(Rig.Editor()->GetText(), QStringLiteral("Amount"));
    QCOMPARE(Rig.SelectClause(), QStringLiteral("SELECT c.Name, o.Total AS Amount"));

    // A criterion in the second "or" column joins the WHERE with OR.
    Rig.Type(0, slcCriteria + 1, QStringLiteral("= 'Ann'"));
    QVERIFY2(Q(Rig.SQL()).simplified().contains(QStringLiteral("WHERE o.Total>100 Or c.Name='Ann'")),
             qPrintable(Q(Rig.SQL())));

    // Text the grammar cannot read is refused with its position; the editor keeps it.
    const std::string Before = Rig.SQL();
    QCOMPARE(Failed.count(), 0);
    Rig.Type(1, slcCriteria, QStringLiteral("> (1 +"));
    QCOMPARE(Failed.count(), 1);
    QVERIFY2(Failed.front().front().toString().contains(QStringLiteral("column")),
             qPrintable(Failed.front().front().toString()));
    QCOMPARE(Rig.SQL(), Before);
    QVERIFY(Rig.Editor()->isVisible());
    QCOMPARE(Rig.Editor()->GetText(), QStringLiteral("> (1 +"));
    QCOMPARE(Rig.Grid()->currentIndex(), Rig.Grid()->GetGridModel()->index(1, slcCriteria));
    // Escape gives the cell's text back.
    QTest::keyClick(Rig.Editor()->GetLineEdit(), Qt::Key_Escape);
    QCOMPARE(Rig.Editor()->GetText(), QStringLiteral(">100"));
  }

  void MovingRowsByTheirIndicator() {
    TGridRig Rig;
    QVERIFY(Rig.Show());
    Rig.Load("SELECT o.Id, o.CustId, o.Total FROM Orders o");
    Rig.DragIndicator(2, 0);
    QCOMPARE(Rig.SelectClause(), QStringLiteral("SELECT o.Total, o.Id, o.CustId"));
    QCOMPARE(Rig.Line(0).section('|', 1, 1), QStringLiteral("o.Total"));
    // Dropped on the trailing empty line, a row goes last.
    Rig.DragIndicator(1, 3);
    QCOMPARE(Rig.SelectClause(), QStringLiteral("SELECT o.Total, o.CustId, o.Id"));
  }

  void FieldsDroppedFromABox() {
    TDiagramRig Rig;
    QVERIFY(ShowAndWait(Rig.QueryBuilder));
    Rig.Load(GTypical);
    auto* Grid = qobject_cast<TvxQueryBuilderSelectListControl*>(
        Rig.QueryBuilder.GetRootQuery()->FirstSelect()->GetSelectList()->GetSelectListControl());
    TvxQueryBuilderDatasourceFieldsList* Fields = Rig.Box(QStringLiteral("o"))->GetFieldsList();
    // Drags Field of the Orders box onto Point of the grid.
    const auto DropOnGrid = [&](const QString& Field, const QPoint& Point) {
      QWidget* Source = Fields->viewport();
      const QPoint Start = Fields->visualItemRect(RowOf(Rig.Box(QStringLiteral("o")), Field)).center();
      const QPoint End = Source->mapFromGlobal(Grid->mapToGlobal(Point));
      QTest::mousePress(Source, Qt::LeftButton, {}, Start);
      QTest::mouseMove(Source, Start + QPoint(6, 0));
      QTest::mouseMove(Source, End);
      QTest::mouseRelease(Source, Qt::LeftButton, {}, End);
    };
    // On the title row: in front of the trailing empty row.
    DropOnGrid(QStringLiteral("Note"), QPoint(200, 5));
    QCOMPARE(Grid->GetGridModel()->rowCount(), 4);
    QCOMPARE(Grid->GetGridModel()->GetText(2, slcExpression), QStringLiteral("o.Note"));
    QVERIFY(Grid->GetGridModel()->GetText(3, slcExpression).isEmpty());
    // On a row: in front of it.
    const QPoint FirstRow = Grid->viewport()->mapTo(Grid, Grid->visualRect(Grid->GetGridModel()->index(0, 2)).center());
    DropOnGrid(QStringLiteral("Id"), FirstRow);
    QCOMPARE(Grid->GetGridModel()->GetText(0, slcExpression), QStringLiteral("o.Id"));
    QCOMPARE(Grid->GetGridModel()->GetText(1, slcExpression), QStringLiteral("c.Name"));
    QVERIFY(Q(Rig.SQL()).simplified().startsWith(QStringLiteral("SELECT o.Id, c.Name, o.Total, o.Note FROM")));
  }

  void TheRowMenu() {
    TGridRig Rig;
    QVERIFY(Rig.Show());
    Rig.Load("SELECT o.Id, o.CustId, o.Total FROM Orders o");
    // Right on the indicator of a row, then an item of the menu.
    const auto Choose = [&](int Row, const QString& Text) {
      const QPoint Point = Rig.CellCenter(Row, slcIndicator);
      QContextMenuEvent Event(QContextMenuEvent::Mouse, Point, Rig.Grid()->viewport()->mapToGlobal(Point));
      QApplication::sendEvent(Rig.Grid()->viewport(), &Event);
      QMenu* Menu = Rig.QueryBuilder.GetPopupMenu();
      QTRY_VERIFY(Menu->isVisible());
      for (QAction* Action : Menu->actions())
        if (Action->text().remove('&') == Text)
          QTest::mouseClick(Menu, Qt::LeftButton, {}, Menu->actionGeometry(Action).center());
    };
    Choose(1, QStringLiteral("Remove Row"));
    QCOMPARE(Rig.SelectClause(), QStringLiteral("SELECT o.Id, o.Total"));
    Choose(1, QStringLiteral("Insert Empty Row"));
    QCOMPARE(Rig.Grid()->GetGridModel()->rowCount(), 4);
    QVERIFY(Rig.Grid()->GetGridModel()->GetText(1, slcExpression).isEmpty());
    QCOMPARE(Rig.Grid()->GetGridModel()->GetText(2, slcExpression), QStringLiteral("o.Total"));
    QCOMPARE(Rig.SelectClause(), QStringLiteral("SELECT o.Id, o.Total"));
  }

  void TheEllipsisOpensTheNestedSelect() {
    TGridRig Rig;
    QVERIFY(Rig.Show());
    Rig.Load("SELECT o.Id, (SELECT MAX(p.Total) FROM Orders p) FROM Orders o");
    QTabBar* Tabs = TabBarOf(Rig.QueryBuilder);
    QCOMPARE(Tabs->currentIndex(), 0);
    Rig.Click(1, slcExpression);
    QToolButton* Button = Rig.Editor()->GetEditButton();
    QVERIFY(Button->isVisible());
    QCOMPARE(Button->text(), QStringLiteral("\u2026"));
    QTest::mouseClick(Button, Qt::LeftButton);
    QCOMPARE(Tabs->currentIndex(), 1);
  }

  void RenderForPeopleToLookAt() {
    TGridRig Rig;
    QVERIFY(Rig.Show());
    Rig.Load(GTypical);
    Rig.Type(0, slcCriteria + 1, QStringLiteral("LIKE 'A%'"));
    Rig.Click(1, slcAlias);
    QVERIFY(!SaveScreenshot(Rig.Grid()->grab().toImage(), QStringLiteral("select-list-grid")).isEmpty());
  }
};

VX_REGISTER_TEST(TSelectListGridTest)
#include "SelectListGridTest.moc"
