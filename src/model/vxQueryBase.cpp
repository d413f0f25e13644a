#include "vxQueryBase.h"

#include "vxQBControlFactory.h"
#include "vxQBControlViews.h"
#include "vxQueryBuilder.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSyntaxProvider.h"

#include "vxQBStrings.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <algorithm>

namespace {

TastSyntaxProvider* DialectOf(const TvxQueryBuilderControlOwner* Owner) {
  return Owner->GetQueryBuilder() != nullptr ? Owner->GetQueryBuilder()->GetASTSyntaxProvider() : nullptr;
}

// The union operator and ALL flag of From's node on To's node (nothing when either has none).
void CopyUnionOperator(const TvxQueryBase& From, TvxQueryBase& To) {
  if (From.GetNode() == nullptr || To.GetNode() == nullptr) return;
  To.GetNode()->SetUnionOperator(From.GetNode()->GetUnionOperator());
  To.GetNode()->SetUnionAll(From.GetNode()->GetUnionAll());
  To.UpdateUnionOperator();
}

}  // namespace

namespace vx {

void ReportActionError(TvxQueryBuilder* QueryBuilder, const std::exception& Error) {
  // Without a component nobody is left to tell, and nothing is logged.
  if (QueryBuilder != nullptr) QueryBuilder->ReportActionError(Error.what());
}

}  // namespace vx

// --- TvxQueryBase ------------------------------------------------------------------------------

TvxQueryBase::TvxQueryBase(QObject* Owner) : TvxQueryBuilderControlOwner(Owner) {
  // A sub-query is its own root; it says so in its constructor.
  if (auto* OwnerItem = qobject_cast<TvxQueryBase*>(Owner)) FRootQuery = OwnerItem->GetRootQuery();
}

TvxQueryBase::~TvxQueryBase() {
  MarkDestroying();
  if (FParentQuery == nullptr) return;
  TvxUnionEditScope Edit(FRootQuery);
  TvxUnionGroup* Old = FParentQuery;
  LeaveParent();
  if (!Old->IsDestroying()) Old->NotifySQLUpdated();
}

void TvxQueryBase::LeaveParent() {
  TvxUnionGroup* Old = FParentQuery;
  if (Old == nullptr) return;
  std::vector<TvxQueryBase*>& Items = Old->FItems;
  Items.erase(std::remove(Items.begin(), Items.end(), this), Items.end());
  FParentQuery = nullptr;
  // A group in brackets left empty goes once the edit ends; a sub-query may stay empty.
  if (Items.empty() && Old->FParentQuery != nullptr && !Old->IsDestroying() && FRootQuery != nullptr)
    FRootQuery->NoteEmptiedGroup(Old);
}

void TvxQueryBase::SetParentQuery(TvxUnionGroup* Group) {
  if (Group == FParentQuery) return;
  if (Group != nullptr) {
    auto* Self = qobject_cast<TvxUnionGroup*>(this);
    if (Self != nullptr && (Group == Self || Self->Contains(Group)))
      throw EvxException("A union group can't be put into itself");
    // Operands register with their root sub-query and are owned by it: they stay in its tree.
    if (Group->GetRootQuery() != FRootQuery) throw EvxException("A union item can't move to another query");
  }
  TvxUnionEditScope Edit(FRootQuery);
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
  UpdateUnionOperator();
  if (FRootQuery != nullptr && !FRootQuery->IsDestroying()) FRootQuery->UpdateUnionSubQueriesOrder();
}

void TvxQueryBase::InsertAfter(TvxQueryBase* Item) { PlaceSibling(Item, 1); }

void TvxQueryBase::InsertBefore(TvxQueryBase* Item) { PlaceSibling(Item, 0); }

void TvxQueryBase::PlaceSibling(TvxQueryBase* Item, int Offset) {
  TvxUnionGroup* Parent = FParentQuery;
  if (Item == nullptr || Item == this || Parent == nullptr) return;
  {
    TvxUnionEditScope Edit(FRootQuery);
    Item->SetParentQuery(Parent);
    const int From = Parent->IndexOf(Item);
    int To = Parent->IndexOf(this) + Offset;
    // Move takes the item out before it puts it back: places behind it shift by one.
    if (From < To) --To;
    Parent->Move(From, To);
    Parent->NotifySQLUpdated();
  }
  Parent->RequestAlignUnionNavbar();
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
  if (!Shown) return;
  Operator->setProperty("UnionOperator", vx::ToQString(FNode->GetUnionOperator()));
  Operator->setProperty("All", FNode->GetUnionAll());
}

void TvxQueryBase::SelectUnionOperator(const std::string& Caption) {
  if (!FNode) return;
  // Menus may mark a shortcut letter; an operator has none.
  std::string Text;
  for (char C : Caption)
    if (C != '&') Text += C;
  if (vx::UpperCase(FNode->GetSimpleUnionOperator()) == vx::UpperCase(Text)) return;
  bool All = false;
  for (size_t Pos; (Pos = vx::UpperCase(Text).find(" ALL")) != std::string::npos;) {
    Text.erase(Pos, 4);
    All = true;
  }
  {
    TvxUpdateScope Update(this);
    FNode->SetUnionOperator(Text);
    FNode->SetUnionAll(All);
    NotifySQLUpdated();
  }
  UpdateUnionOperator();
}

void TvxQueryBase::SetUnionOperatorEvent(QObject* Sender) {
  if (auto* Item = qobject_cast<QAction*>(Sender)) SelectUnionOperator(vx::FromQString(Item->text()));
}

QMenu* TvxQueryBase::GetUnionOperatorPopupMenu() {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (QueryBuilder == nullptr) return nullptr;
  TvxStringList Operators;
  if (const TastSyntaxProvider* Dialect = DialectOf(this)) Dialect->GetUnionOperatorsList(Operators);
  const std::string Current = FNode ? vx::UpperCase(FNode->GetSimpleUnionOperator()) : std::string();
  QueryBuilder->PopupMenuClear();
  for (const std::string& Operator : Operators)
    QueryBuilder->PopupMenuAddItem(nullptr, vx::ToQString(Operator),
                                   vx::BindEvent(this, &TvxQueryBase::SetUnionOperatorEvent), false,
                                   vx::UpperCase(Operator) == Current, true, nullptr);
  QueryBuilder->PopupMenuCompleted();
  return QueryBuilder->GetPopupMenu();
}

bool TvxQueryBase::CanAddUnions() const {
  const TastSyntaxProvider* Dialect = DialectOf(this);
  if (Dialect == nullptr || FRootQuery == nullptr) return false;
  return FRootQuery->GetIsMainQuery() ? Dialect->IsSupportUnions() : Dialect->IsSupportSubQueryUnions();
}

bool TvxQueryBase::CanAddBrackets() const {
  const TastSyntaxProvider* Dialect = DialectOf(this);
  if (Dialect == nullptr || FRootQuery == nullptr) return false;
  return FRootQuery->GetIsMainQuery() ? Dialect->IsSupportBracketsInUnions()
                                      : Dialect->IsSupportSubQueryBracketsInUnions();
}

void TvxQueryBase::RequestAlignUnionNavbar() {
  if (FRootQuery == nullptr || FRootQuery->IsDestroying()) return;
  if (auto* Page = dynamic_cast<TvxQueryPageView*>(FRootQuery->GetQueryPage())) Page->AlignUnionNavbar();
}

void TvxQueryBase::GetDatasourcesBottomUp(TSQLFromSourceList&) const {}

// --- TvxUnionGroup -----------------------------------------------------------------------------

TvxUnionGroup::TvxUnionGroup(QObject* Owner) : TvxQueryBase(Owner) {}

TvxUnionGroup::~TvxUnionGroup() {
  MarkDestroying();
  TvxSubQuery* Root = GetRootQuery();
  const bool RootGoing = Root == nullptr || Root == this || Root->IsDestroying();
  TvxUnionEditScope Edit(RootGoing ? nullptr : Root);
  // The items belong to the root sub-query, not to the brackets around them: they stay, at the
  // end of the root's list, in their order.
  const std::vector<TvxQueryBase*> Items = FItems;
  for (TvxQueryBase* Item : Items) {
    if (RootGoing || Item->IsDestroying())
      Item->LeaveParent();
    else
      Item->SetParentQuery(Root);
  }
  if (!RootGoing) RequestAlignUnionNavbar();
}

TvxQueryBase* TvxUnionGroup::GetItems(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FItems[static_cast<size_t>(Index)];
}

int TvxUnionGroup::IndexOf(const TvxQueryBase* Item) const {
  auto Found = std::find(FItems.begin(), FItems.end(), Item);
  return Found == FItems.end() ? -1 : static_cast<int>(Found - FItems.begin());
}

bool TvxUnionGroup::Contains(const TvxQueryBase* Item) const {
  for (const TvxUnionGroup* Group = Item != nullptr ? Item->GetParentQuery() : nullptr; Group != nullptr;
       Group = Group->GetParentQuery())
    if (Group == this) return true;
  return false;
}

int TvxUnionGroup::IndexOfMember(const TvxQueryBase* Item, const char* Operation) const {
  const int Index = IndexOf(Item);
  if (Index < 0) throw EvxException(std::string(Operation) + ": the item does not stand in this union group");
  return Index;
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
    TvxUpdateScope GroupUpdate(this);
    Operand = new TvxUnionSubQuery(GetRootQuery());
    TvxUpdateScope OperandUpdate(Operand);
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
    TvxUpdateScope GroupUpdate(this);
    Group = new TvxUnionGroup(GetRootQuery());
    TvxUpdateScope InnerUpdate(Group);
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
    TvxUpdateScope Update(this);
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
    TvxUpdateScope Update(this);
    Group = AddGroup();
    if (Group != nullptr) Move(GetCount() - 1, Index);
  }
  if (Group != nullptr && Group->CanCreateControls()) Group->CreateControl();
  return Group;
}

void TvxUnionGroup::Delete(int Index) {
  TvxQueryBase* Item = GetItems(Index);
  TvxUnionEditScope Edit(GetRootQuery());
  Item->LeaveParent();
}

void TvxUnionGroup::Remove(TvxQueryBase* Item) {
  if (IndexOf(Item) < 0) return;
  TvxUnionEditScope Edit(GetRootQuery());
  Item->LeaveParent();
}

void TvxUnionGroup::Move(int From, int To) {
  if (From < 0 || From >= GetCount()) throw EvxListError::IndexOutOfBounds(From);
  if (To < 0 || To >= GetCount()) throw EvxListError::IndexOutOfBounds(To);
  if (From == To) return;
  vx::MoveElement(FItems, From, To);
  NotifySQLUpdated();
  GetRootQuery()->UpdateUnionSubQueriesOrder();
}

void TvxUnionGroup::Clear() {
  TvxUnionEditScope Edit(GetRootQuery());
  // The root sub-query owns every operand and group of its query. In brackets only the operands
  // go; the groups they leave empty, these brackets among them, go when the edit ends.
  std::vector<QPointer<TvxQueryBase>> Doomed;
  for (QObject* Child : GetRootQuery()->children())
    if (auto* Item = qobject_cast<TvxQueryBase*>(Child))
      if (GetRootQuery() == this || (qobject_cast<TvxUnionSubQuery*>(Item) != nullptr && Contains(Item)))
        Doomed.emplace_back(Item);
  for (auto It = Doomed.rbegin(); It != Doomed.rend(); ++It) delete It->data();
}

void TvxUnionGroup::TakeItem(TvxQueryBase* Item, int Index) {
  Item->SetParentQuery(this);
  Move(IndexOf(Item), Index);
}

// The four bracket moves hold the root's notification, which every item's change reaches
// (items belong to the root sub-query, not to the group they stand in), and put the operand
// list back into text order once. A group they empty goes when the edit ends, after which
// nothing here touches it.

void TvxUnionGroup::AddToBegin(TvxQueryBase* Item) {
  TvxUnionGroup* Parent = GetParentQuery();
  if (Parent == nullptr) throw EvxException("AddToBegin: the group has no brackets");
  const int First = Parent->IndexOfMember(Item, "AddToBegin");
  const int Self = Parent->IndexOf(this);
  if (First > Self) throw EvxException("AddToBegin: the item stands after the group");
  TvxSubQuery* Root = GetRootQuery();
  TvxUnionEditScope Edit(Root);
  for (int I = Self - 1; I >= First; --I) TakeItem(Parent->GetItems(I), 0);
  Root->UpdateUnionSubQueriesOrder();
}

void TvxUnionGroup::AddToEnd(TvxQueryBase* Item) {
  TvxUnionGroup* Parent = GetParentQuery();
  if (Parent == nullptr) throw EvxException("AddToEnd: the group has no brackets");
  const int Last = Parent->IndexOfMember(Item, "AddToEnd");
  const int Self = Parent->IndexOf(this);
  if (Last < Self) throw EvxException("AddToEnd: the item stands before the group");
  TvxSubQuery* Root = GetRootQuery();
  TvxUnionEditScope Edit(Root);
  for (int I = Self + 1; I <= Last; ++I) TakeItem(Parent->GetItems(Self + 1), GetCount());
  Root->UpdateUnionSubQueriesOrder();
}

void TvxUnionGroup::RemoveFromBegin(TvxQueryBase* Item) {
  TvxUnionGroup* Parent = GetParentQuery();
  if (Parent == nullptr) throw EvxException("RemoveFromBegin: the group has no brackets");
  const int Last = IndexOfMember(Item, "RemoveFromBegin");
  TvxSubQuery* Root = GetRootQuery();
  TvxUnionEditScope Edit(Root);
  for (int I = 0; I <= Last; ++I) Parent->TakeItem(GetItems(0), Parent->IndexOf(this));
  Root->UpdateUnionSubQueriesOrder();
}

void TvxUnionGroup::RemoveFromEnd(TvxQueryBase* Item) {
  TvxUnionGroup* Parent = GetParentQuery();
  if (Parent == nullptr) throw EvxException("RemoveFromEnd: the group has no brackets");
  const int First = IndexOfMember(Item, "RemoveFromEnd");
  TvxSubQuery* Root = GetRootQuery();
  TvxUnionEditScope Edit(Root);
  for (int I = GetCount() - 1; I >= First; --I) Parent->TakeItem(GetItems(I), Parent->IndexOf(this) + 1);
  Root->UpdateUnionSubQueriesOrder();
}

void TvxUnionGroup::RemoveBrackets() {
  if (GetParentQuery() == nullptr) throw EvxException("RemoveBrackets: the group has no brackets");
  TvxUnionEditScope Edit(GetRootQuery());
  if (GetCount() > 0) {
    // The first item now joins what stood before the group, as the group did.
    TvxQueryBase* First = GetItems(0);
    CopyUnionOperator(*this, *First);
    // Emptied, the group goes when the edit ends.
    RemoveFromBegin(GetItems(GetCount() - 1));
  } else {
    delete this;
  }
}

QWidget* TvxUnionGroup::CreateControlInternal(int Index) {
  TvxQueryBuilderControlFactory* Factory = GetControlFactory();
  if (Factory == nullptr) return nullptr;
  if (Index == 2) return Factory->CreateUnionOperator(this);
  return Factory->CreateUnionBracket(this, Index == 0);
}

QMenu* TvxUnionGroup::GetPopupMenu() {
  TvxQueryBuilder* QueryBuilder = GetQueryBuilder();
  if (QueryBuilder == nullptr) return nullptr;
  QueryBuilder->PopupMenuClear();
  QueryBuilder->PopupMenuAddItem(nullptr, QStringLiteral("Remove Brackets"),
                                 vx::BindEvent(this, &TvxUnionGroup::RemoveBracketsEvent), false, false, true, nullptr);
  QueryBuilder->PopupMenuCompleted();
  return QueryBuilder->GetPopupMenu();
}

void TvxUnionGroup::LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) {
  TvxQueryBase::LoadFromAST(vx::CastNode<TSQLSubQueryExpressions>(std::move(Node)));
  auto& Expressions = static_cast<TSQLSubQueryExpressions&>(*FNode);
  TvxUpdateScope Update(this);
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
