// Hand-built expression and condition trees for the name, expression, predicate and criteria
// tests, on top of the statement factory.
#pragma once

#include "SelectTestTrees.h"
#include "vxASTCriteria.h"
#include "vxASTFunctions.h"
#include "vxASTLogical.h"

#include <memory>
#include <string>
#include <vector>

namespace vxtest {

// A dialect with double-quoted names and a few reserved words.
class TReservingProvider : public TQuotingProvider {
public:
  bool IsReservedWord(std::string_view Word) const override {
    static const TvxStringList Words{"SELECT", "ORDER", "UPPER", "COUNT", "SUM", "CURRENT_DATE", "USER"};
    return Words.Contains(Word);
  }
};

class TExpressionFactory : public TTreeFactory {
public:
  explicit TExpressionFactory(TastSyntaxProvider& Provider) : TTreeFactory(Provider), P(&Provider) {}

  // "<column parts> <Op> <Value>", e.g. Cmp({"a"}, "=", "1") for a=1.
  std::unique_ptr<TSQLExpressionItem> Cmp(std::initializer_list<std::string> Column, std::string Op,
                                          std::string Value) const {
    return Bin(Col(Column), std::move(Op), Num(std::move(Value)));
  }
  std::unique_ptr<TSQLExpressionItem> Not(std::unique_ptr<TSQLExpressionItem> Operand) const {
    return NewNode<TSQLExpressionNot>(P, std::move(Operand));
  }
  std::unique_ptr<TSQLExpressionItem> Br(std::unique_ptr<TSQLExpressionItem> Operand) const {
    return NewNode<TSQLExpressionBrackets>(P, std::move(Operand));
  }
  template <class... TItems>
  std::unique_ptr<TSQLExpressionItem> And(TItems... Items) const {
    return Group<TSQLExpressionAnd>(std::move(Items)...);
  }
  template <class... TItems>
  std::unique_ptr<TSQLExpressionItem> Or(TItems... Items) const {
    return Group<TSQLExpressionOr>(std::move(Items)...);
  }
  template <class TGroup, class... TItems>
  std::unique_ptr<TGroup> Group(TItems... Items) const {
    auto Result = NewNode<TGroup>(P);
    (Result->Add(std::move(Items)), ...);
    return Result;
  }
  // A dotted name; Parts as written, outermost first.
  template <class TName = TSQLQualifiedName>
  std::unique_ptr<TName> Name(std::initializer_list<std::string> Parts) const {
    auto Result = NewNode<TName>(P);
    for (const std::string& Part : Parts) Result->AddName(Part);
    return Result;
  }
  // "<name>(<arguments>)".
  template <class... TArgs>
  std::unique_ptr<TSQLExpressionFunction> Call(std::initializer_list<std::string> NameParts, TArgs... Args) const {
    auto Function = NewNode<TSQLFunction>(P);
    Function->SetName(Name(NameParts));
    auto Params = NewNode<TSQLFunctionParams>(P);
    (Params->AddExpression(std::move(Args)), ...);
    Function->SetParams(std::move(Params));
    return NewNode<TSQLExpressionFunction>(P, std::move(Function));
  }
  // "SELECT <column> FROM <table>" as a sub-select.
  std::unique_ptr<TSQLSubSelectStatement> SubSelect(std::string Column, std::string Table) const {
    return Chain(Select({{std::move(Column)}}, From(TTreeFactory::Table(std::move(Table)))));
  }

private:
  TastSyntaxProvider* P;
};

}  // namespace vxtest
