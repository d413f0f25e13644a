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

TEST(SourceDiagnostic, ShowsWhatATerminalWouldActOnAsEscapes) {
  // ESC (a terminal escape sequence), BEL, DEL, a C1 control (CSI, U+009B), a character that
  // reorders text (U+202E) and a byte that starts no UTF-8 sequence; the caret stays under
  // the token.
  const std::string Text = "select a\x1B[31m\x07\x7F\xC2\x9B\xE2\x80\xAE\xFF x y";
  TvxSourceDiagnostic Diagnostic("Bad SELECT statement", 1, 25, "y");
  EXPECT_EQ(Diagnostic.Render("f\x1B", Text),
            "f\\x1B:1:25: Bad SELECT statement near 'y'\n"
            "select a\\x1B[31m\\x07\\x7F\\u009B\\u202E\\xFF x y\n" +
                std::string(43, ' ') + "^\n");
  EXPECT_EQ(VisibleText("ok \xC3\xBC\t"), "ok \xC3\xBC\t");
}

TEST(SourceDiagnostic, EchoesAWindowOfALongLine) {
  // The caret far into a long line: the window ends a little after it, "..." on both sides.
  const std::string Line = std::string(5000, 'a') + " bad " + std::string(5000, 'b');
  TvxSourceDiagnostic Middle("Bad SELECT statement", 1, 5002, "bad");
  const std::string Report = Middle.Render("f", Line);
  const std::string Echo =
      Report.substr(Report.find('\n') + 1, Report.find('\n', Report.find('\n') + 1) - Report.find('\n') - 1);
  EXPECT_EQ(Echo.size(), 3u + 120u + 3u);
  EXPECT_EQ(Echo.substr(0, 3), "...");
  EXPECT_EQ(Echo.substr(Echo.size() - 3), "...");
  const size_t Bad = Echo.find(" bad ");
  ASSERT_NE(Bad, std::string::npos) << Echo;
  EXPECT_EQ(Report.substr(Report.rfind('\n', Report.size() - 2) + 1), std::string(Bad + 1, ' ') + "^~~\n");

  // Near the start of the line only the end is cut, near its end only the start.
  TvxSourceDiagnostic Start("Bad SELECT statement", 1, 1, "aaa");
  const std::string StartReport = Start.Render("f", Line);
  EXPECT_EQ(StartReport.substr(StartReport.find('\n') + 1, 124), std::string(120, 'a') + "...\n");
  TvxSourceDiagnostic End("Bad SELECT statement", 1, 10005, "b");
  const std::string EndReport = End.Render("f", Line);
  EXPECT_NE(EndReport.find("\n..." + std::string(120, 'b') + "\n"), std::string::npos) << EndReport;
  // The end of input of a long line: the caret just after the last character.
  TvxSourceDiagnostic AtEnd("Bad SELECT statement", 1, 10011, "EOF");
  const std::string AtEndReport = AtEnd.Render("f", Line);
  EXPECT_NE(AtEndReport.find("at end of input\n..." + std::string(120, 'b') + "\n   " + std::string(120, ' ') + "^\n"),
            std::string::npos)
      << AtEndReport;
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
