// The query model on a large generated query: N tables joined in a chain by N links, ten select
// rows per table and two criteria per table (for N = 100: 1,000 rows and 200 criteria). Fields
// come from memory through the event metadata provider, so the figures are the model's own.
// Targets at N = 100: loading the text and regenerating it under 50 ms each; one edit (ticking
// a field, changing a criterion) with an attached SQL builder's new text under 10 ms; every
// figure growing no worse than linearly up to N = 500 (the O(N) fit is printed).
#include "vxModelBenchRig.h"
#include "vxQuerySelectList.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using vxbench::TModelRig;

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

int main(int argc, char** argv) { return vxbench::RunWidgetBenchmarks(argc, argv); }
