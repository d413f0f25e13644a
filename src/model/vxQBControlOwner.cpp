#include "vxQBControlOwner.h"

#include "vxBaseSyntaxProvider.h"
#include "vxQBControlViews.h"
#include "vxQBEditPropsForm.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QAction>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace {

TvxQueryBuilder* FindQueryBuilder(QObject* Owner) {
  if (Owner == nullptr) return nullptr;
  if (auto* QueryBuilder = qobject_cast<TvxQueryBuilder*>(Owner)) return QueryBuilder;
  if (auto* ControlOwner = qobject_cast<TvxQueryBuilderControlOwner*>(Owner)) return ControlOwner->GetQueryBuilder();
  return nullptr;
}

TvxUnionSubQuery* FindUnionSubQuery(QObject* Owner) {
  if (Owner == nullptr) return nullptr;
  if (auto* Operand = qobject_cast<TvxUnionSubQuery*>(Owner)) return Operand;
  if (auto* ControlOwner = qobject_cast<TvxQueryBuilderControlOwner*>(Owner)) return ControlOwner->GetUnionSubQuery();
  return nullptr;
}

// Runs the decrement of EndUpdate also when the held notification throws.
class TUpdateCountGuard {
public:
  explicit TUpdateCountGuard(int& Count) : FCount(Count) {}
  ~TUpdateCountGuard() { --FCount; }
  TUpdateCountGuard(const TUpdateCountGuard&) = delete;
  TUpdateCountGuard& operator=(const TUpdateCountGuard&) = delete;

private:
  int& FCount;
};

}  // namespace

TvxQueryBuilderControlOwner::TvxQueryBuilderControlOwner(QObject* Owner)
    : QObject(Owner), FQueryBuilder(FindQueryBuilder(Owner)), FUnionSubQuery(FindUnionSubQuery(Owner)) {}

TvxQueryBuilderControlOwner::~TvxQueryBuilderControlOwner() {
  MarkDestroying();
  if (FControlsCreated) DestroyControl();
  for (TvxSubSelectStatementProxy* Proxy : FProxies) Proxy->ForgetOwner();
  FProxies.clear();
}

TvxQueryBuilderControlOwner* TvxQueryBuilderControlOwner::GetOwnerObject() const {
  return qobject_cast<TvxQueryBuilderControlOwner*>(parent());
}

std::vector<TvxQueryBuilderControlOwner*> TvxQueryBuilderControlOwner::GetChildOwners() const {
  std::vector<TvxQueryBuilderControlOwner*> Result;
  for (QObject* Child : children())
    if (auto* Owner = qobject_cast<TvxQueryBuilderControlOwner*>(Child)) Result.push_back(Owner);
  return Result;
}

void TvxQueryBuilderControlOwner::DestroyComponents() {
  // Guarded pointers: freeing one child may free others (a group frees its items).
  std::vector<QPointer<QObject>> Owned;
  for (QObject* Child : children()) Owned.emplace_back(Child);
  for (auto It = Owned.rbegin(); It != Owned.rend(); ++It) delete It->data();
}

// --- controls --------------------------------------------------------------------------------

bool TvxQueryBuilderControlOwner::CanCreateControls() const {
  const TvxQueryBuilderControlOwner* Owner = GetOwnerObject();
  return Owner != nullptr && Owner->GetControlsCreated();
}

void TvxQueryBuilderControlOwner::CreateControl() {
  if (!FControlsCreated) DoCreateControl();
}

void TvxQueryBuilderControlOwner::DestroyControl() {
  if (FControlsCreated) DoDestroyControl();
}

QWidget* TvxQueryBuilderControlOwner::GetControls(int Index) const {
  if (Index < 0 || static_cast<size_t>(Index) >= FControls.size()) return nullptr;
  return FControls[static_cast<size_t>(Index)];
}

void TvxQueryBuilderControlOwner::DoCreateControl() {
  const int Count = GetControlsCount();
  if (Count > 0) {
    FControls.assign(static_cast<size_t>(Count), nullptr);
    FControlLinks.assign(static_cast<size_t>(Count), QMetaObject::Connection());
    for (int I = 0; I < Count; ++I) {
      QWidget* Control = CreateControlInternal(I);
      const auto Index = static_cast<size_t>(I);
      FControls[Index] = Control;
      if (Control == nullptr) continue;
      FControlLinks[Index] =
          connect(Control, &QObject::destroyed, this, [this](QObject* Gone) { ControlDestroyed(Gone); });
      RestoreControlParams(I);
      if (MakeVisible(I)) Control->show();
    }
  }
  FControlsCreated = true;
  for (TvxQueryBuilderControlOwner* Child : GetChildOwners()) Child->CreateControl();
}

void TvxQueryBuilderControlOwner::DoDestroyControl() {
  FDestroyingControls = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } Reset{FDestroyingControls};

  for (TvxQueryBuilderControlOwner* Child : GetChildOwners()) Child->DestroyControl();
  FControlsCreated = false;
  for (size_t I = 0; I < FControls.size(); ++I) {
    QWidget* Control = FControls[I];
    if (Control == nullptr) continue;
    if (!FDestroying) SaveControlParams(static_cast<int>(I));
    disconnect(FControlLinks[I]);
    FControls[I] = nullptr;
    delete Control;
  }
  FControls.clear();
  FControlLinks.clear();
}

void TvxQueryBuilderControlOwner::NotifyControlDestroying(QWidget* Control) {
  for (size_t I = 0; I < FControls.size(); ++I) {
    if (FControls[I] != Control) continue;
    disconnect(FControlLinks[I]);
    FControls[I] = nullptr;
  }
}

void TvxQueryBuilderControlOwner::ControlDestroyed(QObject* Control) {
  // Only the QObject part is left of the control; compare addresses, never dereference.
  auto Found = std::find_if(FControls.begin(), FControls.end(),
                            [Control](QWidget* Entry) { return static_cast<QObject*>(Entry) == Control; });
  if (Found == FControls.end()) return;
  NotifyControlDestroying(*Found);
  // The object that owns this one decides its fate: a model object goes with its control
  // (closing a box deletes the datasource); the root query, owned by the component, stays.
  if (!FDestroying && !FDestroyingControls && GetOwnerObject() != nullptr && !GetOwnerObject()->IsDestroying())
    delete this;
}

TvxQueryBuilderControlFactory* TvxQueryBuilderControlOwner::GetControlFactory() const {
  return FQueryBuilder != nullptr ? &FQueryBuilder->GetControlFactory() : nullptr;
}

void TvxQueryBuilderControlOwner::UpdateContolParams(int Index) {
  if (auto* View = dynamic_cast<TvxControlView*>(GetControls(Index))) View->UpdateContolParams();
}

void TvxQueryBuilderControlOwner::DoUpdateContolParams() {
  if (!FControlsCreated) return;
  for (size_t I = 0; I < FControls.size(); ++I)
    if (FControls[I] != nullptr) UpdateContolParams(static_cast<int>(I));
  for (TvxQueryBuilderControlOwner* Child : GetChildOwners()) Child->DoUpdateContolParams();
}

// --- change notification -----------------------------------------------------------------------

void TvxQueryBuilderControlOwner::BeginUpdate() { ++FUpdateCount; }

void TvxQueryBuilderControlOwner::EndUpdate() {
  TUpdateCountGuard Guard(FUpdateCount);
  if (FUpdateCount == 1 && FSQLUpdatedPending) {
    FSQLUpdatedPending = false;
    DoSQLUpdated();
  }
}

void TvxQueryBuilderControlOwner::NotifySQLUpdated() {
  // A dying object's text is nobody's business; its removal is announced by whoever drops it.
  if (FDestroying) return;
  if (GetIsUpdating())
    FSQLUpdatedPending = true;
  else
    DoSQLUpdated();
}

void TvxQueryBuilderControlOwner::DoSQLUpdated() {
  if (TvxQueryBuilderControlOwner* Owner = GetOwnerObject()) Owner->NotifySQLUpdated();
}

// --- nested SELECTs ----------------------------------------------------------------------------

void TvxQueryBuilderControlOwner::LoadSubQueries(TastNode* Node) {
  if (Node == nullptr) return;
  TvxSubQueryLoader Loader(this, Node);
  Node->MoveSubQueryInProxy(&Loader, &TvxSubSelectStatementProxy::Create);
}

void TvxQueryBuilderControlOwner::GetSubqueriesByRootNode(const TastNode* Node,
                                                          std::vector<TvxSubSelectStatementProxy*>& List) const {
  for (TvxSubSelectStatementProxy* Proxy : FProxies)
    if (Proxy->GetRootNode() == Node) List.push_back(Proxy);
}

int TvxQueryBuilderControlOwner::GetSubqueriesByRootNodeCount(const TastNode* Node) const {
  return static_cast<int>(std::count_if(FProxies.begin(), FProxies.end(), [Node](const TvxSubSelectStatementProxy* P) {
    return P->GetRootNode() == Node;
  }));
}

void TvxQueryBuilderControlOwner::AddProxy(TvxSubSelectStatementProxy* Proxy) { FProxies.push_back(Proxy); }

void TvxQueryBuilderControlOwner::RemoveProxy(TvxSubSelectStatementProxy* Proxy) {
  FProxies.erase(std::remove(FProxies.begin(), FProxies.end(), Proxy), FProxies.end());
}

void TvxQueryBuilderControlOwner::ShowSubQueriesPopup(const QPoint& Point,
                                                      const std::vector<TvxSubSelectStatementProxy*>& List) {
  if (FQueryBuilder == nullptr) return;
  FQueryBuilder->PopupMenuClear();
  QPointer<TvxQueryBuilderControlOwner> Self(this);
  for (TvxSubSelectStatementProxy* Proxy : List) {
    std::string Caption = vx::AbbreviateSQL(Proxy->GetSimpleSQL(), "SELECT", "SEL", " FROM", " FRM", "...");
    FQueryBuilder->PopupMenuAddItem(
        nullptr, QString::fromStdString(Caption),
        [Self](QObject* Sender) {
          if (Self) Self->EditSubquery(Sender);
        },
        false, false, true, Proxy);
  }
  FQueryBuilder->PopupMenuPopup(Point);
}

void TvxQueryBuilderControlOwner::EditSubquery(QObject* Sender) {
  auto* Item = qobject_cast<QAction*>(Sender);
  if (Item == nullptr || FQueryBuilder == nullptr) return;
  auto* Proxy = dynamic_cast<TvxSubSelectStatementProxy*>(TvxQueryBuilder::GetMenuItemTag(Item));
  // The menu may outlive the proxy (the query changed while it was open): only a proxy that is
  // still registered here is trusted.
  if (Proxy == nullptr || std::find(FProxies.begin(), FProxies.end(), Proxy) == FProxies.end()) return;
  if (TvxSubQuery* SubQuery = Proxy->GetSubQuery()) FQueryBuilder->SetActiveSubquery(SubQuery);
}

// --- syntax tree -------------------------------------------------------------------------------

void TvxQueryBuilderControlOwner::GetASTChildren(TastChildren&) const {}

void TvxQueryBuilderControlOwner::GetASTChildrenForSubtree(TastChildren& List) const {
  GetASTChildren(List);
  for (TvxQueryBuilderControlOwner* Child : GetChildOwners()) Child->GetASTChildrenForSubtree(List);
}

std::unique_ptr<TastNode> TvxQueryBuilderControlOwner::GetASTTree() const { return nullptr; }

bool TvxQueryBuilderControlOwner::NotifyDatasourceDestroying(TvxDatasource* Datasource) {
  BeginUpdate();
  struct TEnd {
    TvxQueryBuilderControlOwner* Owner;
    ~TEnd() { Owner->EndUpdate(); }
  } End{this};
  const bool Result = NotifyDatasourceDestroyingInternal(Datasource);
  if (!Result) {
    std::vector<TvxQueryBuilderControlOwner*> Children = GetChildOwners();
    for (auto It = Children.rbegin(); It != Children.rend(); ++It)
      if ((*It)->NotifyDatasourceDestroying(Datasource)) delete *It;
  }
  return Result;
}

// --- editing -----------------------------------------------------------------------------------

void TvxQueryBuilderControlOwner::EditProps(TvxPosition Position) {
  if (FQueryBuilder == nullptr) return;
  TvxBaseSyntaxProvider* SyntaxProvider = FQueryBuilder->GetSyntaxProvider();
  if (SyntaxProvider == nullptr) return;
  const TvxEditPropsFormClass* FormClass = SyntaxProvider->GetEditPropsFormClass(this);
  if (FormClass == nullptr) return;
  std::unique_ptr<TvxEditPropsForm> Form = FormClass->Create(FQueryBuilder);
  Form->SetPosition(Position);
  if (Form->Edit(this, SyntaxProvider)) NotifySQLUpdated();
}

void TvxQueryBuilderControlOwner::RemoveEvent(QObject*) { delete this; }

QMenu* TvxQueryBuilderControlOwner::GetPopupMenu() { return nullptr; }

QMenu* TvxQueryBuilderControlOwner::PopupMenuRemoveEdit() {
  if (FQueryBuilder == nullptr) return nullptr;
  FQueryBuilder->PopupMenuClear();
  FQueryBuilder->PopupMenuAddItem(nullptr, QStringLiteral("Remove"),
                                  vx::BindEvent(this, &TvxQueryBuilderControlOwner::RemoveEvent), false, false, true,
                                  nullptr);
  FQueryBuilder->PopupMenuAddItem(nullptr, QStringLiteral("Edit..."),
                                  vx::BindEvent(this, &TvxQueryBuilderControlOwner::EditPropsEvent), true, false,
                                  FQueryBuilder->GetSyntaxProvider() != nullptr, nullptr);
  FQueryBuilder->PopupMenuCompleted();
  return FQueryBuilder->GetPopupMenu();
}

// --- captions ----------------------------------------------------------------------------------

namespace vx {

std::string AbbreviateSQL(std::string Text, std::string_view Select, std::string_view SelectShort,
                          std::string_view From, std::string_view FromShort, std::string_view Ellipsis,
                          size_t MaxLength) {
  auto ReplaceAll = [&Text](std::string_view What, std::string_view With) {
    for (size_t Pos = Text.find(What); Pos != std::string::npos; Pos = Text.find(What, Pos + With.size()))
      Text.replace(Pos, What.size(), With);
  };
  ReplaceAll(Select, SelectShort);
  ReplaceAll(From, FromShort);
  if (Text.size() > MaxLength) {
    // Never cut a UTF-8 sequence in two.
    size_t Cut = MaxLength;
    while (Cut > 0 && (static_cast<unsigned char>(Text[Cut]) & 0xC0) == 0x80) --Cut;
    Text.resize(Cut);
    Text += Ellipsis;
  }
  return Text;
}

}  // namespace vx
