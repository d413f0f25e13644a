// The FROM clause of one union operand as a tree of datasources: single datasources (a table or
// view, a table function, a derived table) and datasource groups (a bracketed join, or the FROM
// clause itself). Item order inside a group is FROM order; the join conditions of an item are
// the links (TvxLink) it owns, and its ON condition is written as the AND of their expressions.
//
// Ownership: every item is a QObject owned by its group (the FROM clause by its operand); the
// group's item list only orders them. Each item owns its syntax node, which other parts of the
// model bind column references to; the node keeps a back link (SetModelObject) to its item.
// Join kinds are shared (std::shared_ptr) between the node and the trees built from it.
#pragma once

#include "vxASTFrom.h"
#include "vxASTLogical.h"
#include "vxQBControlOwner.h"

#include <QPoint>
#include <QRect>

#include <memory>
#include <string>
#include <vector>

class TvxDatasource;
class TvxDatasourceBase;
class TvxDatasourceView;
class TvxDatasourceGroup;
class TvxDataSourceObject;
class TvxLink;
class TvxSelectList;
class TvxSubQuery;

using TvxDatasourceList = std::vector<TvxDatasourceBase*>;
using TvxDataSourceObjectList = std::vector<TvxDataSourceObject*>;

class TvxQueryBuilder;

namespace vx {
// Re-points every link below Root (Root included) that refers to a key of Copies to its value:
// a tree built from parts copied one by one then refers to its own FROM sources.
void ReplaceLinksInTree(TastExtender& Root, const TastNodeMap& Copies);
// RefreshMetadata of the FROM clause of every union operand of every sub-query: what a host
// calls after pointing the metadata provider at another database. Raises, after all of them
// were refreshed, the first failure.
void RefreshAllDatasources(TvxQueryBuilder& QueryBuilder);
// The datasource the column reference Operand is bound to, and in Field the column's name as the
// database spells it; null (Field untouched) for anything but a bound column reference.
TvxDatasource* LinkedDatasource(const TSQLExpressionItem* Operand, std::string& Field);
}  // namespace vx

class TvxDatasourceBase : public TvxQueryBuilderControlOwner {
  Q_OBJECT

public:
  // Owner is the parent group, to whose items the new item is appended, or (for the FROM
  // clause) the union operand.
  explicit TvxDatasourceBase(QObject* Owner);
  ~TvxDatasourceBase() override;

  // The group the item stands in; null for the FROM clause and for an item taken out.
  TvxDatasourceGroup* GetParentGroup() const { return FParentGroup; }
  // The union operand whose FROM clause holds the item.
  TvxUnionSubQuery* GetOwningOperand() const { return GetUnionSubQuery(); }
  // The item's syntax node (owned); null before loading and for a FROM clause the statement
  // did not have.
  TSQLFromSource* GetNode() const { return FNode.get(); }

  // Takes Node over (it must not be null): its join kind stays in it as the item's join kind,
  // its ON condition waits in the item until LoadJoins turns it into links.
  virtual void LoadFromAST(std::unique_ptr<TSQLFromSource> Node);
  // Turns the waiting ON condition into links. Group is the group the item stands in, Prev the
  // item before it. Raises "Can't bind join expression (prev=nil)" for an ON condition of a
  // first item.
  virtual void LoadJoins(TvxDatasourceGroup* Group, TvxDatasourceBase* Prev);
  // A fresh FROM source of the item, owned by the caller: a copy of the node sharing its join
  // kind, with the AND of the links' expressions as its ON condition. Null without a node.
  // Copies, when given, receives each node of the model paired with its copy.
  virtual std::unique_ptr<TSQLFromSource> GetASTFromSource(TastNodeMap* Copies = nullptr) const;
  std::unique_ptr<TastNode> GetASTTree() const override { return GetASTFromSource(); }
  void GetASTChildren(TastChildren& List) const override;

  // How the item joins the items before it; null for a comma (and for the first item).
  TSQLJoinKind* GetJoinKind() const;
  const std::shared_ptr<TSQLJoinKind>& GetJoinKindShared() const;
  // Stores JoinKind in the node (nothing without a node), repaints the links, notifies.
  void SetJoinKind(std::shared_ptr<TSQLJoinKind> JoinKind);

  // The links whose expressions form this item's ON condition, in creation order.
  TvxLink* GetJoins(int Index) const;  // EvxListError when out of range
  int GetJoinsCount() const { return static_cast<int>(FJoins.size()); }
  // Makes a link owned by this item; the link takes ownership of Expression.
  TvxLink* CreateDatasourceLink(TvxDatasourceBase* LeftDatasource, const std::string& LeftField,
                                TvxDatasourceBase* RightDatasource, const std::string& RightField,
                                std::unique_ptr<TSQLExpressionItem> Expression);
  // The first of this item's links from (Left, LeftField) to (Right, RightField), field names
  // compared ignoring case; a group also searches its items. Null when there is none.
  virtual TvxLink* FindLink(const TvxDatasourceBase* LeftDatasource, const std::string& LeftField,
                            const TvxDatasourceBase* RightDatasource, const std::string& RightField) const;
  // True when Datasource is this item or (Recursive) lies anywhere below it.
  virtual bool ContainsDatasource(const TvxDatasourceBase* Datasource, bool Recursive) const;
  // Appends the item when it is of Class (or, with Inherited, derives from it).
  virtual void GetItemsByType(TvxDatasourceList& List, const QMetaObject& Class, bool Inherited);
  void RepaintLinks();
  // Refreshes the check marks of the boxes from the select list.
  virtual void UpdateChecks() {}
  // Every box at or below this item re-reads its fields from the component's metadata provider
  // (a derived table the columns of its SELECT). Without a provider the old fields stay; so do
  // those of a source the provider cannot describe, whose failure is raised once the other
  // items are refreshed.
  virtual void RefreshMetadata() {}
  // Inserts the FROM sources of the item at the front of List, keeping FROM order.
  virtual void GetDatasourcesBottomUp(TSQLFromSourceList& List) const {}

protected:
  // Drops the links that end at Datasource (or whose expression is only about it; others
  // forget their references to it); a group also forgets it as an item.
  bool NotifyDatasourceDestroyingInternal(TvxDatasource* Datasource) override;
  void SetNode(std::unique_ptr<TSQLFromSource> Node);
  // Frees the links that end at End or whose expression names Node (when given); an item left
  // without links joins by a comma from then on. True when any link went.
  bool DropLinks(const TvxDatasourceBase* End, const TSQLFromSource* Node);
  // The dialect object for new nodes: that of the operand's node, else the component's.
  TastSyntaxProvider* GetDialect() const;

private:
  friend class TvxLink;
  friend class TvxDatasourceGroup;
  // Splits the waiting condition; what is left of it is returned (null when all became links).
  std::unique_ptr<TSQLExpressionItem> SplitJoinCondition(std::unique_ptr<TSQLExpressionItem> Condition,
                                                         TvxDatasourceGroup* Group, TvxDatasourceBase* Prev);
  bool SplitAndList(TSQLExpressionAnd& List, TvxDatasourceGroup* Group, TvxDatasourceBase* Prev);
  bool TakeCandidate(std::unique_ptr<TSQLExpressionItem>& Candidate, TvxDatasourceGroup* Group,
                     TvxDatasourceBase* Prev);
  bool LiesBefore(const TvxDatasourceBase* Datasource, TvxDatasourceGroup* Group, TvxDatasourceBase* Prev) const;

  TvxDatasourceGroup* FParentGroup = nullptr;
  std::vector<TvxLink*> FJoins;  // not owning: each link is a QObject child of this item
  std::unique_ptr<TSQLExpressionItem> FPendingOnCondition;
  std::unique_ptr<TSQLFromSource> FNode;
};

class TvxDatasourceGroup : public TvxDatasourceBase {
  Q_OBJECT

public:
  explicit TvxDatasourceGroup(QObject* Owner);
  // While the operand lives, the items go first, one by one, so that each can tell the rest of
  // the model that it goes.
  ~TvxDatasourceGroup() override;

  // The group's node as a join chain (emptied of its sources after loading).
  TSQLFromItem* GetItemNode() const { return static_cast<TSQLFromItem*>(GetNode()); }

  // Appends Item (which becomes a member of this group); Delete and Remove only take an item
  // out of the list.
  void Add(TvxDatasourceBase* Item);
  void Delete(int Index);  // EvxListError when out of range
  void Remove(TvxDatasourceBase* Item);
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TvxDatasourceBase* GetItems(int Index) const;  // EvxListError when out of range
  int IndexOf(const TvxDatasourceBase* Item) const;
  // True when Datasource lies (at any depth) in one of the items before Item; false when Item is
  // the first item or not in this group.
  bool ContainsDatasourceBefore(const TvxDatasourceBase* Datasource, const TvxDatasourceBase* Item) const;
  // Appends every table datasource at any depth whose table is Name for the dialect.
  void FindTablesByDBName(const TSQLDatabaseObject& Name, TvxDataSourceObjectList& List) const;

  // Each source of Node becomes an item of the group, in order: a nested chain a group, a
  // derived table a TvxDataSourceQuery, a table, view or table function a TvxDataSourceObject.
  void LoadFromAST(std::unique_ptr<TSQLFromSource> Node) override;
  void LoadJoins(TvxDatasourceGroup* Group, TvxDatasourceBase* Prev) override;
  std::unique_ptr<TSQLFromSource> GetASTFromSource(TastNodeMap* Copies = nullptr) const override;
  TvxLink* FindLink(const TvxDatasourceBase* LeftDatasource, const std::string& LeftField,
                    const TvxDatasourceBase* RightDatasource, const std::string& RightField) const override;
  bool ContainsDatasource(const TvxDatasourceBase* Datasource, bool Recursive) const override;
  void GetItemsByType(TvxDatasourceList& List, const QMetaObject& Class, bool Inherited) override;
  void UpdateChecks() override;
  void RefreshMetadata() override;
  void GetDatasourcesBottomUp(TSQLFromSourceList& List) const override;

protected:
  bool NotifyDatasourceDestroyingInternal(TvxDatasource* Datasource) override;
  // Called when an edit removed the last item; true when the group must go with it.
  virtual bool ItemsEmptied();
  // Frees the links anywhere in the group (its own and its items') that end at End.
  void DropLinksToRecursive(const TvxDatasourceBase* End);

private:
  // Keeps the conditions of an item that came first, where its ON condition cannot be written.
  void MoveConditionsOfFirstItem();
  std::vector<TvxDatasourceBase*> FItems;
};

// The operand's whole FROM clause. It has no node while the statement has no FROM: an operand
// loaded without one writes none, and one made empty gets its node with its first datasource.
// A parsed FROM without sources keeps its node (and is written back so).
class TvxFromClause : public TvxDatasourceGroup {
  Q_OBJECT

public:
  // Owner is the union operand.
  explicit TvxFromClause(QObject* Owner);
  ~TvxFromClause() override;

  TSQLFromClause* GetClauseNode() const { return static_cast<TSQLFromClause*>(GetNode()); }
  // Takes FromClause over (null: the statement has no FROM) and resolves the joins. Items
  // loaded before are freed first.
  void LoadFromClause(std::unique_ptr<TSQLFromClause> FromClause);
  // A fresh FROM clause, owned by the caller; null when the statement has no FROM. Copies as
  // for GetASTFromSource.
  std::unique_ptr<TSQLFromClause> GetASTFromClause(TastNodeMap* Copies = nullptr) const;
  // Gives the clause its node when it has none, so that a first datasource can be written.
  void EnsureNode();
  // Frees every item (each announcing that it goes) and forgets the node.
  void Clear();

  void LoadFromAST(std::unique_ptr<TSQLFromSource> Node) override;

protected:
  // The FROM keyword has nothing left to introduce once the user removed every datasource; the
  // clause itself stays.
  bool ItemsEmptied() override;
};

// A single datasource: one box in the diagram.
class TvxDatasource : public TvxDatasourceBase {
  Q_OBJECT

public:
  explicit TvxDatasource(QObject* Owner);
  // Outside the destruction of the whole operand, tells the operand first (once), so that links,
  // rows and conditions that depend on this datasource go or forget it.
  ~TvxDatasource() override;

  // Also turns the nested SELECTs of the node into sub-queries.
  void LoadFromAST(std::unique_ptr<TSQLFromSource> Node) override;
  void GetDatasourcesBottomUp(TSQLFromSourceList& List) const override;

  // The correlation name as the user reads and types it (a delimited alias without its
  // delimiters); empty without one.
  std::string GetAlias() const;
  // An empty Alias removes the alias; another is quoted as it needs. Raises "Can't assign alias
  // if astFromSource=nil!" without a node.
  void SetAlias(const std::string& Alias);
  // The box caption: the alias, or what names the source without one.
  virtual std::string GetCaption() const;
  // The caption as the box shows it: a table named without an alias shows each part of its
  // name as the catalog calls it (an alias already reads so).
  std::string GetDisplayCaption() const;
  // The table's name with each part as the catalog calls it, parts joined by dots; empty for a
  // source that is no table or view (a table function, a derived table).
  std::string GetCatalogName() const;

  // The entries of the box's field list: "*" and then the node's fields.
  void GetFieldsList(TvxStringList& List) const;
  // Whether the box shows Field as checked: the output flag of the first select-list row that
  // selects this column; for an empty Field (the "*" entry), whether some row selects all
  // columns of this datasource.
  bool IsFieldChecked(const std::string& Field) const;
  // Ticking Field in the box (empty Field: all columns): the field's row is output, made in the
  // trailing empty row or appended when there is none; unticking removes the field's rows.
  void CheckField(const std::string& Field, bool Checked);
  void UpdateChecks() override;
  void RefreshMetadata() override;

  // Box geometry in diagram pixels (unzoomed, whatever the component's Zoom), kept in step with
  // the box while it exists.
  int GetLeft() const;
  void SetLeft(int Value);
  int GetTop() const;
  void SetTop(int Value);
  int GetWidth() const;
  void SetWidth(int Value);
  int GetHeight() const;
  void SetHeidht(int Value);
  // Moves and sizes the box as a move by the user would (snapped to the grid, kept within the
  // diagram); without a box the bounds are kept for the box made later. Diagram pixels
  // (unzoomed).
  void SetBoxBounds(const QRect& Bounds);
  // The user moved or sized the box (the drag ended): the component hears of the new layout,
  // which its undo history records as a step. Moves made by the model itself (placing a new
  // box, restoring a layout) do not announce themselves.
  void NotifyLayoutChanged();
  // The rectangle of FieldName's entry in the box, in the pixels of the work area's canvas
  // (zoomed), as the box gives it (TvxDatasourceView::CalcFieldRect); empty without a box.
  QRect CalcFieldRect(const std::string& FieldName, bool WithFrame) const;
  QWidget* GetDSControl() const { return GetControls(0); }
  // Tells the owning operand that this datasource goes; only the first call counts. The
  // destructor calls it; a caller that announces the datasource earlier (a closing box) takes it
  // out of the FROM clause (it is left owned by the operand) and must free it next.
  void SendDestroyNotification();
  // The box's menu: "Remove" (frees the datasource) and "Edit..." (its properties, the default
  // item).
  QMenu* GetPopupMenu() override;

protected:
  int GetControlsCount() const override { return 1; }
  QWidget* CreateControlInternal(int Index) override;
  void SaveControlParams(int Index) override;
  void RestoreControlParams(int Index) override;
  // Reloads the node's field list from the component's metadata provider; the box lists it.
  void RefreshNodeFields();
  // The box as the model may ask it; null without one.
  TvxDatasourceView* GetBoxView() const;

private:
  bool ShouldAnnounceDestruction() const;
  TvxSelectList* GetSelectList() const;
  // The box's bounds in diagram pixels: its view's, or a plain widget's geometry.
  QRect GetBoxBounds() const;

  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  bool FDestroyNotificationSent = false;
};

// A table or view, or any other source read by name or call (a table function): a box of its
// columns.
class TvxDataSourceObject : public TvxDatasource {
  Q_OBJECT

public:
  explicit TvxDataSourceObject(QObject* Owner);
  ~TvxDataSourceObject() override;

  // The table's name; null when the source is not a table or view.
  TSQLDatabaseObject* GetObjectName() const;
  // The alias; without one, the table's name, or the call as written for a table function.
  std::string GetCaption() const override;
};

// A derived table: "(SELECT ...) alias". Its SELECT is edited as a sub-query of its own.
class TvxDataSourceQuery : public TvxDatasource {
  Q_OBJECT

public:
  explicit TvxDataSourceQuery(QObject* Owner);
  ~TvxDataSourceQuery() override;

  // The node's SELECT becomes the sub-query (the node keeps its proxy).
  void LoadFromAST(std::unique_ptr<TSQLFromSource> Node) override;
  TSQLFromQuery* GetQueryNode() const { return static_cast<TSQLFromQuery*>(GetNode()); }
  // The sub-query that edits the derived table's SELECT; null before loading.
  TvxSubQuery* GetSubQuery() const;
  std::string GetCaption() const override;
  bool GetIsLoading() const { return FLoading; }

  // Also re-reads the derived table's columns, which follow its SELECT.
  void DoSQLUpdated() override;

private:
  bool FLoading = false;
};
