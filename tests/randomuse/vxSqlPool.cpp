#include "vxSqlPool.h"

#include "vxSqlCorpus.h"

#include <cstdlib>

namespace vxrandom {
namespace {

std::string DataDirectory() {
  const char* FromEnvironment = std::getenv("VX_TEST_DATA");
  return FromEnvironment != nullptr && *FromEnvironment != 0 ? FromEnvironment : VX_DEFAULT_TEST_DATA;
}

// Tokens and bytes a slip of the keyboard or a half-pasted text puts into a statement.
const std::vector<std::string> GStrays = {"(",   ")",      ",",    "'",     "\"",       "[",   "*",     ";",
                                          ".",   "SELECT", "FROM", "WHERE", "JOIN",     "ON",  "UNION", "AND",
                                          "NOT", "--",     "/*",   "\x01",  "\xC3\xA9", "\xFF"};

}  // namespace

const TvxSqlPool& TvxSqlPool::Get() {
  static const TvxSqlPool Pool;
  return Pool;
}

TvxSqlPool::TvxSqlPool() {
  const std::string Directory = DataDirectory();
  std::vector<TvxCorpusEntry> Entries = LoadCorpus(Directory + "/corpus");
  for (TvxCorpusEntry& Entry : LoadCorpusFile(Directory + "/torture.sql")) Entries.push_back(std::move(Entry));
  for (TvxCorpusEntry& Entry : Entries) FStatements.push_back(std::move(Entry.Text));
}

std::string TvxSqlPool::MakeBroken(TvxRandom& Random) const {
  std::string Text = PickStatement(Random);
  const int Place = Random.Below(static_cast<int>(Text.size()));
  switch (Random.Below(3)) {
    case 0:
      Text.resize(static_cast<size_t>(Place));
      break;
    case 1:
      Text.erase(static_cast<size_t>(Place), static_cast<size_t>(1 + Random.Below(12)));
      break;
    default:
      Text.insert(static_cast<size_t>(Place), " " + Random.Pick(GStrays) + " ");
      break;
  }
  return Text;
}

}  // namespace vxrandom
