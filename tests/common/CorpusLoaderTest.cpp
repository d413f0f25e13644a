#include "vxSqlCorpus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <stdexcept>

namespace {

using TEngines = std::vector<std::string>;
const TEngines CBoth = {"sqlite", "pg"};

TEST(CorpusLoader, SplitsEntriesAndKeepsStatementTextExactly) {
  const std::string Text =
      "-- Theme of the file, not part of any statement\n"
      "\n"
      "SELECT a\n"
      "  FROM t -- trailing remark stays\n"
      "\n"
      "\tWHERE a > 1\n"
      "\n"
      ";\n"
      "-- engines: pg\n"
      "SELECT 1\n"
      "UNION (SELECT 2)\n"
      "  ;  \n"
      "--engines: none\n"
      "-- a second header comment\n"
      "SELECT {d '2024-01-02'}\n"
      ";\n"
      "-- engines: sqlite  pg  sqlite\n"
      "SELECT [x]\r\n"
      "FROM t\r\n"
      ";\r\n"
      "SELECT last\n"
      "-- comment after the last line\n";
  const auto Entries = ParseCorpusText(Text, "demo.sql");
  ASSERT_EQ(Entries.size(), 5u);

  struct TExpected {
    int Line;
    std::string Text;
    TEngines Engines;
  };
  const TExpected Expected[] = {
      {3, "SELECT a\n  FROM t -- trailing remark stays\n\n\tWHERE a > 1", CBoth},
      {10, "SELECT 1\nUNION (SELECT 2)", {"pg"}},
      {15, "SELECT {d '2024-01-02'}", {}},
      {18, "SELECT [x]\nFROM t", CBoth},
      {21, "SELECT last\n-- comment after the last line", CBoth},
  };
  for (size_t I = 0; I < Entries.size(); ++I) {
    SCOPED_TRACE(I);
    EXPECT_EQ(Entries[I].File, "demo.sql");
    EXPECT_EQ(Entries[I].Line, Expected[I].Line);
    EXPECT_EQ(Entries[I].Text, Expected[I].Text);
    EXPECT_EQ(Entries[I].Engines, Expected[I].Engines);
  }
  EXPECT_EQ(Entries[1].GetLocation(), "demo.sql:10");
  EXPECT_TRUE(Entries[1].RunsOn("pg"));
  EXPECT_FALSE(Entries[1].RunsOn("sqlite"));
  EXPECT_FALSE(Entries[2].RunsOn("pg"));
}

TEST(CorpusLoader, IgnoresEmptyEntries) {
  EXPECT_TRUE(ParseCorpusText("", "e.sql").empty());
  EXPECT_TRUE(ParseCorpusText(";\n;\n-- only a remark\n;\n\n", "e.sql").empty());
  const auto Entries = ParseCorpusText(";\n;\nSELECT 1\n;\n;\n", "e.sql");
  ASSERT_EQ(Entries.size(), 1u);
  EXPECT_EQ(Entries[0].Line, 3);
}

TEST(CorpusLoader, RejectsMalformedHeadersWithTheirLine) {
  const struct {
    const char* Text;
    const char* Message;
  } Cases[] = {
      {"SELECT 1\n;\n-- engines: oracle\nSELECT 2\n", "bad.sql:3: unknown engine 'oracle'"},
      {"-- engines: pg\n-- engines: sqlite\nSELECT 2\n", "bad.sql:2: second engines line"},
      {"SELECT 1\n;\n\n-- engines: pg\n;\nSELECT 2\n", "bad.sql:4: engines line without a statement"},
      {"-- engines: pg\n", "bad.sql:1: engines line without a statement"},
      {"-- engines: none pg\nSELECT 1\n", "bad.sql:1: 'none' cannot be combined"},
      {"-- engines:\nSELECT 1\n", "bad.sql:1: engines line names no engine"},
      {"SELECT 1\nFROM t\n-- engines: pg\n;\n", "bad.sql:3: engines line inside a statement"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Text);
    try {
      ParseCorpusText(Case.Text, "bad.sql");
      ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& Error) {
      EXPECT_EQ(std::string(Error.what()).rfind(Case.Message, 0), 0u) << Error.what();
    }
  }
}

TEST(CorpusLoader, ReportsMissingFilesAndFolders) {
  EXPECT_THROW(LoadCorpusFile("/nonexistent/corpus.sql"), std::runtime_error);
  EXPECT_THROW(LoadCorpus("/nonexistent/corpus"), std::runtime_error);
  EXPECT_THROW(LoadCorpus(GetTestDataDirectory() + "/corpus/README.md"), std::runtime_error);
}

// The shipped corpus itself: the loader reads all of it, and the data keeps the properties the
// tests built on it rely on.
TEST(ShippedCorpus, LoadsInFileOrderWithDistinctStatements) {
  const auto Entries = LoadCorpus(GetTestDataDirectory() + "/corpus");
  ASSERT_GE(Entries.size(), 400u);

  std::set<std::string> Texts;
  std::set<std::string> Files;
  std::string PreviousFile;
  int PreviousLine = 0;
  size_t RunsOnSqlite = 0, RunsOnPg = 0;
  for (const auto& Entry : Entries) {
    SCOPED_TRACE(Entry.GetLocation());
    EXPECT_FALSE(Entry.Text.empty());
    EXPECT_EQ(Entry.Text.find('\r'), std::string::npos);
    EXPECT_TRUE(Texts.insert(Entry.Text).second) << "duplicate statement";
    if (Entry.File == PreviousFile) {
      EXPECT_GT(Entry.Line, PreviousLine);
    } else {
      EXPECT_LT(PreviousFile, Entry.File);
    }
    PreviousFile = Entry.File;
    PreviousLine = Entry.Line;
    Files.insert(Entry.File);
    RunsOnSqlite += Entry.RunsOn("sqlite");
    RunsOnPg += Entry.RunsOn("pg");
  }
  EXPECT_GE(Files.size(), 8u);
  // Most statements are meant to be checked against real databases.
  EXPECT_GT(RunsOnSqlite, Entries.size() / 2);
  EXPECT_GT(RunsOnPg, Entries.size() / 2);
}

TEST(ShippedCorpus, TortureFileLoads) {
  const auto Entries = LoadCorpusFile(GetTestDataDirectory() + "/torture.sql");
  ASSERT_GE(Entries.size(), 20u);
  EXPECT_EQ(Entries.front().File, "torture.sql");
}

}  // namespace
