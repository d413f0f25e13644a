// Parser throughput, growth and memory. Inputs: the shipped corpus and, on their own, its
// reports (statements of the length users write, about 260 bytes on average) -- every
// statement parsed on its own -- and generated statements of 10 KB, 100 KB and 1 MB in six
// shapes that stress one construct each. For every input five loops run over the same bytes:
// the scanner alone, the parse to a finished tree (trees freed outside the timed part), the
// parse with the tree freed straight after, the parse followed by writing the tree as
// one-line text and freeing it, and a plain byte loop -- the floor any of them pays, to which
// the summary relates every rate. Rates measured in one run are compared as such ratios, since
// the machine's speed varies from run to run.
//
// Peak memory: the counting heap of vxHeapCounter.h. One untimed parse per input is measured
// after the benchmarks have run. The corpus inputs are also measured with every tree kept
// alive at once: the heap their trees hold, per byte of SQL.
//
// Heap bytes include reserves the parse never touches. The resident figure says what was
// touched: the kernel's high-water mark of resident memory (VmHWM, reset through
// /proc/self/clear_refs before the parse) minus the resident memory when the parse started.
// Memory the allocator kept from earlier work and hands out again is resident already, so
// this is a lower bound; it is left out where the kernel offers no reset.
//
// Units: MB is 10^6 bytes, for rates and for memory alike.
#include "SQL92Scanner.h"
#include "vxASTSelect.h"
#include "vxBenchCommon.h"
#include "vxHeapCounter.h"
#include "vxNodePool.h"
#include "vxParserBase.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxSQLBuilder.h"
#include "vxSqlCorpus.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// Memory of the heap and the node pool together, from construction on. Pool blocks are counted
// at their size; the pool's slabs, which the heap counts as they are taken, are left out. The
// peak adds the pool's blocks in use at the end (a parse frees few nodes before it ends) to the
// heap's peak, so it is an upper bound.
class TMemoryMeter {
public:
  TMemoryMeter() : FPoolStart(TvxNodePool::GetThreadStatistics()) {}

  std::ptrdiff_t GetCurrent() const { return FHeap.GetCurrent() + GetPoolDelta(); }
  std::ptrdiff_t GetPeak() const { return FHeap.GetPeak() + GetPoolDelta(); }
  size_t GetHeapAllocations() const { return FHeap.GetAllocations(); }

private:
  std::ptrdiff_t GetPoolDelta() const {
    const TvxNodePool::TStatistics Now = TvxNodePool::GetThreadStatistics();
    return static_cast<std::ptrdiff_t>((Now.BytesInUse - FPoolStart.BytesInUse) -
                                       (Now.BytesReserved - FPoolStart.BytesReserved));
  }

  TvxNodePool::TStatistics FPoolStart;
  vxbench::THeapMeasurement FHeap;
};

// --- inputs --------------------------------------------------------------------------------------

struct TInput {
  std::string Name;
  std::string Shape;  // the generated shape; empty for the corpus inputs
  size_t Size = 0;    // the size asked of the generator; 0 for the corpus inputs
  std::vector<std::string> Statements;
  size_t Bytes = 0;   // of all statements
  size_t Tokens = 0;  // of all statements, the end tokens included
};

// A generated statement: a head, items up to the size wanted, a tail.
struct TShape {
  const char* Name;
  std::string Head;
  std::function<void(std::string& Text, int Index)> AppendItem;  // Index counts from 0
  std::string Tail;
};

std::string Generate(const TShape& Shape, size_t Bytes) {
  std::string Text = Shape.Head;
  Text.reserve(Bytes + 256);
  for (int Index = 0; Text.size() + Shape.Tail.size() < Bytes; ++Index) Shape.AppendItem(Text, Index);
  return Text + Shape.Tail;
}

const char* const Columns[] = {"ProductName", "UnitPrice", "Quantity", "Discount", "OrderDate", "Country"};
std::string Column(int Index) { return std::string(Columns[Index % 6]); }
std::string Number(int Index) { return std::to_string(Index); }
std::string Alias(int Index) { return std::string(1, 't').append(Number(Index)); }

TastSQL92SyntaxProvider& Provider() {
  static TastSQL92SyntaxProvider Instance;
  return Instance;
}

bool Parses(const std::string& Text) {
  try {
    Provider().ParseSelect(Text);
    return true;
  } catch (const EvxSQLError&) {
    return false;
  }
}

std::string Repeat(char Ch, int Count) { return std::string(static_cast<size_t>(Count), Ch); }

// The deepest bracketed condition the parser's nesting limit lets through, found by bisection
// so that the figure follows the limit wherever it is set.
int DeepestBrackets() {
  static const int Depth = [] {
    auto Text = [](int Depth) { return "SELECT a FROM t WHERE " + Repeat('(', Depth) + "a = 1" + Repeat(')', Depth); };
    int Low = 1, High = 2;
    while (Parses(Text(High)) && High < (1 << 24)) Low = High, High *= 2;
    while (High - Low > 1) {
      const int Middle = (Low + High) / 2;
      (Parses(Text(Middle)) ? Low : High) = Middle;
    }
    return Low;
  }();
  return Depth;
}

std::vector<TShape> Shapes() {
  const int Depth = DeepestBrackets();
  return {
      {"select list", "SELECT ",
       [](std::string& T, int I) {
         if (I > 0) T += I % 8 == 0 ? ",\r\n  " : ", ";
         switch (I % 4) {
           case 0:
             T += "p." + Column(I);
             break;
           case 1:
             T += "p.UnitPrice * " + Number(I) + " AS Price" + Number(I);
             break;
           case 2:
             T += "upper(p." + Column(I) + ") Name" + Number(I);
             break;
           default:
             T += "'label " + Number(I) + "'";
             break;
         }
       },
       "\r\nFROM Products p"},
      {"IN list", "SELECT ProductName FROM Products WHERE ProductID IN (",
       [](std::string& T, int I) {
         if (I > 0) T += ", ";
         T += I % 5 == 4 ? "'code " + Number(I) + "'" : Number(I * 7);
       },
       ")"},
      {"AND/OR chain", "SELECT ProductName FROM Products p\r\nWHERE p.UnitPrice > 0",
       [](std::string& T, int I) {
         T += I % 3 == 2 ? "\r\n   OR " : "\r\n  AND ";
         switch (I % 4) {
           case 0:
             T += "p." + Column(I) + " = " + Number(I);
             break;
           case 1:
             T += "p." + Column(I) + " <> 'value " + Number(I) + "'";
             break;
           case 2:
             T += "p." + Column(I) + " BETWEEN " + Number(I) + " AND " + Number(I + 10);
             break;
           default:
             T += "p." + Column(I) + " IS NOT NULL";
             break;
         }
       },
       ""},
      {"deep brackets", "SELECT ProductName FROM Products p\r\nWHERE ",
       [Depth](std::string& T, int I) {
         if (I > 0) T += "\r\n   OR ";
         T += Repeat('(', Depth) + "p." + Column(I) + " = " + Number(I) + Repeat(')', Depth);
       },
       ""},
      {"joins", "SELECT o.OrderID\r\nFROM Orders t0",
       [](std::string& T, int I) {
         const std::string This = Alias(I + 1), Previous = Alias(I);
         T += I % 3 == 2 ? "\r\n  LEFT OUTER JOIN " : "\r\n  INNER JOIN ";
         T += "OrderLines " + This + " ON " + This + ".OrderID = " + Previous + ".OrderID";
         if (I % 2 == 1) T += " AND " + This + ".Quantity > " + Number(I);
       },
       ""},
      {"unions", "",
       [](std::string& T, int I) {
         if (I > 0) T += I % 2 == 0 ? "\r\nUNION ALL\r\n" : "\r\nUNION\r\n";
         T += "SELECT p.ProductName, p.UnitPrice FROM Products p WHERE p.CategoryID = " + Number(I);
       },
       ""},
  };
}

const size_t Sizes[] = {10'000, 100'000, 1'000'000};

// The input of statements of realistic length, on which the loops' targets are set.
const char* const RealisticInput = "reports";

std::string SizeName(size_t Bytes) {
  return Bytes >= 1'000'000 ? Number(int(Bytes / 1'000'000)) + "MB" : Number(int(Bytes / 1000)) + "KB";
}

std::vector<TInput>& Inputs() {
  static std::vector<TInput> List = [] {
    std::vector<TInput> Result;
    auto AddCorpus = [&Result](const char* Name, std::vector<TvxCorpusEntry> Entries) {
      TInput Corpus{Name, "", 0, {}, 0, 0};
      for (TvxCorpusEntry& Entry : Entries) Corpus.Statements.push_back(std::move(Entry.Text));
      Result.push_back(std::move(Corpus));
    };
    AddCorpus("corpus", LoadCorpus(VX_SOURCE_DIR "/tests/data/corpus"));
    AddCorpus(RealisticInput, LoadCorpusFile(VX_SOURCE_DIR "/tests/data/corpus/reports.sql"));
    for (const TShape& Shape : Shapes())
      for (size_t Size : Sizes)
        Result.push_back(
            {std::string(Shape.Name) + " " + SizeName(Size), Shape.Name, Size, {Generate(Shape, Size)}, 0, 0});
    for (TInput& Input : Result)
      for (const std::string& Text : Input.Statements) {
        SQL92Scanner Scanner;
        Scanner.Init(Text);
        Input.Bytes += Text.size();
        Input.Tokens += static_cast<size_t>(Scanner.GetTokenCount());
      }
    return Result;
  }();
  return List;
}

// --- the loops -----------------------------------------------------------------------------------

void SetRates(benchmark::State& State, const TInput& Input) {
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Input.Bytes));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * Input.Statements.size()));
}

void BM_Scan(benchmark::State& State, const TInput* Input) {
  for (auto _ : State) {
    for (const std::string& Text : Input->Statements) {
      SQL92Scanner Scanner;
      Scanner.Init(Text);
      benchmark::DoNotOptimize(Scanner.GetRecords().data());
    }
  }
  SetRates(State, *Input);
}

// The trees of one pass over the input are freed outside the timed part: the figure is the
// cost of a finished tree, not of its disposal.
void BM_Parse(benchmark::State& State, const TInput* Input) {
  std::vector<std::unique_ptr<TSQLSelectStatement>> Trees;
  Trees.reserve(Input->Statements.size());
  for (auto _ : State) {
    for (const std::string& Text : Input->Statements) Trees.push_back(Provider().ParseSelect(Text));
    State.PauseTiming();
    Trees.clear();
    State.ResumeTiming();
  }
  SetRates(State, *Input);
}

// What a program pays for a statement it reads: the tree is built and, once used, freed. With
// Write the use is writing it as one-line text.
template <bool Write>
void ParseAndFree(const TInput& Input, std::string& Written) {
  TSQLBuilderPlainText Builder(Written);
  for (const std::string& Text : Input.Statements) {
    const std::unique_ptr<TSQLSelectStatement> Tree = Provider().ParseSelect(Text);
    if constexpr (Write) {
      Builder.ResetBuilder();
      Tree->BuildSQL(Builder, false);
      benchmark::DoNotOptimize(Written.data());
    } else {
      benchmark::DoNotOptimize(Tree.get());
    }
  }
}

template <bool Write>
void BM_ParseAndFree(benchmark::State& State, const TInput* Input) {
  std::string Written;
  for (auto _ : State) ParseAndFree<Write>(*Input, Written);
  SetRates(State, *Input);
}

void BM_ByteLoop(benchmark::State& State, const TInput* Input) {
  for (auto _ : State) {
    unsigned Changes = 0;
    for (const std::string& Text : Input->Statements) Changes += vxbench::CountClassChanges(Text);
    benchmark::DoNotOptimize(Changes);
  }
  SetRates(State, *Input);
}

// --- the summary ---------------------------------------------------------------------------------

struct TMemory {
  double PeakMB = 0.0, TreeMB = 0.0;  // TreeMB: still held once the parse returned
  double ResidentMB = -1.0;           // negative when not measured
  size_t Allocations = 0;             // of all statements
};

// A "Field:   1234 kB" line of /proc/self/status in bytes; -1 when missing.
double ReadStatusBytes(const char* Field) {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  const size_t Length = std::strlen(Field);
  while (std::getline(Status, Line))
    if (Line.compare(0, Length, Field) == 0 && Line.size() > Length && Line[Length] == ':')
      return std::atof(Line.c_str() + Length + 1) * 1024.0;
  return -1.0;
}

// Sets the resident high-water mark to the present resident size; false where not allowed.
bool ResetResidentPeak() {
  std::ofstream ClearRefs("/proc/self/clear_refs");
  ClearRefs << "5";
  ClearRefs.flush();
  return static_cast<bool>(ClearRefs);
}

std::string FormatMB(double MB) {
  if (MB < 0.0) return "-";
  char Text[32];
  std::snprintf(Text, sizeof(Text), "%.2f", MB);
  return Text;
}

// One untimed parse per statement; the largest peak of them.
TMemory MeasureMemory(const TInput& Input) {
  TMemory Result;
  for (const std::string& Text : Input.Statements) {
    std::unique_ptr<TSQLSelectStatement> Tree;
    const bool Resident = ResetResidentPeak();
    const double ResidentBefore = ReadStatusBytes("VmRSS");
    {
      TMemoryMeter Memory;
      Tree = Provider().ParseSelect(Text);
      Result.PeakMB = std::max(Result.PeakMB, static_cast<double>(Memory.GetPeak()) / 1e6);
      Result.TreeMB = std::max(Result.TreeMB, static_cast<double>(Memory.GetCurrent()) / 1e6);
      Result.Allocations += Memory.GetHeapAllocations();
    }
    const double ResidentPeak = ReadStatusBytes("VmHWM");
    if (Resident && ResidentBefore >= 0.0 && ResidentPeak >= 0.0)
      Result.ResidentMB = std::max({Result.ResidentMB, 0.0, (ResidentPeak - ResidentBefore) / 1e6});
  }
  return Result;
}

// Trees of every statement of Input alive at once: the heap they hold per byte of SQL.
double MeasureKeptTrees(const TInput& Input) {
  std::vector<std::unique_ptr<TSQLSelectStatement>> Trees;
  Trees.reserve(Input.Statements.size());
  TMemoryMeter Memory;
  for (const std::string& Text : Input.Statements) Trees.push_back(Provider().ParseSelect(Text));
  return static_cast<double>(Memory.GetCurrent()) / static_cast<double>(Input.Bytes);
}

// The lowest rate of a loop: on the corpus, and over the generated inputs (with its input).
struct TRateTarget {
  TRateTarget(const char* Title, double Target) : Title(Title), Target(Target) {}

  const char* Title;
  double Target;
  double Corpus = 0.0;
  double Worst = 0.0;
  std::string WorstName;

  void Add(const TInput& Input, double Rate) {
    if (Rate <= 0.0) return;
    if (Input.Name == "corpus") {
      Corpus = Rate;
    } else if (!Input.Shape.empty() && (WorstName.empty() || Rate < Worst)) {
      Worst = Rate;
      WorstName = Input.Name;
    }
  }
  void Print() const {
    if (Corpus <= 0.0 && WorstName.empty()) return;
    std::printf("  %-30s corpus %7.1f %-8s", Title, Corpus, Corpus >= Target ? "met" : "NOT MET");
    if (!WorstName.empty())
      std::printf(" worst generated %7.1f %-8s (%s)", Worst, Worst >= Target ? "met" : "NOT MET", WorstName.c_str());
    std::printf("\n");
  }
};

// A figure of one input against its bound: at least (rates) or at most (memory).
struct TBound {
  const char* Title;
  const char* Input;
  double Bound;
  bool AtLeast;
  double Value = -1.0;  // negative until measured

  void Print() const {
    if (Value < 0.0) return;
    const bool Met = AtLeast ? Value >= Bound : Value <= Bound;
    std::printf("  %-30s %-8s %7.3f %s\n", Title, Input, Value, Met ? "met" : "NOT MET");
  }
};

// Memory per byte of SQL that the trees of the realistic input and of the whole corpus held
// with every tree alive at once, measured on the code before node pools and smaller nodes
// (then all heap, glibc's size words included); the bounds are half of them.
constexpr double KeptTreeBaseline = 20.08, KeptCorpusBaseline = 22.79;

void PrintSummary(const vxbench::TRateReporter& Reporter) {
  constexpr double MaxGrowth = 2.0, MaxPeakMB = 64.0, ParseGoal = 70.0;
  TRateTarget ScanTarget{"scanning >= 300 MB/s", 300.0}, ParseTarget{"parsing >= 35 MB/s", 35.0},
      WriteTarget{"parse then write >= 25 MB/s", 25.0};
  TBound FreeRatio{"parse and free >= 0.13 x", RealisticInput, 0.13, true},
      WriteRatio{"parse, write, free >= 0.09 x", RealisticInput, 0.09, true},
      KeptTrees{"kept trees B/B <= half before", RealisticInput, KeptTreeBaseline / 2, false},
      KeptCorpus{"kept trees B/B <= half before", "corpus", KeptCorpusBaseline / 2, false};
  std::printf(
      "\nRates in MB/s (10^6 bytes) of input; x = ratio to the byte loop; parse: trees freed outside\n"
      "the timed part, p+free: each tree freed straight after its parse, p+write: written, then freed;\n"
      "ns/B = parse time per byte; B/tok = bytes per token; new/tok = heap blocks a parse allocates per\n"
      "token (node pool blocks not included); memory counts heap and node pool: peak = most held during\n"
      "one parse, resid = resident memory it touched (\"-\": not measurable here), tree = held by the\n"
      "largest finished tree (MB); kept = held per byte of SQL with the trees of every statement alive.\n");
  std::printf("%-22s %9s %5s %8s %6s %8s %6s %9s %8s %6s %8s %6s %8s %7s %7s %7s %7s %7s %6s\n", "input", "bytes",
              "B/tok", "scan", "x", "parse", "x", "stmt/s", "p+free", "x", "p+write", "x", "bytes", "ns/B", "new/tok",
              "peak", "resid", "tree", "kept");
  struct TGrowth {
    std::map<size_t, double> NsPerByte;     // by generator size
    double PeakMB = 0.0, ResidentMB = 0.0;  // at the largest size
  };
  std::map<std::string, TGrowth> Growths;  // by shape
  for (const TInput& Input : Inputs()) {
    const double Scan = Reporter.Get("Scan", Input.Name).Bytes / 1e6;
    const auto Parse = Reporter.Get("Parse", Input.Name);
    const double ParseMB = Parse.Bytes / 1e6;
    const double Free = Reporter.Get("ParseFree", Input.Name).Bytes / 1e6;
    const double Write = Reporter.Get("ParseWrite", Input.Name).Bytes / 1e6;
    const double Bytes = Reporter.Get("ByteLoop", Input.Name).Bytes / 1e6;
    if (Scan <= 0.0 && ParseMB <= 0.0 && Free <= 0.0 && Write <= 0.0) continue;  // filtered out
    const bool Parsed = ParseMB > 0.0 || Free > 0.0 || Write > 0.0;
    const TMemory Memory = Parsed ? MeasureMemory(Input) : TMemory();
    const double Kept = Parsed && Input.Shape.empty() ? MeasureKeptTrees(Input) : -1.0;
    auto Ratio = [Bytes](double Rate) { return Bytes > 0.0 ? Rate / Bytes : 0.0; };
    const double Ns = ParseMB > 0.0 ? 1e3 / ParseMB : 0.0;
    const double Tokens = static_cast<double>(Input.Tokens);
    std::printf(
        "%-22s %9zu %5.1f %8.1f %6.3f %8.1f %6.3f %9.0f %8.1f %6.3f %8.1f %6.3f %8.1f %7.2f %7.2f %7.2f %7s %7.2f "
        "%6s\n",
        Input.Name.c_str(), Input.Bytes, static_cast<double>(Input.Bytes) / Tokens, Scan, Ratio(Scan), ParseMB,
        Ratio(ParseMB), Parse.Items, Free, Ratio(Free), Write, Ratio(Write), Bytes, Ns,
        static_cast<double>(Memory.Allocations) / Tokens, Memory.PeakMB, FormatMB(Memory.ResidentMB).c_str(),
        Memory.TreeMB, Kept < 0.0 ? "-" : FormatMB(Kept).c_str());
    if (Input.Name == RealisticInput) {
      if (Free > 0.0) FreeRatio.Value = Ratio(Free);
      if (Write > 0.0) WriteRatio.Value = Ratio(Write);
      KeptTrees.Value = Kept;
    }
    if (Input.Name == "corpus") KeptCorpus.Value = Kept;
    ScanTarget.Add(Input, Scan);
    ParseTarget.Add(Input, ParseMB);
    WriteTarget.Add(Input, Write);
    if (!Input.Shape.empty() && Ns > 0.0) {
      Growths[Input.Shape].NsPerByte[Input.Size] = Ns;
      if (Input.Size == Sizes[2]) {
        Growths[Input.Shape].PeakMB = Memory.PeakMB;
        Growths[Input.Shape].ResidentMB = Memory.ResidentMB;
      }
    }
  }

  std::printf("\nGrowth of parse time per byte and peak memory, by shape (deep brackets: %d levels):\n",
              DeepestBrackets());
  std::printf("%-16s %10s %10s %10s %12s %10s %11s\n", "shape", "ns/B 10KB", "ns/B 100KB", "ns/B 1MB", "1MB / 10KB",
              "peak 1MB", "resid 1MB");
  std::string TooSteep, TooBig;  // the shapes that miss each target
  int Compared = 0;
  for (const auto& [Shape, Growth] : Growths) {
    auto At = [&Growth = Growth](size_t Size) {
      const auto Found = Growth.NsPerByte.find(Size);
      return Found == Growth.NsPerByte.end() ? 0.0 : Found->second;
    };
    const double Small = At(Sizes[0]), Large = At(Sizes[2]);
    const double Ratio = Small > 0.0 && Large > 0.0 ? Large / Small : 0.0;
    if (Ratio > 0.0) ++Compared;
    if (Ratio >= MaxGrowth) TooSteep += " " + Shape + ";";
    if (Growth.PeakMB >= MaxPeakMB) TooBig += " " + Shape + ";";
    std::printf("%-16s %10.2f %10.2f %10.2f %12.2f %10.2f %11s\n", Shape.c_str(), Small, At(Sizes[1]), Large, Ratio,
                Growth.PeakMB, FormatMB(Growth.ResidentMB).c_str());
  }

  std::printf("\nTargets:\n");
  ScanTarget.Print();
  ParseTarget.Print();
  if (ParseTarget.Corpus > 0.0)
    std::printf("  %-30s corpus %7.1f %s\n", "parsing goal 70 MB/s", ParseTarget.Corpus,
                ParseTarget.Corpus >= ParseGoal ? "met" : "NOT MET");
  WriteTarget.Print();
  FreeRatio.Print();
  WriteRatio.Print();
  KeptTrees.Print();
  KeptCorpus.Print();
  if (Compared > 0) {
    std::printf("  %-30s %s%s\n", "ns/B 1MB / 10KB < 2", TooSteep.empty() ? "met" : "NOT MET:", TooSteep.c_str());
    std::printf("  %-30s %s%s\n", "peak parsing 1MB < 64 MB", TooBig.empty() ? "met" : "NOT MET:", TooBig.c_str());
  }
}

// Every generated statement must parse, or the figures would time the error path.
bool CheckInputs() {
  bool Good = true;
  for (const TInput& Input : Inputs())
    for (const std::string& Text : Input.Statements) {
      try {
        Provider().ParseSelect(Text);
      } catch (const EvxSQLError& Error) {
        std::fprintf(stderr, "%s does not parse: %s at %d:%d \"%s\"\n", Input.Name.c_str(), Error.GetMessage().c_str(),
                     Error.TokenLine, Error.TokenCol, Error.TokenText.c_str());
        Good = false;
      }
    }
  return Good;
}

// --passes=N [--input=NAME] [--write]: N parse-and-free passes (with --write: parse, write and
// free) over one input (by default the realistic one) instead of the benchmarks. Instruction counts of these passes
// repeat from run to run where timings do not (on a loaded machine), so each change is judged by them:
//   valgrind --tool=callgrind --toggle-collect='*ParseAndFree*' vx_parser_bench --passes=20
// Returns -1 when the arguments ask for no such run.
int RunPasses(const std::vector<char*>& Arguments) {
  long Passes = -1;
  std::string Name = RealisticInput;
  bool Write = false;
  for (const char* Argument : Arguments) {
    if (std::strcmp(Argument, "--write") == 0) Write = true;
    if (std::strncmp(Argument, "--passes=", 9) == 0) Passes = std::atol(Argument + 9);
    if (std::strncmp(Argument, "--input=", 8) == 0) Name = Argument + 8;
  }
  if (Passes < 0) return -1;
  const auto Found = std::find_if(Inputs().begin(), Inputs().end(), [&](const TInput& I) { return I.Name == Name; });
  if (Found == Inputs().end()) {
    std::fprintf(stderr, "no input named %s\n", Name.c_str());
    return 1;
  }
  std::string Written;
  for (long Pass = 0; Pass < Passes; ++Pass)
    Write ? ParseAndFree<true>(*Found, Written) : ParseAndFree<false>(*Found, Written);
  std::printf("%ld passes over %s: %zu statements, %zu bytes each\n", Passes, Name.c_str(), Found->Statements.size(),
              Found->Bytes);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A shorter default minimum time keeps a full run near a minute; --benchmark_min_time wins.
  std::vector<char*> Arguments(argv, argv + argc);
  if (const int Result = RunPasses(Arguments); Result >= 0) return Result;
  static char ShortRuns[] = "--benchmark_min_time=0.2";
  if (std::none_of(Arguments.begin(), Arguments.end(),
                   [](const char* A) { return std::strncmp(A, "--benchmark_min_time", 20) == 0; }))
    Arguments.insert(Arguments.begin() + 1, ShortRuns);
  int Count = static_cast<int>(Arguments.size());
  Arguments.push_back(nullptr);
  if (!CheckInputs()) return 1;
  for (const TInput& Input : Inputs()) {
    benchmark::RegisterBenchmark(("Scan/" + Input.Name).c_str(), BM_Scan, &Input)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Parse/" + Input.Name).c_str(), BM_Parse, &Input)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("ParseFree/" + Input.Name).c_str(), BM_ParseAndFree<false>, &Input)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("ParseWrite/" + Input.Name).c_str(), BM_ParseAndFree<true>, &Input)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("ByteLoop/" + Input.Name).c_str(), BM_ByteLoop, &Input)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&Count, Arguments.data());
  if (benchmark::ReportUnrecognizedArguments(Count, Arguments.data())) return 1;
  vxbench::TRateReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  benchmark::Shutdown();
  PrintSummary(Reporter);
  return 0;
}
