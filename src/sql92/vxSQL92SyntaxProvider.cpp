#include "vxSQL92SyntaxProvider.h"

#include "SQL92Parser.h"
#include "SQL92Scanner.h"
#include "SQL92Tokens.h"

#include <cstdint>

namespace {

constexpr TvxReservedWordFilter MakeReservedWordFilter() {
  TvxReservedWordFilter Filter;
  for (int32_t Kind = 0; Kind < sql92::TokenKindCount; ++Kind)
    if (sql92::IsKeywordKind(Kind) && !sql92::IsNonReservedKind(Kind)) Filter.Add(sql92::TokenKindTexts[Kind]);
  return Filter;
}
constexpr TvxReservedWordFilter ReservedWordFilter = MakeReservedWordFilter();

}  // namespace

TastSQL92SyntaxProvider::TastSQL92SyntaxProvider() { SetReservedWordFilter(&ReservedWordFilter); }

const TvxParserClass& TastSQL92SyntaxProvider::GetParserClass() const { return SQL92Parser::StaticClass(); }

const TvxScannerClass& TastSQL92SyntaxProvider::GetScannerClass() const { return SQL92Scanner::StaticClass(); }

void TastSQL92SyntaxProvider::GetStarAggregateNames(TvxStringList& List) const { List = {"Count"}; }

void TastSQL92SyntaxProvider::Get1ParamAggregateNames(TvxStringList& List) const { List.Clear(); }

void TastSQL92SyntaxProvider::GetPrefixed1ParamAggregateNames(TvxStringList& List) const {
  List = {"Avg", "Count", "Max", "Min", "Sum"};
}

bool TastSQL92SyntaxProvider::IsReservedWord(std::string_view Word) const { return IsSQL92ReservedWord(Word); }
