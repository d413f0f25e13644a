// The control owner: control creation order, deleting by control, held change notifications,
// sub-select proxies on either side of a free, and the properties dialog hook.
#include "vxModelTest.h"

#include "vxQBEditPropsForm.h"
#include "vxSQLBuilderPlainText.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace vxtest;

namespace {

// A model object with one plain widget as its control, logging what happens to it.
class TBoxOwner : public TvxQueryBuilderControlOwner {
public:
  TBoxOwner(QObject* Owner, QWidget* Host, QStringList* Log, QString Name)
      : TvxQueryBuilderControlOwner(Owner), FHost(Host), FLog(Log), FName(std::move(Name)) {}
  ~TBoxOwner() override { MarkDestroying(); }

  int Notifications = 0;
  bool ThrowOnNotify = false;
  void DoSQLUpdated() override {
    ++Notifications;
    if (ThrowOnNotify) throw EvxException("notification failed");
    TvxQueryBuilderControlOwner::DoSQLUpdated();
  }

protected:
  int GetControlsCount() const override { return 1; }
  QWidget* CreateControlInternal(int) override {
    *FLog << "create " + FName;
    return new QWidget(FHost);
  }
  void SaveControlParams(int) override { *FLog << "save " + FName; }

private:
  QWidget* FHost;
  QStringList* FLog;
  QString FName;
};

// A properties dialog that answers as told and remembers how it was used.
struct TFormRecord {
  int Created = 0;
  TvxPosition Position = poDesigned;
  TvxQueryBuilderControlOwner* Owner = nullptr;
  bool Answer = false;
};
TFormRecord FormRecord;

class TRecordingForm : public TvxEditPropsForm {
public:
  void SetPosition(TvxPosition Position) override { FormRecord.Position = Position; }
  bool Edit(TvxQueryBuilderControlOwner* Owner, TvxBaseSyntaxProvider*) override {
    FormRecord.Owner = Owner;
    return FormRecord.Answer;
  }
};

const TvxEditPropsFormClass RecordingFormClass{"TRecordingForm", [](QWidget*) -> std::unique_ptr<TvxEditPropsForm> {
                                                 ++FormRecord.Created;
                                                 return std::make_unique<TRecordingForm>();
                                               }};

// The SQL-92 provider naming a dialog for union operands.
class TDialogSyntaxProvider : public TvxSQL92SyntaxProvider {
public:
  const TvxEditPropsFormClass* GetEditPropsFormClass(TvxQueryBuilderControlOwner* Owner) override {
    return qobject_cast<TvxUnionSubQuery*>(Owner) != nullptr ? &RecordingFormClass : nullptr;
  }
};

// (SELECT) as a scalar sub-query, built by hand.
std::unique_ptr<TSQLExpressionSelect> NewScalarSubQuery() {
  auto Select = NewNode<TSQLSubQuerySelectExpression>(nullptr);
  Select->SetSelectItems(NewNode<TSQLSelectItems>(nullptr));
  auto Statement = NewNode<TSQLSubSelectStatement>(nullptr);
  Statement->Add(std::move(Select));
  return NewNode<TSQLExpressionSelect>(nullptr, std::move(Statement));
}

}  // namespace

class TControlOwnerTest : public QObject {
  Q_OBJECT

private slots:
  void ControlsComeAfterTheirParentsAndGoBeforeThem() {
    QWidget Host;
    QStringList Log;
    TBoxOwner Root(nullptr, &Host, &Log, "root");
    auto* A = new TBoxOwner(&Root, &Host, &Log, "a");
    new TBoxOwner(&Root, &Host, &Log, "b");
    new TBoxOwner(A, &Host, &Log, "a1");
    Root.CreateControl();
    QCOMPARE(Log, QStringList({"create root", "create a", "create a1", "create b"}));
    QCOMPARE(Host.findChildren<QWidget*>().size(), 4);
    Root.CreateControl();  // already there: nothing happens
    QCOMPARE(Log.size(), 4);
    Log.clear();
    Root.DestroyControl();
    QCOMPARE(Log, QStringList({"save a1", "save a", "save b", "save root"}));
    QVERIFY(Host.findChildren<QWidget*>().isEmpty());
    QVERIFY(!A->GetControlsCreated());
  }

  void FreeingAControlFreesItsModelObject() {
    QWidget Host;
    QStringList Log;
    TBoxOwner Root(nullptr, &Host, &Log, "root");
    QPointer<TBoxOwner> A = new TBoxOwner(&Root, &Host, &Log, "a");
    QPointer<TBoxOwner> A1 = new TBoxOwner(A, &Host, &Log, "a1");
    QPointer<TBoxOwner> B = new TBoxOwner(&Root, &Host, &Log, "b");
    Root.CreateControl();

    delete A->GetControls(0);  // the user closed the box
    QVERIFY(A.isNull());
    QVERIFY(A1.isNull());
    QVERIFY(!B.isNull());
    QCOMPARE(Host.findChildren<QWidget*>().size(), 2);  // root's and b's controls

    // The root has no model object above it to free it: it only forgets its control.
    delete Root.GetControls(0);
    QVERIFY(Root.GetControls(0) == nullptr);
    QVERIFY(!B.isNull());
  }

  void NestedUpdatesNotifyOnceAtTheOutermostEnd() {
    for (int Changes : {0, 1, 3}) {
      QWidget Host;
      QStringList Log;
      TBoxOwner Root(nullptr, &Host, &Log, "root");
      auto* Child = new TBoxOwner(&Root, &Host, &Log, "child");
      for (int I = 0; I < 3; ++I) Root.BeginUpdate();
      for (int I = 0; I < Changes; ++I) Child->NotifySQLUpdated();
      Root.EndUpdate();
      Root.EndUpdate();
      QCOMPARE(Root.Notifications, 0);
      QVERIFY(Root.GetIsUpdating());
      Root.EndUpdate();
      QCOMPARE(Root.Notifications, Changes > 0 ? 1 : 0);
      QVERIFY(!Root.GetIsUpdating());
    }
  }

  void ComponentUpdatesNotifyTheBuildersOnce() {
    TQueryBuilderRig Rig;
    TvxSQLBuilderPlainText Builder;
    Builder.SetQueryBuilder(&Rig.QueryBuilder);
    QSignalSpy Updates(&Builder, &TvxBaseSQLBuilder::sqlUpdated);
    Rig.QueryBuilder.BeginUpdate();
    Rig.QueryBuilder.BeginUpdate();
    Rig.QueryBuilder.GetRootQuery()->Add();
    Rig.QueryBuilder.GetRootQuery()->Add();
    Rig.QueryBuilder.EndUpdate();
    QCOMPARE(Updates.count(), 0);
    Rig.QueryBuilder.EndUpdate();
    QCOMPARE(Updates.count(), 1);
    QCOMPARE(Rig.QueryBuilder.GetRootQuery()->GetUnionSubQueriesCount(), 3);
  }

  void EndUpdateDropsTheCountWhenTheNotificationThrows() {
    QWidget Host;
    QStringList Log;
    TBoxOwner Root(nullptr, &Host, &Log, "root");
    Root.ThrowOnNotify = true;
    Root.BeginUpdate();
    Root.NotifySQLUpdated();
    QVERIFY_THROWS_EXCEPTION(EvxException, Root.EndUpdate());
    QVERIFY(!Root.GetIsUpdating());
    // Nothing is held any more: a new change notifies at once.
    QVERIFY_THROWS_EXCEPTION(EvxException, Root.NotifySQLUpdated());
    QCOMPARE(Root.Notifications, 2);
  }

  void ProxyGoesWithItsNode() {
    QStringList Log;
    TBoxOwner Owner(nullptr, nullptr, &Log, "owner");
    std::unique_ptr<TSQLExpressionSelect> Expression = NewScalarSubQuery();
    Owner.LoadSubQueries(Expression.get());
    QCOMPARE(Owner.GetSubqueriesByRootNodeCount(Expression.get()), 1);
    auto* Proxy = dynamic_cast<TvxSubSelectStatementProxy*>(Expression->GetSubSelect());
    QVERIFY(Proxy != nullptr);
    QPointer<TvxSubQuery> SubQuery = Proxy->GetSubQuery();
    QVERIFY(!SubQuery.isNull());
    QCOMPARE(SubQuery->parent(), &Owner);
    QCOMPARE(SubQuery->GetUnionSubQueriesCount(), 1);
    QCOMPARE(Q(Write(*Expression)), QStringLiteral("(SELECT)"));

    Expression.reset();
    QVERIFY(SubQuery.isNull());
    QVERIFY(Owner.GetProxies().empty());
  }

  void ProxyOutlivesItsOwner() {
    QStringList Log;
    auto* Owner = new TBoxOwner(nullptr, nullptr, &Log, "owner");
    std::unique_ptr<TSQLExpressionSelect> Expression = NewScalarSubQuery();
    Owner->LoadSubQueries(Expression.get());
    auto* Proxy = dynamic_cast<TvxSubSelectStatementProxy*>(Expression->GetSubSelect());
    QPointer<TvxSubQuery> SubQuery = Proxy->GetSubQuery();
    delete Owner;
    QVERIFY(SubQuery.isNull());
    QVERIFY(Proxy->GetControlOwner() == nullptr);
    QCOMPARE(Q(Write(*Expression)), QStringLiteral("()"));
    Expression.reset();  // must not reach back into the freed owner
  }

  void EditPropsOpensTheDialogTheSyntaxProviderNames() {
    TDialogSyntaxProvider Syntax;
    TvxEventMetadataProvider Metadata;
    TvxQueryBuilder QB;
    TvxSQLBuilderPlainText Builder;
    Builder.SetQueryBuilder(&QB);
    QSignalSpy Updates(&Builder, &TvxBaseSQLBuilder::sqlUpdated);
    TvxUnionSubQuery* Operand = QB.GetRootQuery()->FirstSelect();

    FormRecord = {};
    Operand->EditProps(poScreenCenter);  // no syntax provider: nothing happens
    QCOMPARE(FormRecord.Created, 0);

    QB.SetSyntaxProvider(&Syntax);
    QB.SetMetadataProvider(&Metadata);
    Operand = QB.GetRootQuery()->FirstSelect();
    Updates.clear();
    Operand->EditProps(poScreenCenter);
    QCOMPARE(FormRecord.Created, 1);
    QCOMPARE(FormRecord.Position, poScreenCenter);
    QCOMPARE(FormRecord.Owner, Operand);
    QCOMPARE(Updates.count(), 0);  // cancelled

    FormRecord.Answer = true;
    Operand->EditPropsEvent(nullptr);
    QCOMPARE(FormRecord.Position, poMainFormCenter);
    QCOMPARE(Updates.count(), 1);

    QB.GetRootQuery()->EditProps(poScreenCenter);  // no dialog for a query
    QCOMPARE(FormRecord.Created, 2);
    QB.SetSyntaxProvider(nullptr);
  }
};

VX_REGISTER_TEST(TControlOwnerTest)
#include "ControlOwnerTest.moc"
