#include "vxASTBase.h"

#include "vxASTNodeHelpers.h"
#include "vxSQLBuilder.h"
#include "vxSyntaxProvider.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

// --- class records ----------------------------------------------------------------------------

bool TastClass::InheritsFrom(const TastClass& Other) const { return DistanceTo(Other) >= 0; }

int TastClass::DistanceTo(const TastClass& Ancestor) const {
  int Distance = 0;
  for (const TastClass* Class = this; Class != nullptr; Class = Class->Parent, ++Distance)
    if (Class == &Ancestor) return Distance;
  return -1;
}

const TastClass& TastExtender::StaticClass() {
  static const TastClass Record{"TastExtender", nullptr,
                                [](TastSyntaxProvider* Provider) -> std::unique_ptr<TastExtender> {
                                  return std::make_unique<TastExtender>(Provider);
                                }};
  return Record;
}
const TastClass& TastExtender::GetClass() const { return StaticClass(); }

VX_CLASS_IMPL(TastNode, TastExtender)
VX_CLASS_IMPL(TastNodeWithList, TastNode)

namespace {

// Pairs every node of Original with the node at the same place in Copy. The walk stops where
// the two shapes differ (a proxy copies to the tree of its model, which has more children).
void MapCopies(const TastExtender& Original, TastExtender& Copy, TastNodeMap& Map) {
  Map.emplace(&Original, &Copy);
  TastChildren OriginalChildren, CopyChildren;
  Original.GetMyChildren(OriginalChildren);
  Copy.GetMyChildren(CopyChildren);
  if (OriginalChildren.size() != CopyChildren.size()) return;
  for (size_t I = 0; I < OriginalChildren.size(); ++I)
    if (&OriginalChildren[I]->GetClass() == &CopyChildren[I]->GetClass())
      MapCopies(*OriginalChildren[I], *CopyChildren[I], Map);
}

void ReplaceLinksRecursive(TastExtender& Node, const TastNodeMap& Map) {
  Node.ReplaceLinks(Map);
  TastChildren Children;
  Node.GetMyChildren(Children);
  for (TastExtender* Child : Children) ReplaceLinksRecursive(*Child, Map);
}

}  // namespace

// --- rare links ---------------------------------------------------------------------------------

namespace {

struct TRareLinks {
  TvxObject* ModelObject = nullptr;
  std::unique_ptr<TastExtender> Extender;
};

// The rare links of every object that has any. Objects of any thread use it, hence the lock.
// Never destroyed: the destructors of static objects may free nodes after it would be gone.
class TRareLinkTable {
public:
  // Calls Use with the links of Object (created when missing) under the lock.
  template <class TUse>
  auto With(const TastExtender* Object, TUse&& Use) {
    const std::lock_guard Guard(FLock);
    return Use(FLinks[Object]);
  }
  // Takes the links of Object out of the table; the caller destroys them outside the lock,
  // since an extender's own destructor comes back here.
  TRareLinks Take(const TastExtender* Object) {
    const std::lock_guard Guard(FLock);
    auto Found = FLinks.find(Object);
    if (Found == FLinks.end()) return {};
    TRareLinks Links = std::move(Found->second);
    FLinks.erase(Found);
    return Links;
  }

private:
  std::mutex FLock;
  std::unordered_map<const TastExtender*, TRareLinks> FLinks;
};

TRareLinkTable& RareLinks() {
  static TRareLinkTable* const Table = new TRareLinkTable;
  return *Table;
}

}  // namespace

void TastExtender::DropRareLinks() { RareLinks().Take(this); }

TvxObject* TastExtender::GetModelObject() const {
  if (!HasRareLinks()) return nullptr;
  return RareLinks().With(this, [](TRareLinks& Links) { return Links.ModelObject; });
}

void TastExtender::SetModelObject(TvxObject* ModelObject) {
  if (!HasRareLinks() && ModelObject == nullptr) return;
  RareLinks().With(this, [ModelObject](TRareLinks& Links) { Links.ModelObject = ModelObject; });
  FSyntaxProvider.SetFlag(true);
}

TastExtender* TastExtender::FindExtender() const {
  return RareLinks().With(this, [](TRareLinks& Links) { return Links.Extender.get(); });
}

void TastExtender::SetExtender(std::unique_ptr<TastExtender> Extender) {
  if (!HasRareLinks() && Extender == nullptr) return;
  RareLinks().With(this, [&Extender](TRareLinks& Links) { std::swap(Links.Extender, Extender); });
  FSyntaxProvider.SetFlag(true);
  // The extender replaced is freed here, outside the table's lock.
}

// --- TastExtender -----------------------------------------------------------------------------

void TastExtender::Assign(const TastExtender& Source) {
  // Every TastExtender is acceptable here; subclasses copy their own fields after this.
  FSyntaxProvider.Set(Source.GetSyntaxProvider());
  SetModelObject(Source.GetModelObject());
}

bool TastExtender::EditPropsForNode(TastNode& Node, TvxObject* Owner) { return Node.EditPropsInternal(Node, Owner); }

void TastExtender::MoveSubQueryInProxyInternal(TvxObject*, TSQLSubSelectStatementProxyClass) {}

void TastExtender::GetMyChildren(TastChildren&) const {}

void TastExtender::BuildSQLForNode(const TastNode& Node, TSQLBuilder& Builder, bool MultiLine) const {
  Node.BuildSQLDirect(Builder, MultiLine);
}

void TastExtender::FixupObjects(TSQLFromSourceList& FromSources) {
  TastChildren Children;
  GetMyChildren(Children);
  for (TastExtender* Child : Children) Child->FixupObjects(FromSources);
}

void TastExtender::SimplifyTree() {
  TastChildren Children;
  GetMyChildren(Children);
  for (TastExtender* Child : Children) Child->SimplifyTree();
}

void TastExtender::MoveSubQueryInProxy(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass) {
  MoveSubQueryInProxyInternal(Owner, ProxyClass);
  TastChildren Children;
  GetMyChildren(Children);
  for (TastExtender* Child : Children) Child->MoveSubQueryInProxy(Owner, ProxyClass);
}

void TastExtender::RemoveReferencesToFromSource(const TSQLFromSource* FromSource) {
  TastChildren Children;
  GetMyChildren(Children);
  for (TastExtender* Child : Children) Child->RemoveReferencesToFromSource(FromSource);
}

void TastExtender::RefreshFieldsListRecursive(TastFieldsProvider* MetadataProvider) {
  TastChildren Children;
  GetMyChildren(Children);
  for (TastExtender* Child : Children) Child->RefreshFieldsListRecursive(MetadataProvider);
}

void TastExtender::ReplaceLinks(const TastNodeMap&) {}

// --- TastNode ---------------------------------------------------------------------------------

void TastNode::Assign(const TastExtender& Source) {
  TastExtender::Assign(Source);
  if (const auto* SourceNode = dynamic_cast<const TastNode*>(&Source))
    if (GetExtender() != nullptr && SourceNode->GetExtender() != nullptr)
      GetExtender()->Assign(*SourceNode->GetExtender());
}

void TastNode::GetMyChildren(TastChildren& List) const {
  TastExtender::GetMyChildren(List);
  if (TastExtender* Extender = GetExtender()) List.push_back(Extender);
}

bool TastNode::EditPropsInternal(TastNode&, TvxObject*) { return false; }

namespace {

// The rare ways of BuildSQL, apart so that the common one, a child inside a batch without an
// extender, stays a test of two flags and a jump to the node's own text.
[[gnu::noinline]] void BuildSQLOpeningBatch(const TastNode& Node, TSQLBuilder& Builder, bool MultiLine) {
  Builder.WriteBatch([&] { Node.BuildSQL(Builder, MultiLine); });
}

[[gnu::noinline]] void BuildSQLThroughExtender(const TastNode& Node, TSQLBuilder& Builder, bool MultiLine) {
  if (const TastExtender* Extender = Node.GetExtender())
    Extender->BuildSQLForNode(Node, Builder, MultiLine);
  else
    Node.BuildSQLDirect(Builder, MultiLine);
}

}  // namespace

void TastNode::BuildSQL(TSQLBuilder& Builder, bool MultiLine) const {
  if (!Builder.IsInBatch()) return BuildSQLOpeningBatch(*this, Builder, MultiLine);
  if (HasRareLinks()) return BuildSQLThroughExtender(*this, Builder, MultiLine);
  BuildSQLDirect(Builder, MultiLine);
}

void TastNode::BuildSQLDirect(TSQLBuilder&, bool) const {}

std::unique_ptr<TastNode> TastNode::CloneInternal() const {
  const TastClass& Class = GetClass();
  if (Class.Factory == nullptr) throw EvxAbstractError();
  std::unique_ptr<TastExtender> Created = Class.Factory(FSyntaxProvider);
  auto* Node = dynamic_cast<TastNode*>(Created.get());
  if (Node == nullptr) throw EvxConvertError(Created->ClassName(), "TastNode");
  Created.release();
  std::unique_ptr<TastNode> Copy(Node);
  Copy->Assign(*this);
  return Copy;
}

std::unique_ptr<TastNode> TastNode::Clone() const {
  std::unique_ptr<TastNode> Copy = CloneInternal();
  TastNodeMap Map;
  MapCopies(*this, *Copy, Map);
  ReplaceLinksRecursive(*Copy, Map);
  return Copy;
}

std::string TastNode::GetSimpleSQL() const {
  // A sub-select proxy builds its text from the model, which may itself ask for one-line
  // texts; such a nested request gets a writer of its own instead of resetting the shared one.
  static int Depth = 0;
  struct TDepthGuard {
    TDepthGuard() { ++Depth; }
    ~TDepthGuard() { --Depth; }
  } Guard;
  if (Depth > 1) {
    std::string Text;
    TSQLBuilderPlainText Builder(Text);
    Builder.ResetBuilder();
    BuildSQL(Builder, false);
    return Text;
  }
  TSQLBuilderPlainText& Builder = SimpleSQLBuilder();
  Builder.ResetBuilder();
  BuildSQL(Builder, false);
  return Builder.GetText();
}

bool TastNode::EditProps(TvxObject* Owner) {
  std::unique_ptr<TastNode> Copy = Clone();
  TastExtender* Extender = GetExtender();
  bool Ok = Extender != nullptr ? Extender->EditPropsForNode(*Copy, Owner) : EditPropsInternal(*Copy, Owner);
  if (Ok) {
    Assign(*Copy);
    // Links inside this node that the copy's children brought along point into the copy,
    // which is about to go; point them at this node's own children.
    TastNodeMap Map;
    MapCopies(*Copy, *this, Map);
    ReplaceLinksRecursive(*this, Map);
  }
  return Ok;
}

void TastNode::UpdateExtender() {
  const TastClass* ExtenderClass = FSyntaxProvider != nullptr && FSyntaxProvider->HasExtenders()
                                       ? FSyntaxProvider->FindExtenderClass(GetClass(), true)
                                       : nullptr;
  TastExtender* Current = GetExtender();
  if (ExtenderClass == nullptr) {
    if (Current != nullptr) SetExtender(nullptr);
    return;
  }
  if (Current != nullptr && &Current->GetClass() == ExtenderClass) return;
  if (ExtenderClass->Factory == nullptr) throw EvxAbstractError();
  std::unique_ptr<TastExtender> NewExtender = ExtenderClass->Factory(FSyntaxProvider);
  if (Current != nullptr) NewExtender->Assign(*Current);
  SetExtender(std::move(NewExtender));
}

// --- TastNodeWithList -------------------------------------------------------------------------

void TastNodeWithList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
}

int TastNodeWithList::Add(std::unique_ptr<TastNode> Node) { return vx::ast::AppendOwned(FItems, std::move(Node)); }

void TastNodeWithList::Insert(int Index, std::unique_ptr<TastNode> Node) {
  if (Index < 0 || Index > GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  FItems.insert(FItems.begin() + Index, std::move(Node));
}

void TastNodeWithList::Clear() { FItems.clear(); }

void TastNodeWithList::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
}

int TastNodeWithList::IndexOf(const TastNode* Node) const {
  for (int I = 0; I < GetCount(); ++I)
    if (FItems[static_cast<size_t>(I)].get() == Node) return I;
  return -1;
}

void TastNodeWithList::Remove(const TastNode* Node) {
  int Index = IndexOf(Node);
  if (Index >= 0) Delete(Index);
}

std::unique_ptr<TastNode> TastNodeWithList::Extract(const TastNode* Node) {
  int Index = IndexOf(Node);
  return Index >= 0 ? Extract(Index) : nullptr;
}

std::unique_ptr<TastNode> TastNodeWithList::Extract(int Index) {
  CheckIndex(Index);
  std::unique_ptr<TastNode> Node = std::move(FItems[static_cast<size_t>(Index)]);
  FItems.erase(FItems.begin() + Index);
  return Node;
}

std::vector<std::unique_ptr<TastNode>> TastNodeWithList::ExtractAll() { return vx::ast::TakeAll(FItems); }

TastNode* TastNodeWithList::GetItem(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].get();
}

void TastNodeWithList::SetItem(int Index, std::unique_ptr<TastNode> Node) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)] = std::move(Node);
}

void TastNodeWithList::SetCount(int Count) {
  if (Count < 0) throw EvxListError::IndexOutOfBounds(Count);
  FItems.resize(static_cast<size_t>(Count));
}

void TastNodeWithList::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  bool First = true;
  for (const auto& Item : FItems) {
    if (!Item) continue;
    if (!First) {
      Builder.WriteSymbol(",");
      Builder.Space();
    }
    Item->BuildSQL(Builder, MultiLine);
    First = false;
  }
}

void TastNodeWithList::GetMyChildren(TastChildren& List) const {
  TastNode::GetMyChildren(List);
  for (const auto& Item : FItems)
    if (Item) List.push_back(Item.get());
}

void TastNodeWithList::Assign(const TastExtender& Source) {
  TastNode::Assign(Source);
  if (const auto* SourceList = dynamic_cast<const TastNodeWithList*>(&Source))
    FItems = CloneChildren(SourceList->FItems);
}
