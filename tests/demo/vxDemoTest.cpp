#include "vxDemoTest.h"

#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"
#include "vxTestDatabases.h"

#include <QApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace vxtest {

QString SampleQueryPath() { return qEnvironmentVariable("VX_SAMPLES") + QStringLiteral("/queries/sample.sql"); }

bool WaitUntilLoaded(TvxDemoWindow& Window) {
  return QTest::qWaitFor([&Window] { return !Window.GetQueryBuilder()->IsSQLLoading(); });
}

bool OpenSampleQuery(TvxDemoWindow& Window) {
  Window.resize(1200, 940);
  Window.show();
  if (!QTest::qWaitForWindowExposed(&Window)) return false;
  QString Error;
  if (!Window.OpenSampleDatabase(Error) || !Window.LoadSQLFile(SampleQueryPath(), Error)) {
    QTest::qFail(qPrintable(Error), __FILE__, __LINE__);
    return false;
  }
  return WaitUntilLoaded(Window);
}

int CountRows(const QString& Connection, const QString& SQL) {
  QSqlQuery Query(QSqlDatabase::database(Connection));
  if (!Query.exec(SQL)) return -1;
  int Rows = 0;
  while (Query.next()) ++Rows;
  return Rows;
}

TvxDatasource* DatasourceOf(TvxDemoWindow& Window, const std::string& Caption) {
  TvxDatasourceList All;
  Window.GetQueryBuilder()->GetRootQuery()->FirstSelect()->GetFromClause()->GetItemsByType(
      All, TvxDatasource::staticMetaObject, true);
  for (TvxDatasourceBase* Item : All) {
    auto* Datasource = qobject_cast<TvxDatasource*>(Item);
    if (Datasource->GetCaption() == Caption) return Datasource;
  }
  return nullptr;
}

QStringList FieldsOf(TvxDemoWindow& Window, const std::string& Caption) {
  const TvxDatasource* Datasource = DatasourceOf(Window, Caption);
  if (Datasource == nullptr) return {QStringLiteral("<no datasource %1>").arg(QString::fromStdString(Caption))};
  QStringList Fields;
  for (const std::string& Field : Datasource->GetNode()->GetFieldsList()) Fields << QString::fromStdString(Field);
  return Fields;
}

void KeepScreenshot(QWidget& Widget, const QString& Name) {
  // Layouts catch up with changed texts, and scroll bars come and go, in posted events, which a
  // picture taken at once misses.
  QCoreApplication::processEvents();
  Widget.grab().save(QDir::current().filePath(Name));
}

}  // namespace vxtest

// Runs the window and program tests; with --postgresql first, the tests on the cluster the
// CTest fixture starts instead (they need VX_PG_ENV).
int main(int Argc, char** Argv) {
  QApplication Application(Argc, Argv);
  QStringList Arguments = Application.arguments();
  const bool PostgreSQL = Arguments.size() > 1 && Arguments[1] == QLatin1String("--postgresql");
  if (PostgreSQL) Arguments.removeAt(1);
  int Failures = 0;
  if (PostgreSQL) {
    Failures += QTest::qExec(vxtest::MakeDemoPostgreSQLTest().get(), Arguments);
    DropTestDatabases();
  } else {
    Failures += QTest::qExec(vxtest::MakeDemoWindowTest().get(), Arguments);
    Failures += QTest::qExec(vxtest::MakeDemoProgramTest().get(), Arguments);
  }
  return Failures == 0 ? 0 : 1;
}
