#include "vxSqlCorpus.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

const char* const CDefaultEngines[] = {"sqlite", "pg"};

bool IsBlank(const std::string& Line) { return Line.find_first_not_of(" \t") == std::string::npos; }

std::string Trim(const std::string& Text) {
  const auto First = Text.find_first_not_of(" \t");
  if (First == std::string::npos) return {};
  const auto Last = Text.find_last_not_of(" \t");
  return Text.substr(First, Last - First + 1);
}

bool IsSeparator(const std::string& Line) { return Trim(Line) == ";"; }

bool IsComment(const std::string& Line) { return Trim(Line).rfind("--", 0) == 0; }

[[noreturn]] void Fail(const std::string& File, int Line, const std::string& Message) {
  throw std::runtime_error(File + ":" + std::to_string(Line) + ": " + Message);
}

// The list after "engines:" when Line is an engines header line, else nothing. The word may be
// preceded by blanks after the "--", as people write comments both ways.
bool ReadEnginesLine(const std::string& Line, std::string& List) {
  std::string Rest = Trim(Line).substr(2);
  Rest = Trim(Rest);
  const std::string Key = "engines:";
  if (Rest.compare(0, Key.size(), Key) != 0) return false;
  List = Rest.substr(Key.size());
  return true;
}

std::vector<std::string> ParseEngines(const std::string& List, const std::string& File, int Line) {
  std::istringstream Words(List);
  std::vector<std::string> Result;
  bool None = false;
  for (std::string Word; Words >> Word;) {
    if (Word == "none") {
      None = true;
    } else if (Word == "sqlite" || Word == "pg") {
      if (std::find(Result.begin(), Result.end(), Word) == Result.end()) Result.push_back(Word);
    } else {
      Fail(File, Line, "unknown engine '" + Word + "' (expected sqlite, pg or none)");
    }
  }
  if (None && !Result.empty()) Fail(File, Line, "'none' cannot be combined with an engine");
  if (!None && Result.empty()) Fail(File, Line, "engines line names no engine");
  return Result;
}

// Collects one entry at a time: header lines first, then the statement's lines.
class TCorpusReader {
public:
  TCorpusReader(std::string File) : FFile(std::move(File)) {}

  void AddLine(std::string Line, int LineNo) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    if (IsSeparator(Line)) {
      Finish();
      return;
    }
    if (FStatement.empty()) {
      if (IsBlank(Line)) return;
      if (IsComment(Line)) {
        std::string List;
        if (ReadEnginesLine(Line, List)) {
          if (FEnginesLine != 0) Fail(FFile, LineNo, "second engines line for one statement");
          FEngines = ParseEngines(List, FFile, LineNo);
          FEnginesLine = LineNo;
        }
        return;
      }
      FFirstLine = LineNo;
    } else if (std::string List; IsComment(Line) && ReadEnginesLine(Line, List)) {
      // Comments inside a statement belong to it, but an engines line there is a header that
      // lost its place: the statement would silently run on the default engines.
      Fail(FFile, LineNo, "engines line inside a statement (put it before the statement)");
    }
    FStatement.push_back(std::move(Line));
  }

  // Ends the current entry (at a separator or at the end of the file).
  void Finish() {
    while (!FStatement.empty() && IsBlank(FStatement.back())) FStatement.pop_back();
    if (FStatement.empty()) {
      if (FEnginesLine != 0) Fail(FFile, FEnginesLine, "engines line without a statement");
    } else {
      TvxCorpusEntry Entry;
      Entry.File = FFile;
      Entry.Line = FFirstLine;
      for (size_t I = 0; I < FStatement.size(); ++I) {
        if (I > 0) Entry.Text += '\n';
        Entry.Text += FStatement[I];
      }
      Entry.Engines = FEnginesLine != 0
                          ? FEngines
                          : std::vector<std::string>(std::begin(CDefaultEngines), std::end(CDefaultEngines));
      FEntries.push_back(std::move(Entry));
    }
    FStatement.clear();
    FEngines.clear();
    FEnginesLine = 0;
  }

  std::vector<TvxCorpusEntry> ExtractEntries() { return std::move(FEntries); }

private:
  std::string FFile;
  std::vector<std::string> FStatement;
  std::vector<std::string> FEngines;
  int FEnginesLine = 0;
  int FFirstLine = 0;
  std::vector<TvxCorpusEntry> FEntries;
};

}  // namespace

bool TvxCorpusEntry::RunsOn(const std::string& Engine) const {
  return std::find(Engines.begin(), Engines.end(), Engine) != Engines.end();
}

std::string TvxCorpusEntry::GetLocation() const { return File + ":" + std::to_string(Line); }

std::vector<TvxCorpusEntry> ParseCorpusText(const std::string& Text, const std::string& FileName) {
  TCorpusReader Reader(FileName);
  std::istringstream Lines(Text);
  int LineNo = 0;
  for (std::string Line; std::getline(Lines, Line);) Reader.AddLine(std::move(Line), ++LineNo);
  Reader.Finish();
  return Reader.ExtractEntries();
}

std::vector<TvxCorpusEntry> LoadCorpusFile(const std::string& Path) {
  return ParseCorpusText(ReadTextFile(Path), std::filesystem::path(Path).filename().string());
}

std::vector<TvxCorpusEntry> LoadCorpus(const std::string& Directory) {
  namespace fs = std::filesystem;
  std::error_code Error;
  if (!fs::is_directory(Directory, Error)) throw std::runtime_error("no corpus directory " + Directory);
  std::vector<fs::path> Files;
  for (const auto& Item : fs::directory_iterator(Directory)) {
    if (Item.is_regular_file() && Item.path().extension() == ".sql") Files.push_back(Item.path());
  }
  if (Files.empty()) throw std::runtime_error("no *.sql file in corpus directory " + Directory);
  std::sort(Files.begin(), Files.end());
  std::vector<TvxCorpusEntry> Result;
  for (const auto& File : Files) {
    auto Entries = LoadCorpusFile(File.string());
    std::move(Entries.begin(), Entries.end(), std::back_inserter(Result));
  }
  return Result;
}

std::string ReadTextFile(const std::string& Path) {
  std::ifstream Stream(Path, std::ios::binary);
  if (!Stream) throw std::runtime_error("cannot read " + Path);
  std::ostringstream Content;
  Content << Stream.rdbuf();
  return Content.str();
}

std::string GetTestDataDirectory() {
  const char* Value = std::getenv("VX_TEST_DATA");
  if (Value == nullptr || *Value == '\0') {
    throw std::runtime_error("VX_TEST_DATA is not set; run the test through ctest or set it to tests/data");
  }
  return Value;
}
