#include "vxSQL92SyntaxProvider.h"

#include "SQL92Parser.h"
#include "SQL92Scanner.h"
#include "SQL92Tokens.h"
#include "vxASTFrom.h"

const TvxParserClass& TastSQL92SyntaxProvider::GetParserClass() const { return SQL92Parser::StaticClass(); }

const TvxScannerClass& TastSQL92SyntaxProvider::GetScannerClass() const { return SQL92Scanner::StaticClass(); }

void TastSQL92SyntaxProvider::GetStarAggregateNames(TvxStringList& List) const { List = {"Count"}; }

void TastSQL92SyntaxProvider::Get1ParamAggregateNames(TvxStringList& List) const { List.Clear(); }

void TastSQL92SyntaxProvider::GetPrefixed1ParamAggregateNames(TvxStringList& List) const {
  List = {"Avg", "Count", "Max", "Min", "Sum"};
}

std::unique_ptr<TSQLFromSource> TastSQL92SyntaxProvider::CreateSQLFromObject(const std::string& ObjectName,
                                                                             const std::string& Alias) {
  auto Object = NewNode<TSQLDatabaseObject>(this);
  Object->AddName(ObjectName);
  auto Source = NewNode<TSQLFromObject>(this);
  Source->SetObject(std::move(Object));
  if (!Alias.empty()) Source->SetAlias(NewNode<TSQLAliasObjectAlias>(this, Alias));
  return Source;
}

bool TastSQL92SyntaxProvider::IsReservedWord(std::string_view Word) const { return IsSQL92ReservedWord(Word); }
