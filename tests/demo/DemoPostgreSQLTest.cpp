// The demo on the PostgreSQL cluster the CTest fixture starts: connecting through the dialog,
// the metadata provider following the connection, and running the query there.
#include "vxDemoConnectDialog.h"
#include "vxDemoResults.h"
#include "vxDemoTest.h"
#include "vxTestDatabases.h"

#include "vxQueryBuilder.h"
#include "vxTestModal.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QStandardItemModel>
#include <QTest>

using namespace vxtest;

class TDemoPostgreSQLTest : public QObject {
  Q_OBJECT

private slots:
  void ConnectsListsTablesAndExecutesThere() {
    const QSqlDatabase Server = QSqlDatabase::database(PostgreSQLSample().ConnectionName, false);
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));

    bool Filled = false;
    WhenModalShows([&](QWidget* Modal) {
      auto* Dialog = qobject_cast<TvxDemoConnectDialog*>(Modal);
      if (Dialog == nullptr) return;
      Dialog->eHost->setText(Server.hostName());
      Dialog->sePort->setValue(Server.port());
      Dialog->eDatabase->setText(Server.databaseName());
      Dialog->eUser->setText(Server.userName());
      KeepScreenshot(*Dialog, QStringLiteral("demo-connect-dialog.png"));
      Filled = true;
      Dialog->accept();
    });
    Window.findChild<QAction*>(QStringLiteral("aConnect"))->trigger();
    QVERIFY(Filled);
    QCOMPARE(Window.GetDatabaseDescription(), QStringLiteral("PostgreSQL: %1@%2:%3/%4")
                                                  .arg(Server.userName(), Server.hostName())
                                                  .arg(Server.port())
                                                  .arg(Server.databaseName()));

    // "Add Table" lists the server's tables.
    QStringList Tables;
    WhenModalShows([&](QWidget* Modal) {
      const QAbstractItemModel* Names = Modal->findChild<QListView*>(QStringLiteral("lTables"))->model();
      for (int Row = 0; Row < Names->rowCount(); ++Row) Tables << Names->index(Row, 0).data().toString();
      Modal->close();
    });
    Window.findChild<QAction*>(QStringLiteral("aAddTable"))->trigger();
    QVERIFY2(Tables.contains(QStringLiteral("customers")) && Tables.contains(QStringLiteral("orderlines")),
             qPrintable(Tables.join(QStringLiteral(", "))));
    // The boxes read their fields from the server, which spells them in lower case.
    QVERIFY(FieldsOf(Window, "c").contains(QStringLiteral("companyname")));

    QVERIFY2(Window.Execute(), qPrintable(Window.GetResults()->GetSummary()));
    const int Expected = CountRows(Server.connectionName(), Window.GetQueryBuilder()->GetSQLString());
    QVERIFY(Expected > 1);
    QCOMPARE(Window.GetResults()->GetModel()->rowCount(), Expected);
    KeepScreenshot(Window, QStringLiteral("demo-postgresql.png"));
  }
};

std::unique_ptr<QObject> vxtest::MakeDemoPostgreSQLTest() { return std::make_unique<TDemoPostgreSQLTest>(); }

#include "DemoPostgreSQLTest.moc"
