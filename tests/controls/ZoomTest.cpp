// The diagram at a zoom: check boxes, lines and snapping take the user's hand at every zoom,
// the model keeps unzoomed bounds, new boxes go where they would at 100%, and the keys and the
// wheel that change the zoom.
#include "vxDiagramTest.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDatasourceFieldsList.h"
#include "vxQBDiagramScale.h"
#include "vxQBLinkControl.h"
#include "vxQBWorkArea.h"
#include "vxQueryDatasource.h"

#include <QSignalSpy>
#include <QTest>
#include <QtMath>

using namespace vxtest;

namespace {

const char* const GJoin = "SELECT c.Name FROM Customers c INNER JOIN Orders o ON c.Id = o.CustId";

QRect ModelBounds(const TvxQueryBuilderDataSourceControl* Box) {
  const TvxDatasource* Datasource = Box->GetDatasource();
  return QRect(Datasource->GetLeft(), Datasource->GetTop(), Datasource->GetWidth(), Datasource->GetHeight());
}

}  // namespace

class TZoomTest : public TDiagramTest {
  Q_OBJECT

private slots:
  void ChecksLinesAndSnappingTakeTheMouseAtEveryZoom() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    QB.SetGridSize(8);
    for (const int Zoom : {50, 100, 200}) {
      const QByteArray Name = QByteArray::number(Zoom) + "%";
      FRig->Load(GJoin);
      QB.SetZoom(Zoom);
      TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(QB);
      const TvxDiagramScale Scale = WorkArea->GetScale();
      TvxQueryBuilderDataSourceControl* Customers = FRig->Box("c");
      QVERIFY2(Customers->geometry() == Scale.ToCanvas(ModelBounds(Customers)), Name);

      ClickCheckBox(Customers, "City");
      QVERIFY2(Q(FRig->SQL()).startsWith("SELECT c.Name, c.City FROM"), Name);
      QVERIFY2(RowOf(Customers, "City")->checkState() == Qt::Checked, Name);

      // A point on the left stub, and clicks 6 and 7 diagram pixels below it, on the canvas
      // pixel nearest the line that is still that far away.
      const TvxQueryBuilderLinkControl* Line = FRig->Lines().first();
      const QPointF OnLine = Line->GetBounds().topLeft() + Line->GetPoints()[0] + QPoint(8, 0);
      auto Below = [&](double Diagram, bool RoundTowardsLine) {
        const QPointF Canvas = (OnLine + QPointF(0, Diagram)) * Scale.GetFactor();
        return QPoint(qRound(Canvas.x()), RoundTowardsLine ? qFloor(Canvas.y()) : qCeil(Canvas.y()));
      };
      ClickThroughWindow(WorkArea->GetCanvas(), Below(7, false));
      QVERIFY2(WorkArea->GetFocusedControl() == nullptr, Name);
      ClickThroughWindow(WorkArea->GetCanvas(), Below(6, true));
      QVERIFY2(WorkArea->GetFocusedControl() == Line, Name);

      // Dragged by its caption, the box snaps to the grid of the model's pixels.
      DragCaption(Customers, QPoint(203, 61));
      QVERIFY2(ModelBounds(Customers).topLeft() == QPoint(200, 56), Name);
      QVERIFY2(Customers->geometry() == Scale.ToCanvas(ModelBounds(Customers)), Name);
      SaveScreenshot(QB.grab().toImage(), QStringLiteral("zoom-%1").arg(Zoom));
      QB.SetZoom(100);
    }
  }

  void ZoomingNeverMovesTheModelsBoxes() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    FRig->Load(GJoin);
    FRig->Box("o")->GetDatasource()->SetLeft(251);
    const QRect Customers = ModelBounds(FRig->Box("c")), Orders = ModelBounds(FRig->Box("o"));
    // Odd positions round differently at every zoom; none of it reaches the model.
    for (const int Zoom : {50, 67, 200, 33, 100}) {
      QB.SetZoom(Zoom);
      QCOMPARE(ModelBounds(FRig->Box("c")), Customers);
      QCOMPARE(ModelBounds(FRig->Box("o")), Orders);
    }
    // A model move at a zoom lands zoomed on the canvas.
    QB.SetZoom(200);
    FRig->Box("o")->GetDatasource()->SetTop(100);
    QCOMPARE(FRig->Box("o")->pos(), QPoint(2 * Orders.x(), 200));
  }

  void NewBoxesGoWhereTheyWouldUnzoomedAsFarAsTheViewAllows() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    QB.SetZoom(200);
    FRig->Load("SELECT * FROM T1, T2, T3, T4");
    QList<QPoint> Places;
    for (const char* Caption : {"T1", "T2", "T3", "T4"}) Places << ModelBounds(FRig->Box(Caption)).topLeft();
    // At 200% the view shows less than 500 diagram pixels across: three columns, and the fourth
    // box goes under the first.
    // (Snapped to the default grid of 2.)
    const int Under = (10 + ModelBounds(FRig->Box("T1")).height() + 20) / 2 * 2;
    QCOMPARE(Places, QList<QPoint>({{10, 10}, {140, 10}, {270, 10}, {10, Under}}));
    QCOMPARE(FRig->Box("T2")->pos(), QPoint(280, 20));
  }

  void KeysAndTheWheelZoom() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    FRig->Load(GJoin);
    QSignalSpy Changes(&QB, &TvxQueryBuilder::zoomChanged);
    QWidget* List = FRig->Box("c")->GetFieldsList();
    List->setFocus();
    QTRY_VERIFY(List->hasFocus());
    struct TCase {
      const char* Name;
      Qt::Key Key;
      Qt::KeyboardModifiers Modifiers;
      int Expected;
    };
    const TCase Cases[] = {
        {"Ctrl+plus", Qt::Key_Plus, Qt::ControlModifier, 110},
        {"Ctrl+= (plus shifted)", Qt::Key_Equal, Qt::ControlModifier, 125},
        {"Ctrl+Shift+plus", Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, 150},
        {"Ctrl and the keypad's plus", Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 175},
        {"Ctrl+minus", Qt::Key_Minus, Qt::ControlModifier, 150},
        {"plus without Ctrl", Qt::Key_Plus, Qt::NoModifier, 150},
        {"Ctrl+Alt+minus", Qt::Key_Minus, Qt::ControlModifier | Qt::AltModifier, 150},
        {"Ctrl+0", Qt::Key_0, Qt::ControlModifier, 100},
    };
    for (const TCase& Case : Cases) {
      QTest::keyClick(List, Case.Key, Case.Modifiers);
      QVERIFY2(QB.GetZoom() == Case.Expected, Case.Name);
    }
    QCOMPARE(Changes.size(), 6);
    QCOMPARE(Changes.last().first().toInt(), 100);

    // The steps end at both ends.
    QB.SetZoom(1000);
    QCOMPARE(QB.GetZoom(), TvxQueryBuilder::MaxZoom);
    QB.ZoomIn();
    QCOMPARE(QB.GetZoom(), TvxQueryBuilder::MaxZoom);
    QB.SetZoom(30);
    QB.ZoomOut();
    QCOMPARE(QB.GetZoom(), TvxQueryBuilder::MinZoom);
    QB.ZoomOut();
    QCOMPARE(QB.GetZoom(), TvxQueryBuilder::MinZoom);
    QB.SetZoom(100);

    // Ctrl+wheel over a box zooms the diagram (not the list) about the point under the mouse,
    // as far as the diagram can scroll: Customers far away gives it room.
    // Qt hands a wheel event a widget ignores on to its parents only when it comes from the
    // window system; a synthesized one is handed on here as the event loop would.
    FRig->Box("c")->GetDatasource()->SetLeft(1500);
    FRig->Box("c")->GetDatasource()->SetTop(1500);
    TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(QB);
    QWidget* Rows = FRig->Box("o")->GetFieldsList()->viewport();
    const QPoint Mouse = Rows->mapTo(WorkArea->viewport(), QPoint(20, 20));
    const QPoint Under = WorkArea->GetCanvas()->mapFrom(WorkArea->viewport(), Mouse);
    auto Turn = [&](int Delta) {
      const QPointF Global = WorkArea->viewport()->mapToGlobal(QPointF(Mouse));
      QWheelEvent OverList(Rows->mapFromGlobal(Global), Global, QPoint(), QPoint(0, Delta), Qt::NoButton,
                           Qt::ControlModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(Rows, &OverList);
      QVERIFY(!OverList.isAccepted());
      QWheelEvent OverDiagram(QPointF(Mouse), Global, QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::ControlModifier,
                              Qt::NoScrollPhase, false);
      QApplication::sendEvent(WorkArea->viewport(), &OverDiagram);
      QVERIFY(OverDiagram.isAccepted());
    };
    Turn(120);
    Turn(120);
    QCOMPARE(QB.GetZoom(), 125);
    const QPoint NowUnder = WorkArea->GetCanvas()->mapFrom(WorkArea->viewport(), Mouse);
    QVERIFY((NowUnder - Under * 1.25).manhattanLength() <= 2);
    Turn(-120);
    QCOMPARE(QB.GetZoom(), 110);
  }
};

VX_REGISTER_TEST(TZoomTest)
#include "ZoomTest.moc"
