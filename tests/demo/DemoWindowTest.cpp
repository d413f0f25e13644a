// The demo window in-process: the SQL pane going both ways, refused statements, running queries
// and following another database.
#include "vxDemoResults.h"
#include "vxDemoSQLPane.h"
#include "vxDemoTest.h"
#include "vxTestDatabases.h"

#include "vxQBDataSourceControl.h"
#include "vxQBLinkControl.h"
#include "vxQBLinkPainter.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxTestModal.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace vxtest;

namespace {

// Replaces the pane's text as a paste would and presses Apply.
void ApplyText(TvxDemoWindow& Window, const QString& Text) {
  Window.GetSQLPane()->GetEditor()->setPlainText(Text);
  QTest::mouseClick(Window.GetSQLPane()->GetApplyButton(), Qt::LeftButton);
  QVERIFY(WaitUntilLoaded(Window));
}

QString ConnectionOf(TvxDemoWindow& Window) { return Window.GetMetadataProvider().GetConnectionName(); }

}  // namespace

class TDemoWindowTest : public QObject {
  Q_OBJECT

private slots:
  void AppliesEditedTextWithCtrlReturn() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    // The pane shows the builder's text, a clause a line.
    QVERIFY(Window.GetSQLPane()->GetText().contains(QLatin1String("\nFROM Customers c INNER JOIN\n")));
    QPlainTextEdit* Editor = Window.GetSQLPane()->GetEditor();
    Editor->setFocus();
    Editor->selectAll();
    QTest::keyClicks(Editor, QStringLiteral("select CompanyName from Customers where Country = 'UK'"));
    QVERIFY(Window.GetSQLPane()->IsEdited());
    QTest::keyClick(Editor, Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(WaitUntilLoaded(Window));
    QCOMPARE(Window.GetQueryBuilder()->GetSQLString(),
             QStringLiteral("SELECT Customers.CompanyName FROM Customers WHERE Customers.Country='UK'"));
    // The model answers with its own text, which replaces the typed one.
    QCOMPARE(Window.GetSQLPane()->GetText(),
             QStringLiteral("SELECT Customers.CompanyName\nFROM Customers\nWHERE Customers.Country='UK'"));
    QVERIFY(!Window.GetSQLPane()->IsEdited());
  }

  void ShowsTheSampleQueryAsADiagramInTheLinkStyleChosen() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    QCOMPARE(Window.findChildren<TvxQueryBuilderDataSourceControl*>().size(), 4);
    const QList<TvxQueryBuilderLinkControl*> Lines = Window.findChildren<TvxQueryBuilderLinkControl*>();
    QCOMPARE(Lines.size(), 3);
    for (const TvxQueryBuilderLinkControl* Line : Lines) QVERIFY(Line->IsLaidOut());

    const QMenu* Styles = Window.findChild<QMenu*>(QStringLiteral("mLinkStyle"));
    QVERIFY(Styles != nullptr);
    QStringList Offered;
    for (const QAction* Style : Styles->actions()) Offered << Style->text() + (Style->isChecked() ? "*" : "");
    QCOMPARE(Offered, QStringList({"Simple", "MS SQL Style", "Access Style*"}));
    for (QAction* Style : Styles->actions()) {
      Style->trigger();
      QCOMPARE(Window.GetQueryBuilder()->GetLinkType()->PainterStyle(), Style->text());
      QVERIFY(Style->isChecked());
      KeepScreenshot(Window, QStringLiteral("demo-links-%1.png").arg(Style->text().replace(' ', '-')));
    }
  }

  void ShowsWhereABadStatementStopsAndKeepsTheQuery() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    const std::string Before = Window.GetQueryBuilder()->GetSQL();
    const QString Bad = QStringLiteral("SELECT c.CompanyName\nFROM Customers c\nWHERE c.Country = = 'UK'");
    ApplyText(Window, Bad);
    TvxDemoSQLPane* Pane = Window.GetSQLPane();
    QCOMPARE(Pane->GetErrorText(), QStringLiteral("Line 3, column 17: Bad SELECT statement near '='"));
    QVERIFY(Window.statusBar()->currentMessage().contains(Pane->GetErrorText()));
    QCOMPARE(Editor(Window)->textCursor().blockNumber(), 2);
    QCOMPARE(Editor(Window)->textCursor().positionInBlock(), 16);
    // Nothing is lost: the query stays, and so does the text to mend.
    QCOMPARE(Window.GetQueryBuilder()->GetSQL(), Before);
    QCOMPARE(Pane->GetText(), Bad);
    QCOMPARE(Editor(Window)->extraSelections().value(0).cursor.selectedText(), QStringLiteral("="));
    KeepScreenshot(Window, QStringLiteral("demo-sql-error.png"));

    // Mended text loads and the message goes.
    ApplyText(Window, QStringLiteral("SELECT c.CompanyName FROM Customers c WHERE c.Country = 'UK'"));
    QVERIFY(Pane->GetErrorText().isEmpty());
    QCOMPARE(Window.GetQueryBuilder()->GetSQL(),
             std::string("SELECT c.CompanyName FROM Customers c WHERE c.Country='UK'"));
  }

  void ExecutesTheQueryWithF5() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    QVERIFY(QTest::qWaitForWindowActive(&Window));
    QTest::keyClick(&Window, Qt::Key_F5);
    const QStandardItemModel* Rows = Window.GetResults()->GetModel();
    const int Expected = CountRows(ConnectionOf(Window), Window.GetQueryBuilder()->GetSQLString());
    QVERIFY(Expected > 1);
    QCOMPARE(Rows->rowCount(), Expected);
    QCOMPARE(Rows->columnCount(), 5);
    QCOMPARE(Rows->horizontalHeaderItem(4)->text(), QStringLiteral("NetSales"));
    // Best customers first, as the query orders them.
    QVERIFY(Rows->item(0, 4)->data(Qt::UserRole).toDouble() >= Rows->item(1, 4)->data(Qt::UserRole).toDouble());
    const QString Summary = Window.GetResults()->GetSummary();
    QVERIFY2(Summary.startsWith(QStringLiteral("%1 rows in ").arg(Expected)) && Summary.endsWith(QLatin1String(" ms")),
             qPrintable(Summary));
    KeepScreenshot(Window, QStringLiteral("demo-results.png"));
  }

  void AddsATableThroughTheDialogAndRunsTheQuery() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    QVERIFY(QTest::qWaitForWindowActive(&Window));
    ApplyText(Window, QStringLiteral("SELECT s.CompanyName FROM Suppliers s"));
    QStringList Views;
    WhenModalShows([&](QWidget* Modal) {
      auto* Filter = Modal->findChild<QLineEdit*>(QStringLiteral("eTablesFilter"));
      const QAbstractItemModel* ViewNames = Modal->findChild<QListView*>(QStringLiteral("lViews"))->model();
      for (int Row = 0; Row < ViewNames->rowCount(); ++Row) Views << ViewNames->index(Row, 0).data().toString();
      QTest::keyClicks(Filter, QStringLiteral("prod"));
      KeepScreenshot(*Modal, QStringLiteral("demo-add-table.png"));
      QTest::keyClick(Filter, Qt::Key_Return);
      Modal->close();
    });
    QTest::keyClick(&Window, Qt::Key_T, Qt::ControlModifier);
    QVERIFY(Views.contains(QStringLiteral("OrderTotals")));
    // The key between the two tables joins them, and the pane follows.
    QCOMPARE(Window.GetSQLPane()->GetText(),
             QStringLiteral(
                 "SELECT s.CompanyName\nFROM Suppliers s INNER JOIN\n Products ON s.SupplierID=Products.SupplierID"));
    TvxDatasource* Products = DatasourceOf(Window, "Products");
    QVERIFY(Products != nullptr);
    Products->CheckField("ProductName", true);
    QVERIFY2(Window.Execute(), qPrintable(Window.GetResults()->GetSummary()));
    QCOMPARE(Window.GetResults()->GetModel()->rowCount(),
             CountRows(ConnectionOf(Window), Window.GetQueryBuilder()->GetSQLString()));
    QCOMPARE(Window.GetResults()->GetModel()->columnCount(), 2);
  }

  void ShowsTheDatabasesMessageAndKeepsTheQuery() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    QVERIFY(Window.Execute());
    ApplyText(Window, QStringLiteral("SELECT NoSuchFunction(Country) FROM Customers"));
    const std::string Refused = Window.GetQueryBuilder()->GetSQL();
    QVERIFY(!Window.Execute());
    QVERIFY(Window.GetResults()->HasError());
    QVERIFY2(Window.GetResults()->GetSummary().contains(QLatin1String("no such function")),
             qPrintable(Window.GetResults()->GetSummary()));
    QCOMPARE(Window.GetResults()->GetModel()->rowCount(), 0);
    QCOMPARE(Window.GetQueryBuilder()->GetSQL(), Refused);
  }

  void FetchesAThousandRowsAtMost() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    ApplyText(Window, QStringLiteral("SELECT * FROM OrderLines"));
    QVERIFY(CountRows(ConnectionOf(Window), QStringLiteral("SELECT * FROM OrderLines")) > TvxDemoResults::MaxRows);
    QVERIFY(Window.Execute());
    QCOMPARE(Window.GetResults()->GetModel()->rowCount(), TvxDemoResults::MaxRows);
    QVERIFY(Window.GetResults()->GetSummary().contains(QLatin1String("the query returns more")));
  }

  void FollowsAnotherDatabase() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    QVERIFY(FieldsOf(Window, "c").contains(QStringLiteral("CompanyName")));
    QTemporaryDir Folder;
    const QString Other = Folder.filePath(QStringLiteral("other.sqlite"));
    QCOMPARE(CreateSQLiteFile(Other, {QStringLiteral("CREATE TABLE Customers (CustomerID INTEGER, Name TEXT)")}),
             QString());
    QString Error;
    QVERIFY2(Window.OpenSQLiteFile(Other, Error), qPrintable(Error));
    QCOMPARE(Window.GetDatabaseDescription(), QStringLiteral("SQLite: other.sqlite"));
    QVERIFY(Window.windowTitle().contains(QLatin1String("other.sqlite")));
    QCOMPARE(FieldsOf(Window, "c"), (QStringList{QStringLiteral("CustomerID"), QStringLiteral("Name")}));
    // The other tables of the query are not there: said, not fatal.
    QVERIFY(Window.statusBar()->currentMessage().startsWith(QLatin1String("Not every table")));

    // A file that is not there leaves the database as it was.
    QVERIFY(!Window.OpenSQLiteFile(Folder.filePath(QStringLiteral("missing.sqlite")), Error));
    QVERIFY2(Error.contains(QLatin1String("does not exist")), qPrintable(Error));
    QCOMPARE(Window.GetDatabaseDescription(), QStringLiteral("SQLite: other.sqlite"));
    QVERIFY(Window.Execute() || Window.GetResults()->GetSummary().contains(QLatin1String("no such table")));
  }

  void SavesAndOpensSQLFiles() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("query.sql"));
    QString Error;
    QVERIFY(Window.SaveSQLFile(Path, Error));
    const QString Saved = Window.GetSQLPane()->GetText();
    ApplyText(Window, QStringLiteral("SELECT 1"));
    QVERIFY(Window.LoadSQLFile(Path, Error));
    QVERIFY(WaitUntilLoaded(Window));
    QCOMPARE(Window.GetSQLPane()->GetText(), Saved);
    QVERIFY(!Window.LoadSQLFile(Folder.filePath(QStringLiteral("missing.sql")), Error));
    QVERIFY(Error.startsWith(QLatin1String("Cannot read")));
  }

  void KeepsTheDiagramsLayoutBesideTheSQLFile() {
    TvxDemoWindow Window;
    QVERIFY(OpenSampleQuery(Window));
    // The sample query comes with the layout beside it.
    TvxDatasource* Orders = DatasourceOf(Window, "o");
    QVERIFY(Orders != nullptr);
    QCOMPARE(Bounds(Orders), QRect(230, 60, 150, 200));
    Orders->SetBoxBounds(QRect(500, 300, 160, 180));
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("query.sql"));
    QString Error;
    QVERIFY(Window.SaveSQLFile(Path, Error));
    QVERIFY(QFile::exists(Folder.filePath(QStringLiteral("query.layout"))));

    TvxDemoWindow Other;
    QVERIFY(OpenSampleQuery(Other));
    QVERIFY(Other.LoadSQLFile(Path, Error));
    QVERIFY(WaitUntilLoaded(Other));
    QCOMPARE(Bounds(DatasourceOf(Other, "o")), QRect(500, 300, 160, 180));
    QVERIFY(!Other.GetQueryBuilder()->CanUndo());

    // A layout that cannot be read is named; the query loads all the same.
    QFile Layout(Folder.filePath(QStringLiteral("query.layout")));
    QVERIFY(Layout.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Layout.write("vxqb-layout 1\nbox\n");
    Layout.close();
    ApplyText(Other, QStringLiteral("SELECT * FROM Shippers"));
    QVERIFY(Other.LoadSQLFile(Path, Error));
    QVERIFY(WaitUntilLoaded(Other));
    QVERIFY(DatasourceOf(Other, "o") != nullptr);
    const QString Message = Other.statusBar()->currentMessage();
    QVERIFY2(Message.contains(QLatin1String("was not applied: Bad layout at line 2")), qPrintable(Message));
  }

private:
  static QPlainTextEdit* Editor(TvxDemoWindow& Window) { return Window.GetSQLPane()->GetEditor(); }
  static QRect Bounds(const TvxDatasource* Box) {
    return QRect(Box->GetLeft(), Box->GetTop(), Box->GetWidth(), Box->GetHeight());
  }
};

std::unique_ptr<QObject> vxtest::MakeDemoWindowTest() { return std::make_unique<TDemoWindowTest>(); }

#include "DemoWindowTest.moc"
