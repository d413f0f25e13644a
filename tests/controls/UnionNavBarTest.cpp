// The union navigation bar as a user meets it: the items a union shows, pressing a button,
// dragging buttons and brackets, the operator's menu, the operand and bracket menus, and a
// dialect without unions; through real mouse events on the offscreen platform.
#include "vxControlsTest.h"

#include "vxQBQueryTabSheet.h"
#include "vxQBUnionNavBar.h"
#include "vxQBUnionNavItems.h"
#include "vxSQL92SyntaxProvider.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using namespace vxtest;

namespace {

class TNoUnionsDialect : public TastSQL92SyntaxProvider {
public:
  bool IsSupportUnions() const override { return false; }
};

class TNoUnionsSyntaxProvider : public TvxSQL92SyntaxProvider {
protected:
  std::unique_ptr<TastSyntaxProvider> CreateASTSyntaxProvider() override {
    return std::make_unique<TNoUnionsDialect>();
  }
};

struct TBarRig : TQueryBuilderRig {
  TBarRig() { QueryBuilder.resize(800, 500); }
  TvxUnionNavBar* Bar() const {
    return qobject_cast<TvxQueryTabSheet*>(QueryBuilder.GetRootQuery()->GetQueryPage())->GetNavBar();
  }
  TvxUnionSubQuery* Op(int Index) const { return QueryBuilder.GetRootQuery()->GetUnionSubQueries(Index); }
  TvxUnionGroup* Group(int Index) const {
    return qobject_cast<TvxUnionGroup*>(QueryBuilder.GetRootQuery()->GetItems(Index));
  }
  QString SQL() const { return Q(QueryBuilder.GetSQL()).simplified(); }
  // The visible items of the bar left to right: "Q" a button, "(" and ")" brackets, an
  // operator its caption.
  QString Items() const {
    QStringList List;
    for (QWidget* Control : Bar()->GetOrderedControls()) {
      if (!Control->isVisibleTo(Bar())) continue;
      if (auto* Operator = qobject_cast<TvxUnionOperator*>(Control))
        List << Operator->GetCaption();
      else if (auto* Bracket = qobject_cast<TvxBracket*>(Control))
        List << Bracket->text();
      else
        List << QStringLiteral("Q");
    }
    return List.join(' ');
  }
  // Drags Source with the left button onto the middle of Target.
  static void Drag(QWidget* Source, QWidget* Target) {
    const QPoint Start = Source->rect().center();
    const QPoint End = Source->mapFromGlobal(Target->mapToGlobal(Target->rect().center()));
    QTest::mousePress(Source, Qt::LeftButton, {}, Start);
    QTest::mouseMove(Source, Start + QPoint(6, 0));
    QTest::mouseMove(Source, End);
    QTest::mouseRelease(Source, Qt::LeftButton, {}, End);
  }
  // Opens the context menu of Widget as a right click does; the menu shown.
  QMenu* ContextMenu(QWidget* Widget) {
    QContextMenuEvent Event(QContextMenuEvent::Mouse, Widget->rect().center(),
                            Widget->mapToGlobal(Widget->rect().center()));
    QApplication::sendEvent(Widget, &Event);
    return QueryBuilder.GetPopupMenu();
  }
  static QAction* ActionOf(QMenu* Menu, const QString& Text) {
    for (QAction* Action : Menu->actions())
      if (Action->text().remove('&') == Text) return Action;
    return nullptr;
  }
  // Clicks the item Text of the shown Menu.
  static bool Choose(QMenu* Menu, const QString& Text) {
    QAction* Action = ActionOf(Menu, Text);
    if (Action == nullptr || !Menu->isVisible()) return false;
    QTest::mouseClick(Menu, Qt::LeftButton, {}, Menu->actionGeometry(Action).center());
    return true;
  }
};

}  // namespace

class TUnionNavBarTest : public QObject {
  Q_OBJECT

private slots:
  void AThreeOperandUnion() {
    TBarRig Rig;
    QVERIFY(ShowAndWait(Rig.QueryBuilder));
    Rig.Load("SELECT 1 UNION SELECT 2 UNION SELECT 3");
    QCOMPARE(Rig.Items(), QStringLiteral("Q u Q u Q"));
    QCOMPARE(Rig.Bar()->width(), 4 + 3 * TvxUnionButton::ButtonWidth + 2 * TvxUnionOperator::OperatorSize);
    QCOMPARE(Rig.Bar()->height(), 24);
    // In the top right corner of the diagram, above the pages.
    const QWidget* Sheet = Rig.Bar()->parentWidget();
    QVERIFY(Rig.Bar()->geometry().right() > Sheet->width() - 40);
    QVERIFY(Rig.Bar()->y() < 10);
    // It follows its corner when the component grows.
    Rig.QueryBuilder.resize(1000, 500);
    QTRY_VERIFY(Rig.Bar()->geometry().right() > Sheet->width() - 40 && Sheet->width() > 900);

    // A press shows the operand at once, before the release.
    auto* Second = qobject_cast<TvxUnionButton*>(Rig.Op(1)->GetUnionButton());
    QTest::mousePress(Second, Qt::LeftButton, {}, Second->rect().center());
    QCOMPARE(Rig.QueryBuilder.GetRootQuery()->GetActiveUnionSubquery(), Rig.Op(1));
    QVERIFY(Rig.Op(1)->GetUnionPage()->isVisible());
    QVERIFY(!Rig.Op(0)->GetUnionPage()->isVisible());
    QTest::mouseRelease(Second, Qt::LeftButton, {}, Second->rect().center());
    QVERIFY(Second->isChecked());
    QVERIFY(!qobject_cast<TvxUnionButton*>(Rig.Op(0)->GetUnionButton())->isChecked());

    // The third button dragged onto the first goes before it.
    Rig.Drag(Rig.Op(2)->GetUnionButton(), Rig.Op(0)->GetUnionButton());
    QTRY_COMPARE(Rig.SQL(), QStringLiteral("SELECT 3 union SELECT 1 UNION SELECT 2"));
    QCOMPARE(Rig.Items(), QStringLiteral("Q u Q u Q"));

    // The operator's menu lists the dialect's operators with the current one checked.
    auto* Operator = qobject_cast<TvxUnionOperator*>(Rig.Op(2)->GetUnionOperator());
    QTest::mouseClick(Operator, Qt::LeftButton);
    QMenu* Menu = Rig.QueryBuilder.GetPopupMenu();
    QTRY_VERIFY(Menu->isVisible());
    QVERIFY(TBarRig::ActionOf(Menu, QStringLiteral("Union"))->isChecked());
    QVERIFY(!TBarRig::ActionOf(Menu, QStringLiteral("Union All"))->isChecked());
    QVERIFY(TBarRig::Choose(Menu, QStringLiteral("Union All")));
    QCOMPARE(Rig.SQL(), QStringLiteral("SELECT 3 union SELECT 1 Union ALL SELECT 2"));
    QCOMPARE(Operator->GetCaption(), QStringLiteral("ua"));
    QCOMPARE(Operator->toolTip(), QStringLiteral("union all"));
  }

  void BracketsFromTheMenusAndByDragging() {
    TBarRig Rig;
    QVERIFY(ShowAndWait(Rig.QueryBuilder));
    Rig.Load("SELECT 1 UNION SELECT 2 UNION SELECT 3");
    // The second operand in brackets, the right bracket dragged over the third.
    QVERIFY(TBarRig::Choose(Rig.ContextMenu(Rig.Op(1)->GetUnionButton()), QStringLiteral("Enclose With Brackets")));
    QCOMPARE(Rig.SQL(), QStringLiteral("SELECT 1 UNION (SELECT 2) UNION SELECT 3"));
    QCOMPARE(Rig.Items(), QStringLiteral("Q u ( Q ) u Q"));
    Rig.Drag(Rig.Group(1)->GetRightBracket(), Rig.Op(2)->GetUnionButton());
    QTRY_COMPARE(Rig.SQL(), QStringLiteral("SELECT 1 UNION (SELECT 2 UNION SELECT 3)"));
    QCOMPARE(Rig.Items(), QStringLiteral("Q u ( Q u Q )"));
    QVERIFY(!SaveScreenshot(Rig.QueryBuilder.grab().toImage(), QStringLiteral("union-nav-bar-brackets")).isEmpty());
    // The text parses back into the same union.
    const std::string Text = Rig.QueryBuilder.GetSQL();
    Rig.Load(Text);
    QCOMPARE(Rig.QueryBuilder.GetSQL(), Text);
    QCOMPARE(Rig.Items(), QStringLiteral("Q u ( Q u Q )"));

    QVERIFY(TBarRig::Choose(Rig.ContextMenu(Rig.Group(1)->GetLeftBracket()), QStringLiteral("Remove Brackets")));
    QCOMPARE(Rig.SQL(), QStringLiteral("SELECT 1 UNION SELECT 2 UNION SELECT 3"));
    QCOMPARE(Rig.Items(), QStringLiteral("Q u Q u Q"));
  }

  void ADialectWithoutUnions() {
    TNoUnionsSyntaxProvider NoUnions;
    TBarRig Rig;
    Rig.QueryBuilder.SetSyntaxProvider(&NoUnions);
    QVERIFY(ShowAndWait(Rig.QueryBuilder));
    Rig.Load("SELECT 1");
    QMenu* Menu = Rig.ContextMenu(Rig.Op(0)->GetUnionButton());
    QVERIFY(!TBarRig::ActionOf(Menu, QStringLiteral("New Union SubQuery"))->isEnabled());
    Menu->hide();
    const int Width = Rig.Bar()->width();
    try {
      Rig.QueryBuilder.GetRootQuery()->Add();
      QFAIL("the dialect took a union");
    } catch (const EvxException& Error) {
      QCOMPARE(QString::fromUtf8(Error.what()), QStringLiteral("This server don't support unions!"));
    }
    QCOMPARE(Rig.Items(), QStringLiteral("Q"));
    QCOMPARE(Rig.Bar()->width(), Width);
    Rig.QueryBuilder.SetSyntaxProvider(&Rig.Syntax);
  }
};

VX_REGISTER_TEST(TUnionNavBarTest)
#include "UnionNavBarTest.moc"
