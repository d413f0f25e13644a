// The diagram on a shown component: the model benchmark's generated query assigned until every
// box and line has painted once (target at N = 100: under 300 ms); one mouse move of a box that
// ten lines end at, with the snap, the move, the lines laid out again and the repaint of what
// changed (target: under 2 ms); ticking a field of the 100-table query, the SQL builder's text
// included (target: under 20 ms); re-zooming the 100-table diagram, every box and line laid out
// again at the new zoom and what is seen repainted.
#include "vxModelBenchRig.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDatasourceFieldsList.h"
#include "vxQBLinkControl.h"
#include "vxQBWorkArea.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

namespace {

// SELECT * FROM T0 t0 INNER JOIN T1 t1 ON t1.ref = t0.id ... INNER JOIN T10 t10 ON t10.ref =
// t0.id: ten lines end at t0's box.
std::string GenerateStar(int Points) {
  std::string From = "T0 t0";
  for (int T = 1; T <= Points; ++T)
    From += " INNER JOIN T" + std::to_string(T) + " " + vxbench::Alias(T) + " ON " + vxbench::Alias(T) + ".ref = t0.id";
  return "SELECT * FROM " + From;
}

TvxQueryBuilderWorkArea* WorkAreaOf(TvxUnionSubQuery* Operand) {
  return qobject_cast<TvxQueryBuilderWorkArea*>(Operand->GetWorkArea());
}

TvxQueryBuilderDataSourceControl* BoxOf(TvxDatasource* Datasource) {
  return qobject_cast<TvxQueryBuilderDataSourceControl*>(Datasource->GetDSControl());
}

void SendMouse(QWidget* Widget, QEvent::Type Type, const QPoint& At, Qt::MouseButtons Buttons) {
  QMouseEvent Event(Type, At, Widget->mapToGlobal(At), Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                    Buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(Widget, &Event);
}

void BM_ShowDiagram(benchmark::State& State) {
  vxbench::TModelRig Rig(static_cast<int>(State.range(0)));
  Rig.Show();
  for (auto _ : State) {
    Rig.AssignShown(State);
    // The whole canvas, not only what the window shows: every box and line paints once.
    benchmark::DoNotOptimize(WorkAreaOf(Rig.GetOperand())->GetCanvas()->grab());
  }
  TvxQueryBuilderWorkArea* WorkArea = WorkAreaOf(Rig.GetOperand());
  State.counters["boxes"] =
      static_cast<double>(WorkArea->GetCanvas()
                              ->findChildren<TvxQueryBuilderDataSourceControl*>(QString(), Qt::FindDirectChildrenOnly)
                              .size());
  State.counters["lines"] = static_cast<double>(
      WorkArea->GetCanvas()->findChildren<TvxQueryBuilderLinkControl*>(QString(), Qt::FindDirectChildrenOnly).size());
  State.SetComplexityN(State.range(0));
}

void BM_MoveBoxWithTenLines(benchmark::State& State) {
  vxbench::TModelRig Rig(1);
  Rig.Show();
  Rig.Load(GenerateStar(10));
  QCoreApplication::processEvents();
  TvxQueryBuilderDataSourceControl* Box = BoxOf(Rig.GetTable(0));
  const QPoint Grip = Box->GetCaptionRect().center() - QPoint(10, 0);
  const QPoint Pressed = Box->mapToGlobal(Grip);
  SendMouse(Box, QEvent::MouseButtonPress, Grip, Qt::LeftButton);
  // To and fro by more than a grid step, so that every move lands somewhere else.
  bool Away = false;
  for (auto _ : State) {
    Away = !Away;
    SendMouse(Box, QEvent::MouseMove, Box->mapFromGlobal(Pressed + (Away ? QPoint(40, 24) : QPoint())), Qt::LeftButton);
    QCoreApplication::processEvents();
  }
  SendMouse(Box, QEvent::MouseButtonRelease, Box->mapFromGlobal(Pressed), Qt::NoButton);
  State.counters["lines"] = static_cast<double>(
      WorkAreaOf(Rig.GetOperand())->GetCanvas()->findChildren<TvxQueryBuilderLinkControl*>().size());
}

void BM_TickField(benchmark::State& State) {
  vxbench::TModelRig Rig(100);
  Rig.Show();
  Rig.LoadQuery();
  Rig.AttachBuilder();
  QCoreApplication::processEvents();
  // The "id" row of the middle table, a field the select list does not hold yet.
  QListWidgetItem* Row = BoxOf(Rig.GetTable(50))->GetFieldsList()->item(1);
  bool Ticked = false;
  for (auto _ : State) {
    Ticked = !Ticked;
    Row->setCheckState(Ticked ? Qt::Checked : Qt::Unchecked);
    QCoreApplication::processEvents();
  }
  State.counters["sql_bytes"] = static_cast<double>(Rig.GetBuilder().GetSQLString().size());
}

void BM_Rezoom(benchmark::State& State) {
  vxbench::TModelRig Rig(100);
  Rig.Show();
  Rig.LoadQuery();
  QCoreApplication::processEvents();
  TvxQueryBuilder& QueryBuilder = *WorkAreaOf(Rig.GetOperand())->GetQueryBuilder();
  bool In = false;
  for (auto _ : State) {
    In = !In;
    QueryBuilder.SetZoom(In ? 150 : 75);
    QCoreApplication::processEvents();
  }
}

BENCHMARK(BM_ShowDiagram)->Arg(100)->Arg(500)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveBoxWithTenLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rezoom)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return vxbench::RunWidgetBenchmarks(argc, argv); }
