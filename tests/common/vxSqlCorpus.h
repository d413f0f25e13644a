// Reader of the SQL corpus files (tests/data/corpus/*.sql, tests/data/torture.sql) shared by the
// tests and the benchmarks. The file format is described in tests/data/corpus/README.md: entries
// separated by lines holding only ";", an optional "-- engines: ..." header line per entry.
#pragma once

#include <string>
#include <vector>

// One statement of a corpus file.
struct TvxCorpusEntry {
  std::string File;                  // file name without directory, for messages ("joins.sql")
  int Line = 0;                      // 1-based line of the statement's first line
  std::string Text;                  // the statement exactly as written, lines joined with LF
  std::vector<std::string> Engines;  // "sqlite" and/or "pg"; empty when it runs nowhere

  bool RunsOn(const std::string& Engine) const;
  // "joins.sql:42", the prefix of every failure message about this entry.
  std::string GetLocation() const;
};

// Splits the text of one corpus file into its entries. FileName only labels the entries.
// Throws std::runtime_error naming file and line for an unknown engine, a second engines line
// or an engines line that no statement follows.
std::vector<TvxCorpusEntry> ParseCorpusText(const std::string& Text, const std::string& FileName);

// Reads one file. Throws std::runtime_error when it cannot be read or is malformed.
std::vector<TvxCorpusEntry> LoadCorpusFile(const std::string& Path);

// Reads every *.sql file of Directory (not its sub-folders), files in name order, entries in file
// order. Throws std::runtime_error when the directory does not exist or holds no *.sql file.
std::vector<TvxCorpusEntry> LoadCorpus(const std::string& Directory);

// The bytes of the file at Path. Throws std::runtime_error when it cannot be read.
std::string ReadTextFile(const std::string& Path);

// The tests/data folder: the VX_TEST_DATA environment variable, which CTest sets for every test.
// Throws std::runtime_error when it is not set.
std::string GetTestDataDirectory();
