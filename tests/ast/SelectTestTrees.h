// Hand-built statement trees for the SELECT, FROM and binding tests, and a proxy whose "model"
// is simply the sub-select it replaced.
#pragma once

#include "vxASTLogical.h"
#include "vxASTSelect.h"
#include "vxSQLBuilder.h"
#include "vxSyntaxProvider.h"
#include "vxTestSql.h"

#include <memory>
#include <string>
#include <vector>

namespace vxtest {

// A dialect quoting names with double quotes.
class TQuotingProvider : public TastSyntaxProvider {
public:
  std::string GetQuoteBegin() const override { return "\""; }
  std::string GetQuoteEnd() const override { return "\""; }
};

// Stands for the query model's proxy: its model is the sub-select it replaced, so changing
// GetSubSelect() is an edit of the model.
class TTestProxy : public TSQLSubSelectStatementProxy {
  VX_CLASS(TTestProxy)
public:
  using TSQLSubSelectStatementProxy::TSQLSubSelectStatementProxy;
  std::unique_ptr<TSQLSubSelectStatement> GetASTTree() const override {
    return GetSubSelect() != nullptr ? CloneNode(*GetSubSelect()) : nullptr;
  }
  static std::unique_ptr<TSQLSubSelectStatementProxy> Create(TastSyntaxProvider* Provider, TvxObject* Owner,
                                                             std::unique_ptr<TSQLSubSelectStatement> SubSelect) {
    return NewNode<TTestProxy>(Provider, Owner, std::move(SubSelect));
  }
};

class TTreeFactory {
public:
  explicit TTreeFactory(TastSyntaxProvider& Provider) : P(&Provider) {}

  // A column reference; Parts as written, outermost first ("o", "Id").
  std::unique_ptr<TSQLExpressionColumn> Col(std::initializer_list<std::string> Parts) const {
    auto Column = NewNode<TSQLObjectColumn>(P);
    for (const std::string& Part : Parts) Column->AddName(Part);
    return NewNode<TSQLExpressionColumn>(P, std::move(Column));
  }
  std::unique_ptr<TSQLExpressionItem> Num(std::string Text) const {
    return NewNode<TSQLExpressionConstant>(P, TvxVariant(std::move(Text)));
  }
  std::unique_ptr<TSQLExpressionItem> Bin(std::unique_ptr<TSQLExpressionItem> Left, std::string Op,
                                          std::unique_ptr<TSQLExpressionItem> Right) const {
    return NewNode<TSQLExpressionOperatorBinary>(P, std::move(Left), std::move(Op), std::move(Right));
  }
  std::unique_ptr<TSQLFromObject> Table(std::string Name, std::string Alias = {}, TvxStringList Fields = {}) const {
    auto Source = NewNode<TSQLFromObject>(P);
    auto Object = NewNode<TSQLDatabaseObject>(P);
    Object->AddName(std::move(Name));
    Source->SetObject(std::move(Object));
    if (!Alias.empty()) Source->SetAlias(NewNode<TSQLAliasObjectAlias>(P, std::move(Alias)));
    Source->SetFieldsList(std::move(Fields));
    return Source;
  }
  template <class TKind>
  std::shared_ptr<TSQLJoinKind> Join() const {
    return NewNode<TKind>(P);
  }
  std::unique_ptr<TSQLSelectItem> Item(std::unique_ptr<TSQLExpressionItem> Expression, std::string Alias = {}) const {
    auto Item = NewNode<TSQLSelectItemExpression>(P);
    Item->SetExpression(std::move(Expression));
    if (!Alias.empty()) Item->SetAlias(NewNode<TSQLAliasObjectAlias>(P, std::move(Alias)));
    return Item;
  }
  template <class... TItems>
  std::unique_ptr<TSQLSelectItems> Items(TItems... Entries) const {
    auto List = NewNode<TSQLSelectItems>(P);
    (List->Add(std::move(Entries)), ...);
    return List;
  }
  template <class TList = TSQLFromClause, class... TSources>
  std::unique_ptr<TList> From(TSources... Sources) const {
    auto List = NewNode<TList>(P);
    (List->Add(std::move(Sources)), ...);
    return List;
  }
  // "SELECT <column names> FROM <From>", the columns given as written ("o.Id" or "Id").
  std::unique_ptr<TSQLSubQuerySelectExpression> Select(std::vector<std::vector<std::string>> Columns,
                                                       std::unique_ptr<TSQLFromClause> From) const {
    auto Select = NewNode<TSQLSubQuerySelectExpression>(P);
    auto List = NewNode<TSQLSelectItems>(P);
    for (const auto& Parts : Columns) {
      auto Column = NewNode<TSQLObjectColumn>(P);
      for (const std::string& Part : Parts) Column->AddName(Part);
      List->Add(Item(NewNode<TSQLExpressionColumn>(P, std::move(Column))));
    }
    Select->SetSelectItems(std::move(List));
    Select->SetFrom(std::move(From));
    return Select;
  }
  template <class TChain = TSQLSubSelectStatement, class... TOperands>
  std::unique_ptr<TChain> Chain(TOperands... Operands) const {
    auto Chain = NewNode<TChain>(P);
    (Chain->Add(std::move(Operands)), ...);
    return Chain;
  }

  // SELECT o.Id, Sum(l.Qty) Total FROM Orders o INNER JOIN Lines l ON o.Id=l.OrderId
  // WHERE o.Kind=1 GROUP BY o.Id union ALL SELECT Id, 0 FROM Archive, built by hand: an operator
  // the parser did not read is written in the writer's own spelling.
  std::unique_ptr<TSQLSelectStatement> UnionExample() const {
    auto Lines = Table("Lines", "l", {"OrderId", "Qty"});
    Lines->SetJoinKind(Join<TSQLJoinKindInner>());
    Lines->SetJoinCondition(Bin(Col({"o", "Id"}), "=", Col({"l", "OrderId"})));
    auto First = NewNode<TSQLSubQuerySelectExpression>(P);
    First->SetSelectItems(Items(Item(Col({"o", "Id"})),
                                Item(NewNode<TSQLExpressionAggregate1Param>(P, "Sum", Col({"l", "Qty"})), "Total")));
    First->SetFrom(From(Table("Orders", "o", {"Id", "Kind"}), std::move(Lines)));
    First->SetWhere(Bin(Col({"o", "Kind"}), "=", Num("1")));
    auto GroupBy = NewNode<TSQLGroupByList>(P);
    GroupBy->Add(Col({"o", "Id"}));
    First->SetGroupBy(std::move(GroupBy));
    auto Second = NewNode<TSQLSubQuerySelectExpression>(P);
    Second->SetSelectItems(Items(Item(Col({"Id"})), Item(Num("0"))));
    Second->SetFrom(From(Table("Archive", {}, {"Id"})));
    Second->SetUnionAll(true);
    return Chain<TSQLSelectStatement>(std::move(First), std::move(Second));
  }

private:
  TastSyntaxProvider* P;
};

}  // namespace vxtest
