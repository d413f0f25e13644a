// Assigned SQL text into the model: the posted load, its failures, and what the loaded model
// looks like (operands, groups, ORDER BY, sub-queries).
#include "vxModelTest.h"

#include "vxParserBase.h"
#include "vxQuerySelectList.h"
#include "vxSQLBuilderPlainText.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <tuple>
#include <utility>

using namespace vxtest;

class TQueryBuilderLoadTest : public QObject {
  Q_OBJECT

private slots:
  void WithoutProvidersTheTextStaysPendingAndIsReported() {
    TvxQueryBuilder QB;
    TvxSQL92SyntaxProvider Syntax;
    QSignalSpy Errors(&QB, &TvxQueryBuilder::sqlError);
    QTest::failOnWarning(QRegularExpression("."));  // the signal is the only report
    QB.SetSQL("SELECT a FROM t");
    QTRY_COMPARE(Errors.count(), 1);
    QCOMPARE(Errors[0][0].toString(), QStringLiteral("SELECT a FROM t"));
    QCOMPARE(Errors[0][1].toString(), QStringLiteral("No syntax provider!"));
    QVERIFY(QB.IsSQLLoading());

    // A syntax provider alone is not enough either; the synchronous loader raises.
    QB.SetSyntaxProvider(&Syntax);
    QVERIFY_THROWS_EXCEPTION(EvxException, QB.ProcessPendingSQL());
    QVERIFY(QB.IsSQLLoading());

    TvxEventMetadataProvider Metadata;
    QB.SetMetadataProvider(&Metadata);
    QB.ProcessPendingSQL();
    QVERIFY(!QB.IsSQLLoading());
    QCOMPARE(Q(QB.GetSQL()), Q(Syntax.ParseSelect("SELECT a FROM t")->GetSimpleSQL()));
    QB.SetSyntaxProvider(nullptr);
  }

  void ParseErrorReachesOnSQLErrorAndKeepsTheModel() {
    TQueryBuilderRig Rig;
    TvxQueryBuilder& QB = Rig.QueryBuilder;
    Rig.Load("SELECT name FROM customers");
    const std::string Before = QB.GetSQL();
    const std::string Bad = "SELECT name FROM WHERE";
    std::string Expected;
    try {
      Rig.Syntax.ParseSelect(Bad);
    } catch (const EvxSQLError& Error) {
      Expected = Error.GetMessage();
    }
    QVERIFY(!Expected.empty());

    QObject* Sender = nullptr;
    std::string GotSQL, GotErrors;
    QB.OnSQLError = [&](QObject* S, const std::string& SQL, const std::string& Errors) {
      Sender = S;
      GotSQL = SQL;
      GotErrors = Errors;
    };
    QSignalSpy Signal(&QB, &TvxQueryBuilder::sqlError);
    QB.SetSQL(Bad);
    QTRY_VERIFY(!QB.IsSQLLoading());
    QCOMPARE(Sender, &QB);
    QCOMPARE(Q(GotSQL), Q(Bad));
    QCOMPARE(Q(GotErrors), Q(Expected));
    QCOMPARE(Signal.count(), 1);
    QCOMPARE(Q(QB.GetSQL()), Q(Before));
  }

  void ParseErrorWithoutHandlerIsReportedNotThrownFromTheLoop() {
    TQueryBuilderRig Rig;
    TvxQueryBuilder& QB = Rig.QueryBuilder;
    QSignalSpy Signal(&QB, &TvxQueryBuilder::sqlError);
    QTest::failOnWarning(QRegularExpression("."));
    QB.SetSQL("SELECT FROM FROM");
    QTRY_COMPARE(Signal.count(), 1);
    QVERIFY(!QB.IsSQLLoading());

    // The synchronous loader raises, and the failed text is not retried afterwards.
    QB.SetSQL("SELECT , FROM t");
    QVERIFY_THROWS_EXCEPTION(EvxSQLError, QB.ProcessPendingSQL());
    QVERIFY(!QB.IsSQLLoading());
    QCoreApplication::processEvents();
    QCOMPARE(Signal.count(), 1);
  }

  void EmptyOrBlankTextGivesOneEmptyOperand() {
    for (const char* Text : {"", "   ", "\r\n\t \r\n"}) {
      TQueryBuilderRig Rig;
      Rig.Load("SELECT a FROM t UNION SELECT b FROM u");
      Rig.QueryBuilder.SetSQL(Text);
      // Empty text is processed like any other, but there is nothing to load meanwhile.
      QCOMPARE(Rig.QueryBuilder.IsSQLLoading(), *Text != 0);
      Rig.QueryBuilder.ProcessPendingSQL();
      TvxQuery* Root = Rig.QueryBuilder.GetRootQuery();
      QCOMPARE(Root->GetCount(), 1);
      QCOMPARE(Root->GetUnionSubQueriesCount(), 1);
      std::unique_ptr<TSQLSubQuerySelectExpression> Select = Root->FirstSelect()->GetASTSelect();
      QVERIFY(Select->GetSelectItems() == nullptr || Select->GetSelectItems()->GetCount() == 0);
      QVERIFY(Select->GetFrom() == nullptr || Select->GetFrom()->GetCount() == 0);
      QCOMPARE(Root->GetActiveUnionSubquery(), Root->FirstSelect());
    }
  }

  void ReloadOnlyWhenTheTextReallyChanged() {
    const std::pair<const char*, bool> Cases[] = {
        {"SELECT name FROM customers WHERE name = 'x'", false},
        // keywords and names in another case, another layout
        {"select NAME from Customers where Name = 'x'", false},
        {"SELECT  name\r\nFROM customers\r\nWHERE name='x'", false},
        // case inside a string or a delimited name, another column
        {"SELECT name FROM customers WHERE name = 'X'", true},
        {"SELECT \"Name\" FROM customers WHERE name = 'x'", true},
        {"SELECT id FROM customers WHERE name = 'x'", true},
    };
    for (const auto& [Text, Reloads] : Cases) {
      TQueryBuilderRig Rig;
      Rig.Load("SELECT name FROM customers WHERE name = 'x'");
      const std::string Before = Rig.QueryBuilder.GetSQL();
      TvxSQLBuilderPlainText Builder;
      Builder.SetQueryBuilder(&Rig.QueryBuilder);
      QSignalSpy Updates(&Builder, &TvxBaseSQLBuilder::sqlUpdated);
      Rig.Load(Text);
      QVERIFY2(Updates.count() == (Reloads ? 1 : 0), Text);
      QVERIFY2((Rig.QueryBuilder.GetSQL() != Before) == Reloads, Text);
    }
  }

  // Assigned text loads only when the event loop runs, and only the last of several texts.
  void SeveralAssignmentsLoadTheLastTextOnce() {
    TQueryBuilderRig Rig;
    TvxSQLBuilderPlainText Builder;
    Builder.SetQueryBuilder(&Rig.QueryBuilder);
    const std::string Before = Rig.QueryBuilder.GetSQL();
    QSignalSpy Updates(&Builder, &TvxBaseSQLBuilder::sqlUpdated);
    Rig.QueryBuilder.SetSQL("SELECT a FROM t");
    Rig.QueryBuilder.SetSQL("SELECT b FROM u");
    QVERIFY(Rig.QueryBuilder.IsSQLLoading());
    QCOMPARE(Q(Rig.QueryBuilder.GetSQL()), Q(Before));
    QTRY_VERIFY(!Rig.QueryBuilder.IsSQLLoading());
    QCoreApplication::processEvents();  // the second event finds nothing pending
    QCOMPARE(Updates.count(), 1);
    QCOMPARE(Q(Rig.QueryBuilder.GetSQL()), Q(Rig.Prepared("SELECT b FROM u")));
  }

  void UnionsLoadIntoOperandsAndGroups() {
    const std::tuple<std::string, int, int> Cases[] = {
        // text, items of the root, operands
        {"SELECT a FROM t UNION SELECT b FROM u UNION ALL SELECT c FROM v", 3, 3},
        {"SELECT a FROM t UNION (SELECT b FROM u UNION ALL SELECT c FROM v)", 2, 3},
        {"(SELECT a FROM t UNION SELECT b FROM u) UNION SELECT c FROM v", 2, 3},
    };
    for (const auto& [Text, Items, Operands] : Cases) {
      TQueryBuilderRig Rig;
      Rig.Load(Text);
      TvxQuery* Root = Rig.QueryBuilder.GetRootQuery();
      QCOMPARE(Root->GetCount(), Items);
      QCOMPARE(Root->GetUnionSubQueriesCount(), Operands);
      // Registered in text order: the i-th operand selects the i-th letter.
      for (int I = 0; I < Operands; ++I) {
        const std::string Select = Write(*Root->GetUnionSubQueries(I)->GetASTSelect());
        QVERIFY2(Select.find(std::string(1, static_cast<char>('a' + I))) != std::string::npos, Select.c_str());
      }
      QCOMPARE(Q(Rig.QueryBuilder.GetSQL()), Q(Rig.Prepared(Text)));
    }
  }

  void OrderByOfAUnionBelongsToTheFirstOperand() {
    TQueryBuilderRig Rig;
    const std::string Text = "SELECT a FROM t UNION SELECT b FROM u ORDER BY a";
    Rig.Load(Text);
    TvxQuery* Root = Rig.QueryBuilder.GetRootQuery();
    QCOMPARE(Root->FirstSelect()->GetSelectList()->GetSortOrderCount(), 1);
    QCOMPARE(Root->GetUnionSubQueries(1)->GetSelectList()->GetSortOrderCount(), 0);
    QCOMPARE(Q(Rig.QueryBuilder.GetSQL()), Q(Rig.Prepared(Text)));
    // Starting afresh drops it with the operand that held it.
    Rig.QueryBuilder.ReadSyntaxProviderCaps();
    QVERIFY(Rig.QueryBuilder.GetSQL().find("ORDER") == std::string::npos);
  }

  void NestedSelectsBecomeSubQueries() {
    TQueryBuilderRig Rig;
    TvxQueryBuilder& QB = Rig.QueryBuilder;
    const std::string Text = "SELECT * FROM orders WHERE custid IN (SELECT name FROM customers WHERE id = 1)";
    Rig.Load(Text);
    QCOMPARE(QB.GetSubQueriesCount(), 2);
    TvxSubQuery* Sub = QB.GetSubQueries(1);
    QVERIFY(Sub->GetIsSubQuery());
    TvxUnionSubQuery* Outer = QB.GetRootQuery()->FirstSelect();
    QCOMPARE(Sub->GetUnionSubQuery(), Outer);
    QCOMPARE(Q(QB.GetSQL()), Q(Rig.Prepared(Text)));

    std::string Caption;
    QB.GetTabHeaderText(Sub, Caption);
    QCOMPARE(Q(Caption), QStringLiteral("SEL name FRM customers WH ..."));
    QB.GetTabHeaderText(QB.GetRootQuery(), Caption);
    QCOMPARE(Q(Caption), QStringLiteral("Main"));
    QB.OnGetTabHeaderText = [](TvxQueryBuilder*, TvxSubQuery* For, std::string& Text) {
      if (For->GetIsSubQuery()) Text = "inner: " + Text;
    };
    QB.GetTabHeaderText(Sub, Caption);
    QCOMPARE(Q(Caption), QStringLiteral("inner: SEL name FRM customers WH ..."));

    // Loading another statement frees the sub-query with the operand that held it.
    QPointer<TvxSubQuery> Guard(Sub);
    QB.SetActiveSubquery(Sub);
    Rig.Load("SELECT id FROM orders");
    QVERIFY(Guard.isNull());
    QCOMPARE(QB.GetSubQueriesCount(), 1);
    QCOMPARE(QB.GetActiveSubquery(), QB.GetRootQuery());
  }

  // FROM loads first, so that its nested SELECTs belong to its datasources and links; the list
  // (and so the tabs) still follows the clauses as the text has them, nested ones after theirs.
  void SubQueriesAreListedInTheOrderOfTheClauses() {
    TQueryBuilderRig Rig;
    Rig.Load(
        "SELECT (SELECT 1 FROM s1) AS a FROM orders o"
        " INNER JOIN (SELECT id FROM d1 WHERE id IN (SELECT id FROM d2)) d"
        " ON d.id = o.id AND o.id IN (SELECT id FROM j1)"
        " WHERE o.id IN (SELECT id FROM w1) GROUP BY o.id HAVING COUNT(*) > (SELECT 2 FROM h1)");
    QStringList Order;
    for (int I = 1; I < Rig.QueryBuilder.GetSubQueriesCount(); ++I) {
      const QString SQL = Q(Rig.QueryBuilder.GetSubQueries(I)->GetSQL());
      const int From = SQL.indexOf("FROM ") + 5;
      Order << SQL.mid(From, 2);
    }
    QCOMPARE(Order, QStringList({"s1", "w1", "h1", "d1", "d2", "j1"}));
  }
};

VX_REGISTER_TEST(TQueryBuilderLoadTest)
#include "QueryBuilderLoadTest.moc"
