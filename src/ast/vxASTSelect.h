// The skeleton of a query: select items and modes, GROUP BY and ORDER BY, one SELECT with its
// clauses, chains of SELECT operands joined by union operators, the sub-select and root
// statements, and the proxy through which the query model takes over a sub-query.
#pragma once

#include "vxASTBase.h"
#include "vxASTExpressions.h"
#include "vxASTFrom.h"
#include "vxASTNames.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// --- select items ------------------------------------------------------------------------------

// Base of the entries of a select list; writes nothing.
class TSQLSelectItem : public TastNode {
  VX_CLASS(TSQLSelectItem)
public:
  explicit TSQLSelectItem(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}
};

// "*".
class TSQLSelectItemAllColumns : public TSQLSelectItem {
  VX_CLASS(TSQLSelectItemAllColumns)
public:
  using TSQLSelectItem::TSQLSelectItem;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

// "table.*"; the table reference binds like any other, so it follows alias renames.
class TSQLSelectItemAllTableColumns : public TSQLSelectItem {
  VX_CLASS(TSQLSelectItemAllTableColumns)
public:
  using TSQLSelectItem::TSQLSelectItem;

  // The table (owned); may be null.
  TSQLDatabaseObject* GetObject() const { return FObject.get(); }
  void SetObject(std::unique_ptr<TSQLDatabaseObject> Object) { FObject = std::move(Object); }
  std::unique_ptr<TSQLDatabaseObject> ExtractObject() { return std::move(FObject); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLDatabaseObject> FObject;
};

// An expression with an optional alias: "alias=expression" for TSQLAliasAliasEqualsObject,
// "expression alias" / "expression AS alias" for the object-alias forms.
class TSQLSelectItemExpression : public TSQLSelectItem {
  VX_CLASS(TSQLSelectItemExpression)
public:
  using TSQLSelectItem::TSQLSelectItem;

  // The alias (owned); may be null.
  TSQLAlias* GetAlias() const { return FAlias.get(); }
  void SetAlias(std::unique_ptr<TSQLAlias> Alias) { FAlias = std::move(Alias); }
  std::unique_ptr<TSQLAlias> ExtractAlias() { return std::move(FAlias); }
  // The expression (owned); may be null only while the node is being built.
  TSQLExpressionItem* GetExpression() const { return FExpression.get(); }
  void SetExpression(std::unique_ptr<TSQLExpressionItem> Expression) { FExpression = std::move(Expression); }
  std::unique_ptr<TSQLExpressionItem> ExtractExpression() { return std::move(FExpression); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLAlias> FAlias;
  std::unique_ptr<TSQLExpressionItem> FExpression;
};

// The select list, items separated by ", ".
class TSQLSelectItems : public TastNodeWithList {
  VX_CLASS(TSQLSelectItems)
public:
  using TastNodeWithList::TastNodeWithList;
  // Item Index, null when the entry is not a select item; EvxListError when out of range.
  TSQLSelectItem* GetItem(int Index) const { return dynamic_cast<TSQLSelectItem*>(TastNodeWithList::GetItem(Index)); }
};

// --- select modes ------------------------------------------------------------------------------

// Base of the set quantifier after SELECT; writes nothing.
class TSQLSubQuerySelectMode : public TastNode {
  VX_CLASS(TSQLSubQuerySelectMode)
public:
  explicit TSQLSubQuerySelectMode(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}
};

// No quantifier written (the SELECT still writes the space before it).
class TSQLSubQuerySelectModeDefault : public TSQLSubQuerySelectMode {
  VX_CLASS(TSQLSubQuerySelectModeDefault)
public:
  using TSQLSubQuerySelectMode::TSQLSubQuerySelectMode;
};

class TSQLSubQuerySelectModeAll : public TSQLSubQuerySelectMode {
  VX_CLASS(TSQLSubQuerySelectModeAll)
public:
  using TSQLSubQuerySelectMode::TSQLSubQuerySelectMode;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

class TSQLSubQuerySelectModeDistinct : public TSQLSubQuerySelectMode {
  VX_CLASS(TSQLSubQuerySelectModeDistinct)
public:
  using TSQLSubQuerySelectMode::TSQLSubQuerySelectMode;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

// --- grouping and ordering ---------------------------------------------------------------------

// The GROUP BY clause: writes its own line break (multi-line) and keywords, also when empty.
class TSQLGroupByList : public TSQLExpressionsList {
  VX_CLASS(TSQLGroupByList)
public:
  using TSQLExpressionsList::TSQLExpressionsList;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

enum class TSQLOrderByOrders : std::uint8_t { obAsc = 0, obDesc = 1 };

// One ORDER BY entry; ascending order writes no keyword.
class TSQLOrderByItem : public TastNode {
  VX_CLASS(TSQLOrderByItem)
public:
  explicit TSQLOrderByItem(TastSyntaxProvider* SyntaxProvider, TSQLOrderByOrders Order = TSQLOrderByOrders::obAsc)
      : TastNode(SyntaxProvider), FOrder(Order) {}

  // The sort expression (owned); may be null only while the node is being built.
  TSQLExpressionItem* GetExpression() const { return FExpression.get(); }
  void SetExpression(std::unique_ptr<TSQLExpressionItem> Expression) { FExpression = std::move(Expression); }
  std::unique_ptr<TSQLExpressionItem> ExtractExpression() { return std::move(FExpression); }
  TSQLOrderByOrders GetOrder() const { return FOrder; }
  void SetOrder(TSQLOrderByOrders Order) { FOrder = Order; }
  // The column when the key is a name of one part and nothing else (no brackets, no
  // qualifier): only such a key can name a result column by its alias. Null otherwise.
  TSQLObjectColumn* GetBareName() const;
  // True when the key is an unsigned integer, which SQL reads as the number of a result column.
  bool IsPosition() const;

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLExpressionItem> FExpression;
  TSQLOrderByOrders FOrder;
};

// The ORDER BY list (without the keywords, which its holder writes), items separated by ", ".
class TSQLOrderByClause : public TastNodeWithList {
  VX_CLASS(TSQLOrderByClause)
public:
  using TastNodeWithList::TastNodeWithList;
  // Item Index, null when the entry is not an order item; EvxListError when out of range.
  TSQLOrderByItem* GetItem(int Index) const { return dynamic_cast<TSQLOrderByItem*>(TastNodeWithList::GetItem(Index)); }
  // The clause as it follows a statement: a new line (or a space), "ORDER BY", then the items.
  void BuildClause(TSQLBuilder& Builder, bool MultiLine) const;
};

// --- operands and chains -----------------------------------------------------------------------

// One operand of a union chain. The operator fields describe how the operand joins the one
// before it; those of the first operand of a chain are not written.
class TSQLSubQueryExpression : public TastNode {
  VX_CLASS(TSQLSubQueryExpression)
public:
  explicit TSQLSubQueryExpression(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}

  // The operator word as written ("union" by default, or another set operator).
  const std::string& GetUnionOperator() const;
  void SetUnionOperator(std::string UnionOperator);
  bool GetUnionAll() const { return FUnionAll; }
  void SetUnionAll(bool UnionAll) { FUnionAll = UnionAll; }

  // "operator [ALL]".
  void BuildUnionOperator(TSQLBuilder& Builder, bool MultiLine) const;
  // One-line text of BuildUnionOperator, e.g. "union ALL".
  std::string GetSimpleUnionOperator() const;
  // True when the operand can be sent to a server as it stands: each SELECT in it has a FROM
  // clause with a source and at least one select item.
  virtual bool IsUsable() const { return false; }

  void Assign(const TastExtender& Source) override;

private:
  // The operator as written; null for the default, which most operands keep (the first of
  // every chain among them), so that they go without a string of their own.
  std::unique_ptr<std::string> FUnionOperator;
  bool FUnionAll = false;
};

// One SELECT with its clauses; every clause is owned and may be null.
class TSQLSubQuerySelectExpression : public TSQLSubQueryExpression {
  VX_CLASS(TSQLSubQuerySelectExpression)
public:
  using TSQLSubQueryExpression::TSQLSubQueryExpression;

  TSQLSubQuerySelectMode* GetSelectMode() const { return FSelectMode.get(); }
  void SetSelectMode(std::unique_ptr<TSQLSubQuerySelectMode> SelectMode) { FSelectMode = std::move(SelectMode); }
  std::unique_ptr<TSQLSubQuerySelectMode> ExtractSelectMode() { return std::move(FSelectMode); }

  TSQLSelectItems* GetSelectItems() const { return FSelectItems.get(); }
  void SetSelectItems(std::unique_ptr<TSQLSelectItems> SelectItems) { FSelectItems = std::move(SelectItems); }
  std::unique_ptr<TSQLSelectItems> ExtractSelectItems() { return std::move(FSelectItems); }

  TSQLFromClause* GetFrom() const { return FFrom.get(); }
  void SetFrom(std::unique_ptr<TSQLFromClause> From) { FFrom = std::move(From); }
  std::unique_ptr<TSQLFromClause> ExtractFrom() { return std::move(FFrom); }

  TSQLExpressionItem* GetWhere() const { return FWhere.get(); }
  void SetWhere(std::unique_ptr<TSQLExpressionItem> Where) { FWhere = std::move(Where); }
  std::unique_ptr<TSQLExpressionItem> ExtractWhere() { return std::move(FWhere); }

  TSQLGroupByList* GetGroupBy() const { return FGroupBy.get(); }
  void SetGroupBy(std::unique_ptr<TSQLGroupByList> GroupBy) { FGroupBy = std::move(GroupBy); }
  std::unique_ptr<TSQLGroupByList> ExtractGroupBy() { return std::move(FGroupBy); }

  TSQLExpressionItem* GetHaving() const { return FHaving.get(); }
  void SetHaving(std::unique_ptr<TSQLExpressionItem> Having) { FHaving = std::move(Having); }
  std::unique_ptr<TSQLExpressionItem> ExtractHaving() { return std::move(FHaving); }

  TSQLOrderByClause* GetOrderBy() const { return FOrderBy.get(); }
  void SetOrderBy(std::unique_ptr<TSQLOrderByClause> OrderBy) { FOrderBy = std::move(OrderBy); }
  std::unique_ptr<TSQLOrderByClause> ExtractOrderBy() { return std::move(FOrderBy); }

  bool IsUsable() const override;
  // True when an item of the select list carries the alias Name (letter case ignored).
  bool HasOutputAlias(std::string_view Name) const;

  // Each clause after the select list starts a new line in multi-line text.
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  // The select mode has no children and is not listed.
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
  // Binds the clauses with this SELECT's sources appended to the sources in scope, so inner
  // names see the outer query's sources and their own, their own taking precedence.
  void FixupObjects(TSQLFromSourceList& FromSources) override;

private:
  std::unique_ptr<TSQLSubQuerySelectMode> FSelectMode;
  std::unique_ptr<TSQLSelectItems> FSelectItems;
  std::unique_ptr<TSQLFromClause> FFrom;
  std::unique_ptr<TSQLExpressionItem> FWhere;
  std::unique_ptr<TSQLGroupByList> FGroupBy;
  std::unique_ptr<TSQLExpressionItem> FHaving;
  std::unique_ptr<TSQLOrderByClause> FOrderBy;
};

// A chain of operands joined by their union operators; nested in another chain it is a
// bracketed group. Owns its operands. The list operations are virtual so that the proxy can
// refuse them.
class TSQLSubQueryExpressions : public TSQLSubQueryExpression {
  VX_CLASS(TSQLSubQueryExpressions)
public:
  using TSQLSubQueryExpression::TSQLSubQueryExpression;

  virtual TSQLSubQueryExpression* GetItems(int Index) const;  // EvxListError when out of range
  virtual int GetCount() const;
  virtual int Add(std::unique_ptr<TSQLSubQueryExpression> Item);  // takes ownership, returns the index
  virtual void Remove(const TSQLSubQueryExpression* Node);        // frees the first occurrence
  virtual void Delete(int Index);                                 // frees the operand
  virtual std::unique_ptr<TSQLSubQueryExpression> Extract(const TSQLSubQueryExpression* Item);  // null when absent
  virtual std::unique_ptr<TSQLSubQueryExpression> Extract(int Index);
  virtual void Clear();
  TSQLSubQueryExpression* GetItem(int Index) const { return GetItems(Index); }

  // The first SELECT of the chain, looking into leading groups; null when there is none.
  TSQLSubQuerySelectExpression* GetFirstSelect() const;

  bool IsUsable() const override;

  // Operands separated by line breaks (multi-line) around their union operators; nested
  // groups in brackets.
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  // Appends copies of Source's operands.
  void Assign(const TastExtender& Source) override;

private:
  int IndexOf(const TSQLSubQueryExpression* Item) const;
  TastOwnedList<TSQLSubQueryExpression> FItems;
};

// A whole query: a chain and the ORDER BY that sorts its result. Used for sub-queries in
// expressions and derived tables, and as the base of the root statement.
class TSQLSubSelectStatement : public TSQLSubQueryExpressions {
  VX_CLASS(TSQLSubSelectStatement)
public:
  using TSQLSubQueryExpressions::TSQLSubQueryExpressions;

  // The ORDER BY of the whole chain (owned); may be null.
  TSQLOrderByClause* GetOrderBy() const { return FOrderBy.get(); }
  void SetOrderBy(std::unique_ptr<TSQLOrderByClause> OrderBy) { FOrderBy = std::move(OrderBy); }
  std::unique_ptr<TSQLOrderByClause> ExtractOrderBy() { return std::move(FOrderBy); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
  // The ORDER BY sorts this query's own result, so it binds with the sources of the first
  // SELECT added to those in scope; a key that is the bare name of an output alias of that
  // SELECT names the result column and stays unbound, whatever the sources hold.
  void FixupObjects(TSQLFromSourceList& FromSources) override;

private:
  std::unique_ptr<TSQLOrderByClause> FOrderBy;
};

// The root of a parsed statement.
class TSQLSelectStatement : public TSQLSubSelectStatement {
  VX_CLASS(TSQLSelectStatement)
public:
  using TSQLSubSelectStatement::TSQLSubSelectStatement;
};

// --- the sub-query proxy -----------------------------------------------------------------------

// Stands in the tree for a sub-query that the query model owns and edits. The model supplies
// the concrete class; its GetASTTree builds the sub-query's current tree, which is what the
// proxy writes and what Clone returns. The proxy has no children and refuses list operations.
class TSQLSubSelectStatementProxy : public TSQLSubSelectStatement {
  VX_CLASS(TSQLSubSelectStatementProxy)
public:
  // Takes ownership of SubSelect, the sub-select being replaced; Owner is a link.
  explicit TSQLSubSelectStatementProxy(TastSyntaxProvider* SyntaxProvider, TvxObject* Owner = nullptr,
                                       std::unique_ptr<TSQLSubSelectStatement> SubSelect = nullptr);
  ~TSQLSubSelectStatementProxy() override;

  // A fresh tree of the sub-query, owned by the caller.
  virtual std::unique_ptr<TSQLSubSelectStatement> GetASTTree() const = 0;

  TvxObject* GetOwner() const { return FOwner; }
  // The replaced sub-select, for the model to load from; may be null.
  TSQLSubSelectStatement* GetSubSelect() const { return FSubSelect.get(); }
  std::unique_ptr<TSQLSubSelectStatement> ExtractSubSelect() { return std::move(FSubSelect); }

  // Writes the tree of GetASTTree, so the text always reflects the model.
  void BuildSQL(TSQLBuilder& Builder, bool MultiLine) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  bool IsUsable() const override;

  // These raise "<operation> can't be called with TSQLSubSelectStatementProxy".
  void Assign(const TastExtender& Source) override;
  TSQLSubQueryExpression* GetItems(int Index) const override;
  int GetCount() const override;
  int Add(std::unique_ptr<TSQLSubQueryExpression> Item) override;
  void Remove(const TSQLSubQueryExpression* Node) override;
  void Delete(int Index) override;
  std::unique_ptr<TSQLSubQueryExpression> Extract(const TSQLSubQueryExpression* Item) override;
  std::unique_ptr<TSQLSubQueryExpression> Extract(int Index) override;
  void Clear() override;

protected:
  // A copy of a proxy is the model's tree: the copy is independent of the model.
  std::unique_ptr<TastNode> CloneInternal() const override;

private:
  TvxObject* FOwner;
  std::unique_ptr<TSQLSubSelectStatement> FSubSelect;
};
