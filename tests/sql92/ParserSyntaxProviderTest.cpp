// The SQL-92 dialect object, the parse error and the message collector, and how much of the
// way calculation a long statement leaves behind.
#include "ParserTestSupport.h"
#include "SQL92Parser.h"
#include "SQL92Scanner.h"
#include "SQL92Tokens.h"
#include "vxASTFrom.h"
#include "vxParserBase.h"
#include "vxSQLBuilder.h"

#include <gtest/gtest.h>

namespace {

using namespace vxtest;

TEST(SQL92SyntaxProvider, DialectLists) {
  TastSQL92SyntaxProvider Provider;
  TvxStringList List{"stale"};
  Provider.GetStarAggregateNames(List);
  EXPECT_EQ(List, (TvxStringList{"Count"}));
  Provider.Get1ParamAggregateNames(List);
  EXPECT_TRUE(List.IsEmpty());
  Provider.GetPrefixed1ParamAggregateNames(List);
  EXPECT_EQ(List, (TvxStringList{"Avg", "Count", "Max", "Min", "Sum"}));
  EXPECT_EQ(Provider.GetQuoteBegin(), "\"");
  EXPECT_EQ(Provider.GetQuoteEnd(), "\"");
  EXPECT_TRUE(Provider.IsSupportViews() && Provider.IsSupportUnions() && Provider.IsSupportBracketsInUnions() &&
              Provider.IsSupportDerivedTables() && Provider.IsSupportSubQueryUnions() &&
              Provider.IsSupportSubQueryBracketsInUnions() && Provider.IsSupportSubQueryDerivedTables());
  EXPECT_EQ(Provider.GetParserClass().Name, "SQL92Parser");
  EXPECT_EQ(Provider.GetScannerClass().Name, SQL92Scanner::StaticClass().Name);
}

TEST(SQL92SyntaxProvider, UnionOperatorPictureNames) {
  TastSQL92SyntaxProvider Provider;
  EXPECT_EQ(Provider.GetUnionOperatorIcon("union all"), "VXQB_UNIONALL");
  EXPECT_EQ(Provider.GetUnionOperatorIcon("Intersect"), "VXQB_INTERSECT");
  EXPECT_EQ(Provider.GetUnionOperatorIcon("EXCEPT ALL"), "VXQB_EXCEPTALL");
  // Only the exact words: the writer never spells an operator otherwise.
  for (const char* Op : {"union  all", "minus", "", "union all "})
    EXPECT_EQ(Provider.GetUnionOperatorIcon(Op), "") << Op;
}

TEST(SQL92SyntaxProvider, ReservedWordsAndQuoting) {
  TastSQL92SyntaxProvider Provider;
  for (const char* Word : {"select", "FROM", "Date", "count", "text", "line", "with", "cast", "CURRENT_USER"})
    EXPECT_TRUE(Provider.IsReservedWord(Word)) << Word;
  for (const char* Word : {"name", "TYPE", "data", "length", "c", "Customers", "", "selects"})
    EXPECT_FALSE(Provider.IsReservedWord(Word)) << Word;
  EXPECT_EQ(TSQLBuilder::QuoteIdentifier("Order Details", &Provider), "\"Order Details\"");
  EXPECT_EQ(TSQLBuilder::QuoteIdentifier("date", &Provider), "\"date\"");
  EXPECT_EQ(TSQLBuilder::QuoteIdentifier("name", &Provider), "name");
  // Brackets are quotes too when text is read; the name keeps them.
  EXPECT_EQ(Write(*Provider.ParseSelect("SELECT [date] FROM [Order Details]")), "SELECT [date] FROM [Order Details]");
}

// The writer settles most names by the length and the first and last letters of the dialect's
// reserved words before it asks the dialect: every keyword in any case, and every word that
// shares those three with one, must still come out quoted exactly when it is reserved.
TEST(SQL92SyntaxProvider, EveryReservedWordIsQuotedWhenWritten) {
  TastSQL92SyntaxProvider Provider;
  const auto Written = [&Provider](const std::string& Name) {
    std::string Text;
    TSQLBuilderPlainText Builder(Text);
    Builder.ResetBuilder();
    Builder.WriteIdentifier(Name, &Provider);
    return Text;
  };
  const auto Expect = [&](const std::string& Word, bool Reserved) {
    EXPECT_EQ(Provider.IsReservedWord(Word), Reserved) << Word;
    EXPECT_EQ(Written(Word), Reserved ? "\"" + Word + "\"" : Word);
  };
  int Reserved = 0;
  for (int32_t Kind = 0; Kind < sql92::TokenKindCount; ++Kind) {
    if (!sql92::IsKeywordKind(Kind)) continue;
    const std::string Upper = sql92::TokenKindTexts[Kind];
    Reserved += !sql92::IsNonReservedKind(Kind);
    std::string Mixed = vx::LowerCase(Upper);
    Mixed.front() = Upper.front();
    for (const std::string& Word : {Upper, vx::LowerCase(Upper), Mixed}) Expect(Word, !sql92::IsNonReservedKind(Kind));
    if (Upper.size() < 3) continue;
    std::string NearMiss = Upper;
    NearMiss[1] = NearMiss[1] == 'Q' ? 'J' : 'Q';
    Expect(NearMiss, IsSQL92ReservedWord(NearMiss));
  }
  EXPECT_EQ(Reserved, 98);
  for (const char* Word : {"_", "x", "SELECT_", "DATETIME_INTERVAL_PRECISIONS"}) Expect(Word, false);
}

TEST(SQL92SyntaxProvider, FromObjectForATableName) {
  TastSQL92SyntaxProvider Provider;
  std::unique_ptr<TSQLFromSource> Source = Provider.CreateSQLFromObject("dbo.Orders", "o");
  auto* Table = dynamic_cast<TSQLFromObject*>(Source.get());
  ASSERT_NE(Table, nullptr);
  // One name part, quoted as it needs (a dot in a name is part of it).
  EXPECT_EQ(Table->GetObject()->GetNames(), (TvxStringList{"\"dbo.Orders\""}));
  ASSERT_NE(Table->GetAlias(), nullptr);
  EXPECT_EQ(Table->GetAlias()->ClassName(), "TSQLAliasObjectAlias");
  EXPECT_EQ(Table->GetAlias()->GetAlias(), "o");
  EXPECT_EQ(Table->GetSyntaxProvider(), &Provider);
  EXPECT_EQ(Provider.CreateSQLFromObject("Orders", "")->GetAlias(), nullptr);
}

TEST(SQL92SyntaxProvider, ErrorCarriesThePositionOfItsToken) {
  TastSQL92SyntaxProvider Provider;
  const std::string Text = "SELECT a\r\nFROM t\r\nWHERE a = 1 ;";
  try {
    Provider.ParseSelect(Text);
    FAIL();
  } catch (const EvxSQLError& Error) {
    EXPECT_EQ(Error.GetMessage(), "Bad SELECT statement");
    EXPECT_EQ(Error.TokenText, ";");
    EXPECT_EQ(Error.TokenLine, 3);
    EXPECT_EQ(Error.TokenCol, 13);
    EXPECT_EQ(Error.TokenPos, 28);  // each CR LF counts once
    EXPECT_EQ(Error.TokenOffset, Text.size() - 1);
  }
  const EvxSQLError Bare("x");
  EXPECT_EQ(Bare.TokenLine, 0);
  EXPECT_TRUE(Bare.TokenText.empty());
}

TEST(SQL92SyntaxProvider, MessageCollector) {
  TvxParserErrors Errors;
  Errors.SynErr(1, 2, 7);
  Errors.SemErr(3, 4, 42);
  Errors.Error(5, 6, "text 100%");
  EXPECT_THROW(Errors.Exception("raw"), EvxAbort);
  EXPECT_EQ(Errors.GetMessages(), (TvxStringList{"line 1 col 2: SQL Syntax error", "line 3 col 4: error 42",
                                                 "line 5 col 6: text 100%", "raw"}));
  Errors.SetFormat("%s (%d/%d) %x 50%%");
  Errors.Error(7, 8, "y");
  EXPECT_EQ(Errors.GetMessages()[4], "%s (7/8) %x 50%");
}

// The way points a parse keeps alive stay proportional to the path that survives: a long list
// of qualified names leaves no ambiguity to record, and where every bracket is recorded the
// arena stays within a small factor of that path.
TEST(SQL92SyntaxProvider, WayCalculationKeepsLittle) {
  TastSQL92SyntaxProvider Provider;
  std::string List = "SELECT t.a0";
  for (int I = 1; I < 50000; ++I) List += ", s.t.a" + std::to_string(I) + " + f(u.b, 2)";
  std::string Brackets = "SELECT 1";
  for (int I = 0; I < 20000; ++I) Brackets += ", ((a)) + (b)";
  for (const std::string* Text : {&List, &Brackets}) {
    SQL92Scanner Scanner;
    Scanner.Init(*Text);
    SQL92Parser Parser(&Scanner, &Provider);
    ASSERT_TRUE(Parser.CalculateWay([&](TvxWays& Ways) { Parser.ParseSelectWayCalc(Ways); }));
    const size_t Way = Parser.GetWay().size();
    EXPECT_LE(static_cast<size_t>(Parser.GetPeakWayPointCount()), 2 * Way + 65536) << Text->substr(0, 20);
    EXPECT_NE(Parser.ParseSelect(), nullptr);
  }
}

}  // namespace
