// Splits the SQL test data into libFuzzer seeds, one text per file: every statement of the
// corpus files and of the torture file, and the text of every case of the parser case files.
//   vx_fuzz_seeds <tests/data folder> <seed folder>
// The seed folder is emptied first, so seeds of statements that were removed do not linger.
#include "vxParserCases.h"
#include "vxSqlCorpus.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

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
      for (const vxtest::TParserCase& Case : vxtest::LoadParserCaseFile(File.path().string()))
        Save(Seeds, File.path().stem().string() + "-" + std::to_string(++Index), Case.Text), ++Count;
    }
    std::printf("%zu seeds in %s\n", Count, Seeds.string().c_str());
    return 0;
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "vx_fuzz_seeds: %s\n", Error.what());
    return 1;
  }
}
