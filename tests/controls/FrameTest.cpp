// The visual frame of the component: one tab per sub-query in the order of the clauses, one
// union page per operand of which only the active one shows, the select-list pane's height,
// the component's frame, and controls made again and again without anything left behind.
#include "vxControlsTest.h"

#include "vxQBDefaultControlFactory.h"
#include "vxQBUnionSubQueryTabSheet.h"
#include "vxQBWorkArea.h"
#include "vxQtSqlMetadataProvider.h"
#include "vxSqlCorpus.h"

#include <QFrame>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace vxtest;

namespace {

// A derived table in FROM and a scalar sub-query in WHERE.
const char* const GNestedQuery =
    "SELECT o.id FROM orders o INNER JOIN (SELECT id FROM orders) d ON d.id = o.id"
    " WHERE o.total > (SELECT total FROM orders WHERE id = 1)";
const char* const GThreeOperands =
    "SELECT id FROM orders UNION SELECT custid FROM orders UNION ALL SELECT total FROM orders";

// The default widgets, counting the union pages it makes.
class TCountingFactory : public TvxDefaultControlFactory {
public:
  int UnionPages = 0;
  QWidget* CreateUnionPage(TvxUnionSubQuery* Operand) override {
    ++UnionPages;
    return TvxDefaultControlFactory::CreateUnionPage(Operand);
  }
};

// Every sub-query has exactly its own tab, in list order, and every operand its page.
void VerifyControlsMatchModel(const TvxQueryBuilder& QB) {
  QCOMPARE(QB.GetPageControl()->count(), QB.GetSubQueriesCount());
  for (int I = 0; I < QB.GetSubQueriesCount(); ++I) {
    TvxSubQuery* SubQuery = QB.GetSubQueries(I);
    QCOMPARE(QB.GetPageControl()->widget(I), SubQuery->GetQueryPage());
    for (int J = 0; J < SubQuery->GetUnionSubQueriesCount(); ++J) {
      TvxUnionSubQuery* Operand = SubQuery->GetUnionSubQueries(J);
      QVERIFY(PageOf(Operand) != nullptr);
      QCOMPARE(PageOf(Operand)->parentWidget(), SubQuery->GetQueryPage());
    }
  }
}

}  // namespace

class TFrameTest : public QObject {
  Q_OBJECT

private slots:
  void TabsFollowTheSubQueriesAndChooseTheActiveOne() {
    TQueryBuilderRig Rig;
    TvxQueryBuilder& QB = Rig.QueryBuilder;
    QB.resize(800, 600);
    QVERIFY(ShowAndWait(QB));
    QCOMPARE(TabCaptions(QB), QStringList({"Main"}));
    Rig.Load(GNestedQuery);
    // The WHERE sub-query comes before the derived table, as in the text.
    QCOMPARE(TabCaptions(QB), QStringList({"Main", "SEL orders.total FRM orde ...", "SEL orders.id FRM orders"}));
    VerifyControlsMatchModel(QB);

    TvxSubQuery* Derived = QB.GetSubQueries(2);
    QTabBar* Tabs = TabBarOf(QB);
    QTest::mouseClick(Tabs, Qt::LeftButton, {}, Tabs->tabRect(2).center());
    QCOMPARE(QB.GetActiveSubquery(), Derived);
    TvxQueryBuilderWorkArea* Shown = WorkAreaOf(Derived->GetActiveUnionSubquery());
    QVERIFY(Shown != nullptr && Shown->isVisible());
    QVERIFY(!WorkAreaOf(QB.GetRootQuery()->FirstSelect())->isVisible());
    QTest::mouseClick(Tabs, Qt::LeftButton, {}, Tabs->tabRect(0).center());
    QCOMPARE(QB.GetActiveSubquery(), QB.GetRootQuery());

    // The model choosing a sub-query shows its tab too.
    QB.SetActiveSubquery(QB.GetSubQueries(1));
    QCOMPARE(QB.GetPageControl()->currentIndex(), 1);

    // A host's names for the tabs.
    QB.OnGetTabHeaderText = [](TvxQueryBuilder*, TvxSubQuery* For, std::string& Caption) {
      if (For->GetIsSubQuery()) Caption = "Customers' orders";
    };
    Rig.Load("SELECT id FROM orders WHERE id IN (SELECT custid FROM orders)");
    QCOMPARE(TabCaptions(QB), QStringList({"Main", "Customers' orders"}));
    // The sub-query that was shown went with the old statement: "Main" is shown.
    QCOMPARE(QB.GetActiveSubquery(), QB.GetRootQuery());
    QCOMPARE(QB.GetPageControl()->currentIndex(), 0);
  }

  void OnlyTheActiveOperandsPageIsShown() {
    TQueryBuilderRig Rig;
    TvxQueryBuilder& QB = Rig.QueryBuilder;
    QB.resize(800, 600);
    QVERIFY(ShowAndWait(QB));
    Rig.Load(GThreeOperands);
    TvxQuery* Root = QB.GetRootQuery();
    QCOMPARE(Root->GetUnionSubQueriesCount(), 3);
    auto ShownPages = [Root] {
      QList<int> Shown;
      for (int I = 0; I < Root->GetUnionSubQueriesCount(); ++I)
        if (PageOf(Root->GetUnionSubQueries(I))->isVisible()) Shown << I;
      return Shown;
    };
    QCOMPARE(ShownPages(), QList<int>({0}));
    Root->SetActiveUnionSubquery(Root->GetUnionSubQueries(2));
    QCOMPARE(ShownPages(), QList<int>({2}));
    // Every page covers the sheet, whichever is shown.
    QCOMPARE(PageOf(Root->GetUnionSubQueries(0))->geometry(), Root->GetQueryPage()->rect());

    // "Union" > "New Union SubQuery" in the work area's menu adds an operand and shows it.
    TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(QB);
    QContextMenuEvent Menu(QContextMenuEvent::Mouse, QPoint(50, 50), WorkArea->viewport()->mapToGlobal(QPoint(50, 50)));
    QApplication::sendEvent(WorkArea->viewport(), &Menu);
    QTRY_VERIFY(QB.GetPopupMenu()->isVisible());
    QAction* Union = QB.GetPopupMenu()->actions().at(2);
    QCOMPARE(Union->text(), QStringLiteral("Union"));
    Union->menu()->actions().at(0)->trigger();
    QB.GetPopupMenu()->close();
    QCOMPARE(Root->GetUnionSubQueriesCount(), 4);
    QCOMPARE(ShownPages(), QList<int>({3}));
  }

  void SelectListPaneTakesItsHeight() {
    // DefColumnsPaneHeight 0: three eighths of the component's height.
    for (const auto& [Setting, Pane] : {std::pair{0, 105}, {150, 150}}) {
      TQueryBuilderRig Rig;
      Rig.QueryBuilder.SetDefColumnsPaneHeight(Setting);
      QVERIFY(ShowAndWait(Rig.QueryBuilder));
      QCOMPARE(Rig.QueryBuilder.height(), 280);
      TvxUnionSubQueryTabSheet* Page = PageOf(Rig.QueryBuilder.GetRootQuery()->FirstSelect());
      QCOMPARE(Page->GetBottomPanel()->height(), Pane);
      QCOMPARE(Page->GetSplitter()->handleWidth(), 3);
    }
    // Changing the property later sizes the pane of a page already shown.
    TQueryBuilderRig Rig;
    QVERIFY(ShowAndWait(Rig.QueryBuilder));
    TvxUnionSubQueryTabSheet* Page = PageOf(Rig.QueryBuilder.GetRootQuery()->FirstSelect());
    Rig.QueryBuilder.SetDefColumnsPaneHeight(120);
    QCOMPARE(Page->GetBottomPanel()->height(), 120);
    Rig.QueryBuilder.SetSplitterHeight(6);
    QCOMPARE(Page->GetSplitter()->handleWidth(), 6);
  }

  void BorderFramesTheComponent() {
    const QColor Navy(0, 0, 128);
    struct TCase {
      TvxBorderStyle Style;
      int Width;
      int Inset;      // where the tabs begin
      int LineWidth;  // pixels of BorderColor at the edge; 0: no line in that colour
    };
    const TCase Cases[] = {{qbbsNone, 0, 0, 0}, {qbbsUltraFlat, 0, 1, 1}, {qbbsFlat, 0, 2, 2},
                           {qbbs3D, 0, 2, 0},   {qbbsUltraFlat, 5, 6, 1}, {qbbsNone, 4, 4, 0}};
    for (const TCase& Case : Cases) {
      TQueryBuilderRig Rig;
      TvxQueryBuilder& QB = Rig.QueryBuilder;
      QB.SetBorderStyle(Case.Style);
      QB.SetBorderWidth(Case.Width);
      QVERIFY(ShowAndWait(QB));
      QCOMPARE(QB.GetPageControl()->geometry(), QB.rect().adjusted(Case.Inset, Case.Inset, -Case.Inset, -Case.Inset));
      const QImage Picture = QB.grab().toImage();
      const int Y = QB.height() / 2;
      for (int X = 0; X < Case.LineWidth; ++X) QCOMPARE(Picture.pixelColor(X, Y), Navy);
      QVERIFY(Picture.pixelColor(Case.LineWidth, Y) != Navy);
    }
  }

  // Clear, reload, a change of dialect, another factory, and the component freed while its
  // pages are shown: the controls always match the model, and the sanitizer build sees nothing
  // dangling or leaked.
  void ControlsAreMadeAgainWithNothingLeftBehind() {
    TvxSQL92SyntaxProvider OtherDialect;
    TCountingFactory Factory;
    TQueryBuilderRig Rig;
    auto QB = std::make_unique<TvxQueryBuilder>();
    QB->SetSyntaxProvider(&Rig.Syntax);
    QB->SetMetadataProvider(&Rig.Metadata);
    QVERIFY(ShowAndWait(*QB));
    auto Load = [&QB](const char* Text) {
      QB->SetSQL(Text);
      QB->ProcessPendingSQL();
    };
    Load(GNestedQuery);
    VerifyControlsMatchModel(*QB);
    QB->SetActiveSubquery(QB->GetSubQueries(2));
    QB->Clear();
    QCOMPARE(QB->GetPageControl()->count(), 1);
    Load(GThreeOperands);
    VerifyControlsMatchModel(*QB);
    Load(GNestedQuery);
    VerifyControlsMatchModel(*QB);

    QB->SetControlFactory(&Factory);
    QCOMPARE(Factory.UnionPages, 3);  // one operand per sub-query
    VerifyControlsMatchModel(*QB);
    QB->SetSyntaxProvider(&OtherDialect);
    QCOMPARE(QB->GetPageControl()->count(), 1);
    VerifyControlsMatchModel(*QB);
    QB->SetControlFactory(nullptr);
    Load(GNestedQuery);
    VerifyControlsMatchModel(*QB);

    QPointer<QWidget> Page = QB->GetRootQuery()->FirstSelect()->GetUnionPage();
    QB.reset();
    QVERIFY(Page.isNull());
  }

  // Pictures of the component for people to look at (written under the build tree): the sample
  // query on the sample database, a statement with a derived table and a sub-query, and a union.
  void RenderForPeopleToLookAt() {
    TvxSQL92SyntaxProvider Syntax;
    TvxQtSqlMetadataProvider Metadata;
    Metadata.SetConnectionName(SampleConnection());
    struct TPicture {
      QString Name;
      std::string SQL;
      int Tab;
      TvxBkImageDarkness Darkness = bgidWhite;
    };
    const TPicture Pictures[] = {
        {"sample", ReadTextFile(qEnvironmentVariable("VX_SAMPLES").toStdString() + "/queries/sample.sql"), 0},
        {"derived-and-subquery",
         "SELECT c.CompanyName, t.Total FROM Customers c INNER JOIN (SELECT o.CustomerID, COUNT(*) AS Total FROM "
         "Orders o"
         " GROUP BY o.CustomerID) t ON t.CustomerID = c.CustomerID WHERE c.Country IN (SELECT Country FROM Suppliers)",
         1},
        {"union", "SELECT City FROM Customers UNION SELECT City FROM Suppliers UNION ALL SELECT Country FROM Customers",
         0},
        {"light", "SELECT CompanyName FROM Customers", 0, bgidLight},
        {"dark", "SELECT CompanyName FROM Customers", 0, bgidDark},
    };
    for (const TPicture& Picture : Pictures) {
      TvxQueryBuilder QB;
      QB.SetSyntaxProvider(&Syntax);
      QB.SetMetadataProvider(&Metadata);
      QB.SetBkImageDarkness(Picture.Darkness);
      QB.resize(900, 600);
      QVERIFY(ShowAndWait(QB));
      QB.SetSQL(Picture.SQL);
      QB.ProcessPendingSQL();
      QTabBar* Tabs = TabBarOf(QB);
      QTest::mouseClick(Tabs, Qt::LeftButton, {}, Tabs->tabRect(Picture.Tab).center());
      QVERIFY(!SaveScreenshot(QB.grab().toImage(), "frame-" + Picture.Name).isEmpty());
    }
  }
};

VX_REGISTER_TEST(TFrameTest)
#include "FrameTest.moc"
