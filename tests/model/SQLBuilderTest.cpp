// SQL builder components: attachment order, immediate text, detaching, and either side going.
#include "vxModelTest.h"

#include "vxSQLBuilderPlainText.h"

#include <QSignalSpy>
#include <QTest>

using namespace vxtest;

class TSQLBuilderTest : public QObject {
  Q_OBJECT

private slots:
  void BuildersAreNotifiedInAttachmentOrder() {
    TQueryBuilderRig Rig;
    TvxSQLBuilderPlainText First, Second;
    QStringList Log;
    First.OnSQLUpdated = [&](QObject* Sender) { Log << (Sender == &First ? "first" : "?"); };
    Second.OnSQLUpdated = [&](QObject* Sender) { Log << (Sender == &Second ? "second" : "?"); };
    Second.SetQueryBuilder(&Rig.QueryBuilder);
    First.SetQueryBuilder(&Rig.QueryBuilder);
    QCOMPARE(Log, QStringList({"second", "first"}));  // each fires once, as it is attached
    Log.clear();
    Rig.Load("SELECT a FROM t");
    QCOMPARE(Log, QStringList({"second", "first"}));
  }

  void NewBuilderHasTheMultiLineTextAtOnce() {
    TQueryBuilderRig Rig;
    const std::string Text = "SELECT name, total FROM orders WHERE total > 100";
    Rig.Load(Text);
    TvxSQLBuilderPlainText Builder;
    QSignalSpy Updates(&Builder, &TvxBaseSQLBuilder::sqlUpdated);
    Builder.SetQueryBuilder(&Rig.QueryBuilder);
    QCOMPARE(Updates.count(), 1);
    std::unique_ptr<TSQLSelectStatement> Tree = Rig.Syntax.ParseSelect(Text);
    TSQLFromSourceList FromSources;
    Tree->RefreshFieldsListRecursive(&Rig.Metadata);
    Tree->FixupObjects(FromSources);
    const std::string Expected = Write(*Tree, true);
    QVERIFY(Expected.find("orders.total") != std::string::npos);  // bound, so written qualified
    QVERIFY(Expected.find("\r\n") != std::string::npos);
    QCOMPARE(Q(Builder.GetSQL()), Q(Expected));
  }

  void DetachedBuilderKeepsItsLastText() {
    TQueryBuilderRig Rig;
    Rig.Load("SELECT a FROM t");
    TvxSQLBuilderPlainText Builder;
    Builder.SetQueryBuilder(&Rig.QueryBuilder);
    const std::string Kept = Builder.GetSQL();
    Builder.SetQueryBuilder(nullptr);
    QSignalSpy Updates(&Builder, &TvxBaseSQLBuilder::sqlUpdated);
    // Reloading frees the model the old tree was built from; the kept text does not care.
    Rig.Load("SELECT b FROM u UNION SELECT c FROM v");
    QCOMPARE(Updates.count(), 0);
    QCOMPARE(Q(Builder.GetSQL()), Q(Kept));
    Builder.SetQueryBuilder(&Rig.QueryBuilder);
    QCOMPARE(Updates.count(), 1);
    QVERIFY(Builder.GetSQL().find("UNION") != std::string::npos);
  }

  void EitherSideMayGoFirst() {
    TvxSQL92SyntaxProvider Syntax;
    TvxEventMetadataProvider Metadata;
    auto* QB = new TvxQueryBuilder;
    QB->SetSyntaxProvider(&Syntax);
    QB->SetMetadataProvider(&Metadata);
    QB->SetSQL("SELECT a FROM t");
    QB->ProcessPendingSQL();

    TvxSQLBuilderPlainText Survivor;
    Survivor.SetQueryBuilder(QB);
    const std::string Text = Survivor.GetSQL();
    {
      TvxSQLBuilderPlainText Gone;
      Gone.SetQueryBuilder(QB);
      QCOMPARE(static_cast<int>(QB->GetSQLBuilders().size()), 2);
    }
    QCOMPARE(static_cast<int>(QB->GetSQLBuilders().size()), 1);
    delete QB;
    QVERIFY(Survivor.GetQueryBuilder() == nullptr);
    QCOMPARE(Q(Survivor.GetSQL()), Q(Text));
  }
};

VX_REGISTER_TEST(TSQLBuilderTest)
#include "SQLBuilderTest.moc"
