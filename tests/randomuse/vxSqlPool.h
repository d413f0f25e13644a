// The statements a random user assigns: every statement of the SQL corpus and of the torture
// file (together they use every construct of the grammar), and broken variants of them.
#pragma once

#include "vxRandom.h"

#include <string>
#include <vector>

namespace vxrandom {

class TvxSqlPool {
public:
  // The pool of tests/data (VX_TEST_DATA, else the source tree's), read once.
  static const TvxSqlPool& Get();

  const std::vector<std::string>& GetStatements() const { return FStatements; }
  const std::string& PickStatement(TvxRandom& Random) const { return Random.Pick(FStatements); }
  // A statement of the pool cut short, with a piece cut out, or with a stray token or byte put in.
  std::string MakeBroken(TvxRandom& Random) const;

private:
  TvxSqlPool();
  std::vector<std::string> FStatements;
};

}  // namespace vxrandom
