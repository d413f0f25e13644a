// The work area: its background in the three tones and with a host's picture, scrolling with
// the diagram; where new boxes go; the diagram's focus and the Delete key; the mouse and the
// menu; drops that come from the host.
#include "vxControlsTest.h"

#include "vxQBWorkArea.h"
#include "vxQueryDatasource.h"

#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

using namespace vxtest;

namespace {

QImage Grab(TvxQueryBuilderWorkArea* WorkArea) { return WorkArea->viewport()->grab().toImage(); }

QPixmap Filled(QSize Size, QColor Colour) {
  QPixmap Picture(Size);
  Picture.fill(Colour);
  return Picture;
}

// A plain widget standing in for a box at Geometry on the canvas.
QWidget* NewBox(TvxQueryBuilderWorkArea* WorkArea, const QRect& Geometry) {
  auto* Box = new QWidget(WorkArea->GetCanvas());
  Box->setGeometry(Geometry);
  Box->show();
  return Box;
}

}  // namespace

class TWorkAreaTest : public QObject {
  Q_OBJECT

  // A component large enough that the work area shows more than the 450 x 350 watermark.
  std::unique_ptr<TQueryBuilderRig> FRig;
  TvxQueryBuilderWorkArea* FWorkArea = nullptr;

private slots:
  void init() {
    FRig = std::make_unique<TQueryBuilderRig>();
    FRig->QueryBuilder.resize(900, 900);
    QVERIFY(ShowAndWait(FRig->QueryBuilder));
    FWorkArea = ActiveWorkArea(FRig->QueryBuilder);
    QVERIFY(FWorkArea != nullptr);
    QVERIFY(FWorkArea->viewport()->width() > 460 && FWorkArea->viewport()->height() > 360);
  }
  void cleanup() { FRig.reset(); }

  void EachToneHasItsOwnBackground() {
    const std::pair<TvxBkImageDarkness, QColor> Tones[] = {
        {bgidWhite, QColor(255, 255, 255)}, {bgidLight, QColor(224, 223, 227)}, {bgidDark, QColor(153, 153, 153)}};
    QList<QImage> Watermarks;
    for (const auto& [Tone, Fill] : Tones) {
      FRig->QueryBuilder.SetBkImageDarkness(Tone);
      const QImage Picture = Grab(FWorkArea);
      // Beyond the watermark its dot grid goes on, every 25 pixels, on the fill of the tone.
      const QColor Dot = Picture.pixelColor(12, 12);
      QVERIFY(Dot != Fill);
      const QPoint LastDot((Picture.width() - 14) / 25 * 25 + 12, (Picture.height() - 14) / 25 * 25 + 12);
      for (const QPoint& Beyond : {QPoint(462, 12), QPoint(12, 362), LastDot})
        QCOMPARE(Picture.pixelColor(Beyond), Dot);
      for (const QPoint& Between : {QPoint(460, 12), QPoint(462, 360), LastDot - QPoint(5, 5)})
        QCOMPARE(Picture.pixelColor(Between), Fill);
      Watermarks << Picture.copy(0, 0, 450, 350);
    }
    QVERIFY(Watermarks[0] != Watermarks[1] && Watermarks[1] != Watermarks[2] && Watermarks[0] != Watermarks[2]);
  }

  void HostPictureTakesThePlaceOfTheWatermark() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    const QColor Blue(0, 0, 255), Yellow(255, 255, 0);
    QB.SetBkColor(Yellow);
    QB.SetBkImage(Filled(QSize(20, 20), Blue));
    QImage Picture = Grab(FWorkArea);
    QCOMPARE(Picture.pixelColor(5, 5), Blue);
    QCOMPARE(Picture.pixelColor(25, 5), Yellow);
    QCOMPARE(Picture.pixelColor(5, 25), Yellow);
    QB.SetBkImagePos(bkipTile);
    Picture = Grab(FWorkArea);
    for (const QPoint& At : {QPoint(5, 5), QPoint(25, 5), QPoint(5, 25), QPoint(445, 345), QPoint(600, 500)})
      QCOMPARE(Picture.pixelColor(At), Blue);
  }

  void BackgroundScrollsWithTheDiagram() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    const QColor Red(255, 0, 0), White(255, 255, 255);
    QB.SetBkImage(Filled(QSize(100, 100), Red));
    NewBox(FWorkArea, QRect(2000, 2000, 80, 60));  // a box far away makes the diagram scroll
    QVERIFY(FWorkArea->GetCanvas()->width() >= 2080);
    FWorkArea->horizontalScrollBar()->setValue(30);
    FWorkArea->verticalScrollBar()->setValue(20);
    const QImage Picture = Grab(FWorkArea);
    QCOMPARE(Picture.pixelColor(69, 79), Red);
    QCOMPARE(Picture.pixelColor(70, 50), White);
    QCOMPARE(Picture.pixelColor(50, 80), White);
  }

  void NewBoxesGoToTheColumnWithTheMostRoom() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    const int Limit = FWorkArea->viewport()->width();
    struct TCase {
      const char* Name;
      int BoxWidth;
      QList<QRect> Boxes;
      bool Snap;
      QPoint Expected;
    };
    const int TwoColumns = Limit - 200;  // 140 + width fits, 270 + width does not
    const TCase Cases[] = {
        {"empty diagram", 80, {}, true, QPoint(10, 10)},
        {"first column taken twice", 80, {QRect(10, 10, 80, 50), QRect(10, 80, 80, 60)}, true, QPoint(140, 10)},
        {"equal columns: the leftmost",
         TwoColumns,
         {QRect(10, 10, TwoColumns, 45), QRect(140, 10, TwoColumns, 45)},
         false,
         QPoint(10, 75)},
        {"snapped to the grid of 8",
         TwoColumns,
         {QRect(10, 10, TwoColumns, 45), QRect(140, 10, TwoColumns, 45)},
         true,
         QPoint(10, 72)},
        {"no column fits: the first", Limit, {QRect(10, 10, Limit, 45)}, false, QPoint(10, 75)},
    };
    QB.SetGridSize(8);
    for (const TCase& Case : Cases) {
      QB.SetSnapToGrid(Case.Snap);
      QList<QWidget*> Boxes;
      for (const QRect& Geometry : Case.Boxes) Boxes << NewBox(FWorkArea, Geometry);
      QWidget* New = NewBox(FWorkArea, QRect(0, 0, Case.BoxWidth, 40));
      // The box being placed does not stand in its own way.
      QVERIFY2(FWorkArea->FindPos(New) == Case.Expected, Case.Name);
      qDeleteAll(Boxes);
      delete New;
    }
  }

  void PlacesFollowBoxesThatMoveGrowAndGo() {
    // FindPos remembers how far down each column's boxes reach; every change below must count.
    FRig->QueryBuilder.SetSnapToGrid(false);
    QWidget* New = NewBox(FWorkArea, QRect(0, 0, 80, 40));
    QWidget* Top = NewBox(FWorkArea, QRect(10, 10, 80, 50));
    QWidget* Under = NewBox(FWorkArea, QRect(10, 80, 80, 60));
    // Every other column holds one tall box.
    QWidget* Second = NewBox(FWorkArea, QRect(140, 10, 80, 200));
    for (int X = 270; X + 80 < FWorkArea->viewport()->width(); X += 130) NewBox(FWorkArea, QRect(X, 10, 80, 200));
    QCOMPARE(FWorkArea->FindPos(New), QPoint(10, 160));
    Under->resize(80, 100);
    QCOMPARE(FWorkArea->FindPos(New), QPoint(10, 200));
    Under->move(10, 81);  // off the chain: the column ends under Top
    QCOMPARE(FWorkArea->FindPos(New), QPoint(10, 80));
    Second->move(10, 80);  // onto it: the column reaches further than the second one
    QCOMPARE(FWorkArea->FindPos(New), QPoint(140, 10));
    delete Top;
    QCOMPARE(FWorkArea->FindPos(New), QPoint(10, 10));
    // The box being placed does not count where it stands.
    New->move(10, 10);
    QCOMPARE(FWorkArea->FindPos(New), QPoint(10, 10));
  }

  void OneFocusedControlAndTheDeleteKey() {
    QPointer<QWidget> Line = NewBox(FWorkArea, QRect(200, 200, 100, 20));
    Line->setFocusPolicy(Qt::NoFocus);  // as a link line is
    QWidget* Box = NewBox(FWorkArea, QRect(10, 10, 80, 60));
    Box->setFocusPolicy(Qt::StrongFocus);
    FWorkArea->SetFocusedControl(Box);
    QTRY_VERIFY(Box->hasFocus());
    FWorkArea->SetFocusedControl(Line);
    QCOMPARE(FWorkArea->GetFocusedControl(), Line.data());
    QTRY_VERIFY(FWorkArea->hasFocus());

    // Delete with a modifier is not the user's Delete.
    QTest::keyClick(FWorkArea, Qt::Key_Delete, Qt::ShiftModifier);
    QVERIFY(!Line.isNull());
    QTest::keyClick(FWorkArea, Qt::Key_Delete);
    QVERIFY(Line.isNull());
    QVERIFY(FWorkArea->GetFocusedControl() == nullptr);

    // A press on empty area ends the diagram's focus; so does the keyboard focus going
    // elsewhere in the window.
    FWorkArea->SetFocusedControl(Box);
    QTest::mouseClick(FWorkArea->viewport(), Qt::LeftButton, {}, QPoint(400, 300));
    QVERIFY(FWorkArea->GetFocusedControl() == nullptr);
    QTRY_VERIFY(FWorkArea->hasFocus());
    FWorkArea->SetFocusedControl(Box);
    auto* Elsewhere = new QWidget(&FRig->QueryBuilder);
    Elsewhere->setFocusPolicy(Qt::StrongFocus);
    Elsewhere->show();
    Elsewhere->setFocus();
    QTRY_VERIFY(FWorkArea->GetFocusedControl() == nullptr);
  }

  void DoubleClickOnEmptyAreaOpensTheOperandsProperties() {
    TCountingDialogSyntaxProvider Dialect(TvxUnionSubQuery::staticMetaObject);
    FRig->QueryBuilder.SetSyntaxProvider(&Dialect);  // a fresh query: a new work area
    FWorkArea = ActiveWorkArea(FRig->QueryBuilder);
    const int Edits = Dialect.GetEditCount();
    QTest::mouseDClick(FWorkArea->GetCanvas(), Qt::LeftButton, {}, QPoint(300, 200));
    QCOMPARE(Dialect.GetEditCount(), Edits + 1);
    FRig->QueryBuilder.SetSyntaxProvider(nullptr);
  }

  void ContextMenuIsTheOperandsWorkAreaMenu() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(100, 100),
                            FWorkArea->GetCanvas()->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(FWorkArea->GetCanvas(), &Event);
    QMenu* Menu = QB.GetPopupMenu();
    QTRY_VERIFY(Menu->isVisible());
    QStringList Items;
    for (const QAction* Item : Menu->actions()) Items << Item->text();
    QCOMPARE(Items, QStringList({"Add Table", "Add Subquery", "Union", "Edit...", "", "About Zarquel..."}));
    // "Add Subquery" adds a derived table, whose SELECT gets a tab.
    Menu->actions().at(1)->trigger();
    Menu->close();
    QCOMPARE(QB.GetSubQueriesCount(), 2);
    QCOMPARE(TabCaptions(QB).size(), 2);
  }

  void HostDropsReachTheActiveOperand() {
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    QObject* SeenSource = nullptr;
    QList<TvxDragState> States;
    QB.OnDragOver = [&](QObject* Sender, QObject* Source, int, int, TvxDragState State, bool& Accept) {
      SeenSource = Source;
      States << State;
      auto* Mime = qobject_cast<QMimeData*>(Source);
      Accept = Sender == QB.GetRootQuery()->GetActiveUnionSubquery() && Mime != nullptr && Mime->hasText();
    };
    QB.OnDragDrop = [](QObject* Sender, QObject* Source, int X, int Y) {
      auto* Operand = qobject_cast<TvxUnionSubQuery*>(Sender);
      Operand->AddObjectAt(qobject_cast<QMimeData*>(Source)->text().toStdString(), QPoint(X, Y));
    };
    NewBox(FWorkArea, QRect(2000, 2000, 10, 10));
    FWorkArea->verticalScrollBar()->setValue(100);

    QMimeData Refused;
    QDragEnterEvent RefusedEnter(QPoint(50, 60), Qt::CopyAction, &Refused, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FWorkArea->viewport(), &RefusedEnter);
    QVERIFY(!RefusedEnter.isAccepted());

    QMimeData Table;
    Table.setText("orders");
    QDragEnterEvent Enter(QPoint(50, 60), Qt::CopyAction, &Table, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FWorkArea->viewport(), &Enter);
    QVERIFY(Enter.isAccepted());
    QCOMPARE(SeenSource, &Table);
    QDragMoveEvent Move(QPoint(70, 80), Qt::CopyAction, &Table, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FWorkArea->viewport(), &Move);
    QVERIFY(Move.isAccepted());
    QDropEvent Drop(QPointF(70, 80), Qt::CopyAction, &Table, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FWorkArea->viewport(), &Drop);
    QCOMPARE(States, QList<TvxDragState>({dsDragEnter, dsDragEnter, dsDragMove}));

    // The table is in the query, placed where it was dropped in the scrolled diagram.
    QVERIFY(QB.GetSQL().find("orders") != std::string::npos);
    TvxFromClause* From = QB.GetRootQuery()->FirstSelect()->GetFromClause();
    auto* Added = qobject_cast<TvxDatasource*>(From->GetItems(From->GetCount() - 1));
    QCOMPARE(QPoint(Added->GetLeft(), Added->GetTop()), QPoint(70, 180));
  }
};

VX_REGISTER_TEST(TWorkAreaTest)
#include "WorkAreaTest.moc"
