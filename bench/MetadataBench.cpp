// Metadata on a large catalog: a generated SQLite database of 10,000 tables, each referring to
// its predecessor and to the table at half its number, read through the Qt SQL and the ADO
// providers. Prints the first (cold) call of each question once, then Google Benchmark's
// steady-state figures. Targets: a table list under 200 ms, one table's relations under 20 ms.
#include "vxASTNames.h"
#include "vxQBADOMetaProvider.h"
#include "vxQtSqlMetadataProvider.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>

namespace {

constexpr int GTableCount = 10000;
const QString GConnection = QStringLiteral("bench");
TastSyntaxProvider GSyntax;

QString TableName(int I) { return QStringLiteral("T%1").arg(I, 5, 10, QLatin1Char('0')); }

// Bumped whenever the generated schema changes, so an older file is built anew.
constexpr int GSchemaStamp = 20001;

// Opens the catalog at Path, generating it first unless a file of this generation is there: the
// generation takes far longer than every measurement together.
bool OpenSchema(const QString& Path) {
  QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), GConnection);
  Db.setDatabaseName(Path);
  if (!Db.open()) qFatal("cannot open %s", qPrintable(Path));
  QSqlQuery Query(Db);
  if (Query.exec(QStringLiteral("PRAGMA user_version")) && Query.next() && Query.value(0).toInt() == GSchemaStamp)
    return false;
  Query.exec(QStringLiteral("PRAGMA writable_schema = ON"));
  Query.exec(QStringLiteral("DELETE FROM sqlite_master"));
  Query.exec(QStringLiteral("PRAGMA writable_schema = OFF"));
  Query.exec(QStringLiteral("VACUUM"));
  Query.exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
  Query.exec(QStringLiteral("PRAGMA synchronous = OFF"));
  Db.transaction();
  for (int I = 1; I <= GTableCount; ++I) {
    QString Sql =
        QStringLiteral("CREATE TABLE %1 (Id INTEGER PRIMARY KEY, Code INTEGER NOT NULL, Name TEXT, Price NUMERIC")
            .arg(TableName(I));
    if (I > 1) Sql += QStringLiteral(", PrevId INTEGER REFERENCES %1 (Id)").arg(TableName(I - 1));
    if (I > 2)
      Sql += QStringLiteral(
                 ", HalfId INTEGER, HalfCode INTEGER, FOREIGN KEY (HalfId, HalfCode) "
                 "REFERENCES %1 (Id, Code)")
                 .arg(TableName(I / 2));
    Sql += QLatin1Char(')');
    if (!Query.exec(Sql)) qFatal("%s", qPrintable(Query.lastError().text()));
  }
  Query.exec(QStringLiteral("PRAGMA user_version = %1").arg(GSchemaStamp));
  Db.commit();
  return true;
}

const QString GTable = TableName(GTableCount / 2);

std::unique_ptr<TSQLDatabaseObject> ObjectName(const QString& Name) {
  auto Object = NewNode<TSQLDatabaseObject>(&GSyntax);
  Object->AddName(Name.toStdString());
  return Object;
}

struct TProviders {
  TvxQtSqlMetadataProvider Qt;
  TADOConnection Connection;
  TvxADOMetadataProvider Ado;
};
TProviders* GProviders = nullptr;

void ListTables(TvxBaseMetadataProvider& Provider) {
  TvxStringList Names;
  Provider.GetTableNames(Names, false);
  if (Names.Count() != GTableCount) qFatal("listed %d tables", Names.Count());
}

void Fields(TvxBaseMetadataProvider& Provider) {
  TvxStringList Names;
  Provider.GetFields(("select * from " + GTable + " t").toStdString(), Names);
  if (Names.Count() != 7) qFatal("read %d fields", Names.Count());
}

void Relations(TvxBaseMetadataProvider& Provider) {
  auto Name = ObjectName(GTable);
  TSQLMetadataRelationList List;
  Provider.GetTableRelations(*Name, List);
  // Referred to by its successor and by the table at twice its number; referring to two.
  if (List.size() != 4) qFatal("found %d relations", int(List.size()));
}

double Milliseconds(const std::function<void()>& Action) {
  QElapsedTimer Timer;
  Timer.start();
  Action();
  return Timer.nsecsElapsed() / 1e6;
}

TvxBaseMetadataProvider& Provider(bool Ado) {
  if (Ado) return GProviders->Ado;
  return GProviders->Qt;
}

// One question asked of one provider, again and again.
void BM_Ask(benchmark::State& State, void (*Question)(TvxBaseMetadataProvider&), bool Ado) {
  for (auto _ : State) Question(Provider(Ado));
}
BENCHMARK_CAPTURE(BM_Ask, ListTables_QtSql, ListTables, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ask, ListTables_ADO, ListTables, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ask, Fields_QtSql, Fields, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Ask, Fields_ADO, Fields, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Ask, Relations_QtSql, Relations, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Ask, Relations_ADO, Relations, true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  const QString Path = QCoreApplication::applicationDirPath() + QStringLiteral("/metadata_bench_catalog.sqlite");
  bool Built = false;
  const double BuildTime = Milliseconds([&] { Built = OpenSchema(Path); });
  std::printf("catalog of %d tables with %d foreign keys: %s (%.0f ms)\n", GTableCount, 2 * GTableCount - 3,
              Built ? "generated" : "reused", BuildTime);
  {
    TProviders Providers;
    GProviders = &Providers;
    Providers.Qt.SetConnectionName(GConnection);
    Providers.Connection.SetConnectionString(QStringLiteral("Provider=QSQLITE;Data Source=\"%1\"").arg(Path));
    Providers.Ado.SetConnection(&Providers.Connection);
    // First calls: the SQLite index of referring keys is built by the first relations call.
    for (const bool Ado : {false, true}) {
      // Timed one after the other: arguments of one call would be evaluated in no set order.
      TvxBaseMetadataProvider& Asked = Provider(Ado);
      const double List = Milliseconds([&] { ListTables(Asked); });
      const double Names = Milliseconds([&] { Fields(Asked); });
      const double Keys = Milliseconds([&] { Relations(Asked); });
      std::printf("first call, %-7s list %.1f ms, fields %.2f ms, relations %.1f ms (builds the key index)\n",
                  Ado ? "ADO:" : "Qt SQL:", List, Names, Keys);
    }
    std::fflush(stdout);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    GProviders = nullptr;
  }
  QSqlDatabase::removeDatabase(GConnection);
  return 0;
}
