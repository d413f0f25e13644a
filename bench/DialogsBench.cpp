// The add-object dialog on a generated SQLite catalog of 10,000 tables, as a user waits for it:
// opening it (the catalog listed, the lists filled, the dialog shown and painted once) and each
// key typed into its filter box (the list narrowed or widened and painted again). Prints the
// first opening once, then Google Benchmark's steady-state figures. Targets: opening under
// 300 ms, a keystroke under 30 ms.
#include "vxAddObject.h"
#include "vxModelBenchRig.h"
#include "vxQtSqlMetadataProvider.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int GTableCount = 10000;
const QString GConnection = QStringLiteral("dialogs-bench");

// Builds the catalog at Path unless it is there with every table: the tables are named as in a
// real schema, a few words with a number, so that filtering matches some and not others.
void OpenCatalog(const QString& Path) {
  QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), GConnection);
  Db.setDatabaseName(Path);
  if (!Db.open()) qFatal("cannot open %s", qPrintable(Path));
  QSqlQuery Query(Db);
  if (Query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'")) && Query.next() &&
      Query.value(0).toInt() == GTableCount)
    return;
  static const char* const Words[] = {"Customer", "Order", "Invoice", "Stock", "Ledger", "Shipment", "Payroll"};
  Query.exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
  Db.transaction();
  for (int I = 0; I < GTableCount; ++I) {
    const QString Name =
        QStringLiteral("%1%2_%3").arg(Words[I % 7], Words[(I / 7) % 7]).arg(I, 5, 10, QLatin1Char('0'));
    if (!Query.exec(QStringLiteral("CREATE TABLE %1 (Id INTEGER PRIMARY KEY, Name TEXT)").arg(Name)))
      qFatal("%s", qPrintable(Query.lastError().text()));
  }
  Db.commit();
}

struct TRig {
  TvxSQL92SyntaxProvider Syntax;
  TvxQtSqlMetadataProvider Metadata;
  TvxQueryBuilder QueryBuilder;

  TRig() {
    Metadata.SetConnectionName(GConnection);
    QueryBuilder.SetSyntaxProvider(&Syntax);
    QueryBuilder.SetMetadataProvider(&Metadata);
    QueryBuilder.resize(1000, 700);
    QueryBuilder.show();
    QCoreApplication::processEvents();
  }
};

// Milliseconds from "Add Table" until the dialog has painted, the dialog then closed. A zero
// timer fires as soon as the dialog's modal loop runs, that is once it is shown.
double OpenAndClose(TRig& Rig) {
  QElapsedTimer Timer;
  double Elapsed = 0;
  QTimer::singleShot(0, [&] {
    QWidget* Dialog = QApplication::activeModalWidget();
    if (Dialog == nullptr) qFatal("the add-object dialog did not show");
    Dialog->repaint();
    Elapsed = Timer.nsecsElapsed() / 1e6;
    Dialog->close();
  });
  Timer.start();
  Rig.QueryBuilder.ShowAddObjectForm();
  return Elapsed;
}

void BM_OpenAddObjectForm(benchmark::State& State) {
  TRig Rig;
  for (auto _ : State) State.SetIterationTime(OpenAndClose(Rig) / 1000);
}
BENCHMARK(BM_OpenAddObjectForm)->UseManualTime()->Unit(benchmark::kMillisecond);

// Each key types the next character of a filter and then takes them back one by one, so that
// narrowing and widening are both measured; the list is painted after every key.
void BM_FilterKeystroke(benchmark::State& State) {
  TRig Rig;
  auto* Dialog = qobject_cast<TvxAddObjectForm*>(Rig.QueryBuilder.CreateAddObjectForm());
  Dialog->FillLists();
  Dialog->show();
  QCoreApplication::processEvents();
  auto* Filter = Dialog->findChild<QLineEdit*>(QStringLiteral("eTablesFilter"));
  auto* List = Dialog->findChild<QListView*>(QStringLiteral("lTables"));
  const QString Typed = QStringLiteral("stock01");
  int Step = 0;
  for (auto _ : State) {
    const int At = Step % (2 * Typed.size());
    if (At < Typed.size())
      QTest::keyClick(Filter, Typed.at(At).toLatin1());
    else
      QTest::keyClick(Filter, Qt::Key_Backspace);
    List->viewport()->repaint();
    ++Step;
  }
  State.counters["shown"] = List->model()->rowCount();
}
BENCHMARK(BM_FilterKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication Application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  OpenCatalog(QCoreApplication::applicationDirPath() + QStringLiteral("/dialogs_bench_catalog.sqlite"));
  {
    TRig Rig;
    std::printf("first opening of the add-object dialog on %d tables: %.1f ms (target 300 ms)\n", GTableCount,
                OpenAndClose(Rig));
    std::fflush(stdout);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  QSqlDatabase::removeDatabase(GConnection);
  return 0;
}
