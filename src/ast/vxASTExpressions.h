// Value expressions: the expression base with its criteria operations, constants, variables,
// column references, scalar sub-queries, casts, operators, brackets, field selection and the
// two kinds of expression lists. Functions, aggregates and CASE are in vxASTFunctions.h, the
// predicates and logical connectives in vxASTLogical.h.
#pragma once

#include "vxASTBase.h"
#include "vxASTNames.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class TSQLExpressionItem;

// Splits a condition into the expression it is about and the rest. Takes ownership of
// Condition and returns the condition to keep: usually Condition itself, but a condition that
// cannot be split (a bare boolean column, EXISTS, ...) comes back as the new node
// "Condition=True". Item is set to the expression along the leftmost path (a node inside the
// returned tree, not owned) or to null when there is none. RemoveLExpression(Item) then frees
// that node; clone Item first when it is needed afterwards.
std::unique_ptr<TSQLExpressionItem> FindExpressionItem(std::unique_ptr<TSQLExpressionItem> Condition,
                                                       TSQLExpressionItem*& Item);

class TSQLExpressionItem : public TastNode {
  VX_CLASS(TSQLExpressionItem)
public:
  explicit TSQLExpressionItem(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}

  // True when the expression refers to FromSource in the sense used to drop conditions and
  // grouping items with a removed source (each class combines its parts its own way).
  virtual bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const;
  // Frees the left operand of every operation along the condition whose operand writes the
  // same text as Expression, leaving the criterion part (">10", "IS NULL").
  virtual void RemoveLExpression(const TSQLExpressionItem* Expression);
  // Puts a copy of Expression into every operation along the condition that lacks its left
  // operand. Expression stays the caller's.
  virtual void RestoreLExpression(const TSQLExpressionItem* Expression);
  // True for predicates and logical connectives.
  virtual bool IsLogical() const;

  // The clone typed as an expression; the caller owns it.
  std::unique_ptr<TSQLExpressionItem> Clone() const;
  // Writes exactly what BuildSQL writes (the WHERE and HAVING clauses use it).
  void BuildSQLCosmetic(TSQLBuilder& Builder, bool MultiLine) const { BuildSQL(Builder, MultiLine); }

protected:
  friend std::unique_ptr<TSQLExpressionItem> FindExpressionItem(std::unique_ptr<TSQLExpressionItem> Condition,
                                                                TSQLExpressionItem*& Item);
  // The per-class step of FindExpressionItem; Self owns this node. The base turns the node
  // into the left operand of "Self=True" and yields it.
  virtual std::unique_ptr<TSQLExpressionItem> FindExpressionItemInternal(std::unique_ptr<TSQLExpressionItem> Self,
                                                                         TSQLExpressionItem*& Item);
};

// A literal, written back as its text (the parser keeps literals as written, quotes included).
class TSQLExpressionConstant : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionConstant)
public:
  explicit TSQLExpressionConstant(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}
  TSQLExpressionConstant(TastSyntaxProvider* SyntaxProvider, TvxVariant Value)
      : TSQLExpressionItem(SyntaxProvider), FValue(std::move(Value)) {}

  const TvxVariant& GetValue() const { return FValue; }
  void SetValue(TvxVariant Value) { FValue = std::move(Value); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  TvxVariant FValue;
};

// A host variable or parameter such as :p, written as stored.
class TSQLExpressionVariable : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionVariable)
public:
  explicit TSQLExpressionVariable(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}
  TSQLExpressionVariable(TastSyntaxProvider* SyntaxProvider, std::string Name)
      : TSQLExpressionItem(SyntaxProvider), FName(std::move(Name)) {}

  const std::string& GetName() const { return FName; }
  void SetName(std::string Name) { FName = std::move(Name); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::string FName;
};

// A column reference.
class TSQLExpressionColumn : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionColumn)
public:
  explicit TSQLExpressionColumn(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}
  TSQLExpressionColumn(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLObjectColumn> Column)
      : TSQLExpressionItem(SyntaxProvider), FColumn(std::move(Column)) {}

  TSQLObjectColumn* GetColumn() const { return FColumn.get(); }
  void SetColumn(std::unique_ptr<TSQLObjectColumn> Column) { FColumn = std::move(Column); }
  std::unique_ptr<TSQLObjectColumn> ExtractColumn() { return std::move(FColumn); }

  // True when the column is bound to FromSource.
  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLObjectColumn> FColumn;
};

// A function called without brackets, such as CURRENT_DATE.
class TSQLExpressionParameterlessFunction : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionParameterlessFunction)
public:
  explicit TSQLExpressionParameterlessFunction(TastSyntaxProvider* SyntaxProvider)
      : TSQLExpressionItem(SyntaxProvider) {}
  TSQLExpressionParameterlessFunction(TastSyntaxProvider* SyntaxProvider, std::string Name)
      : TSQLExpressionItem(SyntaxProvider), FName(std::move(Name)) {}

  const std::string& GetName() const { return FName; }
  void SetName(std::string Name) { FName = std::move(Name); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::string FName;
};

// Gives a node an owned sub-select with its accessors. The sub-select's class is completed in
// vxASTSelect.h, so everything that frees or converts it lives in the source file.
class TSQLSubSelectHolder {
public:
  // The sub-select (owned); may be null. A proxy may stand in for it after MoveSubQueryInProxy.
  TSQLSubSelectStatement* GetSubSelect() const { return FSubSelect.get(); }
  void SetSubSelect(std::unique_ptr<TSQLSubSelectStatement> SubSelect);
  std::unique_ptr<TSQLSubSelectStatement> ExtractSubSelect();

protected:
  TSQLSubSelectHolder();
  ~TSQLSubSelectHolder();
  TSQLSubSelectHolder(const TSQLSubSelectHolder&) = delete;
  TSQLSubSelectHolder& operator=(const TSQLSubSelectHolder&) = delete;

  void AppendSubSelect(TastChildren& List) const;
  // Replaces the sub-select by the model's proxy built from it; without a sub-select the
  // proxy is built from nothing unless OnlyWhenSet.
  void MoveSubSelectInProxy(TastSyntaxProvider* SyntaxProvider, TvxObject* Owner,
                            TSQLSubSelectStatementProxyClass ProxyClass, bool OnlyWhenSet);
  // "(", the sub-select, ")"; just "()" without one.
  void BuildSubSelect(TSQLBuilder& Builder, bool MultiLine) const;

  std::unique_ptr<TSQLSubSelectStatement> FSubSelect;
};

// A scalar sub-query, "(SELECT ...)"; always written on one line.
class TSQLExpressionSelect : public TSQLExpressionItem, public TSQLSubSelectHolder {
  VX_CLASS(TSQLExpressionSelect)
public:
  explicit TSQLExpressionSelect(TastSyntaxProvider* SyntaxProvider);
  TSQLExpressionSelect(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLSubSelectStatement> SubSelect);
  ~TSQLExpressionSelect() override;

  void MoveSubQueryInProxyInternal(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass) override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
};

// An expression with one operand (for binary operators the left one); writes the operand.
class TSQLExpressionExpressionItem : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionExpressionItem)
public:
  explicit TSQLExpressionExpressionItem(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}
  TSQLExpressionExpressionItem(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLExpressionItem> Expression)
      : TSQLExpressionItem(SyntaxProvider), FExpression(std::move(Expression)) {}

  // The operand (owned); may be null.
  TSQLExpressionItem* GetExpression() const { return FExpression.get(); }
  void SetExpression(std::unique_ptr<TSQLExpressionItem> Expression) { FExpression = std::move(Expression); }
  std::unique_ptr<TSQLExpressionItem> ExtractExpression() { return std::move(FExpression); }

  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

protected:
  // The step shared by brackets and NOT: splits the operand in place.
  std::unique_ptr<TSQLExpressionItem> FindInOperand(std::unique_ptr<TSQLExpressionItem> Self,
                                                    TSQLExpressionItem*& Item);
  void RemoveInOperand(const TSQLExpressionItem* Expression);
  void RestoreInOperand(const TSQLExpressionItem* Expression);

  std::unique_ptr<TSQLExpressionItem> FExpression;
};

// Base of operations on the operand: the operand is what a criterion is about, so splitting
// yields it, and removing or restoring works on it.
class TSQLExpressionOperation : public TSQLExpressionExpressionItem {
  VX_CLASS(TSQLExpressionOperation)
public:
  using TSQLExpressionExpressionItem::TSQLExpressionExpressionItem;

  // Frees the operand when it writes the same text as Expression.
  void RemoveLExpression(const TSQLExpressionItem* Expression) override;
  // Puts a copy of Expression in when the operand is missing.
  void RestoreLExpression(const TSQLExpressionItem* Expression) override;

protected:
  std::unique_ptr<TSQLExpressionItem> FindExpressionItemInternal(std::unique_ptr<TSQLExpressionItem> Self,
                                                                 TSQLExpressionItem*& Item) override;
};

// "Cast(expression As type)".
class TSQLExpressionCast : public TSQLExpressionOperation {
  VX_CLASS(TSQLExpressionCast)
public:
  using TSQLExpressionOperation::TSQLExpressionOperation;
  TSQLExpressionCast(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLExpressionItem> Expression,
                     std::unique_ptr<TSQLType> Type)
      : TSQLExpressionOperation(SyntaxProvider, std::move(Expression)), FType(std::move(Type)) {}

  // The target type (owned); may be null.
  TSQLType* GetType() const { return FType.get(); }
  void SetType(std::unique_ptr<TSQLType> Type) { FType = std::move(Type); }
  std::unique_ptr<TSQLType> ExtractType() { return std::move(FType); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLType> FType;
};

// An operator symbol as written: "+", "-", "=", "<>", "||" and so on.
class TSQLOperator : public TastNode {
  VX_CLASS(TSQLOperator)
public:
  explicit TSQLOperator(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}
  TSQLOperator(TastSyntaxProvider* SyntaxProvider, std::string_view Text) : TastNode(SyntaxProvider), FText(Text) {}

  // The view lasts until the text changes.
  std::string_view GetText() const { return FText.GetView(); }
  void SetText(std::string_view Text) { FText.Assign(Text); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  TvxCompactString FText;
};

// Base of operator expressions; the operand (FExpression) is the left one.
class TSQLExpressionOperator : public TSQLExpressionOperation {
  VX_CLASS(TSQLExpressionOperator)
public:
  explicit TSQLExpressionOperator(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionOperation(SyntaxProvider) {}
  TSQLExpressionOperator(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLExpressionItem> Left);
  TSQLExpressionOperator(TastSyntaxProvider* SyntaxProvider, std::string_view OperatorText);
  TSQLExpressionOperator(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLExpressionItem> Left,
                         std::string_view OperatorText);
  TSQLExpressionOperator(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLExpressionItem> Left,
                         std::unique_ptr<TSQLOperator> Operator);

  // The operator (owned); may be null.
  TSQLOperator* GetOperator() const { return FOperator.get(); }
  void SetOperator(std::unique_ptr<TSQLOperator> Operator) { FOperator = std::move(Operator); }
  std::unique_ptr<TSQLOperator> ExtractOperator() { return std::move(FOperator); }
  // The operator's text; empty without an operator.
  std::string_view GetOperatorText() const;

  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

protected:
  void BuildOperator(TSQLBuilder& Builder, bool MultiLine) const;

  std::unique_ptr<TSQLOperator> FOperator;
};

// A prefix operator: " -x" (the space keeps "a* -b" from reading as "a*-b").
class TSQLExpressionOperatorPrefix : public TSQLExpressionOperator {
  VX_CLASS(TSQLExpressionOperatorPrefix)
public:
  using TSQLExpressionOperator::TSQLExpressionOperator;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

// A postfix operator: the operand, then the operator.
class TSQLExpressionOperatorPostfix : public TSQLExpressionOperator {
  VX_CLASS(TSQLExpressionOperatorPostfix)
public:
  using TSQLExpressionOperator::TSQLExpressionOperator;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

// A binary operator, written without spaces: "a+b", "Price>10". No brackets are added: the
// precedence in the text is exactly the tree's bracket nodes.
class TSQLExpressionOperatorBinary : public TSQLExpressionOperator {
  VX_CLASS(TSQLExpressionOperatorBinary)
public:
  using TSQLExpressionOperator::TSQLExpressionOperator;
  TSQLExpressionOperatorBinary(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLExpressionItem> Left,
                               std::string_view OperatorText, std::unique_ptr<TSQLExpressionItem> Right)
      : TSQLExpressionOperator(SyntaxProvider, std::move(Left), OperatorText), FRight(std::move(Right)) {}

  // The right operand (owned); may be null.
  TSQLExpressionItem* GetRight() const { return FRight.get(); }
  void SetRight(std::unique_ptr<TSQLExpressionItem> Right) { FRight = std::move(Right); }
  std::unique_ptr<TSQLExpressionItem> ExtractRight() { return std::move(FRight); }

  // Both sides must refer to the source (the right one only when present).
  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLExpressionItem> FRight;
};

// "(expression)": the only way brackets enter a value expression's text.
class TSQLExpressionBrackets : public TSQLExpressionExpressionItem {
  VX_CLASS(TSQLExpressionBrackets)
public:
  using TSQLExpressionExpressionItem::TSQLExpressionExpressionItem;

  void RemoveLExpression(const TSQLExpressionItem* Expression) override { RemoveInOperand(Expression); }
  void RestoreLExpression(const TSQLExpressionItem* Expression) override { RestoreInOperand(Expression); }
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;

protected:
  std::unique_ptr<TSQLExpressionItem> FindExpressionItemInternal(std::unique_ptr<TSQLExpressionItem> Self,
                                                                 TSQLExpressionItem*& Item) override {
    return FindInOperand(std::move(Self), Item);
  }
};

// "expression.field", the selection of a field of a row or structured value.
class TSQLExpressionFieldSelection : public TSQLExpressionExpressionItem {
  VX_CLASS(TSQLExpressionFieldSelection)
public:
  using TSQLExpressionExpressionItem::TSQLExpressionExpressionItem;

  const std::string& GetFieldName() const { return FFieldName; }
  void SetFieldName(std::string FieldName) { FFieldName = std::move(FieldName); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::string FFieldName;
};

// An ordered list of owned expressions; base of AND and OR. Entries may be empty: with
// KeepEmptyItems, dropping references to a FROM source leaves an empty entry in place of each
// dropped item, so positions (criteria columns) keep their meaning. Writes nothing itself.
class TSQLExpressionItemsList : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionItemsList)
public:
  explicit TSQLExpressionItemsList(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}

  int Add(std::unique_ptr<TSQLExpressionItem> Item);  // takes ownership (may be null), returns the index
  void Insert(int Index, std::unique_ptr<TSQLExpressionItem> Item);
  void Delete(int Index);  // frees the item
  std::unique_ptr<TSQLExpressionItem> Extract(int Index);
  std::unique_ptr<TSQLExpressionItem> Extract(const TSQLExpressionItem* Item);  // null when absent
  // Every entry in order, empty ones included; the list is left empty.
  std::vector<std::unique_ptr<TSQLExpressionItem>> ExtractAll();
  // Appends every entry of Items in order, in one move (empty ones too).
  void AddAll(std::vector<std::unique_ptr<TSQLExpressionItem>> Items);
  TSQLExpressionItem* GetItem(int Index) const;                       // EvxListError when out of range; may be null
  void SetItem(int Index, std::unique_ptr<TSQLExpressionItem> Item);  // frees the replaced entry
  int GetCount() const { return static_cast<int>(FItems.size()); }
  int IndexOf(const TSQLExpressionItem* Item) const;
  bool GetKeepEmptyItems() const { return FKeepEmptyItems; }
  void SetKeepEmptyItems(bool KeepEmptyItems) { FKeepEmptyItems = KeepEmptyItems; }

  // False without items; otherwise every (non-empty) item must refer to the source.
  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  // Drops the items that refer only to FromSource, then walks the rest.
  void RemoveReferencesToFromSource(const TSQLFromSource* FromSource) override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

protected:
  void CheckIndex(int Index) const;
  TastOwnedList<TSQLExpressionItem> FItems;

private:
  bool FKeepEmptyItems = false;
};

// A comma-separated list of expressions (IN values, aggregate parameters, GROUP BY).
class TSQLExpressionsList : public TastNodeWithList {
  VX_CLASS(TSQLExpressionsList)
public:
  explicit TSQLExpressionsList(TastSyntaxProvider* SyntaxProvider) : TastNodeWithList(SyntaxProvider) {}

  // Typed views of the list operations; an entry that is not an expression reads as null.
  int Add(std::unique_ptr<TSQLExpressionItem> Item) { return TastNodeWithList::Add(std::move(Item)); }
  void Insert(int Index, std::unique_ptr<TSQLExpressionItem> Item) { TastNodeWithList::Insert(Index, std::move(Item)); }
  void SetItem(int Index, std::unique_ptr<TSQLExpressionItem> Item) {
    TastNodeWithList::SetItem(Index, std::move(Item));
  }
  TSQLExpressionItem* GetItem(int Index) const;
  std::unique_ptr<TSQLExpressionItem> ExtractItem(int Index);

  // False without items; otherwise every item must refer to the source.
  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const;
  // Deletes the items that refer only to FromSource, then walks the rest.
  void RemoveReferencesToFromSource(const TSQLFromSource* FromSource) override;
};
