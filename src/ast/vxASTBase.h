// The roots of the syntax tree: TastExtender (root of nodes and of dialect extenders, and home
// of the recursive tree walks), TastNode and TastNodeWithList.
//
// Ownership: a node owns its children (std::unique_ptr). Links to other objects -- the syntax
// provider, the model object built from a node, a reference's bound FROM source -- are raw
// pointers and never owned. Freeing a root frees its tree.
#pragma once

#include "vxCommon.h"
#include "vxMetaClass.h"
#include "vxNodePool.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

class TastExtender;
class TastNode;
class TastSyntaxProvider;
class TastFieldsProvider;
class TSQLBuilder;
class TSQLFromSource;
class TSQLSubSelectStatement;
class TSQLSubSelectStatementProxy;

using TastChildren = std::vector<TastExtender*>;
// The owned child list of a node; its block comes from the node pool like the nodes.
template <class T>
using TastOwnedList = std::vector<std::unique_ptr<T>, TvxNodePoolAllocator<std::unique_ptr<T>>>;
using TSQLFromSourceList = std::vector<TSQLFromSource*>;

// Stands for "class of TSQLSubSelectStatementProxy": builds the model's proxy for a sub-select
// found in the tree. The proxy takes ownership of SubSelect.
using TSQLSubSelectStatementProxyClass = std::unique_ptr<TSQLSubSelectStatementProxy> (*)(
    TastSyntaxProvider* SyntaxProvider, TvxObject* Owner, std::unique_ptr<TSQLSubSelectStatement> SubSelect);

// Maps nodes of an original tree to their copies; used to re-point links after a copy.
using TastNodeMap = std::unordered_map<const TastExtender*, TastExtender*>;

// Creates a node or extender. Nodes must be created through here (or their class record),
// never with plain new: choosing the extender needs the finished object's class.
template <class T, class... TArgs>
std::unique_ptr<T> NewNode(TastSyntaxProvider* SyntaxProvider, TArgs&&... Args);

// The syntax provider link of a node or extender, with one bit to spare: whether the object
// has rare links (see TastExtender). Reads like the plain pointer it stands for.
class TastProviderLink {
public:
  // Converts from a plain pointer (as in "Bare ? nullptr : FSyntaxProvider"); assigning would
  // lose the flag, so a new provider is given with Set.
  TastProviderLink(TastSyntaxProvider* Provider) : FBits(reinterpret_cast<uintptr_t>(Provider)) {}
  TastProviderLink(const TastProviderLink&) = default;
  TastProviderLink& operator=(const TastProviderLink&) = delete;

  operator TastSyntaxProvider*() const { return reinterpret_cast<TastSyntaxProvider*>(FBits & ~FlagBit); }
  TastSyntaxProvider* operator->() const { return *this; }
  void Set(TastSyntaxProvider* Provider) { FBits = reinterpret_cast<uintptr_t>(Provider) | (FBits & FlagBit); }
  bool GetFlag() const { return (FBits & FlagBit) != 0; }
  void SetFlag(bool Flag) { FBits = (FBits & ~FlagBit) | (Flag ? FlagBit : 0); }

private:
  static constexpr uintptr_t FlagBit = 1;  // providers are at least 2-aligned
  uintptr_t FBits;
};

class TastExtender : public TvxObject {
public:
  static const TastClass& StaticClass();
  virtual const TastClass& GetClass() const;
  std::string_view ClassName() const { return GetClass().Name; }
  bool InheritsFrom(const TastClass& Class) const { return GetClass().InheritsFrom(Class); }

  explicit TastExtender(TastSyntaxProvider* SyntaxProvider) : FSyntaxProvider(SyntaxProvider) {}
  ~TastExtender() override {
    if (HasRareLinks()) DropRareLinks();
  }
  TastExtender(const TastExtender&) = delete;
  TastExtender& operator=(const TastExtender&) = delete;

  // Nodes and extenders live in the node pool; ownership is as for any heap object.
  static void* operator new(size_t Size) { return TvxNodePool::Allocate(Size); }
  static void operator delete(void* Block, size_t Size) noexcept { TvxNodePool::Free(Block, Size); }
  // Pool blocks are 8-aligned: a node class that needs more does not compile.
  static void* operator new(size_t Size, std::align_val_t Alignment) = delete;

  TastSyntaxProvider* GetSyntaxProvider() const { return FSyntaxProvider; }
  // The query-model object built from this node; not owned, copied by Assign.
  TvxObject* GetModelObject() const;
  void SetModelObject(TvxObject* ModelObject);

  // Copies Source's state into this object. The base copies the provider and the model object
  // from another extender and raises EvxConvertError for anything else.
  virtual void Assign(const TastExtender& Source);
  virtual bool EditPropsForNode(TastNode& Node, TvxObject* Owner);
  // Replaces a sub-select held by this node with a proxy; the default holds none.
  virtual void MoveSubQueryInProxyInternal(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass);
  // Appends the direct children (pointers stay owned by this object).
  virtual void GetMyChildren(TastChildren& List) const;
  virtual void BuildSQLForNode(const TastNode& Node, TSQLBuilder& Builder, bool MultiLine) const;

  // Recursive walks. Each takes the children list once, before visiting.
  virtual void FixupObjects(TSQLFromSourceList& FromSources);
  virtual void SimplifyTree();
  virtual void MoveSubQueryInProxy(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass);
  virtual void RemoveReferencesToFromSource(const TSQLFromSource* FromSource);
  virtual void RefreshFieldsListRecursive(TastFieldsProvider* MetadataProvider);

  // After a copy: links that point to a key of Map are re-pointed to its value. Nodes that
  // hold links override this; the walk over the tree is done by the caller.
  virtual void ReplaceLinks(const TastNodeMap& Map);

protected:
  // What few objects have: the model object built from this one and, for a node, its extender
  // (owned). They live in a table apart, found by the object's address when the provider
  // link's flag says there are any, so that the objects without them stay two pointers small.
  bool HasRareLinks() const { return FSyntaxProvider.GetFlag(); }
  TastExtender* FindExtender() const;
  void DropRareLinks();
  // Replaces the extender (null drops it).
  void SetExtender(std::unique_ptr<TastExtender> Extender);

  TastProviderLink FSyntaxProvider;
};

class TastNode : public TastExtender {
  VX_CLASS(TastNode)
public:
  explicit TastNode(TastSyntaxProvider* SyntaxProvider) : TastExtender(SyntaxProvider) {}
  ~TastNode() override = default;

  TastExtender* GetExtender() const { return HasRareLinks() ? FindExtender() : nullptr; }

  void Assign(const TastExtender& Source) override;
  void GetMyChildren(TastChildren& List) const override;

  virtual bool EditPropsInternal(TastNode& Node, TvxObject* Owner);
  // Writes the node, through its extender when one is attached.
  virtual void BuildSQL(TSQLBuilder& Builder, bool MultiLine) const;
  // The node's own SQL; children are written through their BuildSQL.
  virtual void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const;
  // A deep, independent copy owned by the caller. Links into the copied subtree are re-pointed
  // to the copies; links that leave it stay as they are.
  std::unique_ptr<TastNode> Clone() const;
  // One-line text of the node, written with the shared plain-text writer.
  std::string GetSimpleSQL() const;
  // Lets the node's editor change a copy; the node takes the copy's state when it reports success.
  bool EditProps(TvxObject* Owner);
  // Chooses the extender from the provider's registry (run when the node is created).
  void UpdateExtender();
  // False until some provider registers an extender: until then a new node has none to find.
  static bool IsAnyExtenderRegistered() { return FAnyExtenderRegistered.load(std::memory_order_relaxed); }
  static void NoteExtenderRegistered() { FAnyExtenderRegistered.store(true, std::memory_order_relaxed); }

protected:
  // The copy without re-pointing of links; the sub-select proxy answers with its model's tree.
  virtual std::unique_ptr<TastNode> CloneInternal() const;
  // Clones an owned child inside Assign; links are re-pointed once, by the outermost Clone.
  template <class T>
  static std::unique_ptr<T> CloneChild(const std::unique_ptr<T>& Child);
  // Clones of a list's items, made before the list is touched, so that a node assigned from
  // itself keeps its items.
  // Any list of owned children: plain vectors and the node pool's lists alike.
  template <class TList>
  static TList CloneChildren(const TList& Items);

private:
  static inline std::atomic<bool> FAnyExtenderRegistered{false};
};

// A node holding an ordered list of owned child nodes. Indices are 0-based.
class TastNodeWithList : public TastNode {
  VX_CLASS(TastNodeWithList)
public:
  explicit TastNodeWithList(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}

  int Add(std::unique_ptr<TastNode> Node);  // takes ownership, returns the index
  void Insert(int Index, std::unique_ptr<TastNode> Node);
  void Clear();
  void Delete(int Index);
  void Remove(const TastNode* Node);  // frees the first occurrence
  std::unique_ptr<TastNode> Extract(const TastNode* Node);
  std::unique_ptr<TastNode> Extract(int Index);
  // Every entry in order, empty ones included; the list is left empty. Taking the first entry
  // until none is left would move the rest each time.
  std::vector<std::unique_ptr<TastNode>> ExtractAll();
  TastNode* GetItem(int Index) const;                       // EvxListError when out of range; may be empty
  void SetItem(int Index, std::unique_ptr<TastNode> Node);  // frees the replaced node
  int GetCount() const { return static_cast<int>(FItems.size()); }
  void SetCount(int Count);  // shrinking frees, growing adds empty entries
  int IndexOf(const TastNode* Node) const;

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  // The items of a list Source replace this node's own (copies, in order): an edited copy
  // assigned back gives exactly the edited list.
  void Assign(const TastExtender& Source) override;

protected:
  void CheckIndex(int Index) const;
  TastOwnedList<TastNode> FItems;
};

// --- implementation of the templates ---------------------------------------------------------

template <class T, class... TArgs>
std::unique_ptr<T> NewNode(TastSyntaxProvider* SyntaxProvider, TArgs&&... Args) {
  auto Result = std::make_unique<T>(SyntaxProvider, std::forward<TArgs>(Args)...);
  if constexpr (std::is_base_of_v<TastNode, T>)
    if (TastNode::IsAnyExtenderRegistered()) Result->UpdateExtender();
  return Result;
}

template <class T>
std::unique_ptr<T> TastNode::CloneChild(const std::unique_ptr<T>& Child) {
  if (!Child) return nullptr;
  std::unique_ptr<TastNode> Copy = Child->CloneInternal();
  T* Typed = dynamic_cast<T*>(Copy.get());
  if (Typed == nullptr) throw EvxConvertError(Copy->ClassName(), T::StaticClass().Name);
  Copy.release();
  return std::unique_ptr<T>(Typed);
}

template <class TList>
TList TastNode::CloneChildren(const TList& Items) {
  TList Copies;
  Copies.reserve(Items.size());
  for (const auto& Item : Items) Copies.push_back(CloneChild(Item));
  return Copies;
}

// Clone with the static type of the original.
template <class T>
std::unique_ptr<T> CloneNode(const T& Node) {
  std::unique_ptr<TastNode> Copy = Node.Clone();
  T* Typed = dynamic_cast<T*>(Copy.get());
  if (Typed == nullptr) throw EvxConvertError(Copy->ClassName(), T::StaticClass().Name);
  Copy.release();
  return std::unique_ptr<T>(Typed);
}
