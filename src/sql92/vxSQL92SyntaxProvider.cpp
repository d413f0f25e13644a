#include "vxSQL92SyntaxProvider.h"

#include "SQL92Parser.h"
#include "SQL92Scanner.h"
#include "SQL92Tokens.h"

const TvxParserClass& TastSQL92SyntaxProvider::GetParserClass() const { return SQL92Parser::StaticClass(); }

const TvxScannerClass& TastSQL92SyntaxProvider::GetScannerClass() const { return SQL92Scanner::StaticClass(); }

void TastSQL92SyntaxProvider::GetStarAggregateNames(TvxStringList& List) const { List = {"Count"}; }

void TastSQL92SyntaxProvider::Get1ParamAggregateNames(TvxStringList& List) const { List.Clear(); }

void TastSQL92SyntaxProvider::GetPrefixed1ParamAggregateNames(TvxStringList& List) const {
  List = {"Avg", "Count", "Max", "Min", "Sum"};
}

bool TastSQL92SyntaxProvider::IsReservedWord(std::string_view Word) const { return IsSQL92ReservedWord(Word); }
