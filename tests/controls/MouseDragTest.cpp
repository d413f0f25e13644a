// The library's own drag, with a test source and target driven by real mouse and key events.
#include "vxControlsTest.h"

#include "vxQBMouseDrag.h"

#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>

using namespace vxtest;

namespace {

// Takes drops in its right half and records what it was asked.
class TTarget : public QWidget, public TvxDragTarget {
public:
  QList<QPoint> Asked;
  QList<QPoint> Dropped;
  QObject* DroppedSource = nullptr;

  void DragOver(QObject*, const QPoint& Point, bool& Accept) override {
    Asked << Point;
    Accept = Point.x() >= width() / 2;
  }
  void DragDrop(QObject* Source, const QPoint& Point) override {
    DroppedSource = Source;
    Dropped << Point;
  }
};

}  // namespace

class TMouseDragTest : public QObject {
  Q_OBJECT

  QWidget FWindow;
  QWidget* FSource = nullptr;
  TTarget* FTarget = nullptr;
  TvxMouseDrag* FDrag = nullptr;

  // Moves the held mouse, as the source sees it, to Point of Widget.
  void MoveTo(QWidget* Widget, QPoint Point) {
    QTest::mouseMove(FSource, FSource->mapFromGlobal(Widget->mapToGlobal(Point)));
  }
  void ReleaseAt(QWidget* Widget, QPoint Point) {
    QTest::mouseRelease(FSource, Qt::LeftButton, {}, FSource->mapFromGlobal(Widget->mapToGlobal(Point)));
  }

private slots:
  void initTestCase() {
    FSource = new QWidget;
    FSource->setFixedSize(100, 100);
    FTarget = new TTarget;
    FTarget->setFixedSize(200, 100);
    auto* Layout = new QHBoxLayout(&FWindow);
    Layout->addWidget(FSource);
    Layout->addWidget(FTarget);
    FDrag = new TvxMouseDrag(FSource, 2);
    QVERIFY(ShowAndWait(FWindow));
  }

  void init() {
    FTarget->Asked.clear();
    FTarget->Dropped.clear();
    FTarget->DroppedSource = nullptr;
    FDrag->OnCanStartDrag = nullptr;
  }

  void DropOnATargetThatTakesIt() {
    QSignalSpy Started(FDrag, &TvxMouseDrag::dragStarted);
    QSignalSpy Finished(FDrag, &TvxMouseDrag::dragFinished);
    QTest::mousePress(FSource, Qt::LeftButton, {}, QPoint(50, 50));
    // Two pixels are within the threshold.
    QTest::mouseMove(FSource, QPoint(52, 48));
    QVERIFY(!FDrag->IsDragging());
    MoveTo(FTarget, QPoint(30, 40));  // over the half that refuses
    QVERIFY(FDrag->IsDragging());
    QCOMPARE(Started.count(), 1);
    QVERIFY(FDrag->GetAcceptingTarget() == nullptr);
    MoveTo(FTarget, QPoint(150, 60));
    QCOMPARE(FDrag->GetAcceptingTarget(), FTarget);
    ReleaseAt(FTarget, QPoint(160, 70));
    QCOMPARE(FTarget->Asked, QList<QPoint>({QPoint(30, 40), QPoint(150, 60), QPoint(160, 70)}));
    QCOMPARE(FTarget->Dropped, QList<QPoint>({QPoint(160, 70)}));
    QCOMPARE(FTarget->DroppedSource, FSource);
    QCOMPARE(Finished.count(), 1);
    QCOMPARE(Finished[0][0].toBool(), true);
    QVERIFY(!FDrag->IsDragging());
  }

  // Ways a press ends without a drop: a move within the threshold, a release where the target
  // refuses, Escape, a source that does not let the drag start.
  void NoDrop() {
    enum TWay { WithinThreshold, Refused, Escape, NotStartable };
    for (TWay Way : {WithinThreshold, Refused, Escape, NotStartable}) {
      init();
      QSignalSpy Started(FDrag, &TvxMouseDrag::dragStarted);
      QSignalSpy Finished(FDrag, &TvxMouseDrag::dragFinished);
      if (Way == NotStartable) FDrag->OnCanStartDrag = [](const QPoint& Point) { return Point.y() < 20; };
      QTest::mousePress(FSource, Qt::LeftButton, {}, QPoint(50, 50));
      if (Way == WithinThreshold) {
        QTest::mouseMove(FSource, QPoint(48, 52));
        ReleaseAt(FSource, QPoint(48, 52));
      } else {
        const QPoint Over = Way == Refused ? QPoint(20, 50) : QPoint(150, 50);
        MoveTo(FTarget, Over);
        if (Way == Escape) {
          QVERIFY(FDrag->IsDragging());
          QTest::keyClick(&FWindow, Qt::Key_Escape);
          QVERIFY(!FDrag->IsDragging());
        }
        ReleaseAt(FTarget, Over);
      }
      QVERIFY(FTarget->Dropped.isEmpty());
      const bool Starts = Way == Refused || Way == Escape;
      QCOMPARE(Started.count(), Starts ? 1 : 0);
      QCOMPARE(Finished.count(), Starts ? 1 : 0);
      if (Starts) QCOMPARE(Finished[0][0].toBool(), false);
      QVERIFY(FTarget->Asked.isEmpty() == !Starts);
    }
  }
};

VX_REGISTER_TEST(TMouseDragTest)
#include "MouseDragTest.moc"
