// The rows of a statement on the sample SQLite file, read through SQLite's own interface: a
// random FROM clause easily joins large tables without a condition, and a budget of virtual
// machine steps stops such a statement instead of letting it run for minutes.
#pragma once

#include <string>
#include <vector>

struct sqlite3;

namespace vxrandom {

struct TvxRows {
  enum TStatus { rsRows, rsError, rsTooCostly };
  TStatus Status = rsRows;
  std::vector<std::string> Rows;  // sorted: the rows as a multiset, values joined by "|"
  std::string Error;              // SQLite's message for rsError
};

class TvxSampleRows {
public:
  // Opens the sample (built on first use) read-only.
  TvxSampleRows();
  ~TvxSampleRows();
  TvxSampleRows(const TvxSampleRows&) = delete;
  TvxSampleRows& operator=(const TvxSampleRows&) = delete;

  TvxRows Run(const std::string& SQL) const;

private:
  sqlite3* FDb = nullptr;
};

}  // namespace vxrandom
