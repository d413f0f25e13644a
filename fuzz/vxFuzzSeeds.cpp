// Splits the SQL test data into libFuzzer seeds, one text per file: every statement of the
// corpus files and of the torture file, and the text of every case of the parser case files.
//   vx_fuzz_seeds <tests/data folder> <seed folder>
// The seed folder is emptied first, so seeds of statements that were removed do not linger.
#include "vxSqlCorpus.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The escapes of the parser case files: \n \r \t, \s for a blank, \\ for a backslash.
std::string Unescape(const std::string& Text) {
  std::string Result;
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] != '\\' || I + 1 == Text.size()) {
      Result += Text[I];
      continue;
    }
    switch (const char Ch = Text[++I]) {
      case 'n':
        Result += '\n';
        break;
      case 'r':
        Result += '\r';
        break;
      case 't':
        Result += '\t';
        break;
      case 's':
        Result += ' ';
        break;
      default:
        Result += Ch;
        break;
    }
  }
  return Result;
}

// The texts of a parser case file: the rest of every line that starts with an entry point's
// name ("select SELECT a FROM t"); indented lines are expectations, # lines remarks.
std::vector<std::string> LoadCaseTexts(const fs::path& File) {
  static const std::string EntryPoints[] = {"select", "object", "expr", "item", "logical", "criterion"};
  std::ifstream In(File, std::ios::binary);
  std::vector<std::string> Texts;
  std::string Line;
  while (std::getline(In, Line)) {
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    for (const std::string& Entry : EntryPoints)
      if (Line.compare(0, Entry.size(), Entry) == 0 && (Line.size() == Entry.size() || Line[Entry.size()] == ' '))
        Texts.push_back(Unescape(Line.size() > Entry.size() ? Line.substr(Entry.size() + 1) : std::string()));
  }
  return Texts;
}

void Save(const fs::path& Folder, const std::string& Name, const std::string& Text) {
  std::ofstream Out(Folder / Name, std::ios::binary);
  Out << Text;
  if (!Out) throw std::runtime_error((Folder / Name).string() + ": cannot be written");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vx_fuzz_seeds <tests/data folder> <seed folder>\n");
    return 2;
  }
  try {
    const fs::path Data = argv[1], Seeds = argv[2];
    fs::remove_all(Seeds);
    fs::create_directories(Seeds);
    size_t Count = 0;
    std::vector<TvxCorpusEntry> Entries = LoadCorpus((Data / "corpus").string());
    for (TvxCorpusEntry& Entry : LoadCorpusFile((Data / "torture.sql").string())) Entries.push_back(std::move(Entry));
    for (const TvxCorpusEntry& Entry : Entries)
      Save(Seeds, Entry.File + "-" + std::to_string(Entry.Line), Entry.Text), ++Count;
    for (const auto& File : fs::directory_iterator(Data / "parser")) {
      if (File.path().extension() != ".txt") continue;
      int Index = 0;
      for (const std::string& Text : LoadCaseTexts(File.path()))
        Save(Seeds, File.path().stem().string() + "-" + std::to_string(++Index), Text), ++Count;
    }
    std::printf("%zu seeds in %s\n", Count, Seeds.string().c_str());
    return 0;
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "vx_fuzz_seeds: %s\n", Error.what());
    return 1;
  }
}
