// A query built with the keyboard alone: every step is a key typed into whatever has the
// keyboard focus (an open popup first, as the window system delivers keys), on a real SQLite
// file, from an empty component to the typical query of customers and their large orders.
#include "vxControlsTest.h"
#include "vxKeyboardTest.h"

#include "vxQBSelectListInplaceEdit.h"
#include "vxQtSqlMetadataProvider.h"
#include "vxTestDatabases.h"

#include <QApplication>
#include <QCheckBox>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace vxtest;

namespace {

const char* const GTypical =
    "SELECT c.Name, o.Total FROM Customers c INNER JOIN Orders o ON c.Id = o.CustId WHERE o.Total > 100 ORDER BY "
    "c.Name";

}  // namespace

class TKeyboardBuildTest : public QObject {
  Q_OBJECT

  QTemporaryDir FFolder;
  const QString FConnection = QStringLiteral("keyboard-shop");

private slots:
  void initTestCase() {
    const QString Path = FFolder.filePath(QStringLiteral("shop.sqlite"));
    QCOMPARE(CreateSQLiteFile(Path, {"CREATE TABLE Customers (Id INTEGER PRIMARY KEY, Name VARCHAR(40) NOT NULL, "
                                     "City VARCHAR(40))",
                                     "CREATE TABLE Orders (Id INTEGER PRIMARY KEY, CustId INTEGER NOT NULL "
                                     "REFERENCES Customers (Id), Total NUMERIC(10, 2) NOT NULL, Note VARCHAR(80))",
                                     "INSERT INTO Customers VALUES (1, 'Cleo', 'Oslo'), (2, 'Ann', 'Rome')",
                                     "INSERT INTO Orders VALUES (1, 1, 250, NULL), (2, 1, 40, NULL), "
                                     "(3, 2, 120, 'rush'), (4, 2, 100, NULL)"}),
             QString());
    QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnection);
    Db.setDatabaseName(Path);
    QVERIFY(Db.open());
  }

  void cleanupTestCase() { QSqlDatabase::removeDatabase(FConnection); }

  void TheTypicalQueryFromAnEmptyComponent() {
    TvxSQL92SyntaxProvider Syntax;
    TvxQtSqlMetadataProvider Metadata;
    Metadata.SetConnectionName(FConnection);
    TvxQueryBuilder QueryBuilder;
    QueryBuilder.SetSyntaxProvider(&Syntax);
    QueryBuilder.SetMetadataProvider(&Metadata);
    QueryBuilder.resize(900, 600);
    QueryBuilder.show();
    QVERIFY(QTest::qWaitForWindowActive(&QueryBuilder));
    QSignalSpy Failed(&QueryBuilder, &TvxQueryBuilder::actionFailed);

    // F6 goes round the panes; the first press from outside them lands on the diagram.
    Press(Qt::Key_F6);
    TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(QueryBuilder);
    QCOMPARE(QApplication::focusWidget(), WorkArea);

    // Insert: both tables from the add-object dialog, the foreign key's link left to the keys.
    QVERIFY(InModal(
        QueryBuilder, [] { Press(Qt::Key_Insert); },
        [](QWidget* Dialog) {
          Type(QStringLiteral("cust"));
          Press(Qt::Key_Return);
          auto* AddFK = Dialog->findChild<QCheckBox*>(QStringLiteral("cbAddFK"));
          for (int Tabs = 0; Tabs < 8 && QApplication::focusWidget() != AddFK; ++Tabs) Press(Qt::Key_Tab);
          Press(Qt::Key_Space);
          QVERIFY(!AddFK->isChecked());
          for (int Tabs = 0; Tabs < 8 && !QApplication::focusWidget()->inherits("QLineEdit"); ++Tabs)
            Press(Qt::Key_Tab, Qt::ShiftModifier);
          Press(Qt::Key_A, Qt::ControlModifier);
          Type(QStringLiteral("ord"));
          Press(Qt::Key_Return);
          Press(Qt::Key_Escape);
        }));
    QCOMPARE(Q(QueryBuilder.GetSQL()).simplified(), QStringLiteral("SELECT FROM Customers, Orders"));
    QCOMPARE(QApplication::focusWidget(), WorkArea);

    // The link: from the first box's Id to the second box's CustId.
    Press(Qt::Key_Tab);
    TvxQueryBuilderDataSourceControl* Customers = FocusedBox(WorkArea);
    QVERIFY(Customers != nullptr);
    QCOMPARE(CurrentField(Customers), QStringLiteral("Id"));
    Press(Qt::Key_L, Qt::ControlModifier);
    Press(Qt::Key_Down);
    Press(Qt::Key_Return);

    // The aliases, from each box's properties.
    QVERIFY(InModal(
        QueryBuilder, [] { Press(Qt::Key_Return); },
        [](QWidget*) {
          Press(Qt::Key_A, Qt::ControlModifier);
          Type(QStringLiteral("c"));
          Press(Qt::Key_Return);
        }));
    Press(Qt::Key_Down);
    Press(Qt::Key_Space);
    Press(Qt::Key_Tab);
    QVERIFY(InModal(
        QueryBuilder, [] { Press(Qt::Key_Return, Qt::AltModifier); },
        [](QWidget*) {
          Press(Qt::Key_A, Qt::ControlModifier);
          Type(QStringLiteral("o"));
          Press(Qt::Key_Return);
        }));
    Press(Qt::Key_Down);
    QCOMPARE(CurrentField(FocusedBox(WorkArea)), QStringLiteral("Total"));
    Press(Qt::Key_Space);

    // On to the grid past the line; sorting and the criterion there.
    Press(Qt::Key_Tab);
    QVERIFY(qobject_cast<TvxQueryBuilderLinkControl*>(WorkArea->GetFocusedControl()) != nullptr);
    Press(Qt::Key_Tab);
    TvxQueryBuilderSelectListControl* Grid = GridOf(QueryBuilder);
    QVERIFY(Grid->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == Grid);
    MoveToCell(Grid, 0, slcSortType);
    Press(Qt::Key_Down, Qt::AltModifier);
    QVERIFY(Grid->GetEditor()->IsDroppedDown());
    Type(QStringLiteral("a"));
    Press(Qt::Key_Return);
    MoveToCell(Grid, 1, slcCriteria);
    Type(QStringLiteral("> 100"));
    Press(Qt::Key_Return);

    QCOMPARE(Failed.count(), 0);
    TvxQueryBuilder Reference;
    Reference.SetSyntaxProvider(&Syntax);
    Reference.SetMetadataProvider(&Metadata);
    Reference.SetSQL(GTypical);
    Reference.ProcessPendingSQL();
    QCOMPARE(Q(QueryBuilder.GetSQL()), Q(Reference.GetSQL()));
    QSqlQuery Rows(QSqlDatabase::database(FConnection));
    QVERIFY2(Rows.exec(Q(QueryBuilder.GetSQL())), qPrintable(Q(QueryBuilder.GetSQL())));
    QStringList Found;
    while (Rows.next()) Found << Rows.value(0).toString() + ":" + Rows.value(1).toString();
    QCOMPARE(Found, QStringList({"Ann:120", "Cleo:250"}));
    SaveScreenshot(QueryBuilder.grab().toImage(), QStringLiteral("keyboard-typical-query"));
  }
};

VX_REGISTER_TEST(TKeyboardBuildTest)
#include "KeyboardBuildTest.moc"
