// The undo history on a shown component holding the model benchmark's generated query of 20 and
// 100 tables: taking a snapshot (what every step costs once the event loop is idle), and undo and
// redo of a box move (the layout alone is applied) and of a ticked field (the query is loaded
// from the step's text, every box made again, then the layout applied). The counters give the
// size of one snapshot.
#include "vxModelBenchRig.h"

#include "vxQueryHistory.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

void ShowLoaded(vxbench::TModelRig& Rig) {
  Rig.Show();
  Rig.LoadQuery();
  QCoreApplication::processEvents();
}

void CountSnapshot(benchmark::State& State, const TvxQueryState& Snapshot) {
  State.counters["sql_bytes"] = static_cast<double>(Snapshot.SQL.size());
  State.counters["layout_bytes"] = static_cast<double>(Snapshot.Layout.size());
}

void BM_Snapshot(benchmark::State& State) {
  vxbench::TModelRig Rig(static_cast<int>(State.range(0)));
  ShowLoaded(Rig);
  TvxQueryHistory* History = Rig.GetQueryBuilder().GetHistory();
  for (auto _ : State) benchmark::DoNotOptimize(History->Capture());
  CountSnapshot(State, History->Capture());
}

// Takes the step Edit makes, then goes back and forth over it.
template <class TEdit>
void UndoRedo(benchmark::State& State, TEdit Edit) {
  vxbench::TModelRig Rig(static_cast<int>(State.range(0)));
  ShowLoaded(Rig);
  TvxQueryBuilder& QueryBuilder = Rig.GetQueryBuilder();
  Edit(Rig);
  QueryBuilder.GetHistory()->Flush();
  if (!QueryBuilder.CanUndo()) State.SkipWithError("the edit made no step");
  bool Undone = false;
  for (auto _ : State) {
    Undone = !Undone;
    if (Undone)
      QueryBuilder.Undo();
    else
      QueryBuilder.Redo();
  }
  CountSnapshot(State, QueryBuilder.GetHistory()->Capture());
}

void BM_UndoRedoMove(benchmark::State& State) {
  UndoRedo(State, [](vxbench::TModelRig& Rig) {
    TvxDatasource* Box = Rig.GetTable(1);
    Box->SetBoxBounds(QRect(Box->GetLeft() + 300, Box->GetTop() + 200, Box->GetWidth(), Box->GetHeight()));
    Box->NotifyLayoutChanged();
  });
}

void BM_UndoRedoTick(benchmark::State& State) {
  UndoRedo(State, [](vxbench::TModelRig& Rig) { Rig.GetTable(1)->CheckField("id", true); });
}

BENCHMARK(BM_Snapshot)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoMove)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoTick)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return vxbench::RunWidgetBenchmarks(argc, argv); }
