// Function calls, aggregates and CASE.
#pragma once

#include "vxASTExpressions.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One argument of a function call.
class TSQLFunctionParamExpression : public TastNode {
  VX_CLASS(TSQLFunctionParamExpression)
public:
  explicit TSQLFunctionParamExpression(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}
  TSQLFunctionParamExpression(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLExpressionItem> Expression)
      : TastNode(SyntaxProvider), FExpression(std::move(Expression)) {}

  // The argument (owned); may be null.
  TSQLExpressionItem* GetExpression() const { return FExpression.get(); }
  void SetExpression(std::unique_ptr<TSQLExpressionItem> Expression) { FExpression = std::move(Expression); }
  std::unique_ptr<TSQLExpressionItem> ExtractExpression() { return std::move(FExpression); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

protected:
  std::unique_ptr<TSQLExpressionItem> FExpression;
};

// A named argument, "name=expression".
class TSQLFunctionParamNamedExpression : public TSQLFunctionParamExpression {
  VX_CLASS(TSQLFunctionParamNamedExpression)
public:
  using TSQLFunctionParamExpression::TSQLFunctionParamExpression;
  TSQLFunctionParamNamedExpression(TastSyntaxProvider* SyntaxProvider, std::string Name,
                                   std::unique_ptr<TSQLExpressionItem> Expression)
      : TSQLFunctionParamExpression(SyntaxProvider, std::move(Expression)), FName(std::move(Name)) {}

  const std::string& GetName() const { return FName; }
  void SetName(std::string Name) { FName = std::move(Name); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::string FName;
};

// The argument list of a call, written "a, b, c".
class TSQLFunctionParams : public TastNodeWithList {
  VX_CLASS(TSQLFunctionParams)
public:
  explicit TSQLFunctionParams(TastSyntaxProvider* SyntaxProvider) : TastNodeWithList(SyntaxProvider) {}

  int Add(std::unique_ptr<TSQLFunctionParamExpression> Param) { return TastNodeWithList::Add(std::move(Param)); }
  // Wraps Expression in a new argument node and appends it.
  int AddExpression(std::unique_ptr<TSQLExpressionItem> Expression);
  // The argument at Index; null for an entry that is not an argument.
  TSQLFunctionParamExpression* GetItem(int Index) const;
};

// A call "name(arguments)". The name is written part by part (sales.f(x) keeps its schema)
// and never bound to a FROM source. The inherited item list is kept but not written.
class TSQLFunction : public TastNodeWithList {
  VX_CLASS(TSQLFunction)
public:
  explicit TSQLFunction(TastSyntaxProvider* SyntaxProvider) : TastNodeWithList(SyntaxProvider) {}

  // The function's name (owned); may be null.
  TSQLQualifiedName* GetName() const { return FName.get(); }
  void SetName(std::unique_ptr<TSQLQualifiedName> Name) { FName = std::move(Name); }
  std::unique_ptr<TSQLQualifiedName> ExtractName() { return std::move(FName); }
  // The arguments (owned); may be null, which writes as "()".
  TSQLFunctionParams* GetParams() const { return FParams.get(); }
  void SetParams(std::unique_ptr<TSQLFunctionParams> Params) { FParams = std::move(Params); }
  std::unique_ptr<TSQLFunctionParams> ExtractParams() { return std::move(FParams); }

  // True when any argument refers to FromSource.
  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;
  // Binds what the arguments refer to; the name is a routine, not a table.
  void FixupObjects(TSQLFromSourceList& FromSources) override;

private:
  std::unique_ptr<TSQLQualifiedName> FName;
  std::unique_ptr<TSQLFunctionParams> FParams;
};

// A function call used as a value.
class TSQLExpressionFunction : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionFunction)
public:
  explicit TSQLExpressionFunction(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}
  TSQLExpressionFunction(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLFunction> Function)
      : TSQLExpressionItem(SyntaxProvider), FFunction(std::move(Function)) {}

  // The call (owned); may be null.
  TSQLFunction* GetFunction() const { return FFunction.get(); }
  void SetFunction(std::unique_ptr<TSQLFunction> Function) { FFunction = std::move(Function); }
  std::unique_ptr<TSQLFunction> ExtractFunction() { return std::move(FFunction); }

  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLFunction> FFunction;
};

// An aggregate over all rows, "Count(*)". Base of the other aggregates.
class TSQLExpressionAggregate : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionAggregate)
public:
  explicit TSQLExpressionAggregate(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}
  TSQLExpressionAggregate(TastSyntaxProvider* SyntaxProvider, std::string_view Name)
      : TSQLExpressionItem(SyntaxProvider), FName(Name) {}

  const std::string& GetName() const { return FName; }
  void SetName(std::string Name) { FName = std::move(Name); }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

protected:
  // The aggregate's name as a routine name (never quoted for being a reserved word).
  void BuildName(TSQLBuilder& Builder) const;

private:
  std::string FName;
};

// An aggregate of one argument, "Sum(Amount)".
class TSQLExpressionAggregate1Param : public TSQLExpressionAggregate {
  VX_CLASS(TSQLExpressionAggregate1Param)
public:
  using TSQLExpressionAggregate::TSQLExpressionAggregate;
  TSQLExpressionAggregate1Param(TastSyntaxProvider* SyntaxProvider, std::string_view Name,
                                std::unique_ptr<TSQLExpressionItem> Param)
      : TSQLExpressionAggregate(SyntaxProvider, Name), FParam(std::move(Param)) {}

  // The argument (owned); may be null.
  TSQLExpressionItem* GetParam() const { return FParam.get(); }
  void SetParam(std::unique_ptr<TSQLExpressionItem> Param) { FParam = std::move(Param); }
  std::unique_ptr<TSQLExpressionItem> ExtractParam() { return std::move(FParam); }

  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLExpressionItem> FParam;
};

enum class TSQLAggregateParamPrefixes : uint8_t { ppAll = 0, ppDistinct = 1 };

// An aggregate whose argument may carry ALL or DISTINCT, "Sum(DISTINCT Amount)". ALL is the
// default and is not written.
class TSQLExpressionAggregate1ParamWPrefix : public TSQLExpressionAggregate1Param {
  VX_CLASS(TSQLExpressionAggregate1ParamWPrefix)
public:
  using TSQLExpressionAggregate1Param::TSQLExpressionAggregate1Param;

  TSQLAggregateParamPrefixes GetPrefix() const { return FPrefix; }
  void SetPrefix(TSQLAggregateParamPrefixes Prefix) { FPrefix = Prefix; }

  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void Assign(const TastExtender& Source) override;

private:
  TSQLAggregateParamPrefixes FPrefix = TSQLAggregateParamPrefixes::ppAll;
};

// An aggregate with an argument list, "name(a, b)".
class TSQLExpressionAggregateWParams : public TSQLExpressionAggregate {
  VX_CLASS(TSQLExpressionAggregateWParams)
public:
  using TSQLExpressionAggregate::TSQLExpressionAggregate;

  // The arguments (owned); may be null.
  TSQLExpressionsList* GetParams() const { return FParams.get(); }
  void SetParams(std::unique_ptr<TSQLExpressionsList> Params) { FParams = std::move(Params); }
  std::unique_ptr<TSQLExpressionsList> ExtractParams() { return std::move(FParams); }

  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLExpressionsList> FParams;
};

// One "WHEN condition THEN result" of a CASE.
class TSQLCaseFunctionItem : public TastNode {
  VX_CLASS(TSQLCaseFunctionItem)
public:
  explicit TSQLCaseFunctionItem(TastSyntaxProvider* SyntaxProvider) : TastNode(SyntaxProvider) {}
  TSQLCaseFunctionItem(TastSyntaxProvider* SyntaxProvider, std::unique_ptr<TSQLExpressionItem> When,
                       std::unique_ptr<TSQLExpressionItem> Then)
      : TastNode(SyntaxProvider), FWhen(std::move(When)), FThen(std::move(Then)) {}

  // Both owned; each may be null.
  TSQLExpressionItem* GetWhen() const { return FWhen.get(); }
  void SetWhen(std::unique_ptr<TSQLExpressionItem> When) { FWhen = std::move(When); }
  std::unique_ptr<TSQLExpressionItem> ExtractWhen() { return std::move(FWhen); }
  TSQLExpressionItem* GetThen() const { return FThen.get(); }
  void SetThen(std::unique_ptr<TSQLExpressionItem> Then) { FThen = std::move(Then); }
  std::unique_ptr<TSQLExpressionItem> ExtractThen() { return std::move(FThen); }

  // True when the condition, or else the result, refers to FromSource.
  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  std::unique_ptr<TSQLExpressionItem> FWhen;
  std::unique_ptr<TSQLExpressionItem> FThen;
};

// "CASE [operand] WHEN ... THEN ... [ELSE ...] END".
class TSQLExpressionCaseFunction : public TSQLExpressionItem {
  VX_CLASS(TSQLExpressionCaseFunction)
public:
  explicit TSQLExpressionCaseFunction(TastSyntaxProvider* SyntaxProvider) : TSQLExpressionItem(SyntaxProvider) {}

  int Add(std::unique_ptr<TSQLCaseFunctionItem> Item);  // takes ownership, returns the index
  int GetCount() const { return static_cast<int>(FItems.size()); }
  TSQLCaseFunctionItem* GetItem(int Index) const;  // EvxListError when out of range
  // The operand of a simple CASE (owned); may be null.
  TSQLExpressionItem* GetOperand() const { return FOperand.get(); }
  void SetOperand(std::unique_ptr<TSQLExpressionItem> Operand) { FOperand = std::move(Operand); }
  std::unique_ptr<TSQLExpressionItem> ExtractOperand() { return std::move(FOperand); }
  // The ELSE result (owned); may be null.
  TSQLExpressionItem* GetElse() const { return FElse.get(); }
  void SetElse(std::unique_ptr<TSQLExpressionItem> Else) { FElse = std::move(Else); }
  std::unique_ptr<TSQLExpressionItem> ExtractElse() { return std::move(FElse); }

  // With items: every item must refer to the source; without: the operand decides.
  bool ContainsOnlyItemsWithFromSource(const TSQLFromSource* FromSource) const override;
  void BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const override;
  void GetMyChildren(TastChildren& List) const override;
  void Assign(const TastExtender& Source) override;

private:
  TastOwnedList<TSQLCaseFunctionItem> FItems;
  std::unique_ptr<TSQLExpressionItem> FOperand;
  std::unique_ptr<TSQLExpressionItem> FElse;
};
