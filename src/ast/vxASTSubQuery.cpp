// Union chains, sub-select and root statements, and the sub-query proxy.
#include "vxASTNodeHelpers.h"
#include "vxASTOneLine.h"
#include "vxASTSelect.h"
#include "vxSQLBuilder.h"

#include <algorithm>

VX_CLASS_IMPL(TSQLSubQueryExpression, TastNode)
VX_CLASS_IMPL(TSQLSubQuerySelectExpression, TSQLSubQueryExpression)
VX_CLASS_IMPL(TSQLSubQueryExpressions, TSQLSubQueryExpression)
VX_CLASS_IMPL(TSQLSubSelectStatement, TSQLSubQueryExpressions)
VX_CLASS_IMPL(TSQLSelectStatement, TSQLSubSelectStatement)
VX_ABSTRACT_CLASS_IMPL(TSQLSubSelectStatementProxy, TSQLSubSelectStatement)

// --- TSQLSubQueryExpression --------------------------------------------------------------------

const std::string& TSQLSubQueryExpression::GetUnionOperator() const {
  static const std::string Default = "union";
  return FUnionOperator ? *FUnionOperator : Default;
}

void TSQLSubQueryExpression::SetUnionOperator(std::string UnionOperator) {
  if (FUnionOperator)
    *FUnionOperator = std::move(UnionOperator);
  else
    FUnionOperator = std::make_unique<std::string>(std::move(UnionOperator));
}

void TSQLSubQueryExpression::BuildUnionOperator(TSQLBuilder& Builder, bool) const {
  Builder.WriteKeyword(GetUnionOperator());
  if (FUnionAll) {
    Builder.Space();
    Builder.WriteKeyword("ALL");
  }
}

std::string TSQLSubQueryExpression::GetSimpleUnionOperator() const {
  return vx::OneLineText([this](TSQLBuilder& Builder) { BuildUnionOperator(Builder, false); });
}

void TSQLSubQueryExpression::Assign(const TastExtender& Source) {
  TastNode::Assign(Source);
  if (const auto* Operand = dynamic_cast<const TSQLSubQueryExpression*>(&Source)) {
    FUnionOperator = Operand->FUnionOperator ? std::make_unique<std::string>(*Operand->FUnionOperator) : nullptr;
    FUnionAll = Operand->FUnionAll;
  }
}

// --- TSQLSubQueryExpressions -------------------------------------------------------------------

TSQLSubQueryExpression* TSQLSubQueryExpressions::GetItems(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FItems[static_cast<size_t>(Index)].get();
}

int TSQLSubQueryExpressions::GetCount() const { return static_cast<int>(FItems.size()); }

int TSQLSubQueryExpressions::Add(std::unique_ptr<TSQLSubQueryExpression> Item) {
  return vx::ast::AppendOwned(FItems, std::move(Item));
}

int TSQLSubQueryExpressions::IndexOf(const TSQLSubQueryExpression* Item) const {
  auto Found = std::find_if(FItems.begin(), FItems.end(), [Item](const auto& Entry) { return Entry.get() == Item; });
  return Found == FItems.end() ? -1 : static_cast<int>(Found - FItems.begin());
}

void TSQLSubQueryExpressions::Remove(const TSQLSubQueryExpression* Node) {
  int Index = IndexOf(Node);
  if (Index >= 0) Delete(Index);
}

void TSQLSubQueryExpressions::Delete(int Index) { Extract(Index); }

std::unique_ptr<TSQLSubQueryExpression> TSQLSubQueryExpressions::Extract(const TSQLSubQueryExpression* Item) {
  int Index = IndexOf(Item);
  if (Index < 0) return nullptr;
  std::unique_ptr<TSQLSubQueryExpression> Result = std::move(FItems[static_cast<size_t>(Index)]);
  FItems.erase(FItems.begin() + Index);
  return Result;
}

std::unique_ptr<TSQLSubQueryExpression> TSQLSubQueryExpressions::Extract(int Index) { return Extract(GetItems(Index)); }

void TSQLSubQueryExpressions::Clear() { FItems.clear(); }

TSQLSubQuerySelectExpression* TSQLSubQueryExpressions::GetFirstSelect() const {
  const TSQLSubQueryExpressions* Chain = this;
  // Proxies hold no operands of their own; their sub-query is the model's business.
  while (Chain != nullptr && !Chain->FItems.empty()) {
    TSQLSubQueryExpression* First = Chain->FItems.front().get();
    if (auto* Select = dynamic_cast<TSQLSubQuerySelectExpression*>(First)) return Select;
    Chain = dynamic_cast<const TSQLSubQueryExpressions*>(First);
  }
  return nullptr;
}

bool TSQLSubQueryExpressions::IsUsable() const {
  // An empty chain has nothing to describe: asking a server about "(())" cannot succeed.
  if (FItems.empty()) return false;
  return std::all_of(FItems.begin(), FItems.end(), [](const auto& Item) { return Item && Item->IsUsable(); });
}

void TSQLSubQueryExpressions::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  bool First = true;
  for (const auto& Item : FItems) {
    if (!Item) continue;
    if (!First) {
      Builder.NewLineOrSpace(MultiLine);
      Item->BuildUnionOperator(Builder, MultiLine);
      Builder.NewLineOrSpace(MultiLine);
    }
    First = false;
    const bool IsGroup = Item->InheritsFrom(TSQLSubQueryExpressions::StaticClass());
    if (IsGroup) Builder.WriteSymbol("(");
    Item->BuildSQL(Builder, MultiLine);
    if (IsGroup) Builder.WriteSymbol(")");
  }
}

void TSQLSubQueryExpressions::GetMyChildren(TastChildren& List) const {
  TSQLSubQueryExpression::GetMyChildren(List);
  for (const auto& Item : FItems)
    if (Item) List.push_back(Item.get());
}

void TSQLSubQueryExpressions::Assign(const TastExtender& Source) {
  TSQLSubQueryExpression::Assign(Source);
  // The count goes through the virtual GetCount so that a proxy as source refuses to be copied
  // instead of passing for an empty chain. The copies replace the chain's own operands.
  if (const auto* Chain = dynamic_cast<const TSQLSubQueryExpressions*>(&Source)) {
    TastOwnedList<TSQLSubQueryExpression> Copies;
    for (int I = 0; I < Chain->GetCount(); ++I) Copies.push_back(CloneChild(Chain->FItems[static_cast<size_t>(I)]));
    FItems = std::move(Copies);
  }
}

// --- TSQLSubSelectStatement --------------------------------------------------------------------

namespace {

// SQL looks a bare sort key up among the result columns before the sources: a key that is an
// output alias of the first SELECT names that column even where a source has a column of that
// name, so its binding to the source is undone.
void ReleaseResultColumnNames(const TSQLOrderByClause& OrderBy, const TSQLSubQuerySelectExpression& First) {
  for (int I = 0; I < OrderBy.GetCount(); ++I)
    if (const TSQLOrderByItem* Item = OrderBy.GetItem(I))
      if (TSQLObjectColumn* Name = Item->GetBareName(); Name != nullptr && First.HasOutputAlias(Name->GetObjName()))
        Name->SetFromSource(nullptr);
}

}  // namespace

void TSQLSubSelectStatement::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  TSQLSubQueryExpressions::BuildSQLDirect(Builder, MultiLine);
  if (FOrderBy) FOrderBy->BuildClause(Builder, MultiLine);
}

void TSQLSubSelectStatement::GetMyChildren(TastChildren& List) const {
  TSQLSubQueryExpressions::GetMyChildren(List);
  if (FOrderBy) List.push_back(FOrderBy.get());
}

void TSQLSubSelectStatement::Assign(const TastExtender& Source) {
  TSQLSubQueryExpressions::Assign(Source);
  if (const auto* Statement = dynamic_cast<const TSQLSubSelectStatement*>(&Source))
    if (Statement->FOrderBy) FOrderBy = CloneChild(Statement->FOrderBy);
}

void TSQLSubSelectStatement::FixupObjects(TSQLFromSourceList& FromSources) {
  TastChildren Children;
  GetMyChildren(Children);
  for (TastExtender* Child : Children) {
    if (Child != FOrderBy.get()) {
      Child->FixupObjects(FromSources);
      continue;
    }
    TSQLFromSourcesScope Scope(FromSources);
    const TSQLSubQuerySelectExpression* First = GetFirstSelect();
    if (First != nullptr) Scope.AddLeafSources(First->GetFrom());
    Child->FixupObjects(FromSources);
    if (First != nullptr) ReleaseResultColumnNames(*FOrderBy, *First);
  }
}

// --- TSQLSubSelectStatementProxy ---------------------------------------------------------------

namespace {
[[noreturn]] void RefuseProxyCall(const char* Operation) {
  throw EvxException(std::string(Operation) + " can't be called with TSQLSubSelectStatementProxy");
}
}  // namespace

TSQLSubSelectStatementProxy::TSQLSubSelectStatementProxy(TastSyntaxProvider* SyntaxProvider, TvxObject* Owner,
                                                         std::unique_ptr<TSQLSubSelectStatement> SubSelect)
    : TSQLSubSelectStatement(SyntaxProvider), FOwner(Owner), FSubSelect(std::move(SubSelect)) {}

TSQLSubSelectStatementProxy::~TSQLSubSelectStatementProxy() = default;

void TSQLSubSelectStatementProxy::BuildSQL(TSQLBuilder& Builder, bool MultiLine) const {
  if (std::unique_ptr<TSQLSubSelectStatement> Tree = GetASTTree()) Tree->BuildSQL(Builder, MultiLine);
}

void TSQLSubSelectStatementProxy::BuildSQLDirect(TSQLBuilder& Builder, bool MultiLine) const {
  BuildSQL(Builder, MultiLine);
}

void TSQLSubSelectStatementProxy::GetMyChildren(TastChildren&) const {}

bool TSQLSubSelectStatementProxy::IsUsable() const {
  std::unique_ptr<TSQLSubSelectStatement> Tree = GetASTTree();
  return Tree && Tree->IsUsable();
}

std::unique_ptr<TastNode> TSQLSubSelectStatementProxy::CloneInternal() const { return GetASTTree(); }

void TSQLSubSelectStatementProxy::Assign(const TastExtender&) { RefuseProxyCall("Assign"); }
TSQLSubQueryExpression* TSQLSubSelectStatementProxy::GetItems(int) const { RefuseProxyCall("GetItems"); }
int TSQLSubSelectStatementProxy::GetCount() const { RefuseProxyCall("GetCount"); }
int TSQLSubSelectStatementProxy::Add(std::unique_ptr<TSQLSubQueryExpression>) { RefuseProxyCall("Add"); }
void TSQLSubSelectStatementProxy::Remove(const TSQLSubQueryExpression*) { RefuseProxyCall("Remove"); }
void TSQLSubSelectStatementProxy::Delete(int) { RefuseProxyCall("Delete"); }
std::unique_ptr<TSQLSubQueryExpression> TSQLSubSelectStatementProxy::Extract(const TSQLSubQueryExpression*) {
  RefuseProxyCall("Extract");
}
std::unique_ptr<TSQLSubQueryExpression> TSQLSubSelectStatementProxy::Extract(int) { RefuseProxyCall("Extract"); }
void TSQLSubSelectStatementProxy::Clear() { RefuseProxyCall("Clear"); }
