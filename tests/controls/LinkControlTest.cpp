// The lines of the diagram: where they run, which clicks they take, the Delete key, the marks
// each painter draws for joins, keys and focus, and pictures of the sample query in every style.
#include "vxDiagramTest.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDatasourceFieldsList.h"
#include "vxQBLinkControl.h"
#include "vxQBLinkPainters.h"
#include "vxQBWorkArea.h"
#include "vxQtSqlMetadataProvider.h"
#include "vxQueryLink.h"
#include "vxSqlCorpus.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

using namespace vxtest;

namespace {

const char* const GTypicalStatement =
    "SELECT c.Name, o.Total FROM Customers c INNER JOIN Orders o ON c.Id = o.CustId WHERE o.Total > 100 "
    "ORDER BY c.Name";

// The line drawn by Painter on white, in the line's own coordinates.
QImage Render(const TvxQueryBuilderLinkControl* Line, TvxQueryBuilderLinkPainter* Painter, TvxQueryBuilder& QB) {
  QB.SetLinkType(Painter);
  QImage Picture(Line->GetBounds().size(), QImage::Format_RGB32);
  Picture.fill(Qt::white);
  QPainter Canvas(&Picture);
  Canvas.setRenderHint(QPainter::Antialiasing);
  Line->PaintLine(Canvas);
  return Picture;
}

QRect Around(const QPoint& Point, int Reach) {
  return QRect(Point, QSize(1, 1)).adjusted(-Reach, -Reach, Reach, Reach);
}

bool HasInk(const QImage& Picture, const QRect& Area) {
  for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
    for (int X = Area.left(); X <= Area.right(); ++X)
      if (Picture.pixelColor(X, Y).lightness() < 128) return true;
  return false;
}

}  // namespace

class TLinkControlTest : public TDiagramTest {
  Q_OBJECT

private slots:
  void LinesLeaveOnTheFacingSidesOrLoopOutOnTheNearerOne() {
    struct TCase {
      const char* Name;
      QRect Left, Right;
      TvxQueryBuilderLinkConnectToSide LeftSide, RightSide;
      QRect Bounds;
    };
    const TCase Cases[] = {
        {"right box further right", QRect(10, 50, 90, 18), QRect(200, 80, 90, 18), csRight, csLeft,
         QRect(98, 30, 104, 89)},
        {"right box further left", QRect(200, 80, 90, 18), QRect(10, 50, 90, 18), csLeft, csRight,
         QRect(98, 30, 104, 89)},
        {"overlapping, left edges nearer", QRect(30, 50, 90, 18), QRect(40, 150, 120, 18), csLeft, csLeft,
         QRect(12, 30, 30, 159)},
        {"overlapping at the diagram's left edge", QRect(10, 50, 90, 18), QRect(20, 150, 120, 18), csRight, csRight,
         QRect(98, 30, 60, 159)},
        {"overlapping, right edges nearer", QRect(10, 50, 90, 18), QRect(60, 150, 45, 18), csRight, csRight,
         QRect(98, 30, 25, 159)},
        {"a narrow gap keeps its middle", QRect(10, 50, 90, 18), QRect(110, 50, 90, 18), csRight, csLeft,
         QRect(92, 30, 26, 59)},
    };
    // Where a stub leaves Row on Side, and where it ends.
    auto Stub = [](const QRect& Row, TvxQueryBuilderLinkConnectToSide Side) {
      const QPoint Edge(Side == csLeft ? Row.x() : Row.x() + Row.width(), Row.y() + Row.height() / 2);
      return std::make_pair(Edge, Edge + QPoint(Side == csLeft ? -16 : 16, 0));
    };
    for (const TCase& Case : Cases) {
      const vx::TvxLinkLayout Layout = vx::CalcLinkLayout(Case.Left, Case.Right);
      QVERIFY2(Layout.LeftSide == Case.LeftSide && Layout.RightSide == Case.RightSide, Case.Name);
      QVERIFY2(Layout.Bounds == Case.Bounds, Case.Name);
      const QPoint Origin = Layout.Bounds.topLeft();
      const auto [LeftEdge, LeftEnd] = Stub(Case.Left, Case.LeftSide);
      const auto [RightEdge, RightEnd] = Stub(Case.Right, Case.RightSide);
      const TvxLinkPoints Expected{LeftEdge - Origin, LeftEnd - Origin, RightEnd - Origin, RightEdge - Origin};
      QVERIFY2(Layout.Points == Expected, Case.Name);
    }
  }

  void ClicksAreMeasuredFromTheNearestSegment() {
    const TvxLinkPoints Slanting{QPoint(0, 10), QPoint(16, 10), QPoint(56, 50), QPoint(72, 50)};
    const TvxLinkPoints Loop{QPoint(0, 0), QPoint(16, 0), QPoint(16, 40), QPoint(0, 40)};
    struct TCase {
      const char* Name;
      const TvxLinkPoints& Points;
      QPoint Point;
      double Distance;
    };
    const TCase Cases[] = {
        {"below a stub", Slanting, QPoint(8, 16), 6},
        {"further below a stub", Slanting, QPoint(8, 17), 7},
        {"beside the slant, by |dx| + |dy|", Slanting, QPoint(36, 24), 6},
        {"past a stub's end, from the slant's end", Slanting, QPoint(80, 50), 24},
        {"beside a vertical segment", Loop, QPoint(20, 20), 4},
        {"below the vertical segment, from the stub under it", Loop, QPoint(10, 45), 5},
    };
    for (const TCase& Case : Cases) QVERIFY2(vx::CalcLinkDistance(Case.Points, Case.Point) == Case.Distance, Case.Name);
  }

  void AClickWithinSixPixelsSelectsTheLineAndDeleteTurnsTheJoinIntoACrossJoin() {
    FRig->Load(GTypicalStatement);
    TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(FRig->QueryBuilder);
    QPointer<TvxQueryBuilderLinkControl> Line = FRig->Lines().first();
    // A point on the left stub, on the canvas.
    const QPoint OnLine = Line->GetBounds().topLeft() + Line->GetPoints()[0] + QPoint(8, 0);
    ClickThroughWindow(WorkArea->GetCanvas(), OnLine + QPoint(0, 7));
    QVERIFY(WorkArea->GetFocusedControl() == nullptr);
    ClickThroughWindow(WorkArea->GetCanvas(), OnLine - QPoint(0, 7));
    QVERIFY(WorkArea->GetFocusedControl() == nullptr);
    ClickThroughWindow(WorkArea->GetCanvas(), OnLine + QPoint(0, 6));
    QCOMPARE(WorkArea->GetFocusedControl(), Line.data());
    QTRY_VERIFY(WorkArea->hasFocus());

    QTest::keyClick(WorkArea, Qt::Key_Delete);
    QVERIFY(Line.isNull());
    QCOMPARE(Q(FRig->SQL()), QStringLiteral("SELECT c.Name, o.Total FROM Customers c CROSS JOIN  Orders o WHERE "
                                            "o.Total>100 ORDER BY c.Name"));
  }

  void ALineOpensItsPropertiesOnADoubleClickAndOffersRemoveAndEditInItsMenu() {
    TCountingDialogSyntaxProvider Dialect(TvxLink::staticMetaObject);
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    QB.SetSyntaxProvider(&Dialect);
    FRig->Load(GTypicalStatement);
    TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(QB);
    QPointer<TvxQueryBuilderLinkControl> Line = FRig->Lines().first();
    QWidget* Canvas = WorkArea->GetCanvas();
    const QPoint OnLine = Line->GetBounds().topLeft() + Line->GetPoints()[0] + QPoint(8, 0);
    QWidget* Window = Canvas->window();
    const int Edits = Dialect.GetEditCount();
    QTest::mouseDClick(Window->windowHandle(), Qt::LeftButton, {}, Canvas->mapTo(Window, OnLine));
    QCOMPARE(Dialect.GetEditCount(), Edits + 1);

    QContextMenuEvent Event(QContextMenuEvent::Mouse, OnLine, Canvas->mapToGlobal(OnLine));
    QApplication::sendEvent(Canvas, &Event);
    QMenu* Menu = QB.GetPopupMenu();
    QTRY_VERIFY(Menu->isVisible());
    QCOMPARE(WorkArea->GetFocusedControl(), Line.data());
    QCOMPARE(Menu->defaultAction()->text(), QStringLiteral("Edit..."));
    Menu->defaultAction()->trigger();
    QCOMPARE(Dialect.GetEditCount(), Edits + 2);
    QCOMPARE(Menu->actions().at(0)->text(), QStringLiteral("Remove"));
    Menu->actions().at(0)->trigger();
    Menu->close();
    QVERIFY(Line.isNull());
    QVERIFY(Q(FRig->SQL()).contains(QStringLiteral("CROSS JOIN")));
    QB.SetSyntaxProvider(&FRig->Syntax);
  }

  void AnEndWithoutAFieldAttachesToTheCaptionBar() {
    FRig->Load("SELECT * FROM Customers c, Orders o");
    TvxQueryBuilderDataSourceControl* Customers = FRig->Box("c");
    TvxQueryBuilderDataSourceControl* Orders = FRig->Box("o");
    // A condition on the whole source at the left end, and a field the catalog does not know at
    // the right one.
    TvxDatasource* Left = Customers->GetDatasource();
    TvxDatasource* Right = Orders->GetDatasource();
    Right->CreateDatasourceLink(Left, std::string(), Right, "Gone",
                                FRig->Syntax.GetASTSyntaxProvider()->ParseLogicalExpression("c.Id + 1 = o.CustId"));
    QCOMPARE(FRig->Lines().size(), 1);
    const TvxQueryBuilderLinkControl* Line = FRig->Lines().first();
    QVERIFY(Line->IsLaidOut());
    const QPoint From = Line->GetBounds().topLeft() + Line->GetPoints()[0],
                 To = Line->GetBounds().topLeft() + Line->GetPoints()[3];
    for (const auto& [End, Box] : {std::make_pair(From, Customers), std::make_pair(To, Orders)}) {
      const QRect Caption = Box->GetCaptionRect().translated(Box->pos());
      QVERIFY(End.y() >= Caption.top() && End.y() <= Caption.bottom());
    }
    QCOMPARE(From.x(), Customers->geometry().right() + 1);
    QCOMPARE(To.x(), Orders->x());
  }

  void EndMarksShowOuterJoinsAndPicturesShowTheKeys() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    struct TCase {
      const char* Join;
      bool LeftOuter, RightOuter;
    };
    const TCase Cases[] = {
        {"INNER", false, false}, {"LEFT", true, false}, {"RIGHT", false, true}, {"FULL", true, true}};
    QImage Inner[3];
    for (const TCase& Case : Cases) {
      FRig->Load(std::string("SELECT * FROM Customers c ") + Case.Join + " JOIN Orders o ON c.Id = o.CustId");
      const TvxQueryBuilderLinkControl* Line = FRig->Lines().first();
      const QImage Pictures[] = {Render(Line, new TvxQueryBuilderLinkPainterSimple(&QB), QB),
                                 Render(Line, new TvxQueryBuilderLinkPainterMSSQL(&QB), QB),
                                 Render(Line, new TvxQueryBuilderLinkPainterAccess(&QB), QB)};
      const TvxLinkPoints& Points = Line->GetPoints();
      const QPoint Middle((Points[0].x() + Points[3].x()) / 2, (Points[0].y() + Points[3].y()) / 2);
      for (int Style = 0; Style < 3; ++Style) {
        if (!Case.LeftOuter && !Case.RightOuter) {
          Inner[Style] = Pictures[Style];
          continue;
        }
        // The MS SQL style marks the middle, on the side of the outer end; the others the stub
        // ends.
        const QRect LeftMark = Style == 1 ? QRect(Middle - QPoint(9, 9), Middle + QPoint(-2, 9)) : Around(Points[1], 9);
        const QRect RightMark =
            Style == 1 ? QRect(Middle + QPoint(2, -9), Middle + QPoint(9, 9)) : Around(Points[2], 9);
        QVERIFY((Pictures[Style].copy(LeftMark) != Inner[Style].copy(LeftMark)) == Case.LeftOuter);
        QVERIFY((Pictures[Style].copy(RightMark) != Inner[Style].copy(RightMark)) == Case.RightOuter);
      }
    }

    // The key runs from Customers.Id (one) to Orders.CustId (many): a picture over each stub,
    // different ones; without a key, none.
    FRig->Load("SELECT * FROM Customers c JOIN Orders o ON c.Id = o.CustId JOIN Orders p ON p.Total = o.Total");
    for (TvxQueryBuilderLinkControl* Line : FRig->Lines()) {
      const QImage Picture = Render(Line, new TvxQueryBuilderLinkPainterAccess(&QB), QB);
      const TvxLinkPoints& Points = Line->GetPoints();
      auto Above = [&](const QPoint& Edge, const QPoint& StubEnd) {
        const int Middle = (Edge.x() + StubEnd.x()) / 2;
        return QRect(Middle - 8, Edge.y() - 20, 16, 16);
      };
      const QRect Left = Above(Points[0], Points[1]), Right = Above(Points[3], Points[2]);
      const bool Keyed = qobject_cast<TvxDatasource*>(Line->GetLink()->GetLeftDatasource())->GetAlias() == "c";
      QCOMPARE(HasInk(Picture, Left), Keyed);
      QCOMPARE(HasInk(Picture, Right), Keyed);
      if (Keyed) QVERIFY(Picture.copy(Left) != Picture.copy(Right));
    }
  }

  void PaintersAreChosenByNameAndRepaintEveryLineWhenTheyChange() {
    QStringList Styles;
    GetPaintersList().GetUserNames([&](const QString& Style) { Styles << Style; });
    QCOMPARE(Styles.mid(0, 3), QStringList({"Simple", "MS SQL Style", "Access Style"}));

    TvxQueryBuilder& QB = FRig->QueryBuilder;
    FRig->Load(GTypicalStatement);
    TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(QB);
    const TvxQueryBuilderLinkControl* Line = FRig->Lines().first();
    // A pixel of the left stub, half-way along it, and the one under it.
    const QPoint OnLine = Line->GetBounds().topLeft() + (Line->GetPoints()[0] + Line->GetPoints()[1]) / 2;
    auto Colour = [&](QPoint At) { return WorkArea->GetCanvas()->grab().toImage().pixelColor(At); };

    QB.SetLinkTypeName("TvxQueryBuilderLinkPainterSimple");
    auto* Simple = qobject_cast<TvxQueryBuilderLinkPainterSimple*>(QB.GetLinkType());
    QVERIFY(Simple != nullptr);
    QCOMPARE(Colour(OnLine), QColor(Qt::black));
    const QColor Red(200, 0, 0);
    Simple->SetLinkColor(Red);
    QCOMPARE(Colour(OnLine), Red);
    // Focused, the simple line is two pixels wide.
    QVERIFY(Colour(OnLine - QPoint(0, 1)) != Red);
    WorkArea->SetFocusedControl(FRig->Lines().first());
    QCOMPARE(Colour(OnLine - QPoint(0, 1)), Red);

    QB.SetLinkTypeName("TvxQueryBuilderLinkPainterMSSQL");
    QVERIFY(qobject_cast<TvxQueryBuilderLinkPainterMSSQL*>(QB.GetLinkType()) != nullptr);
    QCOMPARE(Colour(OnLine), QGuiApplication::palette().color(QPalette::Button));
    // An unknown name leaves no painter: the default, Access style, draws.
    QB.SetLinkTypeName("NoSuchPainter");
    QVERIFY(QB.GetLinkType() == nullptr);
    QCOMPARE(Colour(OnLine), QColor(Qt::black));
  }

  void RowsScrolledOutOfTheListPinTheLineToItsEdge() {
    FRig->Metadata.OnGetSQLFieldNames = [](TvxBaseMetadataProvider*, const std::string&, TvxStringList& Fields) {
      for (int Field = 0; Field < 60; ++Field) Fields.Add("F" + std::to_string(Field));
    };
    FRig->Load("SELECT * FROM Wide w JOIN Other x ON w.F59 = x.F0");
    TvxQueryBuilderDataSourceControl* Wide = FRig->Box("w");
    TvxQueryBuilderDatasourceFieldsList* List = Wide->GetFieldsList();
    QCOMPARE(Wide->height(), TvxQueryBuilderDataSourceControl::MaxHeight);
    const TvxQueryBuilderLinkControl* Line = FRig->Lines().first();
    auto LeftEnd = [&] { return Line->GetBounds().topLeft() + Line->GetPoints()[0]; };
    QCOMPARE(LeftEnd().y(), Wide->y() + List->geometry().bottom() + 1);
    List->verticalScrollBar()->setValue(List->verticalScrollBar()->maximum());
    const QRect Row = List->visualItemRect(List->item(60));
    QCOMPARE(LeftEnd().y(), Wide->y() + List->y() + (Row.top() + Row.bottom() + 1) / 2);
    List->verticalScrollBar()->setValue(0);
    QCOMPARE(LeftEnd().y(), Wide->y() + List->geometry().bottom() + 1);
  }

  void PicturesOfTheSampleQueryInEveryStyle() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    TvxQtSqlMetadataProvider Sample;
    Sample.SetConnectionName(SampleConnection());
    QB.SetMetadataProvider(&Sample);
    FRig->Load(ReadTextFile(qEnvironmentVariable("VX_SAMPLES").toStdString() + "/queries/sample.sql"));
    QCOMPARE(FRig->Lines().size(), 3);
    for (const char* Painter :
         {"TvxQueryBuilderLinkPainterSimple", "TvxQueryBuilderLinkPainterMSSQL", "TvxQueryBuilderLinkPainterAccess"}) {
      QB.SetLinkTypeName(Painter);
      QVERIFY(!SaveScreenshot(QB.grab().toImage(), QStringLiteral("sample-%1").arg(Painter)).isEmpty());
    }
    QB.SetMetadataProvider(&FRig->Metadata);
    FRig->Load(GTypicalStatement);
    QB.SetLinkTypeName(QString());
    QVERIFY(!SaveScreenshot(QB.grab().toImage(), QStringLiteral("typical-statement")).isEmpty());
    // The focus on a box, then on the line of each style.
    TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(QB);
    WorkArea->SetFocusedControl(FRig->Box("c"));
    QVERIFY(!SaveScreenshot(QB.grab().toImage(), QStringLiteral("typical-statement-box-focused")).isEmpty());
    WorkArea->SetFocusedControl(FRig->Lines().first());
    for (const char* Painter :
         {"TvxQueryBuilderLinkPainterSimple", "TvxQueryBuilderLinkPainterMSSQL", "TvxQueryBuilderLinkPainterAccess"}) {
      QB.SetLinkTypeName(Painter);
      QVERIFY(!SaveScreenshot(QB.grab().toImage(), QStringLiteral("typical-line-focused-%1").arg(Painter)).isEmpty());
    }

    // Outer joins, lines that cross the diagram and a loop between boxes one above the other.
    FRig->Load(
        "SELECT * FROM Customers c LEFT JOIN Orders o ON c.Id = o.CustId RIGHT JOIN Orders p ON p.CustId = "
        "c.Id FULL JOIN Other x ON x.A = o.Note");
    DragCaption(FRig->Box("o"), QPoint(330, 60));
    DragCaption(FRig->Box("p"), QPoint(30, 190));
    DragCaption(FRig->Box("x"), QPoint(520, 230));
    for (const char* Painter :
         {"TvxQueryBuilderLinkPainterSimple", "TvxQueryBuilderLinkPainterMSSQL", "TvxQueryBuilderLinkPainterAccess"}) {
      QB.SetLinkTypeName(Painter);
      QVERIFY(!SaveScreenshot(QB.grab().toImage(), QStringLiteral("outer-joins-%1").arg(Painter)).isEmpty());
    }
  }
};

VX_REGISTER_TEST(TLinkControlTest)
#include "LinkControlTest.moc"
