// The FROM clause: join kinds and the sources a query reads from (tables and views, derived
// tables, table functions, variables) with the join chains that group them.
#pragma once

#include "vxASTBase.h"
#include "vxASTExpressions.h"
#include "vxASTFunctions.h"
#include "vxASTNames.h"

#include <memory>
#include <string>

class TSQLSubSelectStatement;

// --- join kinds --------------------------------------------------------------------------------

// How a source joins the sources before it. Join kinds never change once built, so sources
// share them (std::shared_ptr) instead of owning them; a join kind is no child of its source.
class TSQLJoinKind : public TastNode {
  VX_CLASS(TSQLJoinKind)
public:
  explicit TSQLJoinKind(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}
  virtual bool IsLeftOuter() const { return false; }
  virtual bool IsRightOuter() const { return false; }

protected:
  // Writes " <Word> [OUTER] JOIN".
  static void BuildJoinWords(TSQLBuilder& Builder, std::string_view Word, bool OuterWord);
};

// Shares a new join kind. The count that std::shared_ptr keeps beside it comes from the node
// pool like the node, instead of a heap block of its own for every join of a statement.
template <class T>
std::shared_ptr<TSQLJoinKind> ShareJoinKind(std::unique_ptr<T> JoinKind) {
  return std::shared_ptr<TSQLJoinKind>(JoinKind.release(), std::default_delete<T>(), TvxNodePoolAllocator<T>());
}

class TSQLJoinKindCross : public TSQLJoinKind {
  VX_CLASS(TSQLJoinKindCross)
public:
  using TSQLJoinKind::TSQLJoinKind;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

class TSQLJoinKindInner : public TSQLJoinKind {
  VX_CLASS(TSQLJoinKindInner)
public:
  using TSQLJoinKind::TSQLJoinKind;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

// Base of the outer joins; writes nothing by itself (its subclasses name the side).
class TSQLJoinKindOuter : public TSQLJoinKind {
  VX_CLASS(TSQLJoinKindOuter)
public:
  explicit TSQLJoinKindOuter(TastSyntaxProvider* SyntaxProvider, bool OuterWord = false)
      : TSQLJoinKind(SyntaxProvider), FOuterWord(OuterWord) {}

  // Whether the optional word OUTER is written; false by default.
  bool GetOuterWord() const { return FOuterWord; }
  void SetOuterWord(bool OuterWord) { FOuterWord = OuterWord; }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

protected:
  // "LEFT", "RIGHT" or "FULL"; empty for the base.
  virtual std::string_view GetSideWord() const { return {}; }

private:
  bool FOuterWord;
};

class TSQLJoinKindLeft : public TSQLJoinKindOuter {
  VX_CLASS(TSQLJoinKindLeft)
public:
  using TSQLJoinKindOuter::TSQLJoinKindOuter;
  bool IsLeftOuter() const override { return true; }

protected:
  std::string_view GetSideWord() const override { return "LEFT"; }
};

class TSQLJoinKindRight : public TSQLJoinKindOuter {
  VX_CLASS(TSQLJoinKindRight)
public:
  using TSQLJoinKindOuter::TSQLJoinKindOuter;
  bool IsRightOuter() const override { return true; }

protected:
  std::string_view GetSideWord() const override { return "RIGHT"; }
};

class TSQLJoinKindFull : public TSQLJoinKindOuter {
  VX_CLASS(TSQLJoinKindFull)
public:
  using TSQLJoinKindOuter::TSQLJoinKindOuter;
  bool IsLeftOuter() const override { return true; }
  bool IsRightOuter() const override { return true; }

protected:
  std::string_view GetSideWord() const override { return "FULL"; }
};

// --- sources -----------------------------------------------------------------------------------

// Something a query reads rows from. Writes its expression, then " alias" when it has one.
// Column references bind to sources (links, never owned), so a source must outlive the trees
// that were bound to it or be dropped from them with RemoveReferencesToFromSource.
class TSQLFromSource : public TastNode {
  VX_CLASS(TSQLFromSource)
public:
  explicit TSQLFromSource(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}

  // Column names of the source, as the metadata provider reported them (RefreshFieldsList).
  const TvxStringList& GetFieldsList() const;
  void SetFieldsList(TvxStringList FieldsList) { EditFieldsList() = std::move(FieldsList); }

  // How the source joins the sources before it in its chain; null for a comma (or the first
  // source). Shared: copies of the source refer to the same join kind.
  const std::shared_ptr<TSQLJoinKind>& GetJoinKind() const { return FJoinKind; }
  void SetJoinKind(std::shared_ptr<TSQLJoinKind> JoinKind) { FJoinKind = std::move(JoinKind); }

  // The ON condition (owned); may be null.
  TSQLExpressionItem* GetJoinCondition() const { return FJoinCondition.get(); }
  void SetJoinCondition(std::unique_ptr<TSQLExpressionItem> JoinCondition) {
    FJoinCondition = std::move(JoinCondition);
  }
  std::unique_ptr<TSQLExpressionItem> ExtractJoinCondition() { return std::move(FJoinCondition); }

  // The correlation name (owned); may be null.
  TSQLAlias* GetAlias() const { return FAlias.get(); }
  void SetAlias(std::unique_ptr<TSQLAlias> Alias) { FAlias = std::move(Alias); }
  std::unique_ptr<TSQLAlias> ExtractAlias() { return std::move(FAlias); }

  // Reloads the field list: asks MetadataProvider for the columns of "select * from " and
  // this source. Metadata errors propagate. A null provider leaves the list empty.
  virtual void RefreshFieldsList(TastFieldsProvider* MetadataProvider);
  // The source without its alias.
  virtual void BuildExpression(TSQLBuilder& Builder, bool MultiLine) const = 0;

  // One-line text of BuildExpression (the object or derived table without its alias).
  std::string GetSimpleExpression() const;
  // The join kind when set, else ", ".
  void BuildJoinOperator(TSQLBuilder& Builder, bool MultiLine) const;
  // " alias" when the source has an alias.
  virtual void BuildAlias(TSQLBuilder& Builder, bool MultiLine) const;

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
  // Children first, then this source's own field list.
  void RefreshFieldsListRecursive(TastFieldsProvider* MetadataProvider) override;

protected:
  // The field list to fill, created on first use: the sources of a parsed statement have none
  // until the model asks the metadata provider.
  TvxStringList& EditFieldsList();

private:
  std::unique_ptr<TvxStringList> FFieldsList;
  std::shared_ptr<TSQLJoinKind> FJoinKind;
  std::unique_ptr<TSQLExpressionItem> FJoinCondition;
  std::unique_ptr<TSQLAlias> FAlias;
};

// A table or view.
class TSQLFromObject : public TSQLFromSource {
  VX_CLASS(TSQLFromObject)
public:
  explicit TSQLFromObject(TastSyntaxProvider* SyntaxProvider) : TSQLFromSource(SyntaxProvider) {}

  // The table's name (owned); may be null only while the node is being built.
  TSQLDatabaseObject* GetObject() const { return FObject.get(); }
  void SetObject(std::unique_ptr<TSQLDatabaseObject> Object) { FObject = std::move(Object); }
  std::unique_ptr<TSQLDatabaseObject> ExtractObject() { return std::move(FObject); }

  // The name exactly as written (never through a binding of the name itself).
  void BuildExpression(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLDatabaseObject> FObject;
};

// A derived table: "(SELECT ...) alias [(c1, c2, ...)]".
class TSQLFromQuery : public TSQLFromSource {
  VX_CLASS(TSQLFromQuery)
public:
  explicit TSQLFromQuery(TastSyntaxProvider* SyntaxProvider);
  ~TSQLFromQuery() override;

  // The derived column list after the alias; empty when the statement names no columns.
  const TvxStringList& GetColumnNames() const { return FColumnNames; }
  void SetColumnNames(TvxStringList ColumnNames) { FColumnNames = std::move(ColumnNames); }
  void AddColumnName(std::string Name) { FColumnNames.Add(std::move(Name)); }

  // The derived table's query (owned); may be null. After MoveSubQueryInProxy it is a proxy.
  TSQLSubSelectStatement* GetSubSelect() const { return FSubSelect.get(); }
  void SetSubSelect(std::unique_ptr<TSQLSubSelectStatement> SubSelect);
  std::unique_ptr<TSQLSubSelectStatement> ExtractSubSelect();

  // True when the query has something to ask the metadata provider about: every operand has
  // a FROM clause with a source and at least one select item.
  bool IsSubSelectUsable() const;

  // Never raises: a derived table that cannot be described yet (being edited, no FROM
  // source, a query the server rejects) keeps the fields found so far, usually none.
  void RefreshFieldsList(TastFieldsProvider* MetadataProvider) override;
  // Always one line, also inside multi-line text.
  void BuildExpression(TSQLBuilder& Builder, bool MultiLine) const override;
  // " alias", then " (c1, c2)" when column names are set.
  void BuildAlias(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
  void MoveSubQueryInProxyInternal(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass) override;

private:
  TvxStringList FColumnNames;
  std::unique_ptr<TSQLSubSelectStatement> FSubSelect;
};

// A table function call.
class TSQLFromFunction : public TSQLFromSource {
  VX_CLASS(TSQLFromFunction)
public:
  explicit TSQLFromFunction(TastSyntaxProvider* SyntaxProvider) : TSQLFromSource(SyntaxProvider) {}

  // The call (owned); may be null only while the node is being built.
  TSQLFunction* GetFunction() const { return FFunction.get(); }
  void SetFunction(std::unique_ptr<TSQLFunction> Function) { FFunction = std::move(Function); }
  std::unique_ptr<TSQLFunction> ExtractFunction() { return std::move(FFunction); }

  void BuildExpression(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLFunction> FFunction;
};

// A table function of the dialect itself.
class TSQLFromBuiltInFunction : public TSQLFromFunction {
  VX_CLASS(TSQLFromBuiltInFunction)
public:
  using TSQLFromFunction::TSQLFromFunction;
};

// A table variable, written by name.
class TSQLFromVariable : public TSQLFromSource {
  VX_CLASS(TSQLFromVariable)
public:
  explicit TSQLFromVariable(TastSyntaxProvider* SyntaxProvider, std::string Name = {})
      : TSQLFromSource(SyntaxProvider), FName(std::move(Name)) {}

  const std::string& GetName() const { return FName; }
  void SetName(std::string Name) { FName = std::move(Name); }

  void BuildExpression(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::string FName;
};

// A chain of sources joined by commas or join kinds; nested inside another chain it is a
// bracketed group. Owns its sources.
class TSQLFromItem : public TSQLFromSource {
  VX_CLASS(TSQLFromItem)
public:
  explicit TSQLFromItem(TastSyntaxProvider* SyntaxProvider) : TSQLFromSource(SyntaxProvider) {}

  int Add(std::unique_ptr<TSQLFromSource> Source);  // takes ownership, returns the index
  void Insert(int Index, std::unique_ptr<TSQLFromSource> Source);
  void Delete(int Index);                                                 // frees the source
  std::unique_ptr<TSQLFromSource> Extract(const TSQLFromSource* Source);  // null when absent
  std::unique_ptr<TSQLFromSource> Extract(int Index);
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TSQLFromSource* GetItem(int Index) const;  // EvxListError when out of range
  int IndexOf(const TSQLFromSource* Source) const;

  // Appends the sources of the chain in FROM order, looking into nested groups; the groups
  // themselves are not appended.
  void GetLeafSources(TSQLFromSourceList& List) const;
  // True when the chain holds at least one source other than an empty group.
  bool HasLeafSource() const;

  // Each joined source on a new line after one space in multi-line text; nested groups in
  // brackets; " ON condition" after each source that has one.
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void BuildExpression(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
  // A chain has no columns of its own: only its sources are refreshed.
  void RefreshFieldsListRecursive(TastFieldsProvider* MetadataProvider) override;

private:
  void CheckIndex(int Index) const;
  TastOwnedList<TSQLFromSource> FItems;
};

// The whole FROM clause of a SELECT.
class TSQLFromClause : public TSQLFromItem {
  VX_CLASS(TSQLFromClause)
public:
  using TSQLFromItem::TSQLFromItem;
};

// Appends sources to the list of sources in scope for the time of a binding walk and takes
// them off again when it goes out of scope, also when the walk raises.
class TSQLFromSourcesScope {
public:
  explicit TSQLFromSourcesScope(TSQLFromSourceList& FromSources)
      : FFromSources(FromSources), FSize(FromSources.size()) {}
  ~TSQLFromSourcesScope() { FFromSources.resize(FSize); }
  TSQLFromSourcesScope(const TSQLFromSourcesScope&) = delete;
  TSQLFromSourcesScope& operator=(const TSQLFromSourcesScope&) = delete;

  // Appends the leaf sources of From (nothing when From is null).
  void AddLeafSources(const TSQLFromItem* From) {
    if (From != nullptr) From->GetLeafSources(FFromSources);
  }

private:
  TSQLFromSourceList& FFromSources;
  size_t FSize;
};
