#include "vxBaseSyntaxProvider.h"

#include "vxASTFrom.h"
#include "vxASTNames.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"

#include <algorithm>

TvxBaseSyntaxProvider::TvxBaseSyntaxProvider(QObject* Owner) : QObject(Owner) {}

TvxBaseSyntaxProvider::~TvxBaseSyntaxProvider() {
  // A copy: each query builder unregisters itself while it lets go.
  const std::vector<TvxQueryBuilder*> QueryBuilders = FQueryBuilders;
  for (TvxQueryBuilder* QueryBuilder : QueryBuilders) QueryBuilder->SyntaxProviderDestroying(this);
  FQueryBuilders.clear();
}

TastSyntaxProvider* TvxBaseSyntaxProvider::GetASTSyntaxProvider() { return GetASTSyntaxProviderShared().get(); }

std::shared_ptr<TastSyntaxProvider> TvxBaseSyntaxProvider::GetASTSyntaxProviderShared() {
  if (!FASTSyntaxProvider) FASTSyntaxProvider = CreateASTSyntaxProvider();
  return FASTSyntaxProvider;
}

// --- query builders ----------------------------------------------------------------------------

void TvxBaseSyntaxProvider::RegisterQueryBuilder(TvxQueryBuilder* QueryBuilder) {
  if (std::find(FQueryBuilders.begin(), FQueryBuilders.end(), QueryBuilder) == FQueryBuilders.end())
    FQueryBuilders.push_back(QueryBuilder);
}

void TvxBaseSyntaxProvider::UnregisterQueryBuilder(TvxQueryBuilder* QueryBuilder) {
  FQueryBuilders.erase(std::remove(FQueryBuilders.begin(), FQueryBuilders.end(), QueryBuilder), FQueryBuilders.end());
}

void TvxBaseSyntaxProvider::SendCapsChangedNotifications() {
  const std::vector<TvxQueryBuilder*> QueryBuilders = FQueryBuilders;
  for (TvxQueryBuilder* QueryBuilder : QueryBuilders) QueryBuilder->ReadSyntaxProviderCaps();
}

// --- parsing -----------------------------------------------------------------------------------

std::unique_ptr<TSQLSelectStatement> TvxBaseSyntaxProvider::ParseSelect(const std::string& Text) {
  return GetASTSyntaxProvider()->ParseSelect(Text);
}

namespace {
// The message of a parse error as the error list's text: one entry per line, as assigning a
// string list's Text splits it.
void SetErrorsText(TvxStringList& Errors, const std::string& Message) {
  Errors.Clear();
  std::string Line;
  for (size_t I = 0; I < Message.size(); ++I) {
    const char C = Message[I];
    if (C != '\r' && C != '\n') {
      Line += C;
      continue;
    }
    Errors.Add(std::move(Line));
    Line.clear();
    if (C == '\r' && I + 1 < Message.size() && Message[I + 1] == '\n') ++I;
  }
  if (!Line.empty()) Errors.Add(std::move(Line));
}
}  // namespace

std::unique_ptr<TSQLSelectItem> TvxBaseSyntaxProvider::ParseSelectItem(const std::string& Text, TvxStringList& Errors) {
  try {
    return GetASTSyntaxProvider()->ParseSelectItem(Text);
  } catch (const EvxSQLError& Error) {
    SetErrorsText(Errors, Error.GetMessage());
    return nullptr;
  }
}

std::unique_ptr<TSQLExpressionItem> TvxBaseSyntaxProvider::ParseLogicalExpression(const std::string& Text,
                                                                                  TvxStringList& Errors,
                                                                                  bool RequireLeftOperand) {
  try {
    return GetASTSyntaxProvider()->ParseLogicalExpression(Text, RequireLeftOperand);
  } catch (const EvxSQLError& Error) {
    SetErrorsText(Errors, Error.GetMessage());
    return nullptr;
  }
}

std::unique_ptr<TSQLExpressionItem> TvxBaseSyntaxProvider::ParseExpression(const std::string& Text,
                                                                           TvxStringList* Params) {
  return GetASTSyntaxProvider()->ParseExpression(Text, Params);
}

std::unique_ptr<TSQLDatabaseObject> TvxBaseSyntaxProvider::ParseObjectName(const std::string& Text) {
  return GetASTSyntaxProvider()->ParseObjectName(Text);
}

std::unique_ptr<TSQLFromSource> TvxBaseSyntaxProvider::CreateSQLFromObject(const std::string& Name,
                                                                           const std::string& Alias,
                                                                           TvxNameFolding Folding) {
  return GetASTSyntaxProvider()->CreateSQLFromObject(Name, Alias, Folding);
}

// --- dialect lists and names -------------------------------------------------------------------

void TvxBaseSyntaxProvider::GetStarAggregateNames(TvxStringList& List) {
  GetASTSyntaxProvider()->GetStarAggregateNames(List);
}
void TvxBaseSyntaxProvider::Get1ParamAggregateNames(TvxStringList& List) {
  GetASTSyntaxProvider()->Get1ParamAggregateNames(List);
}
void TvxBaseSyntaxProvider::GetPrefixed1ParamAggregateNames(TvxStringList& List) {
  GetASTSyntaxProvider()->GetPrefixed1ParamAggregateNames(List);
}
void TvxBaseSyntaxProvider::GetComparisonOperators(TvxStringList& List) {
  GetASTSyntaxProvider()->GetComparisonOperators(List);
}
std::string TvxBaseSyntaxProvider::GetQuoteBegin() { return GetASTSyntaxProvider()->GetQuoteBegin(); }
std::string TvxBaseSyntaxProvider::GetQuoteEnd() { return GetASTSyntaxProvider()->GetQuoteEnd(); }

bool TvxBaseSyntaxProvider::IsDBObjectNamesEqual(const TSQLDatabaseObject& A, const TSQLDatabaseObject& B) {
  return GetASTSyntaxProvider()->IsDBObjectNamesEqual(A, B);
}
bool TvxBaseSyntaxProvider::IsColumnOfDBObject(const TSQLObjectColumn& Column, const TSQLDatabaseObject& Object) {
  return GetASTSyntaxProvider()->IsColumnOfDBObject(Column, Object);
}

bool TvxBaseSyntaxProvider::IsNameOfStarAggregate(const std::string& Name) {
  TvxStringList List;
  GetStarAggregateNames(List);
  return List.Contains(vx::UpperCase(Name));
}

bool TvxBaseSyntaxProvider::IsNameOfAggregate(const std::string& Name) {
  TvxStringList List;
  Get1ParamAggregateNames(List);
  return List.Contains(vx::UpperCase(Name));
}

bool TvxBaseSyntaxProvider::IsNameOfPrefixedAggregate(const std::string& Name) {
  TvxStringList List;
  GetPrefixed1ParamAggregateNames(List);
  return List.Contains(vx::UpperCase(Name));
}

std::string TvxBaseSyntaxProvider::AggregateNormalize(const std::string& Name) {
  const std::string Key = vx::UpperCase(vx::Trim(Name));
  using TGetter = void (TvxBaseSyntaxProvider::*)(TvxStringList&);
  for (TGetter Getter : {&TvxBaseSyntaxProvider::GetStarAggregateNames, &TvxBaseSyntaxProvider::Get1ParamAggregateNames,
                         &TvxBaseSyntaxProvider::GetPrefixed1ParamAggregateNames}) {
    TvxStringList List;
    (this->*Getter)(List);
    const int Index = List.IndexOf(Key);
    if (Index >= 0) return List[Index];
  }
  return Key;
}

const TvxEditPropsFormClass* TvxBaseSyntaxProvider::GetEditPropsFormClass(TvxQueryBuilderControlOwner*) {
  return nullptr;
}
