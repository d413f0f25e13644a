// The vxsql program as a user runs it: arguments, standard input, output streams and exit
// status of the built executable.
#include "vxSqlCorpus.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Env(const char* Name) {
  const char* Value = std::getenv(Name);
  if (Value == nullptr) throw std::runtime_error(std::string(Name) + " is not set; run the test through CTest");
  return Value;
}

void WriteFile(const std::string& Path, const std::string& Text) { std::ofstream(Path, std::ios::binary) << Text; }

std::string Quoted(const std::string& Arg) {
  std::string Result = "'";
  for (char C : Arg) Result += C == '\'' ? std::string("'\\''") : std::string(1, C);
  return Result + "'";
}

// One run of the tool with its arguments and standard input; keeps both output streams and the
// exit status (-1 when it died of a signal, as a sanitizer abort does).
class TvxToolRun {
public:
  explicit TvxToolRun(const std::vector<std::string>& Args, const std::string& Input = "") {
    static int Counter = 0;
    std::string Base = testing::TempDir() + "vxsql-" + std::to_string(getpid()) + "-" + std::to_string(++Counter);
    WriteFile(Base + ".in", Input);
    std::string Command = Quoted(Env("VXSQL"));
    for (const std::string& Arg : Args) Command += " " + Quoted(Arg);
    Command += " <" + Quoted(Base + ".in") + " >" + Quoted(Base + ".out") + " 2>" + Quoted(Base + ".err");
    int Status = std::system(Command.c_str());
    FStatus = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    FOut = ReadTextFile(Base + ".out");
    FErr = ReadTextFile(Base + ".err");
    for (const char* Suffix : {".in", ".out", ".err"}) std::remove((Base + Suffix).c_str());
  }

  int GetStatus() const { return FStatus; }
  const std::string& GetOut() const { return FOut; }
  const std::string& GetErr() const { return FErr; }

private:
  int FStatus;
  std::string FOut;
  std::string FErr;
};

std::string Sample() { return Env("VX_SAMPLES") + "/queries/sample.sql"; }
std::string Data(const std::string& Name) { return Env("VXSQL_TEST_DATA") + "/" + Name; }

std::string ReplaceAll(std::string Text, const std::string& From, const std::string& To) {
  for (size_t Pos = 0; (Pos = Text.find(From, Pos)) != std::string::npos; Pos += To.size())
    Text.replace(Pos, From.size(), To);
  return Text;
}

const std::string BadOrderReport =
    ":4:8: Bad SELECT statement near 'c'\n"
    " order c.CompanyName\n"
    "       ^\n";
const std::string TruncatedReport =
    ":3:25: Bad SELECT statement at end of input\n"
    " where (p.UnitPrice > 10\n"
    "                        ^\n";

TEST(VxsqlFormat, WritesOneClausePerLineWithTheLibrarysLineBreaks) {
  TvxToolRun Run({"format", Sample()});
  ASSERT_EQ(Run.GetStatus(), 0) << Run.GetErr();
  EXPECT_EQ(Run.GetErr(), "");
  const std::string& Out = Run.GetOut();
  ASSERT_GE(Out.size(), 2u);
  EXPECT_EQ(Out.substr(Out.size() - 2), "\r\n");
  // SELECT, FROM, WHERE, GROUP BY, HAVING and ORDER BY each start a line.
  EXPECT_GE(std::count(Out.begin(), Out.end(), '\n'), 6);
  for (size_t Pos = Out.find('\n'); Pos != std::string::npos; Pos = Out.find('\n', Pos + 1))
    EXPECT_EQ(Out[Pos - 1], '\r') << "a bare LF at byte " << Pos;
}

TEST(VxsqlFormat, OutputParsesBackToTheSameStatement) {
  TvxToolRun MultiLine({"format", Sample()});
  TvxToolRun OneLine({"format", "--one-line", Sample()});
  ASSERT_EQ(MultiLine.GetStatus(), 0) << MultiLine.GetErr();
  ASSERT_EQ(OneLine.GetStatus(), 0) << OneLine.GetErr();
  EXPECT_EQ(OneLine.GetOut().find('\n'), OneLine.GetOut().size() - 1) << OneLine.GetOut();

  TvxToolRun Again({"format", "--one-line", "-"}, MultiLine.GetOut());
  EXPECT_EQ(Again.GetStatus(), 0) << Again.GetErr();
  EXPECT_EQ(Again.GetOut(), OneLine.GetOut());
  EXPECT_EQ(TvxToolRun({"check", "-"}, MultiLine.GetOut()).GetStatus(), 0);
}

TEST(VxsqlFormat, ReadsStandardInputAndWritesLfOnRequest) {
  const std::string Expected = TvxToolRun({"format", Sample()}).GetOut();
  std::string Text = ReadTextFile(Sample());
  EXPECT_EQ(TvxToolRun({"format"}, Text).GetOut(), Expected);
  EXPECT_EQ(TvxToolRun({"format", "-"}, Text).GetOut(), Expected);
  EXPECT_EQ(TvxToolRun({"format", "--lf", Sample()}).GetOut(), ReplaceAll(Expected, "\r\n", "\n"));
  // Line ends of the input do not matter: a CR LF file and its LF copy format alike.
  const std::string CrLf = ReadTextFile(Data("open_orders_crlf.sql"));
  EXPECT_EQ(TvxToolRun({"format"}, ReplaceAll(CrLf, "\r\n", "\n")).GetOut(),
            TvxToolRun({"format", Data("open_orders_crlf.sql")}).GetOut());
}

TEST(VxsqlFormat, HtmlMarksKeywordsAndBreaksLinesWithTags) {
  TvxToolRun Run({"format", "--html", Sample()});
  ASSERT_EQ(Run.GetStatus(), 0) << Run.GetErr();
  const std::string& Out = Run.GetOut();
  EXPECT_NE(Out.find("<b>select</b>"), std::string::npos) << Out;
  EXPECT_NE(Out.find("<br/>"), std::string::npos) << Out;
  EXPECT_EQ(Out.find("\r\n"), Out.size() - 2) << "only the final line break is CR LF";
}

// Text of the statement that looks like markup is escaped: a page or a rich-text widget shows
// the statement, and nothing of it becomes a tag.
TEST(VxsqlFormat, HtmlEscapesTheStatementsText) {
  TvxToolRun Run({"format", "--html", "-"},
                 "SELECT \"<img src=x>\" FROM t WHERE a<b AND c = '</i><script>alert(1)</script>&amp;'");
  ASSERT_EQ(Run.GetStatus(), 0) << Run.GetErr();
  const std::string& Out = Run.GetOut();
  EXPECT_EQ(Out.find("<script>"), std::string::npos) << Out;
  EXPECT_EQ(Out.find("<img"), std::string::npos) << Out;
  EXPECT_EQ(Out.find("</i><script>"), std::string::npos) << Out;
  EXPECT_NE(Out.find("&lt;/i&gt;&lt;script&gt;alert(1)&lt;/script&gt;&amp;amp;"), std::string::npos) << Out;
  EXPECT_NE(Out.find("<i>\"&lt;img src=x&gt;\"</i>"), std::string::npos) << Out;
  EXPECT_NE(Out.find("<font color=#7f7fff>&lt;</font>"), std::string::npos) << Out;
}

// A file that an editor on Windows saved starts with a UTF-8 byte-order mark: it is no part of
// the statement.
TEST(VxsqlFormat, SkipsAByteOrderMark) {
  const std::string Text = ReadTextFile(Sample());
  const std::string Expected = TvxToolRun({"format"}, Text).GetOut();
  TvxToolRun Run({"format"}, "\xEF\xBB\xBF" + Text);
  EXPECT_EQ(Run.GetStatus(), 0) << Run.GetErr();
  EXPECT_EQ(Run.GetOut(), Expected);
  const std::string Path = testing::TempDir() + "vxsql-bom-" + std::to_string(getpid()) + ".sql";
  WriteFile(Path, "\xEF\xBB\xBF" + Text);
  EXPECT_EQ(TvxToolRun({"check", Path}).GetStatus(), 0);
  EXPECT_EQ(TvxToolRun({"format", Path}).GetOut(), Expected);
  // Columns count from after the mark, as editors count them.
  WriteFile(Path, "\xEF\xBB\xBFselect a fro t");
  EXPECT_EQ(TvxToolRun({"check", Path}).GetOut(),
            Path + ":1:14: Bad SELECT statement near 't'\nselect a fro t\n             ^\n");
  std::remove(Path.c_str());
}

TEST(VxsqlFormat, ReportsAParseErrorOnStandardError) {
  TvxToolRun Run({"format", Data("bad_order.sql")});
  EXPECT_EQ(Run.GetStatus(), 1);
  EXPECT_EQ(Run.GetOut(), "");
  EXPECT_EQ(Run.GetErr(), Data("bad_order.sql") + BadOrderReport);
}

TEST(VxsqlCheck, ReportsEveryBrokenFileInOrderAndFails) {
  TvxToolRun Run({"check", Sample(), Data("bad_order.sql"), Data("open_orders_crlf.sql"), Data("truncated.sql")});
  EXPECT_EQ(Run.GetStatus(), 1);
  EXPECT_EQ(Run.GetErr(), "");
  EXPECT_EQ(Run.GetOut(), Data("bad_order.sql") + BadOrderReport + Data("truncated.sql") + TruncatedReport);
}

TEST(VxsqlCheck, GoodFilesPassSilently) {
  TvxToolRun Run({"check", Sample(), Data("open_orders_crlf.sql")});
  EXPECT_EQ(Run.GetStatus(), 0) << Run.GetOut();
  EXPECT_EQ(Run.GetOut(), "");
  EXPECT_EQ(Run.GetErr(), "");
}

TEST(VxsqlCheck, ReadsStandardInputForDash) {
  TvxToolRun Run({"check", "-"}, ReadTextFile(Data("bad_order.sql")));
  EXPECT_EQ(Run.GetStatus(), 1);
  EXPECT_EQ(Run.GetOut(), "<stdin>" + BadOrderReport);
}

// The echoed line reaches a terminal: nothing in it may act on the terminal, and a line of
// megabytes is echoed as a window around the caret.
TEST(VxsqlCheck, EchoesTheLineVisiblyAndOnlyAroundTheCaret) {
  TvxToolRun Escapes({"check", "-"}, "select a\x1B[2J\x07 fro t");
  EXPECT_EQ(Escapes.GetStatus(), 1);
  EXPECT_EQ(Escapes.GetOut().find('\x1B'), std::string::npos) << Escapes.GetOut();
  EXPECT_EQ(Escapes.GetOut().find('\x07'), std::string::npos) << Escapes.GetOut();
  EXPECT_NE(Escapes.GetOut().find("\\x1B[2J\\x07"), std::string::npos) << Escapes.GetOut();

  const std::string Long = "select a from t where " + std::string(10'000'000, ' ') + "a = 1 b";
  TvxToolRun Run({"check", "-"}, Long);
  EXPECT_EQ(Run.GetStatus(), 1);
  EXPECT_LT(Run.GetOut().size(), 600u);
  EXPECT_NE(Run.GetOut().find("near 'b'"), std::string::npos) << Run.GetOut().substr(0, 600);
  // The window ends with the caret under the token it names.
  const size_t EchoEnd = Run.GetOut().find('\n', Run.GetOut().find('\n') + 1);
  const std::string Echo = Run.GetOut().substr(Run.GetOut().find('\n') + 1, EchoEnd - Run.GetOut().find('\n') - 1);
  const std::string Caret = Run.GetOut().substr(EchoEnd + 1);
  EXPECT_EQ(Echo.substr(0, 3), "...");
  EXPECT_EQ(Echo.substr(Echo.size() - 7), "a = 1 b");
  EXPECT_EQ(Caret, std::string(Echo.size() - 1, ' ') + "^\n");
}

TEST(VxsqlCheck, UnreadableFilesFailWithTheirReasonAndTheRestAreChecked) {
  const std::string Missing = Data("no-such-file.sql");
  TvxToolRun Run({"check", Missing, Env("VXSQL_TEST_DATA"), Data("bad_order.sql")});
  EXPECT_EQ(Run.GetStatus(), 1);
  EXPECT_EQ(Run.GetErr(), "vxsql: cannot read '" + Missing + "': No such file or directory\n" + "vxsql: cannot read '" +
                              Env("VXSQL_TEST_DATA") + "': Is a directory\n");
  EXPECT_EQ(Run.GetOut(), Data("bad_order.sql") + BadOrderReport);

  TvxToolRun Format({"format", Missing});
  EXPECT_EQ(Format.GetStatus(), 1);
  EXPECT_EQ(Format.GetErr(), "vxsql: cannot read '" + Missing + "': No such file or directory\n");
}

TEST(VxsqlUsage, WrongUsageExitsWithTwoAndShowsTheUsage) {
  struct TCase {
    std::vector<std::string> Args;
    std::string Message;
  };
  const TCase Cases[] = {
      {{}, "vxsql: no command given\n"},
      {{"frobnicate"}, "vxsql: unknown command 'frobnicate'\n"},
      {{"--frobnicate"}, "vxsql: unknown option '--frobnicate'\n"},
      {{"format", "--bogus", Sample()}, "vxsql format: unknown option '--bogus'\n"},
      {{"format", "--one-line", "--html", Sample()}, "vxsql format: --one-line and --html exclude each other\n"},
      {{"format", Sample(), Sample()}, "vxsql format: format reads one FILE\n"},
      {{"check"}, "vxsql check: check needs at least one FILE\n"},
      {{"check", "-x", Sample()}, "vxsql check: unknown option '-x'\n"},
  };
  for (const TCase& Case : Cases) {
    TvxToolRun Run(Case.Args);
    SCOPED_TRACE(testing::PrintToString(Case.Args));
    EXPECT_EQ(Run.GetStatus(), 2);
    EXPECT_EQ(Run.GetOut(), "");
    EXPECT_EQ(Run.GetErr().substr(0, Case.Message.size()), Case.Message);
    EXPECT_NE(Run.GetErr().find("usage:"), std::string::npos) << Run.GetErr();
  }
}

TEST(VxsqlUsage, HelpDescribesEveryCommand) {
  TvxToolRun Help({"--help"});
  EXPECT_EQ(Help.GetStatus(), 0);
  for (const char* Text : {"vxsql format [--one-line | --html] [--lf] [FILE]", "vxsql check FILE...", "Exit status"})
    EXPECT_NE(Help.GetOut().find(Text), std::string::npos) << Text;

  TvxToolRun CommandHelp({"check", "--help"});
  EXPECT_EQ(CommandHelp.GetStatus(), 0);
  EXPECT_EQ(CommandHelp.GetOut().rfind("usage: vxsql check FILE...\n", 0), 0u) << CommandHelp.GetOut();
  // After "--" a name that looks like an option is a file.
  TvxToolRun DashDash({"check", "--", "--help"});
  EXPECT_EQ(DashDash.GetStatus(), 1);
  EXPECT_EQ(DashDash.GetErr(), "vxsql: cannot read '--help': No such file or directory\n");
}

}  // namespace
