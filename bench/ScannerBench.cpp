// Scanner throughput: a realistic mix of SELECT statements (the shipped corpus when present,
// otherwise generated) and generated inputs of 10 KB, 100 KB and 1 MB, each scanned by a fresh
// SQL92Scanner (copy, tokenisation, keyword recognition) and read by a plain byte loop. The
// summary prints both rates and their ratio: the byte loop is the floor any scanner pays.
#include "SQL92Scanner.h"
#include "vxBenchCommon.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Statements of the shape a query builder reads and writes: qualified names, joins, literals,
// comparisons, aggregates, CR LF line breaks with indentation and the odd remark.
class TStatementGenerator {
public:
  explicit TStatementGenerator(uint32_t Seed) : FRandom(Seed) {}

  std::string Generate(size_t Bytes) {
    std::string Text;
    Text.reserve(Bytes + 1024);
    while (Text.size() < Bytes) AppendStatement(Text);
    return Text;
  }

private:
  static constexpr std::array<const char*, 10> Tables = {"Customers", "Orders",   "OrderLines", "Products", "Suppliers",
                                                         "Employees", "Shippers", "Categories", "Regions",  "Invoices"};
  static constexpr std::array<const char*, 14> Columns = {
      "CustomerID", "CompanyName", "OrderDate", "Quantity",  "UnitPrice", "Discount", "ProductName",
      "Country",    "City",        "name",      "ShippedAt", "Total",     "Status",   "EmployeeID"};
  static constexpr std::array<const char*, 8> Comparisons = {"=", "<>", "<", ">", "<=", ">=", "!=", "="};
  static constexpr std::array<const char*, 5> Aggregates = {"count", "sum", "avg", "min", "max"};

  size_t Pick(size_t Count) { return std::uniform_int_distribution<size_t>(0, Count - 1)(FRandom); }
  bool Chance(int Percent) { return static_cast<int>(Pick(100)) < Percent; }

  void AppendColumn(std::string& Text, char Alias) {
    Text += Alias;
    Text += '.';
    Text += Columns[Pick(Columns.size())];
  }
  void AppendValue(std::string& Text) {
    switch (Pick(5)) {
      case 0:
        Text += std::to_string(Pick(100000));
        break;
      case 1:
        Text += std::to_string(Pick(1000)) + "." + std::to_string(Pick(100));
        break;
      case 2:
        Text += "'Value " + std::to_string(Pick(1000)) + "'";
        break;
      case 3:
        Text += "'O''Brien'";
        break;
      default:
        Text += "{d '2024-0" + std::to_string(1 + Pick(9)) + "-15'}";
        break;
    }
  }
  void AppendStatement(std::string& Text) {
    const size_t Joins = Pick(4);
    if (Chance(20)) Text += "-- report " + std::to_string(Pick(100)) + " of the sales figures\r\n";
    Text += Chance(50) ? "SELECT " : "select ";
    if (Chance(10)) Text += "DISTINCT ";
    const size_t Items = 1 + Pick(6);
    for (size_t I = 0; I < Items; ++I) {
      if (I > 0) Text += ", ";
      const char Alias = static_cast<char>('a' + Pick(Joins + 1));
      if (Chance(15)) {
        Text += Aggregates[Pick(Aggregates.size())];
        Text += '(';
        AppendColumn(Text, Alias);
        Text += ") AS Total" + std::to_string(I);
      } else if (Chance(10)) {
        Text += Alias;
        Text += ".*";
      } else {
        AppendColumn(Text, Alias);
      }
    }
    Text += "\r\n  FROM ";
    Text += Tables[Pick(Tables.size())];
    Text += " a";
    for (size_t J = 1; J <= Joins; ++J) {
      const char Alias = static_cast<char>('a' + J);
      Text += Chance(70) ? "\r\n    INNER JOIN " : "\r\n    LEFT OUTER JOIN ";
      Text += Tables[Pick(Tables.size())];
      Text += ' ';
      Text += Alias;
      Text += " ON ";
      AppendColumn(Text, Alias);
      Text += " = ";
      AppendColumn(Text, static_cast<char>(Alias - 1));
    }
    Text += "\r\n WHERE ";
    const size_t Conditions = 1 + Pick(3);
    for (size_t I = 0; I < Conditions; ++I) {
      if (I > 0) Text += Chance(70) ? "\r\n   AND " : "\r\n   OR ";
      AppendColumn(Text, static_cast<char>('a' + Pick(Joins + 1)));
      if (Chance(15)) {
        Text += " BETWEEN 1 AND 100";
      } else if (Chance(15)) {
        Text += " IS NOT NULL";
      } else {
        Text += ' ';
        Text += Comparisons[Pick(Comparisons.size())];
        Text += ' ';
        AppendValue(Text);
      }
    }
    if (Chance(40)) {
      Text += "\r\n ORDER BY ";
      AppendColumn(Text, 'a');
      Text += Chance(50) ? " DESC" : "";
    }
    Text += ";\r\n\r\n";
  }

  std::mt19937 FRandom;
};

// The shipped corpus of statements, concatenated (and repeated) up to about Bytes; empty when
// there is none.
std::string LoadCorpus(size_t Bytes) {
  namespace fs = std::filesystem;
  const fs::path Folder = fs::path(VX_SOURCE_DIR) / "tests" / "data" / "corpus";
  std::error_code Error;
  if (!fs::is_directory(Folder, Error)) return std::string();
  std::vector<fs::path> Files;
  for (const auto& Entry : fs::recursive_directory_iterator(Folder, Error))
    if (Entry.is_regular_file() && Entry.path().extension() == ".sql") Files.push_back(Entry.path());
  std::sort(Files.begin(), Files.end());
  std::string All;
  for (const auto& File : Files) {
    std::ifstream Stream(File, std::ios::binary);
    std::ostringstream Content;
    Content << Stream.rdbuf();
    All += Content.str();
    All += "\r\n";
  }
  if (All.empty()) return All;
  std::string Text;
  while (Text.size() < Bytes) Text += All;
  return Text;
}

struct TInput {
  std::string Name;
  std::string Text;
};

std::vector<TInput>& Inputs() {
  static std::vector<TInput> List = [] {
    std::vector<TInput> Result;
    std::string Corpus = LoadCorpus(1 << 20);
    if (!Corpus.empty())
      Result.push_back({"corpus mix 1MB", std::move(Corpus)});
    else
      Result.push_back({"generated mix 1MB", TStatementGenerator(1).Generate(1 << 20)});
    Result.push_back({"generated 10KB", TStatementGenerator(2).Generate(10 << 10)});
    Result.push_back({"generated 100KB", TStatementGenerator(3).Generate(100 << 10)});
    Result.push_back({"generated 1MB", TStatementGenerator(4).Generate(1 << 20)});
    return Result;
  }();
  return List;
}

void BM_Scan(benchmark::State& State, const TInput* Input) {
  size_t Tokens = 0;
  for (auto _ : State) {
    SQL92Scanner Scanner;
    Scanner.Init(Input->Text);
    Tokens = static_cast<size_t>(Scanner.GetTokenCount());
    benchmark::DoNotOptimize(Scanner.GetRecords().data());
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Input->Text.size()));
  State.counters["tokens"] = static_cast<double>(Tokens);
}

// The same bytes through the loop every scanner needs at least.
void BM_ByteLoop(benchmark::State& State, const TInput* Input) {
  for (auto _ : State) benchmark::DoNotOptimize(vxbench::CountClassChanges(Input->Text));
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Input->Text.size()));
}

}  // namespace

int main(int argc, char** argv) {
  for (const TInput& Input : Inputs()) {
    benchmark::RegisterBenchmark(("Scan/" + Input.Name).c_str(), BM_Scan, &Input)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("ByteLoop/" + Input.Name).c_str(), BM_ByteLoop, &Input)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  vxbench::TRateReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  benchmark::Shutdown();

  std::printf("\n%-20s %12s %12s %8s\n", "input", "scan MB/s", "bytes MB/s", "ratio");
  for (const TInput& Input : Inputs()) {
    const double Scan = Reporter.Get("Scan", Input.Name).Bytes / 1e6;
    const double Bytes = Reporter.Get("ByteLoop", Input.Name).Bytes / 1e6;
    if (Scan <= 0.0 || Bytes <= 0.0) continue;  // filtered out on the command line
    std::printf("%-20s %12.1f %12.1f %8.2f\n", Input.Name.c_str(), Scan, Bytes, Scan / Bytes);
  }
  return 0;
}
