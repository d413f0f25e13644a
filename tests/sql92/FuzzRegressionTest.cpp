// The inputs on which the parse fuzzer once found a fault (fuzz/regressions, one text per file,
// used as they are): each must now keep every invariant the fuzzer checks -- it parses or fails
// with a position inside the text, and what parses writes, parses again, copies and walks.
#include "vxParseCheck.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxSqlCorpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> RegressionInputs() {
  std::vector<fs::path> Files;
  for (const auto& Entry : fs::directory_iterator(VX_FUZZ_REGRESSIONS))
    if (Entry.is_regular_file() && Entry.path().extension() != ".md") Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  return Files;
}

TEST(FuzzRegression, EveryInputKeepsTheParseInvariants) {
  const std::vector<fs::path> Files = RegressionInputs();
  ASSERT_FALSE(Files.empty()) << VX_FUZZ_REGRESSIONS;
  TastSQL92SyntaxProvider Provider;
  for (const fs::path& File : Files)
    EXPECT_EQ(vxfuzz::CheckParse(Provider, ReadTextFile(File.string())), "") << File.filename();
}

}  // namespace
