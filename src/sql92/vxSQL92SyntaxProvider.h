// The SQL-92 dialect at the level of the syntax tree: the SQL-92 scanner and parser, double
// quotes around names, the five aggregates, and every feature the query model can use.
#pragma once

#include "vxParserBase.h"
#include "vxSyntaxProvider.h"

#include <memory>
#include <string>
#include <string_view>

class TastSQL92SyntaxProvider : public TastSyntaxProvider {
public:
  TastSQL92SyntaxProvider();

  const TvxParserClass& GetParserClass() const override;
  const TvxScannerClass& GetScannerClass() const override;

  // "Count": the only aggregate that takes "*".
  void GetStarAggregateNames(TvxStringList& List) const override;
  // None: every aggregate also takes ALL or DISTINCT.
  void Get1ParamAggregateNames(TvxStringList& List) const override;
  // "Avg", "Count", "Max", "Min", "Sum".
  void GetPrefixed1ParamAggregateNames(TvxStringList& List) const override;

  std::string GetQuoteBegin() const override { return "\""; }
  std::string GetQuoteEnd() const override { return "\""; }
  // Every keyword of the dialect except the non-reserved words (NAME, TYPE, DATA, ...), which
  // the grammar also takes as names.
  bool IsReservedWord(std::string_view Word) const override;

  bool IsSupportViews() const override { return true; }
  bool IsSupportUnions() const override { return true; }
  bool IsSupportBracketsInUnions() const override { return true; }
  bool IsSupportDerivedTables() const override { return true; }
  bool IsSupportSubQueryUnions() const override { return true; }
  bool IsSupportSubQueryBracketsInUnions() const override { return true; }
  bool IsSupportSubQueryDerivedTables() const override { return true; }
};
