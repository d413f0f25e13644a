#include "vxQueryBase.h"

#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSyntaxProvider.h"

#include <QPointer>

#include <algorithm>

namespace {

// BeginUpdate on construction, EndUpdate at the end of the scope, also by an exception.
class TUpdateScope {
public:
  explicit TUpdateScope(TvxQueryBuilderControlOwner* Owner) : FOwner(Owner) { FOwner->BeginUpdate(); }
  ~TUpdateScope() { FOwner->EndUpdate(); }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
  TvxQueryBuilderControlOwner* FOwner;
};

TastSyntaxProvider* DialectOf(const TvxQueryBuilderControlOwner* Owner) {
  return Owner->GetQueryBuilder() != nullptr ? Owner->GetQueryBuilder()->GetASTSyntaxProvider() : nullptr;
}

}  // namespace

// --- TvxQueryBase ------------------------------------------------------------------------------

TvxQueryBase::TvxQueryBase(QObject* Owner) : TvxQueryBuilderControlOwner(Owner) {
  // A sub-query is its own root; it says so in its constructor.
  if (auto* OwnerItem = qobject_cast<TvxQueryBase*>(Owner)) FRootQuery = OwnerItem->GetRootQuery();
}

TvxQueryBase::~TvxQueryBase() {
  MarkDestroying();
  if (FParentQuery == nullptr) return;
  TvxUnionGroup* Old = FParentQuery;
  LeaveParent();
  if (!Old->IsDestroying()) Old->NotifySQLUpdated();
}

void TvxQueryBase::LeaveParent() {
  if (FParentQuery == nullptr) return;
  std::vector<TvxQueryBase*>& Items = FParentQuery->FItems;
  Items.erase(std::remove(Items.begin(), Items.end(), this), Items.end());
  FParentQuery = nullptr;
}

void TvxQueryBase::SetParentQuery(TvxUnionGroup* Group) {
  if (Group == FParentQuery) return;
  if (TvxUnionGroup* Old = FParentQuery) {
    LeaveParent();
    if (!Old->IsDestroying()) Old->NotifySQLUpdated();
  }
  if (Group != nullptr) {
    FParentQuery = Group;
    Group->FItems.push_back(this);
    Group->NotifySQLUpdated();
    Group->RequestAlignUnionNavbar();
  }
  if (FRootQuery != nullptr && !FRootQuery->IsDestroying()) FRootQuery->UpdateUnionSubQueriesOrder();
}

void TvxQueryBase::LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) {
  FNode = std::move(Node);
  if (FNode) FNode->SetModelObject(this);
  UpdateUnionOperator();
}

void TvxQueryBase::GetASTChildren(TastChildren& List) const {
  if (FNode) List.push_back(FNode.get());
}

void TvxQueryBase::UpdateUnionOperator() {
  QWidget* Operator = GetUnionOperator();
  if (Operator == nullptr) return;
  const bool Shown = FNode && FParentQuery != nullptr && FParentQuery->IndexOf(this) > 0;
  Operator->setVisible(Shown);
}

void TvxQueryBase::GetDatasourcesBottomUp(TSQLFromSourceList&) const {}

// --- TvxUnionGroup -----------------------------------------------------------------------------

TvxUnionGroup::TvxUnionGroup(QObject* Owner) : TvxQueryBase(Owner) {}

TvxUnionGroup::~TvxUnionGroup() {
  MarkDestroying();
  TvxSubQuery* Root = GetRootQuery();
  const bool RootGoing = Root == nullptr || Root->IsDestroying();
  const std::vector<TvxQueryBase*> Items = FItems;
  for (auto It = Items.rbegin(); It != Items.rend(); ++It) {
    TvxQueryBase* Item = *It;
    if (RootGoing || Item->IsDestroying())
      Item->LeaveParent();
    else
      delete Item;
  }
}

TvxQueryBase* TvxUnionGroup::GetItems(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FItems[static_cast<size_t>(Index)];
}

int TvxUnionGroup::IndexOf(const TvxQueryBase* Item) const {
  auto Found = std::find(FItems.begin(), FItems.end(), Item);
  return Found == FItems.end() ? -1 : static_cast<int>(Found - FItems.begin());
}

void TvxUnionGroup::CheckCapabilities(bool Group) const {
  const TastSyntaxProvider* Dialect = DialectOf(this);
  const TvxSubQuery* Root = GetRootQuery();
  if (!Group) {
    if (Root->GetUnionSubQueriesCount() == 0) return;
    if (Root->GetIsMainQuery() && (Dialect == nullptr || !Dialect->IsSupportUnions()))
      throw EvxException("This server don't support unions!");
    if (Root->GetIsSubQuery() && (Dialect == nullptr || !Dialect->IsSupportSubQueryUnions()))
      throw EvxException("This server don't support unions in subqueries!");
    return;
  }
  const bool IsComponentRoot = GetQueryBuilder() != nullptr && this == GetQueryBuilder()->GetRootQuery();
  if (IsComponentRoot && (Dialect == nullptr || !Dialect->IsSupportBracketsInUnions()))
    throw EvxException("This server don't support brackets in unions!");
  if (!IsComponentRoot && (Dialect == nullptr || !Dialect->IsSupportSubQueryBracketsInUnions()))
    throw EvxException("This server don't support brackets in unions in subqueries!");
}

TvxUnionSubQuery* TvxUnionGroup::Add() {
  CheckCapabilities(false);
  if (IsDestroying()) return nullptr;
  TastSyntaxProvider* Dialect = DialectOf(this);
  auto Node = NewNode<TSQLSubQuerySelectExpression>(Dialect);
  Node->SetSelectItems(NewNode<TSQLSelectItems>(Dialect));
  // No FROM: the operand's FROM clause makes one with its first datasource.
  Node->SetGroupBy(NewNode<TSQLGroupByList>(Dialect));
  return AddAST(std::move(Node));
}

TvxUnionGroup* TvxUnionGroup::AddGroup() {
  CheckCapabilities(true);
  if (IsDestroying()) return nullptr;
  return AddGroupAST(NewNode<TSQLSubQueryExpressions>(DialectOf(this)));
}

TvxUnionSubQuery* TvxUnionGroup::AddAST(std::unique_ptr<TSQLSubQuerySelectExpression> Node) {
  TvxUnionSubQuery* Operand = nullptr;
  {
    TUpdateScope GroupUpdate(this);
    Operand = new TvxUnionSubQuery(GetRootQuery());
    TUpdateScope OperandUpdate(Operand);
    Operand->SetParentQuery(this);
    Operand->LoadFromAST(std::move(Node));
  }
  if (Operand->CanCreateControls()) Operand->CreateControl();
  if (Operand->GetUnionButton() != nullptr) RequestAlignUnionNavbar();
  return Operand;
}

TvxUnionGroup* TvxUnionGroup::AddGroupAST(std::unique_ptr<TSQLSubQueryExpressions> Node) {
  TvxUnionGroup* Group = nullptr;
  {
    TUpdateScope GroupUpdate(this);
    Group = new TvxUnionGroup(GetRootQuery());
    TUpdateScope InnerUpdate(Group);
    Group->SetParentQuery(this);
    Group->LoadFromAST(std::move(Node));
  }
  if (Group->CanCreateControls()) Group->CreateControl();
  if (Group->GetLeftBracket() != nullptr) RequestAlignUnionNavbar();
  return Group;
}

TvxUnionSubQuery* TvxUnionGroup::Insert(int Index) {
  if (Index < 0 || Index > GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  CheckCapabilities(false);
  TvxUnionSubQuery* Operand = nullptr;
  {
    TUpdateScope Update(this);
    Operand = Add();
    if (Operand != nullptr) Move(GetCount() - 1, Index);
  }
  if (Operand != nullptr && Operand->CanCreateControls()) Operand->CreateControl();
  return Operand;
}

TvxUnionGroup* TvxUnionGroup::InsertGroup(int Index) {
  if (Index < 0 || Index > GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  CheckCapabilities(true);
  TvxUnionGroup* Group = nullptr;
  {
    TUpdateScope Update(this);
    Group = AddGroup();
    if (Group != nullptr) Move(GetCount() - 1, Index);
  }
  if (Group != nullptr && Group->CanCreateControls()) Group->CreateControl();
  return Group;
}

void TvxUnionGroup::Delete(int Index) { GetItems(Index)->LeaveParent(); }

void TvxUnionGroup::Remove(TvxQueryBase* Item) {
  if (IndexOf(Item) >= 0) Item->LeaveParent();
}

void TvxUnionGroup::Move(int From, int To) {
  if (From < 0 || From >= GetCount()) throw EvxListError::IndexOutOfBounds(From);
  if (To < 0 || To >= GetCount()) throw EvxListError::IndexOutOfBounds(To);
  if (From == To) return;
  auto Begin = FItems.begin();
  if (From < To)
    std::rotate(Begin + From, Begin + From + 1, Begin + To + 1);
  else
    std::rotate(Begin + To, Begin + From, Begin + From + 1);
  NotifySQLUpdated();
  GetRootQuery()->UpdateUnionSubQueriesOrder();
}

void TvxUnionGroup::Clear() {
  // Guarded: freeing a group frees the items it still holds.
  std::vector<QPointer<TvxQueryBase>> Doomed;
  if (GetRootQuery() == this) {
    for (QObject* Child : children())
      if (auto* Item = qobject_cast<TvxQueryBase*>(Child)) Doomed.emplace_back(Item);
  } else {
    for (TvxQueryBase* Item : FItems) Doomed.emplace_back(Item);
  }
  for (auto It = Doomed.rbegin(); It != Doomed.rend(); ++It) delete It->data();
}

void TvxUnionGroup::LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) {
  TvxQueryBase::LoadFromAST(vx::CastNode<TSQLSubQueryExpressions>(std::move(Node)));
  auto& Expressions = static_cast<TSQLSubQueryExpressions&>(*FNode);
  TUpdateScope Update(this);
  // Each child moves into the model object made for it; the node keeps only its own fields.
  while (Expressions.GetCount() > 0) {
    std::unique_ptr<TSQLSubQueryExpression> Child = Expressions.Extract(0);
    if (dynamic_cast<TSQLSubQuerySelectExpression*>(Child.get()) != nullptr)
      AddAST(vx::CastNode<TSQLSubQuerySelectExpression>(std::move(Child)));
    else if (dynamic_cast<TSQLSubQueryExpressions*>(Child.get()) != nullptr)
      AddGroupAST(vx::CastNode<TSQLSubQueryExpressions>(std::move(Child)));
  }
  NotifySQLUpdated();
}

std::unique_ptr<TSQLSubQueryExpression> TvxUnionGroup::GetASTExpression() const {
  std::unique_ptr<TSQLSubQueryExpressions> Tree = FNode ? CloneNode(static_cast<const TSQLSubQueryExpressions&>(*FNode))
                                                        : NewNode<TSQLSubQueryExpressions>(DialectOf(this));
  for (const TvxQueryBase* Item : FItems) Tree->Add(Item->GetASTExpression());
  return Tree;
}

void TvxUnionGroup::GetDatasourcesBottomUp(TSQLFromSourceList& List) const {
  if (GetParentQuery() != nullptr) GetParentQuery()->GetDatasourcesBottomUp(List);
}
