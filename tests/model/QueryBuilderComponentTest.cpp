// The component around the model: providers coming and going, union capabilities, property
// rules, the shared menu, link painters and the syntax provider's helpers.
#include "vxModelTest.h"

#include "vxQBAboutBox.h"
#include "vxQBAddObjectOptions.h"
#include "vxQBEditPropsForm.h"
#include "vxQBLinkPainter.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <tuple>
#include <utility>

using namespace vxtest;

// A painter of its own, registered for the registry tests (moc needs it outside an
// anonymous namespace).
class TTestPainter : public TvxQueryBuilderLinkPainter {
  Q_OBJECT
public:
  using TvxQueryBuilderLinkPainter::TvxQueryBuilderLinkPainter;
  void PaintLink(QPainter&, const TvxLinkPoints&, bool, TvxQueryBuilderLinkConnectToSide,
                 TvxQueryBuilderLinkConnectToSide, TvxLink*) override {}
  QString PainterStyle() const override { return QStringLiteral("Test Style"); }
};

class TQueryBuilderComponentTest : public QObject {
  Q_OBJECT

private slots:
  void ChangingTheDialectLeavesOneEmptyOperand() {
    TQueryBuilderRig Rig;
    Rig.Load("SELECT a FROM t UNION SELECT b FROM u UNION SELECT c FROM v ORDER BY 1");
    TvxSQL92SyntaxProvider Other;
    Rig.QueryBuilder.SetSyntaxProvider(&Other);
    TvxQuery* Root = Rig.QueryBuilder.GetRootQuery();
    QCOMPARE(Root->GetCount(), 1);
    QCOMPARE(Root->GetUnionSubQueriesCount(), 1);
    QCOMPARE(Root->GetActiveUnionSubquery(), Root->FirstSelect());
    QVERIFY(Rig.QueryBuilder.GetSQL().find("ORDER") == std::string::npos);
    QCOMPARE(static_cast<int>(Rig.Syntax.GetQueryBuilders().size()), 0);
    QCOMPARE(static_cast<int>(Other.GetQueryBuilders().size()), 1);

    // A provider announcing new capabilities has the same effect.
    Rig.QueryBuilder.SetSyntaxProvider(&Rig.Syntax);
    Rig.Load("SELECT a FROM t UNION SELECT b FROM u");
    Rig.Syntax.SendCapsChangedNotifications();
    QCOMPARE(Root->GetUnionSubQueriesCount(), 1);
  }

  void RemovedProvidersClearTheProperties() {
    TvxQueryBuilder QB;
    auto* Syntax = new TvxSQL92SyntaxProvider;
    auto* Metadata = new TvxEventMetadataProvider;
    QB.SetSyntaxProvider(Syntax);
    QB.SetMetadataProvider(Metadata);
    QB.SetSQL("SELECT name FROM customers WHERE name = 'x' ORDER BY name");
    QB.ProcessPendingSQL();
    const std::string Loaded = QB.GetSQL();

    delete Metadata;
    QVERIFY(QB.GetMetadataProvider() == nullptr);
    delete Syntax;
    QVERIFY(QB.GetSyntaxProvider() == nullptr);
    // No fresh start: the query stays, and its nodes still work without the component that
    // made their dialect.
    QCOMPARE(Q(QB.GetSQL()), Q(Loaded));
    QCOMPARE(QB.GetRootQuery()->GetUnionSubQueriesCount(), 1);
  }

  void ControlsFollowTheFirstShow() {
    TQueryBuilderRig Rig;
    TvxQueryBuilder& QB = Rig.QueryBuilder;
    QVERIFY(!QB.GetControlsCreated());
    QB.show();
    QVERIFY(QTest::qWaitForWindowExposed(&QB));
    QVERIFY(QB.GetControlsCreated());
    QVERIFY(QB.GetRootQuery()->GetControlsCreated());
    QVERIFY(QB.GetRootQuery()->FirstSelect()->GetControlsCreated());
    // What is loaded later gets its controls as it is made.
    Rig.Load("SELECT a FROM t UNION SELECT b FROM u WHERE b IN (SELECT c FROM v)");
    for (int I = 0; I < QB.GetSubQueriesCount(); ++I) QVERIFY(QB.GetSubQueries(I)->GetControlsCreated());
    QVERIFY(QB.GetRootQuery()->GetUnionSubQueries(1)->GetControlsCreated());
    QB.hide();
    QVERIFY(QB.GetControlsCreated());  // hiding keeps the diagram
    QB.DestroyControls();
    QVERIFY(!QB.GetRootQuery()->FirstSelect()->GetControlsCreated());
  }

  void ColumnsPaneHeightIsClamped() {
    // Below 60 is none; the bound of a 280 pixel component is 210.
    for (const auto& [Value, Stored] : {std::pair{59, 0}, {60, 60}, {210, 210}, {211, 210}}) {
      TvxQueryBuilder QB;
      QCOMPARE(QB.height(), 280);
      QB.SetDefColumnsPaneHeight(Value);
      QCOMPARE(QB.GetDefColumnsPaneHeight(), Stored);
      QCOMPARE(QB.GetCurrentColumnsPaneHeight(), Stored);
    }
  }

  void PopupMenuIsBuiltAndCompleted() {
    TvxQueryBuilder QB;
    int Clicks = 0;
    TvxObject Tag;
    QAction* Parent = QB.PopupMenuAddItem(nullptr, "Union", nullptr, false, false, true, nullptr);
    QAction* Child = QB.PopupMenuAddItem(
        Parent, "New", [&](QObject* Sender) { Clicks += Sender != nullptr; }, true, true, false, &Tag);
    QVERIFY(Parent->menu() != nullptr);
    QCOMPARE(Parent->menu()->actions().size(), 1);
    QCOMPARE(Parent->menu()->defaultAction(), Child);
    QVERIFY(Child->isChecked());
    QVERIFY(!Child->isEnabled());
    QCOMPARE(TvxQueryBuilder::GetMenuItemTag(Child), &Tag);
    Child->setEnabled(true);
    Child->trigger();
    QCOMPARE(Clicks, 1);

    QB.PopupMenuCompleted();
    const QList<QAction*> Items = QB.GetPopupMenu()->actions();
    QCOMPARE(Items.size(), 3);
    QVERIFY(Items[1]->isSeparator());
    QCOMPARE(Items[2]->text(), QStringLiteral("About Zarquel..."));
    bool AboutShown = false;
    QTimer::singleShot(0, [&] {
      if (auto* Box = qobject_cast<TvxAboutBox*>(QApplication::activeModalWidget())) {
        AboutShown = true;
        Box->accept();
      }
    });
    Items[2]->trigger();
    QVERIFY(AboutShown);

    QB.PopupMenuClear();
    QVERIFY(QB.GetPopupMenu()->actions().isEmpty());
  }

  void SubQueriesPopupActivatesTheChosenSubQuery() {
    TQueryBuilderRig Rig;
    Rig.Load("SELECT * FROM orders WHERE custid IN (SELECT name FROM customers WHERE id = 1)");
    // The proxy belongs to the model object whose syntax held the nested SELECT.
    auto* Owner = qobject_cast<TvxQueryBuilderControlOwner*>(Rig.QueryBuilder.GetSubQueries(1)->parent());
    QVERIFY(Owner != nullptr);
    QCOMPARE(static_cast<int>(Owner->GetProxies().size()), 1);
    Owner->ShowSubQueriesPopup(QPoint(10, 10), Owner->GetProxies());
    QMenu* Menu = Rig.QueryBuilder.GetPopupMenu();
    QCOMPARE(Menu->actions().size(), 1);
    QCOMPARE(Menu->actions()[0]->text(), QStringLiteral("SEL name FRM customers WH..."));
    Menu->actions()[0]->trigger();
    Menu->hide();
    QCOMPARE(Rig.QueryBuilder.GetActiveSubquery(), Rig.QueryBuilder.GetSubQueries(1));
  }

  void LinkPaintersAreFoundByName() {
    GetPaintersList().RegisterPainter<TTestPainter>();
    TvxQueryBuilder QB;
    QVERIFY(GetPaintersList().CreateByName("NoSuchPainter", &QB) == nullptr);
    std::unique_ptr<TvxQueryBuilderLinkPainter> ByStyle = GetPaintersList().CreateByUserName("Test Style", &QB);
    QVERIFY(ByStyle != nullptr);
    QCOMPARE(ByStyle->GetQueryBuilder(), &QB);

    QB.SetLinkTypeName("TTestPainter");
    QCOMPARE(QB.GetLinkTypeName(), QStringLiteral("TTestPainter"));
    QPointer<TvxQueryBuilderLinkPainter> First = QB.GetLinkType();
    QB.SetLinkType(new TTestPainter(&QB));
    QVERIFY(First.isNull());  // the component owned it and freed it
    QB.SetLinkTypeName("NoSuchPainter");
    QVERIFY(QB.GetLinkType() == nullptr);
    QCOMPARE(QB.GetLinkTypeName(), QString());
  }

  void AggregateNamesFollowTheDialect() {
    const std::tuple<std::string, const char*, bool, bool> Cases[] = {
        // name, normalized, star aggregate, prefixed aggregate
        {" count ", "Count", false, false},
        {"COUNT", "Count", true, true},
        {"sum", "Sum", false, true},
        {" median", "MEDIAN", false, false},
    };
    TvxSQL92SyntaxProvider Syntax;
    for (const auto& [Name, Normalized, Star, Prefixed] : Cases) {
      QCOMPARE(Q(Syntax.AggregateNormalize(Name)), QString::fromUtf8(Normalized));
      // The look-ups do not trim: a name with blanks is no aggregate name.
      QCOMPARE(Syntax.IsNameOfStarAggregate(Name), Star);
      QCOMPARE(Syntax.IsNameOfPrefixedAggregate(Name), Prefixed);
      QVERIFY(!Syntax.IsNameOfAggregate(Name));
    }
  }

  void ParseWrappersTurnErrorsIntoTheList() {
    TvxSQL92SyntaxProvider Syntax;
    TvxStringList Errors;
    QVERIFY(Syntax.ParseLogicalExpression("a > 1 AND", Errors) == nullptr);
    QCOMPARE(Errors.Count(), 1);
    QVERIFY(!Errors[0].empty());
    QVERIFY(Syntax.ParseSelectItem("a AS", Errors) == nullptr);
    QCOMPARE(Errors.Count(), 1);

    TvxStringList Untouched{"kept"};
    QVERIFY(Syntax.ParseLogicalExpression("> 5", Untouched, false) != nullptr);
    QVERIFY(Syntax.ParseSelectItem("a AS b", Untouched) != nullptr);
    QCOMPARE(Untouched, TvxStringList({"kept"}));
  }

  void AddObjectOptionsFollowTheirImageLists() {
    TvxAddObjectFormOptions Options;
    int Changes = 0;
    Options.OnChange = [&Changes] { ++Changes; };
    auto* Small = new TvxImageList;
    Options.SetImageListSmall(Small);
    QCOMPARE(Changes, 1);
    // The dialog re-reads its pictures when the list changes, and drops a list that goes.
    Small->Add(QIcon());
    QCOMPARE(Changes, 2);
    TvxAddObjectFormOptions Copy;
    Copy.Assign(Options);
    QCOMPARE(Copy.GetImageListSmall(), Small);
    delete Small;
    QCOMPARE(Options.GetImageListSmall(), nullptr);
    QCOMPARE(Copy.GetImageListSmall(), nullptr);
    QCOMPARE(Changes, 3);
    // The size the dialog reports is kept without a round trip back to the dialog.
    Options.StoreFormSize(400, 500);
    QCOMPARE(Changes, 3);
    QCOMPARE(Options.GetWidth(), 400);
  }

  void TheSQL92ProviderNamesTheDialogsOfLinksAndDatasources() {
    TQueryBuilderRig Rig;
    Rig.Load("SELECT * FROM orders o JOIN orders p ON o.id = p.custid");
    TvxUnionSubQuery* Operand = Rig.QueryBuilder.GetRootQuery()->FirstSelect();
    auto* Joined = qobject_cast<TvxDatasource*>(Operand->GetFromClause()->GetItems(1));
    QVERIFY(Joined != nullptr && Joined->GetJoinsCount() == 1);
    auto Name = [&Rig](TvxQueryBuilderControlOwner* Owner) {
      const TvxEditPropsFormClass* Class = Rig.Syntax.GetEditPropsFormClass(Owner);
      return Class != nullptr ? QString::fromLatin1(Class->Name.data(), static_cast<qsizetype>(Class->Name.size()))
                              : QStringLiteral("none");
    };
    QCOMPARE(Name(Joined->GetJoins(0)), QStringLiteral("TvxLinkPropsForm"));
    QCOMPARE(Name(Joined), QStringLiteral("TvxDatasourcePropsForm"));
    QCOMPARE(Name(Operand), QStringLiteral("none"));
    QCOMPARE(Name(Operand->GetFromClause()), QStringLiteral("none"));
  }
};

VX_REGISTER_TEST(TQueryBuilderComponentTest)
#include "QueryBuilderComponentTest.moc"
