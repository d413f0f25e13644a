// The boxes of the diagram under the user's hand: what a loaded statement shows, ticking fields,
// dragging a field onto a field, closing and deleting boxes, their menu, moving and sizing them
// on the grid, and what a new box looks like.
#include "vxDiagramTest.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDatasourceFieldsList.h"
#include "vxQBDefaultControlFactory.h"
#include "vxQBLinkControl.h"
#include "vxQBWorkArea.h"
#include "vxQueryDatasource.h"

#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace vxtest;

namespace {

const char* const GTypicalStatement =
    "SELECT c.Name, o.Total FROM Customers c INNER JOIN Orders o ON c.Id = o.CustId WHERE o.Total > 100 "
    "ORDER BY c.Name";

// Every ticked row of the diagram as alias.field, box by box from left to right.
QStringList TickedRows(const TDiagramRig& Rig) {
  QStringList Ticked;
  for (const char* Caption : {"c", "o"}) {
    TvxQueryBuilderDataSourceControl* Box = Rig.Box(Caption);
    if (Box == nullptr) continue;
    for (int Row = 0; Row < Box->GetFieldsList()->count(); ++Row)
      if (Box->GetFieldsList()->item(Row)->checkState() == Qt::Checked)
        Ticked << QStringLiteral("%1.%2").arg(Caption, Box->GetFieldsList()->item(Row)->text());
  }
  return Ticked;
}

// The middle of Field's row in the canvas.
QPoint RowMiddleOnCanvas(TvxQueryBuilderDataSourceControl* Box, const QString& Field) {
  TvxQueryBuilderDatasourceFieldsList* List = Box->GetFieldsList();
  const QRect Row = List->visualItemRect(RowOf(Box, Field));
  return List->viewport()->mapTo(Box->parentWidget(), QPoint(Row.center().x(), (Row.top() + Row.bottom() + 1) / 2));
}

}  // namespace

class TDatasourceControlTest : public TDiagramTest {
  Q_OBJECT

private slots:
  void TypicalStatementShowsTwoBoxesTheTicksAndOneLine() {
    FRig->Load(GTypicalStatement);
    TvxQueryBuilderDataSourceControl* Customers = FRig->Box("c");
    TvxQueryBuilderDataSourceControl* Orders = FRig->Box("o");
    QVERIFY(Customers != nullptr && Orders != nullptr);
    QCOMPARE(TickedRows(*FRig), QStringList({"c.Name", "o.Total"}));
    QCOMPARE(FRig->Lines().size(), 1);
    // The line leaves the Id row at the right edge of c and enters the CustId row at the left
    // edge of o, which stands in the next column.
    const TvxQueryBuilderLinkControl* Line = FRig->Lines().first();
    const QPoint From = Line->GetPoints()[0] + Line->GetBounds().topLeft(),
                 To = Line->GetPoints()[3] + Line->GetBounds().topLeft();
    QCOMPARE(From, QPoint(Customers->geometry().right() + 1, RowMiddleOnCanvas(Customers, "Id").y()));
    QCOMPARE(To, QPoint(Orders->x(), RowMiddleOnCanvas(Orders, "CustId").y()));
  }

  void TickingAndUntickingEditTheSelectList() {
    FRig->Load("SELECT c.Name FROM Customers c, Orders o");
    struct TStep {
      const char* Box;
      const char* Field;
      const char* Expected;
    };
    const TStep Steps[] = {
        {"c", "City", "SELECT c.Name, c.City FROM Customers c,  Orders o"},
        {"c", "Name", "SELECT c.City FROM Customers c,  Orders o"},
        {"c", "City", "SELECT FROM Customers c,  Orders o"},
        {"o", "*", "SELECT o.* FROM Customers c,  Orders o"},
        {"o", "Total", "SELECT o.*, o.Total FROM Customers c,  Orders o"},
    };
    for (const TStep& Step : Steps) {
      ClickCheckBox(FRig->Box(Step.Box), Step.Field);
      QCOMPARE(Q(FRig->SQL()), QString::fromLatin1(Step.Expected));
    }
    QCOMPARE(TickedRows(*FRig), QStringList({"o.*", "o.Total"}));

    // While assigned text waits to be loaded, a click changes nothing.
    FRig->QueryBuilder.SetSQL("SELECT c.Name FROM Customers c");
    ClickCheckBox(FRig->Box("o"), "Note");
    QCOMPARE(RowOf(FRig->Box("o"), "Note")->checkState(), Qt::Unchecked);
    FRig->QueryBuilder.ProcessPendingSQL();
  }

  void DraggingAFieldOntoAFieldOfAnotherBoxJoinsTheTables() {
    struct TCase {
      const char* Name;
      const char* From;
      const char* FromField;
      const char* To;
      const char* ToField;
      const char* Expected;
    };
    const TCase Cases[] = {
        {"onto a field", "c", "Id", "o", "CustId", "SELECT * FROM Customers c INNER JOIN  Orders o ON c.Id=o.CustId"},
        {"from the later table", "o", "CustId", "c", "Id",
         "SELECT * FROM Customers c INNER JOIN  Orders o ON o.CustId=c.Id"},
        {"onto all columns", "c", "Id", "o", "*", "SELECT * FROM Customers c,  Orders o"},
        {"all columns onto a field", "c", "*", "o", "Id", "SELECT * FROM Customers c,  Orders o"},
        {"onto its own list", "c", "Id", "c", "Name", "SELECT * FROM Customers c,  Orders o"},
    };
    QSignalSpy Failures(&FRig->QueryBuilder, &TvxQueryBuilder::actionFailed);
    for (const TCase& Case : Cases) {
      FRig->Load("SELECT * FROM Customers c, Orders o");
      DragField(FRig->Box(Case.From), Case.FromField, FRig->Box(Case.To), Case.ToField);
      QVERIFY2(FRig->SQL() == Case.Expected, Case.Name);
      QCOMPARE(FRig->Lines().size(), FRig->SQL().find(" ON ") != std::string::npos ? 1 : 0);
    }
    QCOMPARE(Failures.count(), 0);
  }

  void TheCloseButtonRemovesTheDatasourceWithItsLinksAndRows() {
    FRig->Load(GTypicalStatement);
    QPointer<TvxQueryBuilderDataSourceControl> Orders = FRig->Box("o");
    QTest::mouseClick(Orders, Qt::LeftButton, {}, Orders->GetCloseButtonRect().center());
    QCOMPARE(Q(FRig->SQL()), QStringLiteral("SELECT c.Name FROM Customers c ORDER BY c.Name"));
    QTRY_VERIFY(Orders.isNull());
    QVERIFY(FRig->Lines().isEmpty());
  }

  void DeleteRemovesTheFocusedBoxAndTheMenuOffersRemoveAndEdit() {
    FRig->Load("SELECT * FROM Customers c, Orders o, Orders p");
    QPointer<TvxQueryBuilderDataSourceControl> Customers = FRig->Box("c");
    QTest::mouseClick(Customers, Qt::LeftButton, {}, Customers->GetCaptionRect().center());
    TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(FRig->QueryBuilder);
    QCOMPARE(WorkArea->GetFocusedControl(), Customers.data());
    QTRY_VERIFY(Customers->GetFieldsList()->hasFocus());
    QTest::keyClick(Customers->GetFieldsList(), Qt::Key_Delete, Qt::ControlModifier);
    QVERIFY(!Customers.isNull());
    QTest::keyClick(Customers->GetFieldsList(), Qt::Key_Delete);
    QCOMPARE(Q(FRig->SQL()), QStringLiteral("SELECT * FROM Orders o,  Orders p"));
    QTRY_VERIFY(Customers.isNull());
    // The focus went to the diagram, not to the next box.
    QVERIFY(WorkArea->GetFocusedControl() == nullptr);

    QPointer<TvxQueryBuilderDataSourceControl> Orders = FRig->Box("o");
    const QPoint Caption = Orders->GetCaptionRect().center();
    QContextMenuEvent Event(QContextMenuEvent::Mouse, Caption, Orders->mapToGlobal(Caption));
    QApplication::sendEvent(Orders, &Event);
    QMenu* Menu = FRig->QueryBuilder.GetPopupMenu();
    QTRY_VERIFY(Menu->isVisible());
    QCOMPARE(WorkArea->GetFocusedControl(), Orders.data());
    QCOMPARE(Menu->actions().at(0)->text(), QStringLiteral("Remove"));
    QCOMPARE(Menu->defaultAction()->text(), QStringLiteral("Edit..."));
    Menu->actions().at(0)->trigger();
    Menu->close();
    QVERIFY(Orders.isNull());
    QCOMPARE(Q(FRig->SQL()), QStringLiteral("SELECT * FROM Orders p"));
  }

  void BoxesFollowTheTableColourAndFontAndTheirLinesFollowTheRows() {
    FRig->Load(GTypicalStatement);
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    const QColor Cream(255, 248, 220);
    QFont Large = QB.GetTableFont();
    Large.setPointSize(Large.pointSize() + 3);
    QB.SetTableColor(Cream);
    QB.SetTableFont(Large);
    for (const char* Caption : {"c", "o"}) {
      TvxQueryBuilderDataSourceControl* Box = FRig->Box(Caption);
      TvxQueryBuilderDatasourceFieldsList* List = Box->GetFieldsList();
      QCOMPARE(List->font().pointSize(), Large.pointSize());
      // Beside the first field's name, the list shows the table colour.
      const QImage Picture = List->viewport()->grab().toImage();
      QCOMPARE(Picture.pixelColor(Picture.width() - 3, List->visualItemRect(List->item(1)).center().y()), Cream);
    }
    // Taller rows move the joined row down, and the line with it.
    const TvxQueryBuilderLinkControl* Line = FRig->Lines().first();
    TvxQueryBuilderDatasourceFieldsList* Orders = FRig->Box("o")->GetFieldsList();
    QVERIFY(Orders->viewport()->rect().contains(Orders->visualItemRect(RowOf(FRig->Box("o"), "CustId"))));
    QCOMPARE(Line->GetBounds().topLeft().y() + Line->GetPoints()[3].y(),
             RowMiddleOnCanvas(FRig->Box("o"), "CustId").y());
  }

  void ADoubleClickOnTheCaptionOpensTheProperties() {
    TCountingDialogSyntaxProvider Dialect(TvxDatasource::staticMetaObject);
    FRig->QueryBuilder.SetSyntaxProvider(&Dialect);
    FRig->Load("SELECT * FROM Customers c");
    TvxQueryBuilderDataSourceControl* Box = FRig->Box("c");
    const int Edits = Dialect.GetEditCount();
    QTest::mouseDClick(Box, Qt::LeftButton, {}, Box->GetCaptionRect().center());
    QCOMPARE(Dialect.GetEditCount(), Edits + 1);
    FRig->QueryBuilder.SetSyntaxProvider(&FRig->Syntax);
  }

  void MovesAndSizesSnapToTheGridAndStopAtTheOrigin() {
    FRig->Load("SELECT * FROM Customers c");
    TvxQueryBuilderDataSourceControl* Box = FRig->Box("c");
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    struct TCase {
      const char* Name;
      bool Snap;
      int Grid;
      QPoint Target;
      QPoint Expected;
    };
    const TCase Cases[] = {
        {"grid of 8", true, 8, QPoint(21, 30), QPoint(16, 24)},
        {"snapping off", false, 8, QPoint(21, 30), QPoint(21, 30)},
        {"left of the origin", true, 2, QPoint(-37, 30), QPoint(0, 30)},
        {"above the origin", false, 2, QPoint(41, -5), QPoint(41, 0)},
    };
    for (const TCase& Case : Cases) {
      QB.SetSnapToGrid(Case.Snap);
      QB.SetGridSize(Case.Grid);
      const QSize Size = Box->size();
      DragCaption(Box, Case.Target);
      QVERIFY2(Box->pos() == Case.Expected, Case.Name);
      QVERIFY2(Box->size() == Size, Case.Name);
    }

    // From the left edge: the box grows by what the grid cut off, its right edge stays.
    QB.SetSnapToGrid(true);
    QB.SetGridSize(8);
    DragCaption(Box, QPoint(200, 80));
    const int Right = Box->geometry().right();
    const QPoint Edge(1, Box->height() / 2);
    QTest::mousePress(Box, Qt::LeftButton, {}, Edge);
    QTest::mouseMove(Box, Edge - QPoint(29, 0));
    QTest::mouseRelease(Box, Qt::LeftButton, {}, Edge - QPoint(29, 0));
    QCOMPARE(Box->x(), 168);
    QCOMPARE(Box->geometry().right(), Right);
    QCOMPARE(Box->GetDatasource()->GetLeft(), 168);
  }

  void ANewBoxTakesItsNaturalSizeInTheColumnWithTheMostRoom() {
    TvxUnionSubQuery* Operand = FRig->QueryBuilder.GetRootQuery()->FirstSelect();
    Operand->AddObject("Orders");
    Operand->AddObject("Customers");
    TvxQueryBuilderDataSourceControl* Orders = FRig->Box("Orders");
    TvxQueryBuilderDataSourceControl* Customers = FRig->Box("Customers");
    QVERIFY(Orders != nullptr && Customers != nullptr);
    const TvxQueryBuilderDatasourceFieldsList* List = Orders->GetFieldsList();
    QCOMPARE(List->count(), 5);
    QCOMPARE(List->size(), QSize(80, 5 * List->GetItemHeight() + 4));
    QCOMPARE(Orders->pos(), QPoint(10, 10));
    QCOMPARE(Customers->pos(), QPoint(140, 10));
  }

  void CaptionsShowNamesAsPeopleReadThem() {
    FRig->Load(
        "SELECT * FROM Customers \"Kunden und Bücher\", Orders \"O'Brien\", Orders \"Sales \"\"24\"\"\", "
        "\"Order Lines\", \"Ärzte\", Orders \"\"\"Q\"\"\", dbo.\"Order Lines\"");
    QStringList Captions;
    for (const auto* Box :
         ActiveWorkArea(FRig->QueryBuilder)->GetCanvas()->findChildren<TvxQueryBuilderDataSourceControl*>())
      Captions << Box->windowTitle();
    QCOMPARE(Captions,
             QStringList({QStringLiteral("Kunden und Bücher"), QStringLiteral("O'Brien"),
                          QStringLiteral("Sales \"24\""), QStringLiteral("Order Lines"), QStringLiteral("Ärzte"),
                          QStringLiteral("\"Q\""), QStringLiteral("dbo.Order Lines")}));
  }

  void BoxesKeepTheirPlaceWhenTheirControlsAreMadeAgain() {
    FRig->Load(GTypicalStatement);
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    QB.SetSnapToGrid(false);
    DragCaption(FRig->Box("o"), QPoint(333, 222));
    const QRect Geometry = FRig->Box("o")->geometry();
    TvxDefaultControlFactory Other;
    QB.SetControlFactory(&Other);
    QCOMPARE(FRig->Box("o")->geometry(), Geometry);
    QCOMPARE(FRig->Lines().size(), 1);
    QVERIFY(FRig->Lines().first()->IsLaidOut());
    QB.SetControlFactory(nullptr);
  }
};

VX_REGISTER_TEST(TDatasourceControlTest)
#include "DatasourceControlTest.moc"
