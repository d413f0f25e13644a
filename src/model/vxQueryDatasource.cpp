// Datasource items and groups: loading a FROM tree into items and links, resolving ON conditions
// into links, building the FROM tree back, and the searches over the item tree.
#include "vxQueryDatasource.h"

#include "vxASTCriteria.h"
#include "vxQueryBuilder.h"
#include "vxQueryLink.h"
#include "vxQuerySelectList.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSyntaxProvider.h"

#include <QWidget>

#include <algorithm>
#include <exception>

namespace {

const TSQLExpressionItem* SkipBrackets(const TSQLExpressionItem* Expression) {
  while (const auto* Brackets = dynamic_cast<const TSQLExpressionBrackets*>(Expression))
    Expression = Brackets->GetExpression();
  return Expression;
}

// A binary operator between two column references: the shape a link is made of.
const TSQLExpressionOperatorBinary* AsLinkCandidate(const TSQLExpressionItem* Expression) {
  const auto* Binary = dynamic_cast<const TSQLExpressionOperatorBinary*>(SkipBrackets(Expression));
  if (Binary == nullptr || dynamic_cast<const TSQLExpressionColumn*>(Binary->GetExpression()) == nullptr ||
      dynamic_cast<const TSQLExpressionColumn*>(Binary->GetRight()) == nullptr)
    return nullptr;
  return Binary;
}

// Part 0 of a column name as the database calls it (delimiters off, doubled quotes undoubled):
// the spelling the metadata provider reports and the box lists.
std::string FieldNameOf(const TSQLObjectColumn& Column) {
  const TastSyntaxProvider* Dialect = Column.GetSyntaxProvider();
  return Dialect != nullptr ? Dialect->UnquoteName(Column.GetObjName()) : std::string(Column.GetObjName());
}

// The model datasource a column reference is bound to, and the referenced field.
TvxDatasource* BoundDatasource(const TSQLExpressionItem* Operand, std::string& Field) {
  const auto* Column = dynamic_cast<const TSQLExpressionColumn*>(Operand);
  if (Column == nullptr || Column->GetColumn() == nullptr) return nullptr;
  const TSQLFromSource* Source = Column->GetColumn()->GetFromSource();
  if (Source == nullptr) return nullptr;
  Field = FieldNameOf(*Column->GetColumn());
  return dynamic_cast<TvxDatasource*>(Source->GetModelObject());
}

// True when some name below Node is bound to Source.
bool RefersToSource(const TastExtender& Node, const TSQLFromSource* Source) {
  if (const auto* Object = dynamic_cast<const TSQLDatabaseObject*>(&Node))
    if (Object->GetFromSource() == Source) return true;
  TastChildren Children;
  Node.GetMyChildren(Children);
  return std::any_of(Children.begin(), Children.end(),
                     [Source](const TastExtender* Child) { return RefersToSource(*Child, Source); });
}

// Calls Action on every item even when one fails, then raises the first failure: one source the
// database cannot describe must not leave the others stale.
template <class TItem>
void ForEachThenRaise(const std::vector<TItem*>& Items, void (TItem::*Action)()) {
  std::exception_ptr First;
  for (TItem* Item : Items) {
    try {
      (Item->*Action)();
    } catch (...) {
      if (!First) First = std::current_exception();
    }
  }
  if (First) std::rethrow_exception(First);
}

}  // namespace

TvxDatasource* vx::LinkedDatasource(const TSQLExpressionItem* Operand, std::string& Field) {
  return BoundDatasource(Operand, Field);
}

void vx::RefreshAllDatasources(TvxQueryBuilder& QueryBuilder) {
  std::vector<TvxDatasourceBase*> Clauses;
  for (int I = 0; I < QueryBuilder.GetSubQueriesCount(); ++I) {
    const TvxSubQuery* SubQuery = QueryBuilder.GetSubQueries(I);
    for (int J = 0; J < SubQuery->GetUnionSubQueriesCount(); ++J)
      Clauses.push_back(SubQuery->GetUnionSubQueries(J)->GetFromClause());
  }
  ForEachThenRaise(Clauses, &TvxDatasourceBase::RefreshMetadata);
}

void vx::ReplaceLinksInTree(TastExtender& Root, const TastNodeMap& Copies) {
  if (Copies.empty()) return;
  Root.ReplaceLinks(Copies);
  TastChildren Children;
  Root.GetMyChildren(Children);
  for (TastExtender* Child : Children) ReplaceLinksInTree(*Child, Copies);
}

// --- TvxDatasourceBase -------------------------------------------------------------------------

TvxDatasourceBase::TvxDatasourceBase(QObject* Owner) : TvxQueryBuilderControlOwner(Owner) {
  if (auto* Group = qobject_cast<TvxDatasourceGroup*>(Owner)) Group->Add(this);
}

TvxDatasourceBase::~TvxDatasourceBase() {
  MarkDestroying();
  // The links (and sub-queries) ask their owner what it is while they go.
  DestroyComponents();
  if (FParentGroup != nullptr) FParentGroup->Remove(this);
}

TastSyntaxProvider* TvxDatasourceBase::GetDialect() const {
  if (const TvxUnionSubQuery* Operand = GetOwningOperand())
    if (Operand->GetNode() != nullptr && Operand->GetNode()->GetSyntaxProvider() != nullptr)
      return Operand->GetNode()->GetSyntaxProvider();
  return GetQueryBuilder() != nullptr ? GetQueryBuilder()->GetASTSyntaxProvider() : nullptr;
}

void TvxDatasourceBase::SetNode(std::unique_ptr<TSQLFromSource> Node) {
  if (Node) Node->SetModelObject(this);
  FNode = std::move(Node);
}

void TvxDatasourceBase::LoadFromAST(std::unique_ptr<TSQLFromSource> Node) {
  if (!Node) throw EvxException("Can't load a datasource from nil");
  FPendingOnCondition = Node->ExtractJoinCondition();
  SetNode(std::move(Node));
  NotifySQLUpdated();
}

void TvxDatasourceBase::GetASTChildren(TastChildren& List) const {
  if (FNode) List.push_back(FNode.get());
  if (FPendingOnCondition) List.push_back(FPendingOnCondition.get());
}

TSQLJoinKind* TvxDatasourceBase::GetJoinKind() const { return FNode ? FNode->GetJoinKind().get() : nullptr; }

const std::shared_ptr<TSQLJoinKind>& TvxDatasourceBase::GetJoinKindShared() const {
  static const std::shared_ptr<TSQLJoinKind> None;
  return FNode ? FNode->GetJoinKind() : None;
}

void TvxDatasourceBase::SetJoinKind(std::shared_ptr<TSQLJoinKind> JoinKind) {
  if (!FNode) return;
  FNode->SetJoinKind(std::move(JoinKind));
  RepaintLinks();
  NotifySQLUpdated();
}

TvxLink* TvxDatasourceBase::GetJoins(int Index) const {
  if (Index < 0 || Index >= GetJoinsCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FJoins[static_cast<size_t>(Index)];
}

TvxLink* TvxDatasourceBase::CreateDatasourceLink(TvxDatasourceBase* LeftDatasource, const std::string& LeftField,
                                                 TvxDatasourceBase* RightDatasource, const std::string& RightField,
                                                 std::unique_ptr<TSQLExpressionItem> Expression) {
  auto* Link = new TvxLink(this);
  {
    TvxUpdateScope Update(Link);
    Link->SetLeftField(LeftField);
    Link->SetRightField(RightField);
    Link->SetLeftDatasource(LeftDatasource);
    Link->SetRightDatasource(RightDatasource);
    Link->SetLinkExpression(std::move(Expression));
  }
  if (GetControlsCreated() && Link->CanCreateControls()) Link->CreateControl();
  return Link;
}

TvxLink* TvxDatasourceBase::FindLink(const TvxDatasourceBase* LeftDatasource, const std::string& LeftField,
                                     const TvxDatasourceBase* RightDatasource, const std::string& RightField) const {
  for (TvxLink* Link : FJoins)
    if (Link->GetLeftDatasource() == LeftDatasource && Link->GetRightDatasource() == RightDatasource &&
        vx::SameText(Link->GetLeftField(), LeftField) && vx::SameText(Link->GetRightField(), RightField))
      return Link;
  return nullptr;
}

bool TvxDatasourceBase::ContainsDatasource(const TvxDatasourceBase* Datasource, bool) const {
  return Datasource == this;
}

void TvxDatasourceBase::GetItemsByType(TvxDatasourceList& List, const QMetaObject& Class, bool Inherited) {
  if (metaObject() == &Class || (Inherited && metaObject()->inherits(&Class))) List.push_back(this);
}

void TvxDatasourceBase::RepaintLinks() {
  for (TvxLink* Link : FJoins) Link->Repaint();
}

bool TvxDatasourceBase::NotifyDatasourceDestroyingInternal(TvxDatasource* Datasource) {
  DropLinks(Datasource, Datasource->GetNode());
  return false;
}

bool TvxDatasourceBase::DropLinks(const TvxDatasourceBase* End, const TSQLFromSource* Node) {
  bool Dropped = false;
  // A condition that names the datasource means nothing without it: the whole link goes, not
  // only the ones that end at it. A snapshot, as each freed link leaves FJoins.
  for (TvxLink* Link : std::vector<TvxLink*>(FJoins)) {
    const TSQLExpressionItem* Expression = Link->GetLinkExpression();
    const bool Named = Node != nullptr && Expression != nullptr && RefersToSource(*Expression, Node);
    const bool Ended = Link->GetLeftDatasource() == End || Link->GetRightDatasource() == End;
    // A field-less link only stands beside the item before its owner: a condition that does not
    // name the item that goes still holds, drawn on its owner alone from then on.
    if (Ended && !Named && Link->GetLeftField().empty() && Link->GetRightField().empty() &&
        Link->GetRightDatasource() == this && End != this) {
      Link->SetLeftDatasource(this);
      continue;
    }
    if (Ended || Named) {
      delete Link;
      Dropped = true;
    }
  }
  // The item no longer joins anything: it stands after a plain comma.
  if (Dropped && FJoins.empty() && FNode) FNode->SetJoinKind(nullptr);
  return Dropped;
}

// --- resolving ON conditions into links ----------------------------------------------------------

void TvxDatasourceBase::LoadJoins(TvxDatasourceGroup* Group, TvxDatasourceBase* Prev) {
  if (!FPendingOnCondition) return;
  if (Prev == nullptr) throw EvxException("Can't bind join expression (prev=nil)");
  TvxUpdateScope Update(this);
  std::unique_ptr<TSQLExpressionItem> Rest = SplitJoinCondition(std::move(FPendingOnCondition), Group, Prev);
  if (Rest) CreateDatasourceLink(Prev, std::string(), this, std::string(), std::move(Rest));
}

std::unique_ptr<TSQLExpressionItem> TvxDatasourceBase::SplitJoinCondition(std::unique_ptr<TSQLExpressionItem> Condition,
                                                                          TvxDatasourceGroup* Group,
                                                                          TvxDatasourceBase* Prev) {
  if (AsLinkCandidate(Condition.get()) != nullptr) {
    if (TakeCandidate(Condition, Group, Prev)) return nullptr;
  } else if (auto* And =
                 dynamic_cast<TSQLExpressionAnd*>(const_cast<TSQLExpressionItem*>(SkipBrackets(Condition.get())))) {
    if (SplitAndList(*And, Group, Prev)) return nullptr;
  }
  return Condition;
}

bool TvxDatasourceBase::SplitAndList(TSQLExpressionAnd& List, TvxDatasourceGroup* Group, TvxDatasourceBase* Prev) {
  // The conditions leave the list in one move; those that do not become links come back in
  // theirs, in order. (Taking them out and putting them back one by one would make a long
  // condition split in quadratic time.)
  std::vector<std::unique_ptr<TSQLExpressionItem>> Items = List.ExtractAll();
  std::vector<std::unique_ptr<TSQLExpressionItem>> Rest;
  Rest.reserve(Items.size());
  for (std::unique_ptr<TSQLExpressionItem>& Item : Items) {
    const TSQLExpressionItem* Inner = SkipBrackets(Item.get());
    if (auto* Nested = dynamic_cast<TSQLExpressionAnd*>(const_cast<TSQLExpressionItem*>(Inner))) {
      if (SplitAndList(*Nested, Group, Prev)) continue;
    } else if (AsLinkCandidate(Inner) != nullptr) {
      if (TakeCandidate(Item, Group, Prev)) continue;
    }
    Rest.push_back(std::move(Item));
  }
  List.AddAll(std::move(Rest));
  return List.GetCount() == 0;
}

bool TvxDatasourceBase::LiesBefore(const TvxDatasourceBase* Datasource, TvxDatasourceGroup* Group,
                                   TvxDatasourceBase* Prev) const {
  if (Datasource == Prev || Prev->ContainsDatasource(Datasource, true)) return true;
  return Group != nullptr && Group->ContainsDatasourceBefore(Datasource, this);
}

bool TvxDatasourceBase::TakeCandidate(std::unique_ptr<TSQLExpressionItem>& Candidate, TvxDatasourceGroup* Group,
                                      TvxDatasourceBase* Prev) {
  const TSQLExpressionOperatorBinary* Binary = AsLinkCandidate(Candidate.get());
  std::string LeftField, RightField;
  TvxDatasource* Left = BoundDatasource(Binary->GetExpression(), LeftField);
  TvxDatasource* Right = BoundDatasource(Binary->GetRight(), RightField);
  if (Left == nullptr || Right == nullptr) return false;
  // The link runs from the column before this item to the column in it, whichever way the
  // condition is written; the expression stays as written.
  if (ContainsDatasource(Right, true) && LiesBefore(Left, Group, Prev)) {
    CreateDatasourceLink(Left, LeftField, Right, RightField, std::move(Candidate));
    return true;
  }
  if (ContainsDatasource(Left, true) && LiesBefore(Right, Group, Prev)) {
    CreateDatasourceLink(Right, RightField, Left, LeftField, std::move(Candidate));
    return true;
  }
  return false;
}

// --- building --------------------------------------------------------------------------------------

std::unique_ptr<TSQLFromSource> TvxDatasourceBase::GetASTFromSource(TastNodeMap* Copies) const {
  if (!FNode) return nullptr;
  std::unique_ptr<TSQLFromSource> Tree = CloneNode(*FNode);
  Tree->SetJoinKind(FNode->GetJoinKind());
  if (Copies != nullptr) Copies->emplace(FNode.get(), Tree.get());
  if (!FJoins.empty()) {
    auto And = NewNode<TSQLExpressionAnd>(FNode->GetSyntaxProvider());
    for (const TvxLink* Link : FJoins)
      if (Link->GetLinkExpression() != nullptr) And->Add(Link->GetLinkExpression()->Clone());
    Tree->SetJoinCondition(SimplifyLogicalExpression(std::move(And)));
  }
  return Tree;
}

// --- TvxDatasourceGroup ----------------------------------------------------------------------------

TvxDatasourceGroup::TvxDatasourceGroup(QObject* Owner) : TvxDatasourceBase(Owner) {}

TvxDatasourceGroup::~TvxDatasourceGroup() {
  MarkDestroying();
  // Items first, while this is still a group: each one that announces itself finds the group
  // able to answer.
  DestroyComponents();
  // Items listed here but owned elsewhere outlive the group: they stand in no group any more.
  for (TvxDatasourceBase* Item : FItems) Item->FParentGroup = nullptr;
  FItems.clear();
  // Conditions joined to this group (field-less links whose left end it was) lose their place.
  TvxUnionSubQuery* Operand = GetOwningOperand();
  if (Operand == nullptr || Operand->IsDestroying()) return;
  TvxFromClause* From = Operand->GetFromClause();
  if (From != nullptr && From != this && !From->IsDestroying()) From->DropLinksToRecursive(this);
}

void TvxDatasourceGroup::DropLinksToRecursive(const TvxDatasourceBase* End) {
  DropLinks(End, nullptr);
  for (TvxDatasourceBase* Item : FItems) {
    if (auto* Group = qobject_cast<TvxDatasourceGroup*>(Item))
      Group->DropLinksToRecursive(End);
    else
      Item->DropLinks(End, nullptr);
  }
}

void TvxDatasourceGroup::Add(TvxDatasourceBase* Item) {
  if (Item == nullptr || IndexOf(Item) >= 0) return;
  if (Item->FParentGroup != nullptr && Item->FParentGroup != this) Item->FParentGroup->Remove(Item);
  FItems.push_back(Item);
  Item->FParentGroup = this;
}

void TvxDatasourceGroup::Delete(int Index) { Remove(GetItems(Index)); }

void TvxDatasourceGroup::Remove(TvxDatasourceBase* Item) {
  auto Found = std::find(FItems.begin(), FItems.end(), Item);
  if (Found == FItems.end()) return;
  const bool WasFirst = Found == FItems.begin();
  FItems.erase(Found);
  if (Item->FParentGroup == this) Item->FParentGroup = nullptr;
  if (!WasFirst || FItems.empty() || IsDestroying() || FItems.front()->IsDestroying()) return;
  // A datasource that goes tells this group before the items after it: their links to it are
  // still there, and mean nothing anywhere.
  FItems.front()->DropLinks(Item, Item->GetNode());
  MoveConditionsOfFirstItem();
}

void TvxDatasourceGroup::MoveConditionsOfFirstItem() {
  // The item that comes first now joins nothing before it: the conditions left on it (about its
  // own fields alone) have no ON to be written in. They keep their meaning in the ON of the
  // nearest brackets around it that join something before them, unless those brackets keep all
  // their rows (a right or full join); else they filter in WHERE, as criteria rows of the grid.
  TvxDatasourceBase* First = FItems.front();
  std::vector<TvxLink*> Links = First->FJoins;
  if (First->FNode) First->FNode->SetJoinKind(nullptr);
  if (Links.empty()) return;
  TvxDatasourceBase* Receiver = this;
  while (Receiver->FParentGroup != nullptr && Receiver->FParentGroup->IndexOf(Receiver) == 0)
    Receiver = Receiver->FParentGroup;
  const TSQLJoinKind* Kind = Receiver->GetJoinKind();
  const bool InOn = Receiver->FParentGroup != nullptr && (Kind == nullptr || !Kind->IsRightOuter());
  TvxUnionSubQuery* Operand = GetOwningOperand();
  TvxSelectList* SelectList = Operand != nullptr && !Operand->IsDestroying() ? Operand->GetSelectList() : nullptr;
  for (TvxLink* Link : Links) {
    std::unique_ptr<TSQLExpressionItem> Condition =
        Link->GetLinkExpression() != nullptr ? Link->GetLinkExpression()->Clone() : nullptr;
    if (Condition && InOn)
      Receiver->CreateDatasourceLink(Link->GetLeftDatasource(), Link->GetLeftField(), Link->GetRightDatasource(),
                                     Link->GetRightField(), std::move(Condition));
    else if (Condition && SelectList != nullptr)
      SelectList->AddWhereCondition(std::move(Condition));
    delete Link;
  }
  if (InOn && (Kind == nullptr || dynamic_cast<const TSQLJoinKindCross*>(Kind) != nullptr))
    Receiver->SetJoinKind(NewNode<TSQLJoinKindInner>(GetDialect()));
}

TvxDatasourceBase* TvxDatasourceGroup::GetItems(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FItems[static_cast<size_t>(Index)];
}

int TvxDatasourceGroup::IndexOf(const TvxDatasourceBase* Item) const {
  auto Found = std::find(FItems.begin(), FItems.end(), Item);
  return Found == FItems.end() ? -1 : static_cast<int>(Found - FItems.begin());
}

bool TvxDatasourceGroup::ContainsDatasourceBefore(const TvxDatasourceBase* Datasource,
                                                  const TvxDatasourceBase* Item) const {
  const int Index = IndexOf(Item);
  for (int I = 0; I < Index; ++I)
    if (FItems[static_cast<size_t>(I)]->ContainsDatasource(Datasource, true)) return true;
  return false;
}

void TvxDatasourceGroup::FindTablesByDBName(const TSQLDatabaseObject& Name, TvxDataSourceObjectList& List) const {
  const TastSyntaxProvider* Dialect = GetDialect();
  for (TvxDatasourceBase* Item : FItems) {
    if (auto* Group = qobject_cast<TvxDatasourceGroup*>(Item)) {
      Group->FindTablesByDBName(Name, List);
    } else if (auto* Object = qobject_cast<TvxDataSourceObject*>(Item)) {
      const TSQLDatabaseObject* Table = Object->GetObjectName();
      if (Table == nullptr) continue;
      const bool Equal = Dialect != nullptr ? Dialect->IsDBObjectNamesEqual(*Table, Name)
                                            : vx::SameText(Table->GetObjName(), Name.GetObjName());
      if (Equal) List.push_back(Object);
    }
  }
}

void TvxDatasourceGroup::LoadFromAST(std::unique_ptr<TSQLFromSource> Node) {
  if (dynamic_cast<TSQLFromItem*>(Node.get()) == nullptr)
    throw EvxConvertError(Node ? Node->ClassName() : "nil", TSQLFromItem::StaticClass().Name);
  TvxUpdateScope Update(this);
  TvxDatasourceBase::LoadFromAST(std::move(Node));
  // The sources leave the chain one by one, each owned by the item that loads it: a failing
  // load leaves every source with exactly one owner.
  TSQLFromItem* Chain = GetItemNode();
  while (Chain->GetCount() > 0) {
    std::unique_ptr<TSQLFromSource> Child = Chain->Extract(0);
    if (!Child) continue;
    TvxDatasourceBase* Item;
    if (dynamic_cast<TSQLFromItem*>(Child.get()) != nullptr)
      Item = new TvxDatasourceGroup(this);
    else if (dynamic_cast<TSQLFromQuery*>(Child.get()) != nullptr)
      Item = new TvxDataSourceQuery(this);
    else
      Item = new TvxDataSourceObject(this);
    Item->LoadFromAST(std::move(Child));
    if (GetControlsCreated() && Item->CanCreateControls()) Item->CreateControl();
  }
}

void TvxDatasourceGroup::LoadJoins(TvxDatasourceGroup* Group, TvxDatasourceBase* Prev) {
  TvxDatasourceBase::LoadJoins(Group, Prev);
  TvxDatasourceBase* Before = nullptr;
  for (TvxDatasourceBase* Item : std::vector<TvxDatasourceBase*>(FItems)) {
    Item->LoadJoins(this, Before);
    Before = Item;
  }
}

std::unique_ptr<TSQLFromSource> TvxDatasourceGroup::GetASTFromSource(TastNodeMap* Copies) const {
  // A bracketed join whose boxes were all removed stands for nothing; written, it would be an
  // empty pair of brackets that no parser reads.
  if (FItems.empty() && GetParentGroup() != nullptr) return nullptr;
  std::unique_ptr<TSQLFromSource> Tree = TvxDatasourceBase::GetASTFromSource(Copies);
  if (!Tree) return nullptr;
  auto* Chain = static_cast<TSQLFromItem*>(Tree.get());
  for (const TvxDatasourceBase* Item : FItems)
    if (std::unique_ptr<TSQLFromSource> Source = Item->GetASTFromSource(Copies)) Chain->Add(std::move(Source));
  return Tree;
}

TvxLink* TvxDatasourceGroup::FindLink(const TvxDatasourceBase* LeftDatasource, const std::string& LeftField,
                                      const TvxDatasourceBase* RightDatasource, const std::string& RightField) const {
  if (TvxLink* Link = TvxDatasourceBase::FindLink(LeftDatasource, LeftField, RightDatasource, RightField)) return Link;
  for (const TvxDatasourceBase* Item : FItems)
    if (TvxLink* Link = Item->FindLink(LeftDatasource, LeftField, RightDatasource, RightField)) return Link;
  return nullptr;
}

bool TvxDatasourceGroup::ContainsDatasource(const TvxDatasourceBase* Datasource, bool Recursive) const {
  if (Datasource == this) return true;
  for (const TvxDatasourceBase* Item : FItems)
    if (Item == Datasource || (Recursive && Item->ContainsDatasource(Datasource, true))) return true;
  return false;
}

void TvxDatasourceGroup::GetItemsByType(TvxDatasourceList& List, const QMetaObject& Class, bool Inherited) {
  TvxDatasourceBase::GetItemsByType(List, Class, Inherited);
  for (TvxDatasourceBase* Item : FItems) Item->GetItemsByType(List, Class, true);
}

void TvxDatasourceGroup::UpdateChecks() {
  for (TvxDatasourceBase* Item : FItems) Item->UpdateChecks();
}

void TvxDatasourceGroup::RefreshMetadata() { ForEachThenRaise(FItems, &TvxDatasourceBase::RefreshMetadata); }

void TvxDatasourceGroup::GetDatasourcesBottomUp(TSQLFromSourceList& List) const {
  for (auto It = FItems.rbegin(); It != FItems.rend(); ++It) (*It)->GetDatasourcesBottomUp(List);
}

bool TvxDatasourceGroup::NotifyDatasourceDestroyingInternal(TvxDatasource* Datasource) {
  TvxDatasourceBase::NotifyDatasourceDestroyingInternal(Datasource);
  if (IndexOf(Datasource) < 0) return false;
  Remove(Datasource);
  // The datasource must not go with this group, should the group go now: one being freed has no
  // owner from here on, one announced ahead of its freeing (its box closing) waits under the
  // operand, out of the FROM clause.
  Datasource->setParent(Datasource->IsDestroying() ? nullptr : static_cast<QObject*>(GetOwningOperand()));
  NotifySQLUpdated();
  return FItems.empty() && !IsDestroying() && ItemsEmptied();
}

bool TvxDatasourceGroup::ItemsEmptied() { return true; }

// --- TvxFromClause ---------------------------------------------------------------------------------

TvxFromClause::TvxFromClause(QObject* Owner) : TvxDatasourceGroup(Owner) {}

TvxFromClause::~TvxFromClause() = default;

void TvxFromClause::LoadFromAST(std::unique_ptr<TSQLFromSource> Node) {
  if (dynamic_cast<TSQLFromClause*>(Node.get()) == nullptr)
    throw EvxConvertError(Node ? Node->ClassName() : "nil", TSQLFromClause::StaticClass().Name);
  TvxDatasourceGroup::LoadFromAST(std::move(Node));
}

void TvxFromClause::LoadFromClause(std::unique_ptr<TSQLFromClause> FromClause) {
  TvxUpdateScope Update(this);
  Clear();
  if (!FromClause) return;
  LoadFromAST(std::move(FromClause));
  LoadJoins(nullptr, nullptr);
}

std::unique_ptr<TSQLFromClause> TvxFromClause::GetASTFromClause(TastNodeMap* Copies) const {
  std::unique_ptr<TSQLFromSource> Tree = GetASTFromSource(Copies);
  if (!Tree) return nullptr;
  return std::unique_ptr<TSQLFromClause>(static_cast<TSQLFromClause*>(Tree.release()));
}

void TvxFromClause::EnsureNode() {
  if (GetNode() == nullptr) SetNode(NewNode<TSQLFromClause>(GetDialect()));
}

void TvxFromClause::Clear() {
  TvxUpdateScope Update(this);
  while (GetCount() > 0) delete GetItems(GetCount() - 1);
  if (GetNode() != nullptr) {
    SetNode(nullptr);
    NotifySQLUpdated();
  }
}

bool TvxFromClause::ItemsEmptied() {
  SetNode(nullptr);
  return false;
}
