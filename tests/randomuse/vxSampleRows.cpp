#include "vxSampleRows.h"

#include "vxSampleDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <stdexcept>

namespace vxrandom {
namespace {

// Steps of SQLite's virtual machine between two calls of the progress handler, and calls
// allowed: some 5 million steps, a few hundredths of a second.
constexpr int StepsPerCall = 10000;
constexpr int CallsAllowed = 500;
constexpr size_t RowsAllowed = 50000;

struct TBudget {
  int Calls = 0;
};

int CountCall(void* Budget) { return ++static_cast<TBudget*>(Budget)->Calls > CallsAllowed ? 1 : 0; }

}  // namespace

TvxSampleRows::TvxSampleRows() {
  const std::string Path = TvxSampleDatabase::EnsureSQLiteFile().toStdString();
  if (sqlite3_open_v2(Path.c_str(), &FDb, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    const std::string Message = sqlite3_errmsg(FDb);
    sqlite3_close(FDb);
    throw std::runtime_error("cannot open " + Path + ": " + Message);
  }
}

TvxSampleRows::~TvxSampleRows() { sqlite3_close(FDb); }

TvxRows TvxSampleRows::Run(const std::string& SQL) const {
  TvxRows Result;
  TBudget Budget;
  sqlite3_progress_handler(FDb, StepsPerCall, CountCall, &Budget);
  sqlite3_stmt* Statement = nullptr;
  int Code = sqlite3_prepare_v2(FDb, SQL.c_str(), static_cast<int>(SQL.size()), &Statement, nullptr);
  if (Code == SQLITE_OK) Code = SQLITE_ROW;
  while (Code == SQLITE_ROW && (Code = sqlite3_step(Statement)) == SQLITE_ROW) {
    std::string Row;
    for (int Column = 0; Column < sqlite3_column_count(Statement); ++Column) {
      if (Column > 0) Row += '|';
      const unsigned char* Text = sqlite3_column_text(Statement, Column);
      Row += Text != nullptr ? reinterpret_cast<const char*>(Text) : "<null>";
    }
    Result.Rows.push_back(std::move(Row));
    if (Result.Rows.size() > RowsAllowed) {
      Code = SQLITE_INTERRUPT;
      break;
    }
  }
  if (Code == SQLITE_INTERRUPT) {
    Result.Status = TvxRows::rsTooCostly;
  } else if (Code != SQLITE_DONE) {
    Result.Status = TvxRows::rsError;
    Result.Error = sqlite3_errmsg(FDb);
  }
  sqlite3_finalize(Statement);
  sqlite3_progress_handler(FDb, 0, nullptr, nullptr);
  if (Result.Status != TvxRows::rsRows) Result.Rows.clear();
  std::sort(Result.Rows.begin(), Result.Rows.end());
  return Result;
}

}  // namespace vxrandom
