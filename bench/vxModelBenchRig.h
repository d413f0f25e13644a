// The generated query of the model and frame benchmarks and a component wired to answer its
// fields from memory: N tables joined in a chain by N links, ten select rows per table and two
// criteria per table (for N = 100: 1,000 rows and 200 criteria). The figures are the library's
// own, not a database's.
#pragma once

#include "vxQBEventMetaProvider.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxSQL92SynProvider.h"
#include "vxSQLBuilderPlainText.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace vxbench {

constexpr int GFieldsPerTable = 10;

inline std::string Alias(int Table) { return "t" + std::to_string(Table); }

// SELECT t0.c0, ..., t0.c9, t1.c0, ... FROM T0 t0 INNER JOIN T1 t1 ON t1.ref = t0.id AND t1.c9 =
// t0.c9 INNER JOIN T2 t2 ON t2.ref = t1.id ... WHERE t0.c0 > 0 AND t0.c1 <> 'x0' AND ...
inline std::string GenerateQuery(int Tables) {
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
  const std::string& GetText() const { return FText; }
  void AttachBuilder() { FBuilder.SetQueryBuilder(&FQueryBuilder); }

  // Shows the component at 1000 x 700 and lets it settle.
  void Show() {
    FQueryBuilder.resize(1000, 700);
    FQueryBuilder.show();
    QCoreApplication::processEvents();
  }
  // The shown component emptied (untimed), then the generated query assigned and left to load
  // and lay its pages out, timed: what the frame and diagram benchmarks time before they paint.
  void AssignShown(benchmark::State& State) {
    State.PauseTiming();
    Load("");
    QCoreApplication::processEvents();
    State.ResumeTiming();
    FQueryBuilder.SetSQL(FText);
    QCoreApplication::processEvents();
  }

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

// Runs the benchmarks of a program whose component needs a QApplication; no display is needed.
inline int RunWidgetBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication Application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace vxbench
