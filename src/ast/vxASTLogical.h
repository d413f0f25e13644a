// Predicates and the logical connectives NOT, AND and OR. A predicate's operand (FExpression)
// is its left-hand expression; the criteria operations of TSQLExpressionItem split a condition
// into that expression and the criterion text (">10", "IS NULL") and join them again.
#pragma once

#include "vxASTExpressions.h"

#include <cstdint>
#include <memory>
#include <string>

// Base of the predicates that are logical by nature (IS, IN, LIKE).
class TSQLExpressionLogicalOperation : public TSQLExpressionOperation {
  VX_CLASS(TSQLExpressionLogicalOperation)
public:
  using TSQLExpressionOperation::TSQLExpressionOperation;
  bool IsLogical() const override { return true; }
};

// Holds the NOT flag of a negated predicate. The flag is a plain value copied by Assign.
class TSQLNegatable {
public:
  bool GetNot() const { return FNot; }
  void SetNot(bool Not) { FNot = Not; }

protected:
  bool FNot = false;
};

// "expression IS [NOT]"; base of IS NULL.
class TSQLExpressionIs : public TSQLExpressionLogicalOperation, public TSQLNegatable {
  VX_CLASS(TSQLExpressionIs)
public:
  using TSQLExpressionLogicalOperation::TSQLExpressionLogicalOperation;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;
};

// "expression IS [NOT] NULL".
class TSQLExpressionIsNull : public TSQLExpressionIs {
  VX_CLASS(TSQLExpressionIsNull)
public:
  using TSQLExpressionIs::TSQLExpressionIs;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
};

// "expression [NOT] IN"; base of the two IN forms.
class TSQLExpressionIn : public TSQLExpressionLogicalOperation, public TSQLNegatable {
  VX_CLASS(TSQLExpressionIn)
public:
  using TSQLExpressionLogicalOperation::TSQLExpressionLogicalOperation;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;
};

// "expression [NOT] IN (1, 2, 3)".
class TSQLExpressionInSet : public TSQLExpressionIn {
  VX_CLASS(TSQLExpressionInSet)
public:
  using TSQLExpressionIn::TSQLExpressionIn;

  // The values (owned); may be null, which writes "()".
  TSQLExpressionsList* GetValues() const { return FValues.get(); }
  void SetValues(std::unique_ptr<TSQLExpressionsList> Values) { FValues = std::move(Values); }
  std::unique_ptr<TSQLExpressionsList> ExtractValues() { return std::move(FValues); }

  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLExpressionsList> FValues;
};

// "expression [NOT] IN (SELECT ...)"; the sub-select follows the caller's MultiLine.
class TSQLExpressionInSubQuery : public TSQLExpressionIn, public TSQLSubSelectHolder {
  VX_CLASS(TSQLExpressionInSubQuery)
public:
  explicit TSQLExpressionInSubQuery(TastSyntaxProvider* SyntaxProvider);
  TSQLExpressionInSubQuery(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLExpressionItem> Left);
  ~TSQLExpressionInSubQuery() override;

  // Always replaces the sub-select (also an empty one) by the model's proxy.
  void MoveSubQueryInProxyInternal(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass) override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
};

// "expression [Not] Like pattern [Escape escape]"; the operator word is written as stored.
class TSQLExpressionLikeTemplate : public TSQLExpressionLogicalOperation, public TSQLNegatable {
  VX_CLASS(TSQLExpressionLikeTemplate)
public:
  using TSQLExpressionLogicalOperation::TSQLExpressionLogicalOperation;

  // Default "Like", the word the SQL-92 parser stores.
  const std::string& GetOperatorWord() const { return FOperatorWord; }
  void SetOperatorWord(std::string OperatorWord) { FOperatorWord = std::move(OperatorWord); }
  // Both owned; each may be null.
  TSQLExpressionItem* GetPattern() const { return FPattern.get(); }
  void SetPattern(std::unique_ptr<TSQLExpressionItem> Pattern) { FPattern = std::move(Pattern); }
  std::unique_ptr<TSQLExpressionItem> ExtractPattern() { return std::move(FPattern); }
  TSQLExpressionItem* GetEscape() const { return FEscape.get(); }
  void SetEscape(std::unique_ptr<TSQLExpressionItem> Escape) { FEscape = std::move(Escape); }
  std::unique_ptr<TSQLExpressionItem> ExtractEscape() { return std::move(FEscape); }

  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::string FOperatorWord = "Like";
  std::unique_ptr<TSQLExpressionItem> FPattern;
  std::unique_ptr<TSQLExpressionItem> FEscape;
};

// "expression [Not] Between low And high". Not classified as logical.
class TSQLExpressionBetween : public TSQLExpressionOperation, public TSQLNegatable {
  VX_CLASS(TSQLExpressionBetween)
public:
  using TSQLExpressionOperation::TSQLExpressionOperation;

  // Both owned; each may be null.
  TSQLExpressionItem* GetLow() const { return FLow.get(); }
  void SetLow(std::unique_ptr<TSQLExpressionItem> Low) { FLow = std::move(Low); }
  std::unique_ptr<TSQLExpressionItem> ExtractLow() { return std::move(FLow); }
  TSQLExpressionItem* GetHigh() const { return FHigh.get(); }
  void SetHigh(std::unique_ptr<TSQLExpressionItem> High) { FHigh = std::move(High); }
  std::unique_ptr<TSQLExpressionItem> ExtractHigh() { return std::move(FHigh); }

  // Any of the three expressions referring to the source suffices.
  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLExpressionItem> FLow;
  std::unique_ptr<TSQLExpressionItem> FHigh;
};

enum class TSQLCompareWithSet : uint8_t { csAll = 0, csSome = 1, csAny = 2 };

// "expression<op>All|Some|Any", written without spaces; base of the two set forms. The
// comparison is the inherited operator.
class TSQLExpressionCompWithSet : public TSQLExpressionOperator {
  VX_CLASS(TSQLExpressionCompWithSet)
public:
  using TSQLExpressionOperator::TSQLExpressionOperator;

  TSQLCompareWithSet GetQuantifier() const { return FQuantifier; }
  void SetQuantifier(TSQLCompareWithSet Quantifier) { FQuantifier = Quantifier; }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  TSQLCompareWithSet FQuantifier = TSQLCompareWithSet::csAll;
};

// "expression<op>All(SELECT ...)"; the sub-select follows the caller's MultiLine.
class TSQLExpressionCompWithSubQuery : public TSQLExpressionCompWithSet, public TSQLSubSelectHolder {
  VX_CLASS(TSQLExpressionCompWithSubQuery)
public:
  explicit TSQLExpressionCompWithSubQuery(TastSyntaxProvider* SyntaxProvider);
  ~TSQLExpressionCompWithSubQuery() override;

  // Replaces a present sub-select by the model's proxy.
  void MoveSubQueryInProxyInternal(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass) override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
};

// "expression<op>Any(set expression)".
class TSQLExpressionCompWithSetExpression : public TSQLExpressionCompWithSet {
  VX_CLASS(TSQLExpressionCompWithSetExpression)
public:
  using TSQLExpressionCompWithSet::TSQLExpressionCompWithSet;

  // The set (owned); may be null.
  TSQLExpressionItem* GetSetExpression() const { return FSetExpression.get(); }
  void SetSetExpression(std::unique_ptr<TSQLExpressionItem> SetExpression) {
    FSetExpression = std::move(SetExpression);
  }
  std::unique_ptr<TSQLExpressionItem> ExtractSetExpression() { return std::move(FSetExpression); }

  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLExpressionItem> FSetExpression;
};

// "Exists(SELECT ...)". Never refers to one source alone (it is about a whole sub-query).
class TSQLExpressionExists : public TSQLExpressionItem, public TSQLSubSelectHolder {
  VX_CLASS(TSQLExpressionExists)
public:
  explicit TSQLExpressionExists(TastSyntaxProvider* SyntaxProvider);
  TSQLExpressionExists(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLSubSelectStatement> SubSelect);
  ~TSQLExpressionExists() override;

  bool IsLogical() const override { return true; }
  // Replaces a present sub-select by the model's proxy.
  void MoveSubQueryInProxyInternal(TvxObject* Owner, TSQLSubSelectStatementProxyClass ProxyClass) override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
};

// "(start,end) Overlaps (start,end)".
class TSQLExpressionOverlaps : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionOverlaps)
public:
  explicit TSQLExpressionOverlaps(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}

  // All four owned; each may be null.
  TSQLExpressionItem* GetLeftStart() const { return FLeftStart.get(); }
  void SetLeftStart(std::unique_ptr<TSQLExpressionItem> Expression) { FLeftStart = std::move(Expression); }
  std::unique_ptr<TSQLExpressionItem> ExtractLeftStart() { return std::move(FLeftStart); }
  TSQLExpressionItem* GetLeftEnd() const { return FLeftEnd.get(); }
  void SetLeftEnd(std::unique_ptr<TSQLExpressionItem> Expression) { FLeftEnd = std::move(Expression); }
  std::unique_ptr<TSQLExpressionItem> ExtractLeftEnd() { return std::move(FLeftEnd); }
  TSQLExpressionItem* GetRightStart() const { return FRightStart.get(); }
  void SetRightStart(std::unique_ptr<TSQLExpressionItem> Expression) { FRightStart = std::move(Expression); }
  std::unique_ptr<TSQLExpressionItem> ExtractRightStart() { return std::move(FRightStart); }
  TSQLExpressionItem* GetRightEnd() const { return FRightEnd.get(); }
  void SetRightEnd(std::unique_ptr<TSQLExpressionItem> Expression) { FRightEnd = std::move(Expression); }
  std::unique_ptr<TSQLExpressionItem> ExtractRightEnd() { return std::move(FRightEnd); }

  bool IsLogical() const override { return true; }
  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLExpressionItem> FLeftStart;
  std::unique_ptr<TSQLExpressionItem> FLeftEnd;
  std::unique_ptr<TSQLExpressionItem> FRightStart;
  std::unique_ptr<TSQLExpressionItem> FRightEnd;
};

// "Not condition". A negated AND or OR is written in brackets, which its meaning needs.
class TSQLExpressionNot : public TSQLExpressionExpressionItem {
  VX_CLASS(TSQLExpressionNot)
public:
  using TSQLExpressionExpressionItem::TSQLExpressionExpressionItem;

  bool IsLogical() const override { return true; }
  void RemoveLExpression(const TSQLExpressionItem* Expression) override { RemoveInOperand(Expression); }
  void RestoreLExpression(const TSQLExpressionItem* Expression) override { RestoreInOperand(Expression); }
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;

protected:
  std::unique_ptr<TSQLExpressionItem> FindExpressionItemInternal(std::unique_ptr<TSQLExpressionItem> Self,
                                                                 TSQLExpressionItem*& Item) override {
    return FindInOperand(std::move(Self), Item);
  }
};

// Base of AND and OR: conditions in order, joined by the connective. Splitting works on the
// first condition; removing and restoring the left expression work on all of them.
class TSQLExpressionLogicalCollection : public TSQLExpressionItemsList {
  VX_CLASS(TSQLExpressionLogicalCollection)
public:
  using TSQLExpressionItemsList::TSQLExpressionItemsList;

  // Writes the connective ("And" or "Or").
  virtual void WriteLogicalOperator(TSQLBuilder& Builder) const = 0;

  // Moves all conditions of Source to the end of this collection, each wrapped in a new NOT
  // when Negate; Source is left empty and stays the caller's. Empty entries move as they are.
  void TakeItemsFrom(TSQLExpressionLogicalCollection& Source, bool Negate);

  bool IsLogical() const override { return true; }
  void RemoveLExpression(const TSQLExpressionItem* Expression) override;
  void RestoreLExpression(const TSQLExpressionItem* Expression) override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;

protected:
  // Whether an item needs brackets to keep its meaning inside this collection.
  virtual bool NeedsBrackets(const TSQLExpressionItem& Item) const { return false; }
  std::unique_ptr<TSQLExpressionItem> FindExpressionItemInternal(std::unique_ptr<TSQLExpressionItem> Self,
                                                                 TSQLExpressionItem*& Item) override;
};

// "a And b And c". An OR item is written in brackets, as its meaning needs.
class TSQLExpressionAnd : public TSQLExpressionLogicalCollection {
  VX_CLASS(TSQLExpressionAnd)
public:
  using TSQLExpressionLogicalCollection::TSQLExpressionLogicalCollection;
  void WriteLogicalOperator(TSQLBuilder& Builder) const override;

protected:
  bool NeedsBrackets(const TSQLExpressionItem& Item) const override;
};

// "a Or b Or c".
class TSQLExpressionOr : public TSQLExpressionLogicalCollection {
  VX_CLASS(TSQLExpressionOr)
public:
  using TSQLExpressionLogicalCollection::TSQLExpressionLogicalCollection;
  void WriteLogicalOperator(TSQLBuilder& Builder) const override;
};
