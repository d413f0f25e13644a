// A query as a tree of union operands: TvxQueryBase is anything that can stand in a union,
// TvxUnionGroup a bracketed list of operands and groups.
//
// Ownership: every operand and group is a QObject owned by its root sub-query (TvxSubQuery), not
// by the group it stands in; a group's item list only orders them. Each item owns its syntax
// node, which holds the union operator that joins it to the item before it.
#pragma once

#include "vxASTSelect.h"
#include "vxQBControlOwner.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class TvxQueryBuilder;
class TvxSubQuery;
class TvxUnionGroup;
class TvxUnionSubQuery;

namespace vx {
// Node as a T, or EvxConvertError naming both classes (ownership passes either way).
template <class T, class TFrom>
std::unique_ptr<T> CastNode(std::unique_ptr<TFrom> Node) {
  T* Typed = dynamic_cast<T*>(Node.get());
  if (Typed == nullptr) throw EvxConvertError(Node ? Node->ClassName() : "nil", T::StaticClass().Name);
  Node.release();
  return std::unique_ptr<T>(Typed);
}

// Hands the message of an exception that a menu handler of Owner raised to Owner's component
// (TvxQueryBuilder::ReportActionError); Owner may be gone by then, QueryBuilder may be null.
void ReportActionError(TvxQueryBuilder* QueryBuilder, const std::exception& Error);

// Runs a user's action (a mouse or key event, a menu item) on the model and reports what it
// raises to QueryBuilder (may be null) instead of letting it reach the event loop.
template <class TAction>
void RunReported(TvxQueryBuilder* QueryBuilder, TAction&& Action) {
  try {
    Action();
  } catch (const std::exception& Error) {
    ReportActionError(QueryBuilder, Error);
  }
}

// A menu handler that calls Handler on Object while Object lives (a menu can outlive the model
// object whose items it shows) and reports what it raises instead of letting it reach the event
// loop.
template <class T, class TBase>
TvxNotifyEvent BindEvent(T* Object, void (TBase::*Handler)(QObject*)) {
  QPointer<T> Guard(Object);
  QPointer<TvxQueryBuilder> QueryBuilder(Object->GetQueryBuilder());
  return [Guard, QueryBuilder, Handler](QObject* Sender) {
    if (Guard) RunReported(QueryBuilder.data(), [&] { (Guard.data()->*Handler)(Sender); });
  };
}
}  // namespace vx

class TvxQueryBase : public TvxQueryBuilderControlOwner {
  Q_OBJECT

public:
  // Owner is the root sub-query (or, for a sub-query, the model object that holds it).
  explicit TvxQueryBase(QObject* Owner);
  ~TvxQueryBase() override;

  // The group this item stands in; null for a sub-query and for an item not yet placed.
  TvxUnionGroup* GetParentQuery() const { return FParentQuery; }
  // Moves the item to the end of Group's list (null: out of any list). A group cannot go into
  // itself or into one of its own items (EvxException).
  void SetParentQuery(TvxUnionGroup* Group);
  // Puts Item right after (before) this item in this item's group, taking it out of its own
  // group first. Nothing happens for the item itself or without a group.
  void InsertAfter(TvxQueryBase* Item);
  void InsertBefore(TvxQueryBase* Item);
  // The sub-query that owns the item: the item itself for a sub-query.
  TvxSubQuery* GetRootQuery() const { return FRootQuery; }
  // The item's syntax node (owned): union operator, ALL flag and what the model does not edit.
  TSQLSubQueryExpression* GetNode() const { return FNode.get(); }

  // Takes Node over; the derived classes hand its parts to the model objects that edit them.
  virtual void LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node);
  // A fresh syntax tree of the item, owned by the caller.
  virtual std::unique_ptr<TSQLSubQueryExpression> GetASTExpression() const = 0;
  std::unique_ptr<TastNode> GetASTTree() const override { return GetASTExpression(); }
  void GetASTChildren(TastChildren& List) const override;

  // The union operator control shows the operator only for an item that has a node and a
  // parent and is not the first item of its parent; it takes the operator text and the ALL
  // flag through its "UnionOperator" (string) and "All" (bool) properties.
  void UpdateUnionOperator();
  virtual QWidget* GetUnionOperator() const { return nullptr; }
  // Makes Caption (an entry of the dialect's union operator list, such as "Union All") the
  // operator that joins this item to the one before it: " ALL" in it, in any case, becomes the
  // ALL flag, the rest the operator text. Nothing happens when it names the current operator.
  void SelectUnionOperator(const std::string& Caption);
  // Menu handler: Sender is the chosen QAction, whose text is the caption.
  void SetUnionOperatorEvent(QObject* Sender);
  // The union operator control's menu: the dialect's union operators, the current one checked.
  // Null without a component.
  QMenu* GetUnionOperatorPopupMenu();
  // Whether the dialect lets the sub-query of this item have several operands (brackets): the
  // main query asks IsSupportUnions (IsSupportBracketsInUnions), a sub-query the "SubQuery"
  // variants. False without a syntax provider.
  bool CanAddUnions() const;
  bool CanAddBrackets() const;
  // Asks the navigation bar of the root sub-query's page to lay itself out again from the union
  // tree (once it exists; nothing while the root sub-query goes).
  void RequestAlignUnionNavbar();
  // The FROM sources visible from this item, outermost query first.
  virtual void GetDatasourcesBottomUp(TSQLFromSourceList& List) const;

protected:
  void SetRootQuery(TvxSubQuery* RootQuery) { FRootQuery = RootQuery; }
  // Leaves the parent's list without telling anyone but the parent.
  void LeaveParent();

  std::unique_ptr<TSQLSubQueryExpression> FNode;

private:
  // Puts Item into this item's group at this item's place plus Offset (0 or 1).
  void PlaceSibling(TvxQueryBase* Item, int Offset);

  friend class TvxUnionGroup;
  TvxUnionGroup* FParentQuery = nullptr;
  TvxSubQuery* FRootQuery = nullptr;
};

// A group in brackets never stays empty: an edit that takes its last item away (removing,
// moving or clearing it) frees the group as well when the edit ends, so that no query writes an
// empty bracket pair. Only AddGroup and InsertGroup make an empty group, for the caller to fill.
class TvxUnionGroup : public TvxQueryBase {
  Q_OBJECT

public:
  explicit TvxUnionGroup(QObject* Owner);
  // The items belong to the root sub-query: unless it is going too, they move to the end of its
  // list, in their order.
  ~TvxUnionGroup() override;

  // A new empty operand (group) at the end. Raises "This server don't support unions!" (or the
  // sub-query and bracket variants) when the dialect forbids it; null while the group goes.
  TvxUnionSubQuery* Add();
  TvxUnionGroup* AddGroup();
  // The same at Index (0..count); EvxListError outside that range.
  TvxUnionSubQuery* Insert(int Index);
  TvxUnionGroup* InsertGroup(int Index);
  // A new operand (group) at the end that takes over Node.
  TvxUnionSubQuery* AddAST(std::unique_ptr<TSQLSubQuerySelectExpression> Node);
  TvxUnionGroup* AddGroupAST(std::unique_ptr<TSQLSubQueryExpressions> Node);
  // Take an item out of the list without freeing it.
  void Delete(int Index);
  void Remove(TvxQueryBase* Item);
  // Moves an item within the list (EvxListError for an index outside it).
  void Move(int From, int To);
  // Frees every operand and group of the whole query for a sub-query; in brackets, the operands
  // at any depth, after which the group, left empty, goes too.
  void Clear();
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TvxQueryBase* GetItems(int Index) const;  // EvxListError when out of range
  int IndexOf(const TvxQueryBase* Item) const;
  // True when Item stands in this group or, at any depth, in one of its groups.
  bool Contains(const TvxQueryBase* Item) const;

  // Moving the brackets, as dragging them on the navigation bar does. Each raises EvxException
  // when Item is not where the move needs it. A group left without items goes.
  // Item is a sibling before the group: it and the siblings between it and the group move in,
  // in front of the group's items.
  void AddToBegin(TvxQueryBase* Item);
  // Item is a sibling after the group: it and the siblings between move in, after its items.
  void AddToEnd(TvxQueryBase* Item);
  // Item is in the group: it and the items before it move out, in front of the group.
  void RemoveFromBegin(TvxQueryBase* Item);
  // Item is in the group: it and the items after it move out, after the group.
  void RemoveFromEnd(TvxQueryBase* Item);
  // Flattens the group into its parent in place (its items keep their order, the first one
  // takes the group's union operator) and frees it. The root sub-query has no brackets to
  // remove (EvxException).
  void RemoveBrackets();
  void RemoveBracketsEvent(QObject* Sender) { RemoveBrackets(); }
  // The brackets' menu: "Remove Brackets".
  QMenu* GetPopupMenu() override;

  // Takes over a TSQLSubQueryExpressions: each SELECT becomes an operand, each nested chain a
  // group; the node keeps only its own fields.
  void LoadFromAST(std::unique_ptr<TSQLSubQueryExpression> Node) override;
  std::unique_ptr<TSQLSubQueryExpression> GetASTExpression() const override;
  void GetDatasourcesBottomUp(TSQLFromSourceList& List) const override;

  // The bracket and operator controls (once the navigation bar exists).
  QWidget* GetLeftBracket() const { return GetControls(0); }
  QWidget* GetRightBracket() const { return GetControls(1); }
  QWidget* GetUnionOperator() const override { return GetControls(2); }

protected:
  int GetControlsCount() const override { return 3; }
  QWidget* CreateControlInternal(int Index) override;

private:
  // Raises when the dialect forbids a further operand (Group false) or a bracket (Group true).
  void CheckCapabilities(bool Group) const;
  // Takes Item into this group at Index (it leaves its own group first).
  void TakeItem(TvxQueryBase* Item, int Index);
  // The item's index in this group, or EvxException naming Operation.
  int IndexOfMember(const TvxQueryBase* Item, const char* Operation) const;

  // Items join and leave the list themselves (SetParentQuery, their destructors).
  friend class TvxQueryBase;
  std::vector<TvxQueryBase*> FItems;
};
