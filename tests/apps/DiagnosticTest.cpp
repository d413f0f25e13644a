// The diagnostics of the vxsql tool: where the location and the caret land for the line ends,
// tabs and UTF-8 text that real files contain.
#include "vxCliDiagnostic.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitSourceLines, CountsLineEndsAsTheScannerDoes) {
  struct TCase {
    std::string Text;
    std::vector<std::string> Lines;
  };
  const TCase Cases[] = {
      {"", {""}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\n\rb", {"a", "b"}},      // LF CR is one line end
      {"a\n\r\nb", {"a", "b"}},    // and so is LF CR LF
      {"a\r\rb", {"a", "", "b"}},  // two CRs are two
      {"a\r\n", {"a", ""}},
  };
  for (const TCase& Case : Cases) {
    std::vector<std::string_view> Lines = SplitSourceLines(Case.Text);
    EXPECT_EQ(std::vector<std::string>(Lines.begin(), Lines.end()), Case.Lines) << testing::PrintToString(Case.Text);
  }
}

TEST(SourceDiagnostic, CaretStandsUnderTheTokenPastTabsAndUtf8) {
  // 'Zürich' is 8 characters in 9 bytes; the parser's column counts bytes.
  const std::string Text = "select a\r\nselect 'Z\xC3\xBCrich' as City,\tx y z from t";
  TvxSourceDiagnostic Diagnostic("Bad SELECT statement", 2, 31, "z");
  EXPECT_EQ(Diagnostic.Render("q.sql", Text),
            "q.sql:2:31: Bad SELECT statement near 'z'\n"
            "select 'Z\xC3\xBCrich' as City,\tx y z from t\n" +
                std::string(24, ' ') + "\t    ^\n");
}

TEST(SourceDiagnostic, UnderlinesTheWholeTokenWithinItsLine) {
  TvxSourceDiagnostic Word("Bad SELECT statement", 1, 15, "orderx");
  EXPECT_EQ(Word.Render("-", "select a from orderx"),
            "-:1:15: Bad SELECT statement near 'orderx'\n"
            "select a from orderx\n"
            "              ^~~~~~\n");
  // A string literal running over two lines: the underline stops at the line end.
  TvxSourceDiagnostic Literal("Bad SELECT statement", 1, 10, "'ab\ncd'");
  EXPECT_EQ(Literal.Render("f", "select a 'ab\ncd' x"),
            "f:1:10: Bad SELECT statement near ''ab...'\n"
            "select a 'ab\n"
            "         ^~~\n");
}

TEST(SourceDiagnostic, EndOfTextPointsAfterTheLastWrittenCharacter) {
  struct TCase {
    std::string Text;
    int Line, Col;  // where the parser put its end-of-text token
    std::string Expected;
  };
  const TCase Cases[] = {
      {"select a\r\n  from t\r\n where\r\n\r\n", 5, 1,
       "f:3:7: Bad SELECT statement at end of input\n where\n      ^\n"},
      {"select a from t where", 1, 22,
       "f:1:22: Bad SELECT statement at end of input\nselect a from t where\n" + std::string(21, ' ') + "^\n"},
      {"", 1, 1, "f:1:1: Bad SELECT statement at end of input\n\n^\n"},
      {"  \n\t", 2, 2, "f:1:1: Bad SELECT statement at end of input\n  \n^\n"},
  };
  for (const TCase& Case : Cases) {
    TvxSourceDiagnostic Diagnostic("Bad SELECT statement", Case.Line, Case.Col, "EOF");
    EXPECT_EQ(Diagnostic.Render("f", Case.Text), Case.Expected) << testing::PrintToString(Case.Text);
  }
}

TEST(SourceDiagnostic, PositionsOutsideTheTextAreClamped) {
  // A position the text does not have must not read past it.
  TvxSourceDiagnostic Diagnostic("Bad expression", 9, 40, "x");
  EXPECT_EQ(Diagnostic.Render("f", "a +\nb x"), "f:2:4: Bad expression at end of input\nb x\n   ^\n");
  TvxSourceDiagnostic Before("Bad expression", 0, -3, "a");
  EXPECT_EQ(Before.Render("f", "a +"), "f:1:1: Bad expression near 'a'\na +\n^\n");
}

TEST(ShortTokenText, KeepsMessagesOnOneReadableLine) {
  EXPECT_EQ(ShortTokenText("Name"), "Name");
  EXPECT_EQ(ShortTokenText("\x01"), "\\x01");
  EXPECT_EQ(ShortTokenText("'first\r\nsecond'"), "'first...");
  EXPECT_EQ(ShortTokenText(std::string(41, 'a')), std::string(40, 'a') + "...");
  EXPECT_EQ(ShortTokenText(std::string(40, 'a')), std::string(40, 'a'));
  // Forty characters, not forty bytes.
  std::string Umlauts;
  for (int I = 0; I < 40; ++I) Umlauts += "\xC3\xBC";
  EXPECT_EQ(ShortTokenText(Umlauts), Umlauts);
}

}  // namespace
