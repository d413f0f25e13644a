// The query model on a large generated query: N tables joined in a chain by N links, ten select
// rows per table and two criteria per table (for N = 100: 1,000 rows and 200 criteria). Fields
// come from memory through the event metadata provider, so the figures are the model's own.
// Targets at N = 100: loading the text and regenerating it under 50 ms each; one edit (ticking
// a field, changing a criterion) with an attached SQL builder's new text under 10 ms; every
// figure growing no worse than linearly up to N = 500 (the O(N) fit is printed).
#include "vxQBEventMetaProvider.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQuerySelectList.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSQL92SynProvider.h"
#include "vxSQLBuilderPlainText.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int GFieldsPerTable = 10;

std::string Alias(int Table) { return "t" + std::to_string(Table); }

// SELECT t0.c0, ..., t0.c9, t1.c0, ... FROM T0 t0 INNER JOIN T1 t1 ON t1.ref = t0.id AND t1.c9 =
// t0.c9 INNER JOIN T2 t2 ON t2.ref = t1.id ... WHERE t0.c0 > 0 AND t0.c1 <> 'x0' AND ...
std::string GenerateQuery(int Tables) {
  std::string Select, From, Where;
  for (int T = 0; T < Tables; ++T) {
    for (int F = 0; F < GFieldsPerTable; ++F)
      Select += (Select.empty() ? "" : ", ") + Alias(T) + ".c" + std::to_string(F);
    if (T == 0) {
      From = "T0 t0";
    } else {
      From +=
          " INNER JOIN T" + std::to_string(T) + " " + Alias(T) + " ON " + Alias(T) + ".ref = " + Alias(T - 1) + ".id";
      // One more link on the first join makes as many links as tables.
      if (T == 1) From += " AND t1.c9 = t0.c9";
    }
    Where += (Where.empty() ? "" : " AND ") + Alias(T) + ".c0 > " + std::to_string(T) + " AND " + Alias(T) +
             ".c1 <> 'x" + std::to_string(T) + "'";
  }
  return "SELECT " + Select + " FROM " + From + " WHERE " + Where;
}

// A component over the generated schema, with a plain-text SQL builder attached.
class TModelRig {
public:
  explicit TModelRig(int Tables) : FText(GenerateQuery(Tables)) {
    FMetadata.OnGetSQLFieldNames = [](TvxBaseMetadataProvider*, const std::string&, TvxStringList& Fields) {
      Fields.Add("id");
      Fields.Add("ref");
      for (int F = 0; F < GFieldsPerTable; ++F) Fields.Add("c" + std::to_string(F));
    };
    FQueryBuilder.SetSyntaxProvider(&FSyntax);
    FQueryBuilder.SetMetadataProvider(&FMetadata);
  }
  ~TModelRig() { FBuilder.SetQueryBuilder(nullptr); }

  void Load(const std::string& Text) {
    FQueryBuilder.SetSQL(Text);
    FQueryBuilder.ProcessPendingSQL();
  }
  void LoadQuery() { Load(FText); }
  void AttachBuilder() { FBuilder.SetQueryBuilder(&FQueryBuilder); }

  TvxQueryBuilder& GetQueryBuilder() { return FQueryBuilder; }
  TvxSQLBuilderPlainText& GetBuilder() { return FBuilder; }
  TvxUnionSubQuery* GetOperand() const { return FQueryBuilder.GetRootQuery()->FirstSelect(); }
  // The datasource of table T.
  TvxDatasource* GetTable(int T) const {
    return qobject_cast<TvxDatasource*>(GetOperand()->GetFromClause()->GetItems(T));
  }

private:
  std::string FText;
  TvxSQL92SyntaxProvider FSyntax;
  TvxEventMetadataProvider FMetadata;
  TvxQueryBuilder FQueryBuilder;
  TvxSQLBuilderPlainText FBuilder;
};

void SetCounters(benchmark::State& State, TModelRig& Rig) {
  State.counters["rows"] = Rig.GetOperand()->GetSelectList()->GetCount();
  State.counters["sqlKiB"] = static_cast<double>(Rig.GetQueryBuilder().GetSQL().size()) / 1024.0;
  State.SetComplexityN(State.range(0));
}

// Assigned text into the model: parsing, binding to the fields and building the model objects.
void BM_LoadQuery(benchmark::State& State) {
  TModelRig Rig(static_cast<int>(State.range(0)));
  for (auto _ : State) {
    State.PauseTiming();
    Rig.Load("");
    State.ResumeTiming();
    Rig.LoadQuery();
  }
  SetCounters(State, Rig);
}

// The SQL property: a fresh tree from the model, written on one line.
void BM_RegenerateText(benchmark::State& State) {
  TModelRig Rig(static_cast<int>(State.range(0)));
  Rig.LoadQuery();
  for (auto _ : State) benchmark::DoNotOptimize(Rig.GetQueryBuilder().GetSQL());
  SetCounters(State, Rig);
}

// Ticking a field in the box of a table in the middle: a new row, and the builder's new text.
void BM_TickField(benchmark::State& State) {
  TModelRig Rig(static_cast<int>(State.range(0)));
  Rig.LoadQuery();
  Rig.AttachBuilder();
  TvxDatasource* Table = Rig.GetTable(static_cast<int>(State.range(0)) / 2);
  TvxSelectList* List = Rig.GetOperand()->GetSelectList();
  for (auto _ : State) {
    List->AddField(Table, "id");
    benchmark::DoNotOptimize(Rig.GetBuilder().GetSQL());
    State.PauseTiming();
    List->RemoveFields(Table, "id");
    State.ResumeTiming();
  }
  SetCounters(State, Rig);
}

// Typing another criterion into a row: the builder's new text.
void BM_ChangeCriterion(benchmark::State& State) {
  TModelRig Rig(static_cast<int>(State.range(0)));
  Rig.LoadQuery();
  Rig.AttachBuilder();
  TvxSelectItem* Row = nullptr;
  TvxSelectList* List = Rig.GetOperand()->GetSelectList();
  for (int I = 0; I < List->GetCount() && Row == nullptr; ++I)
    if (List->GetItems(I)->GetConditionsCount() > 0) Row = List->GetItems(I);
  if (Row == nullptr) {
    State.SkipWithError("no row with a criterion");
    return;
  }
  int Value = 0;
  for (auto _ : State) {
    Row->SetCondition(0, "> " + std::to_string(++Value % 7));
    benchmark::DoNotOptimize(Rig.GetBuilder().GetSQL());
  }
  SetCounters(State, Rig);
}

void Sizes(benchmark::internal::Benchmark* Bench) {
  Bench->Arg(100)->Arg(200)->Arg(500)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LoadQuery)->Apply(Sizes);
BENCHMARK(BM_RegenerateText)->Apply(Sizes);
BENCHMARK(BM_TickField)->Apply(Sizes);
BENCHMARK(BM_ChangeCriterion)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
  // The component is a widget; the benchmark needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication Application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
