// The diagram, the panes and the navigation bar from the keyboard: Tab through boxes and lines,
// choosing links, moving and sizing boxes, dialogs and menus, F6 round the panes, and how focus
// looks under each link painter; keys typed into whatever has the focus.
#include "vxDiagramTest.h"
#include "vxKeyboardTest.h"

#include "vxQBDatasourceFieldsList.h"
#include "vxQBFocusPaint.h"
#include "vxQBQueryTabSheet.h"
#include "vxQBUnionNavBar.h"
#include "vxQBUnionNavItems.h"
#include "vxQBWorkAreaKeys.h"
#include "vxQueryUnionSubQuery.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace vxtest;

namespace {

const char* const GThree = "SELECT * FROM Customers c, Orders o, Other x";

// The title of the modal dialog that Open shows over Window, closed with Escape; empty when none
// showed.
QString ModalTitle(QWidget& Window, const std::function<void()>& Open) {
  QString Title;
  InModal(Window, Open, [&](QWidget* Modal) {
    Title = Modal->windowTitle();
    Press(Qt::Key_Escape);
  });
  return Title;
}

// The texts of the shown component menu's items, closed with Escape; empty when none shows.
QStringList MenuItems(TvxQueryBuilder& QueryBuilder) {
  QMenu* Menu = QueryBuilder.GetPopupMenu();
  if (Menu == nullptr || !Menu->isVisible()) return {};
  QStringList Texts;
  for (const QAction* Action : Menu->actions())
    if (!Action->isSeparator()) Texts << Action->text().remove('&');
  Press(Qt::Key_Escape);
  return Texts;
}

}  // namespace

class TKeyboardDiagramTest : public TDiagramTest {
  Q_OBJECT

  TvxQueryBuilderWorkArea* WorkArea() const { return ActiveWorkArea(FRig->QueryBuilder); }
  QWidget* Focused() const { return WorkArea()->GetFocusedControl(); }
  // Focuses the diagram itself, with no item, as a click on its empty area does.
  void FocusDiagram() {
    QTest::mouseClick(WorkArea()->viewport(), Qt::LeftButton, {},
                      WorkArea()->viewport()->rect().bottomRight() - QPoint(20, 20));
    QCOMPARE(QApplication::focusWidget(), WorkArea());
  }
  // Loads Text and tabs to the box captioned Caption.
  void TabToBox(const std::string& Text, const QString& Caption) {
    FRig->Load(Text);
    FocusDiagram();
    for (int Tabs = 0; Tabs < 6 && Focused() != FRig->Box(Caption); ++Tabs) Press(Qt::Key_Tab);
    QCOMPARE(Focused(), FRig->Box(Caption));
  }

private slots:
  void TabWalksBoxesInFromOrderThenLinesThenLeaves() {
    FRig->Load(
        "SELECT * FROM Orders o INNER JOIN Customers c ON c.Id = o.CustId INNER JOIN Other x ON x.A = o.Note, "
        "Customers d");
    // A click raises a box over the others; the keys keep to FROM order all the same.
    DragCaption(FRig->Box("x"), QPoint(400, 300));
    FocusDiagram();
    auto* Frame = WorkArea()->findChild<TvxFocusFrame*>();
    QVERIFY(Frame->isVisible());
    QList<QWidget*> Walked;
    for (int Tabs = 0; Tabs < 6; ++Tabs) {
      Press(Qt::Key_Tab);
      Walked << Focused();
    }
    const QList<TvxQueryBuilderLinkControl*> Lines = FRig->Lines();
    QCOMPARE(Walked,
             QList<QWidget*>({FRig->Box("o"), FRig->Box("c"), FRig->Box("x"), FRig->Box("d"), Lines[0], Lines[1]}));
    QVERIFY(!Frame->isVisible());
    // A box gets the keyboard focus on its list, its first field current.
    QCOMPARE(CurrentField(FRig->Box("d")), QStringLiteral("Id"));
    // Past the last line the focus leaves the diagram for the grid.
    Press(Qt::Key_Tab);
    QVERIFY(GridOf(FRig->QueryBuilder)->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(Focused(), nullptr);
    // Back from before the first item; in again with Tab to the first, with Shift+Tab to the
    // last.
    FocusDiagram();
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(QApplication::focusWidget() != WorkArea() && !WorkArea()->isAncestorOf(QApplication::focusWidget()));
    Press(Qt::Key_Tab);
    QCOMPARE(Focused(), FRig->Box("o"));
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(Focused() == nullptr);
  }

  void ChoosingALink_data() {
    QTest::addColumn<QList<int>>("Keys");
    QTest::addColumn<QString>("Condition");
    const int Link = (Qt::ControlModifier | Qt::Key_L).toCombined();
    // From c.Id; the first target is the next box, on its field of the same name.
    QTest::newRow("down a row") << QList<int>{Link, Qt::Key_Down, Qt::Key_Return} << "c.Id=o.CustId";
    QTest::newRow("a letter") << QList<int>{Link, Qt::Key_T, Qt::Key_Enter} << "c.Id=o.Total";
    QTest::newRow("end, home") << QList<int>{Link, Qt::Key_End, Qt::Key_Up, Qt::Key_Return} << "c.Id=o.Total";
    QTest::newRow("never the star") << QList<int>{Link, Qt::Key_Home, Qt::Key_Up, Qt::Key_Return} << "c.Id=o.Id";
    QTest::newRow("right") << QList<int>{Link, Qt::Key_Right, Qt::Key_Return} << "c.Id=x.A";
    QTest::newRow("left wraps round") << QList<int>{Link, Qt::Key_Left, Qt::Key_Down, Qt::Key_Return} << "c.Id=x.B";
    QTest::newRow("tab wraps round") << QList<int>{Link, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return} << "c.Id=o.Id";
    QTest::newRow("from another field") << QList<int>{Qt::Key_Down, Link, Qt::Key_Right, Qt::Key_Return}
                                        << "c.Name=x.A";
    QTest::newRow("escape") << QList<int>{Link, Qt::Key_Down, Qt::Key_Escape} << "";
    QTest::newRow("not from the star") << QList<int>{Qt::Key_Up, Link, Qt::Key_Right} << "";
  }
  void ChoosingALink() {
    QFETCH(QList<int>, Keys);
    QFETCH(QString, Condition);
    TabToBox(GThree, QStringLiteral("c"));
    QSignalSpy Failed(&FRig->QueryBuilder, &TvxQueryBuilder::actionFailed);
    const std::string Before = FRig->SQL();
    QVERIFY(!WorkArea()->GetKeyboard()->GetLinkSource());
    for (const int Key : Keys)
      Press(Key & ~Qt::KeyboardModifierMask, Qt::KeyboardModifiers(Key & Qt::KeyboardModifierMask));
    QVERIFY(!WorkArea()->GetKeyboard()->GetLinkSource() || Condition.isEmpty());
    if (Condition.isEmpty()) {
      QCOMPARE(FRig->SQL(), Before);
      QCOMPARE(FRig->Lines().size(), 0);
    } else {
      QVERIFY2(Q(FRig->SQL()).contains(QStringLiteral("JOIN ")) && Q(FRig->SQL()).contains(Condition),
               qPrintable(Q(FRig->SQL())));
      QCOMPARE(FRig->Lines().size(), 1);
    }
    // The box keeps the focus for the next key.
    QCOMPARE(Focused(), FRig->Box("c"));
    QCOMPARE(Failed.count(), 0);
  }

  void TheChoiceEndsWhenTheFocusGoesOrTheTargetCloses() {
    TabToBox(GThree, QStringLiteral("c"));
    TvxWorkAreaKeyboard* Keys = WorkArea()->GetKeyboard();
    Press(Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(Keys->GetLinkTarget(), FRig->Box("o"));
    // The other keys of the diagram wait while a link is chosen.
    Press(Qt::Key_Delete);
    QVERIFY(FRig->Box("c") != nullptr);
    FocusDiagram();
    QVERIFY(!Keys->GetLinkSource());

    Press(Qt::Key_Tab);
    Press(Qt::Key_L, Qt::ControlModifier);
    FRig->Box("o")->Close();
    QTRY_VERIFY(FRig->Box("o") == nullptr);
    // The target went: Return ends the choice and links nothing.
    Press(Qt::Key_Return);
    QVERIFY(!Keys->GetLinkSource());
    QCOMPARE(FRig->Lines().size(), 0);
  }

  void MovingSizingAndDeleting() {
    TabToBox("SELECT * FROM Customers c INNER JOIN Orders o ON c.Id = o.CustId", QStringLiteral("o"));
    TvxQueryBuilderDataSourceControl* Box = FRig->Box("o");
    const QRect Start = Box->geometry();
    // GridSize 2: steps of 10 pixels.
    Press(Qt::Key_Right, Qt::ControlModifier);
    Press(Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(Box->pos(), Start.topLeft() + QPoint(10, 10));
    Press(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    Press(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Box->size(), Start.size() + QSize(10, -10));
    // A grid of 4: steps of 12, every position on the grid; never left of the origin.
    FRig->QueryBuilder.SetGridSize(4);
    for (int Step = 0; Step < 40; ++Step) Press(Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(Box->x(), 0);
    Press(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(Box->x(), 12);
    // The line follows the box it ends at.
    QVERIFY(FRig->Lines()[0]->GetBounds().intersects(Box->geometry().adjusted(-2, 0, 2, 0)));

    // Delete: the focused line, then the focused box.
    Press(Qt::Key_Tab);
    QCOMPARE(Focused(), FRig->Lines()[0]);
    Press(Qt::Key_Delete);
    QTRY_COMPARE(FRig->Lines().size(), 0);
    QVERIFY2(!Q(FRig->SQL()).contains(QStringLiteral("c.Id=o.CustId")), qPrintable(Q(FRig->SQL())));
    // The focus stays with the diagram, before its first item.
    QCOMPARE(QApplication::focusWidget(), WorkArea());
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    QCOMPARE(Focused(), FRig->Box("o"));
    Press(Qt::Key_Delete);
    QTRY_VERIFY(FRig->Box("o") == nullptr);
    QCOMPARE(Q(FRig->SQL()), QStringLiteral("SELECT * FROM Customers c"));
  }

  void DialogsAndMenusFromTheKeys() {
    TabToBox("SELECT * FROM Customers c INNER JOIN Orders o ON c.Id = o.CustId", QStringLiteral("c"));
    QCOMPARE(ModalTitle(FRig->QueryBuilder, [] { Press(Qt::Key_Return); }), QStringLiteral("Datasource Properties"));
    QCOMPARE(ModalTitle(FRig->QueryBuilder, [] { Press(Qt::Key_Insert); }), QStringLiteral("Add new object"));
    Press(Qt::Key_Menu);
    QCOMPARE(MenuItems(FRig->QueryBuilder).join('|'), QStringLiteral("Remove|Edit...|About Zarquel..."));
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    QVERIFY(qobject_cast<TvxQueryBuilderLinkControl*>(Focused()) != nullptr);
    QCOMPARE(ModalTitle(FRig->QueryBuilder, [] { Press(Qt::Key_Return, Qt::AltModifier); }),
             QStringLiteral("Link Properties"));
    // The line keeps the diagram's focus over the dialog.
    QVERIFY(qobject_cast<TvxQueryBuilderLinkControl*>(Focused()) != nullptr);
    Press(Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY(MenuItems(FRig->QueryBuilder).contains(QStringLiteral("Remove")));
    // With no item focused: the operand's.
    FocusDiagram();
    Press(Qt::Key_Menu);
    QVERIFY(MenuItems(FRig->QueryBuilder).contains(QStringLiteral("Add Table")));
  }

  void F6GoesRoundThePanesAndTheBarTakesKeys() {
    FRig->Load("SELECT Id FROM Customers UNION SELECT Id FROM Orders");
    TvxSubQuery* Root = FRig->QueryBuilder.GetRootQuery();
    FocusDiagram();
    Press(Qt::Key_F6);
    QVERIFY(GridOf(FRig->QueryBuilder)->isAncestorOf(QApplication::focusWidget()));
    Press(Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), Root->GetUnionSubQueries(0)->GetUnionButton());
    TvxUnionNavBar* Bar = qobject_cast<TvxQueryTabSheet*>(Root->GetQueryPage())->GetNavBar();
    QVERIFY(Bar->findChild<TvxFocusFrame*>()->isVisible());
    // Right to the operator, Space drops its list down.
    Press(Qt::Key_Right);
    QVERIFY(qobject_cast<TvxUnionOperator*>(QApplication::focusWidget()) != nullptr);
    QVERIFY(!SaveScreenshot(FRig->QueryBuilder.grab().toImage(), QStringLiteral("keyboard-navbar-focused")).isEmpty());
    Press(Qt::Key_Space);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    Press(Qt::Key_Escape);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    // Right again to the second button; Return shows its operand.
    Press(Qt::Key_Right);
    Press(Qt::Key_Return);
    QCOMPARE(Root->GetActiveUnionSubquery(), Root->GetUnionSubQueries(1));
    Press(Qt::Key_F10, Qt::ShiftModifier);
    QVERIFY(MenuItems(FRig->QueryBuilder).contains(QStringLiteral("Remove")));
    // Round again, to the diagram of the operand now shown; Shift+F6 goes back.
    Press(Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), WorkAreaOf(Root->GetUnionSubQueries(1)));
    Press(Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), Root->GetUnionSubQueries(1)->GetUnionButton());
  }

  void FocusIsDrawnUnderEveryPainter() {
    FRig->Load("SELECT * FROM Customers c INNER JOIN Orders o ON c.Id = o.CustId, Other x");
    DragCaption(FRig->Box("o"), QPoint(280, 30));
    DragCaption(FRig->Box("x"), QPoint(180, 190));
    FocusDiagram();
    Press(Qt::Key_Tab);
    TvxQueryBuilder& QB = FRig->QueryBuilder;
    Press(Qt::Key_Down);
    QVERIFY(!SaveScreenshot(QB.grab().toImage(), QStringLiteral("keyboard-box-focused")).isEmpty());
    Press(Qt::Key_L, Qt::ControlModifier);
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    QVERIFY(!SaveScreenshot(QB.grab().toImage(), QStringLiteral("keyboard-link-choosing")).isEmpty());
    Press(Qt::Key_Escape);

    TvxQueryBuilderLinkControl* Line = FRig->Lines()[0];
    // A pixel 3 below the middle of the line's middle run: the focus band lies there.
    const QPoint Middle = (Line->GetPoints()[1] + Line->GetPoints()[2]) / 2 + Line->GetBounds().topLeft();
    const QPoint Beside = WorkArea()->GetCanvas()->mapTo(&QB, Middle + QPoint(0, 3));
    const QColor Highlight = WorkArea()->palette().color(QPalette::Highlight);
    for (const char* Painter :
         {"TvxQueryBuilderLinkPainterSimple", "TvxQueryBuilderLinkPainterMSSQL", "TvxQueryBuilderLinkPainterAccess"}) {
      QB.SetLinkTypeName(Painter);
      FocusDiagram();
      const QColor Plain = QB.grab().toImage().pixelColor(Beside);
      for (int Tabs = 0; Tabs < 4 && Focused() != Line; ++Tabs) Press(Qt::Key_Tab);
      QCOMPARE(Focused(), Line);
      const QImage Picture = QB.grab().toImage();
      const QColor Marked = Picture.pixelColor(Beside);
      // Nearer the highlight colour than the same pixel unfocused.
      auto Distance = [&](const QColor& Colour) {
        return std::abs(Colour.red() - Highlight.red()) + std::abs(Colour.green() - Highlight.green()) +
               std::abs(Colour.blue() - Highlight.blue());
      };
      QVERIFY2(Distance(Marked) + 60 < Distance(Plain), Painter);
      QVERIFY(!SaveScreenshot(Picture, QStringLiteral("keyboard-line-focused-%1").arg(Painter)).isEmpty());
    }
  }
};

VX_REGISTER_TEST(TKeyboardDiagramTest)
#include "KeyboardDiagramTest.moc"
