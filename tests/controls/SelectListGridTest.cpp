// The select-list grid as a user meets it: what a statement fills in, the output boxes, typing
// into cells with Enter and Escape, refused text, pick lists, the "..." button of a nested
// SELECT, the row menu and moving rows by their indicator; all through real mouse and key
// events on the offscreen platform.
#include "vxControlsTest.h"

#include "vxQBSelectListControl.h"
#include "vxQBSelectListGridModel.h"
#include "vxQBSelectListInplaceEdit.h"
#include "vxQuerySelectList.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
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
};

VX_REGISTER_TEST(TSelectListGridTest)
#include "SelectListGridTest.moc"
