// The add-object dialog as the user drives it: the catalog's lists, the filter box, adding by
// button, double click and Return, the foreign-key box, and what the dialog keeps between uses.
#include "vxDialogsTest.h"

#include "vxQBAddObjectOptions.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxTestDatabases.h"
#include "vxTestModal.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace vxtest;

namespace {

// The parts of the dialog a user sees.
struct TAddObjectParts {
  QDialog* Dialog = nullptr;
  QTabWidget* Tabs = nullptr;
  QLineEdit* TablesFilter = nullptr;
  QLineEdit* ViewsFilter = nullptr;
  QListView* Tables = nullptr;
  QListView* Views = nullptr;
  QCheckBox* AddFK = nullptr;
  QLabel* Message = nullptr;
  QPushButton* Add = nullptr;
  QPushButton* Close = nullptr;

  explicit TAddObjectParts(QWidget* Modal) : Dialog(qobject_cast<QDialog*>(Modal)) {
    Tabs = Modal->findChild<QTabWidget*>(QStringLiteral("pcObjects"));
    TablesFilter = Modal->findChild<QLineEdit*>(QStringLiteral("eTablesFilter"));
    ViewsFilter = Modal->findChild<QLineEdit*>(QStringLiteral("eViewsFilter"));
    Tables = Modal->findChild<QListView*>(QStringLiteral("lTables"));
    Views = Modal->findChild<QListView*>(QStringLiteral("lViews"));
    AddFK = Modal->findChild<QCheckBox*>(QStringLiteral("cbAddFK"));
    Message = Modal->findChild<QLabel*>(QStringLiteral("lMessage"));
    Add = Modal->findChild<QPushButton*>(QStringLiteral("bAdd"));
    Close = Modal->findChild<QPushButton*>(QStringLiteral("bClose"));
  }
};

QStringList Names(const QListView* List) {
  QStringList Result;
  for (int Row = 0; Row < List->model()->rowCount(); ++Row) Result << List->model()->index(Row, 0).data().toString();
  return Result;
}

QStringList TabCaptions(const QTabWidget* Tabs) {
  QStringList Captions;
  for (int I = 0; I < Tabs->count(); ++I) Captions << Tabs->tabText(I);
  return Captions;
}

// Types Text into Filter one key at a time, checking after each key that List shows exactly the
// names of All that contain what has been typed so far, ignoring case.
void TypeAndCheckEachStep(QLineEdit* Filter, const QListView* List, const QStringList& All, const QString& Text) {
  for (const QChar Key : Text) {
    QTest::keyClick(Filter, Key.toLatin1());
    QStringList Expected;
    for (const QString& Name : All)
      if (Name.contains(Filter->text(), Qt::CaseInsensitive)) Expected << Name;
    QCOMPARE(Names(List), Expected);
  }
}

// Opens the dialog of Rig's component and runs Body on it; the dialog is closed afterwards
// whatever Body did, so that a failed check cannot leave the test waiting in its exec().
void WithDialog(TDialogRig& Rig, const std::function<void(TAddObjectParts&)>& Body) {
  bool Ran = false;
  const QPointer<QTimer> Poll = WhenModalShows([&](QWidget* Modal) {
    TAddObjectParts Parts(Modal);
    Ran = true;
    Body(Parts);
    if (Modal->isVisible()) Parts.Dialog->reject();
  });
  Rig.QueryBuilder.ShowAddObjectForm();
  if (!Ran) delete Poll.data();
  QVERIFY(Ran);
}

// The SQL-92 dialect without views, as some databases have it.
class TNoViewsSyntax : public TvxSQL92SyntaxProvider {
  class TDialect : public TastSQL92SyntaxProvider {
  public:
    bool IsSupportViews() const override { return false; }
  };

protected:
  std::unique_ptr<TastSyntaxProvider> CreateASTSyntaxProvider() override { return std::make_unique<TDialect>(); }
};

}  // namespace

class TAddObjectFormTest : public QObject {
  Q_OBJECT

private slots:
  void ListsTheCatalogAndAddsWithTheLinksOfForeignKeysWhenTicked() {
    TDialogRig Rig;
    Rig.Show();
    Rig.Load("SELECT c.CompanyName FROM Customers c");
    WithDialog(Rig, [&](TAddObjectParts& Form) {
      QCOMPARE(Form.Dialog->windowTitle(), QStringLiteral("Add new object"));
      QCOMPARE(TabCaptions(Form.Tabs), QStringList({"Tables", "Views"}));
      QCOMPARE(Form.Tabs->currentIndex(), 0);
      const QStringList Tables = Names(Form.Tables);
      for (const char* Table : {"Customers", "Orders", "OrderLines", "Products", "Employees"})
        QVERIFY2(Tables.contains(QLatin1String(Table)), Table);
      QVERIFY(!Tables.contains(QStringLiteral("OrderTotals")));
      QVERIFY(Names(Form.Views).contains(QStringLiteral("Sales by Category")));
      QVERIFY(Form.AddFK->isChecked());
      QVERIFY(!Form.Add->isEnabled());

      // The focus starts in the filter box: typing narrows, the first match becomes current.
      QTest::keyClicks(Form.TablesFilter, QStringLiteral("orDERs"));
      QCOMPARE(Names(Form.Tables), QStringList({"Orders"}));
      QVERIFY(Form.Add->isEnabled());
      SaveScreenshot(*Form.Dialog, QStringLiteral("add-object-filtered"));
      QTest::mouseClick(Form.Add, Qt::LeftButton);
      // The dialog stays open for the next object.
      QVERIFY(Form.Dialog->isVisible());
      QCOMPARE(Form.Message->text(), QStringLiteral("Added Orders."));
      QTest::mouseClick(Form.Close, Qt::LeftButton);
      QVERIFY(!Form.Dialog->isVisible());
    });
    QCOMPARE(Q(Rig.SQL()), QStringLiteral("SELECT c.CompanyName FROM Customers c INNER JOIN  Orders ON "
                                          "c.CustomerID=Orders.ShipToCustomerID And c.CustomerID=Orders.CustomerID"));

    // Unticked, a double click adds the table alone. The dialog is the same one, and opens on
    // the whole list again.
    QWidget* Kept = Rig.QueryBuilder.GetAddObjectForm();
    Rig.Load("SELECT c.CompanyName FROM Customers c");
    WithDialog(Rig, [&](TAddObjectParts& Form) {
      QCOMPARE(Form.Dialog, Kept);
      QVERIFY(Form.TablesFilter->text().isEmpty());
      QTest::mouseClick(Form.AddFK, Qt::LeftButton);
      QVERIFY(!Form.AddFK->isChecked());
      const QModelIndex Orders = Form.Tables->model()->index(Names(Form.Tables).indexOf("Orders"), 0);
      Form.Tables->scrollTo(Orders);
      const QPoint Centre = Form.Tables->visualRect(Orders).center();
      // A double click comes after the press and release of its first click.
      QTest::mouseClick(Form.Tables->viewport(), Qt::LeftButton, {}, Centre);
      QTest::mouseDClick(Form.Tables->viewport(), Qt::LeftButton, {}, Centre);
    });
    QCOMPARE(Q(Rig.SQL()), QStringLiteral("SELECT c.CompanyName FROM Customers c,  Orders"));
  }

  void ViewsAreAddedFromTheirTabAndTheTabFollowsTheDialect() {
    TDialogRig Rig;
    Rig.Show();
    WithDialog(Rig, [&](TAddObjectParts& Form) {
      Form.Tabs->setCurrentIndex(1);
      // The foreign-key box belongs to the tables alone.
      QVERIFY(!Form.AddFK->isVisible());
      Form.ViewsFilter->setFocus();
      QTest::keyClicks(Form.ViewsFilter, QStringLiteral("by cat"));
      QCOMPARE(Names(Form.Views), QStringList({"Sales by Category"}));
      // Return in the filter box adds the name it narrowed to.
      QTest::keyClick(Form.ViewsFilter, Qt::Key_Return);
      QVERIFY(Form.Dialog->isVisible());
    });
    TvxDatasource* View = Rig.Datasource("\"Sales by Category\"");
    QVERIFY2(View != nullptr, Rig.SQL().c_str());
    View->CheckField("", true);
    QSqlQuery Query(QSqlDatabase::database(SQLiteSample().ConnectionName));
    QVERIFY2(Query.exec(QString::fromStdString(Rig.SQL())), qPrintable(Q(Rig.SQL())));
    QVERIFY(Query.next());

    TNoViewsSyntax NoViews;
    Rig.QueryBuilder.SetSyntaxProvider(&NoViews);
    WithDialog(Rig, [&](TAddObjectParts& Form) { QCOMPARE(TabCaptions(Form.Tabs), QStringList({"Tables"})); });
    Rig.QueryBuilder.SetSyntaxProvider(&Rig.Syntax);
    WithDialog(Rig, [&](TAddObjectParts& Form) { QCOMPARE(Form.Tabs->count(), 2); });
  }

  void TheFilterNarrowsALargeCatalogAsEachKeyIsTyped() {
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("large.sqlite"));
    QStringList Statements{QStringLiteral("BEGIN")}, All;
    for (int I = 0; I < 10000; ++I) {
      const QString Name = QStringLiteral("%1%2")
                               .arg(I % 3 == 0   ? "Sales"
                                    : I % 3 == 1 ? "Stock"
                                                 : "Staff")
                               .arg(I, 5, 10, QLatin1Char('0'));
      All << Name;
      Statements << QStringLiteral("CREATE TABLE %1 (Id INTEGER)").arg(Name);
    }
    Statements << QStringLiteral("COMMIT");
    QCOMPARE(CreateSQLiteFile(Path, Statements), QString());
    {
      QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("large-catalog"));
      Db.setDatabaseName(Path);
      QVERIFY(Db.open());
    }
    {
      TDialogRig Rig(QStringLiteral("large-catalog"));
      Rig.Show();
      WithDialog(Rig, [&](TAddObjectParts& Form) {
        // In the provider's order, which the filter keeps.
        QStringList Listed = Names(Form.Tables);
        QCOMPARE(Listed.size(), All.size());
        All = Listed;
        TypeAndCheckEachStep(Form.TablesFilter, Form.Tables, All, QStringLiteral("oCK0001"));
        QCOMPARE(Names(Form.Tables), QStringList({"Stock00010", "Stock00013", "Stock00016", "Stock00019"}));
        SaveScreenshot(*Form.Dialog, QStringLiteral("add-object-large-catalog"));
        // Taking a key back widens the list again.
        QTest::keyClick(Form.TablesFilter, Qt::Key_Backspace);
        QCOMPARE(Names(Form.Tables), All.filter(QStringLiteral("ock000"), Qt::CaseInsensitive));
        // The current name stays current while it is shown; the arrows walk the list under the
        // box, and Return adds the name walked to.
        QCOMPARE(Form.Tables->currentIndex().data().toString(), QStringLiteral("Stock00010"));
        QTest::keyClick(Form.TablesFilter, Qt::Key_Down);
        QCOMPARE(Form.Tables->currentIndex().data().toString(), QStringLiteral("Stock00013"));
        QTest::keyClick(Form.TablesFilter, Qt::Key_Return);
      });
      QVERIFY(Rig.Datasource("Stock00013") != nullptr);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("large-catalog"));
  }

  void KeepsItsSizeAndTakesNewPicturesAtOnce() {
    TDialogRig Rig;
    Rig.Show();
    TvxAddObjectFormOptions* Options = Rig.QueryBuilder.GetAddObjectFormOptions();
    WithDialog(Rig, [&](TAddObjectParts& Form) {
      QCOMPARE(Form.Dialog->size(), QSize(294, 342));
      Form.Dialog->resize(420, 480);
      QCOMPARE(Options->GetWidth(), 420);
      // A host asks for less than the minimum: the dialog keeps its minimum and says so.
      Options->SetWidth(100);
      QCOMPARE(Form.Dialog->width(), 294);
      QCOMPARE(Options->GetWidth(), 294);
      Options->SetWidth(500);
    });
    WithDialog(Rig, [&](TAddObjectParts& Form) {
      QCOMPARE(Form.Dialog->size(), QSize(500, 480));
      TvxImageList Images;
      QPixmap Red(16, 16);
      Red.fill(Qt::red);
      Images.Add(QIcon(Red));
      Options->SetImageListSmall(&Images);
      Options->SetImageIndexTables(0);
      const auto Picture = [&Form] {
        return qvariant_cast<QIcon>(Form.Tables->model()->index(0, 0).data(Qt::DecorationRole)).pixmap(16).toImage();
      };
      QCOMPARE(Picture().pixelColor(8, 8), QColor(Qt::red));
      Options->SetImageListSmall(nullptr);
      // Without a list of the host's the dialog's own table picture returns.
      QVERIFY(Picture().pixelColor(8, 8) != QColor(Qt::red));
      QVERIFY(!Picture().isNull());
    });
  }

  void AFailureShowsInTheDialogAndChangesNothing() {
    TDialogRig Rig;
    Rig.Show();
    Rig.Load("SELECT c.CompanyName FROM Customers c");
    QSignalSpy Failures(&Rig.QueryBuilder, &TvxQueryBuilder::actionFailed);
    WithDialog(Rig, [&](TAddObjectParts& Form) {
      QTest::keyClicks(Form.TablesFilter, QStringLiteral("Orders"));
      // The database goes away between listing and adding.
      Rig.QueryBuilder.SetMetadataProvider(nullptr);
      QTest::mouseClick(Form.Add, Qt::LeftButton);
      QVERIFY(Form.Message->isVisible());
      QCOMPARE(Form.Message->text(), QStringLiteral("No metadata provider!"));
      SaveScreenshot(*Form.Dialog, QStringLiteral("add-object-failure"));
    });
    QCOMPARE(Failures.size(), 1);
    QCOMPARE(Failures.at(0).at(0).toString(), QStringLiteral("No metadata provider!"));
    QCOMPARE(Q(Rig.SQL()), QStringLiteral("SELECT c.CompanyName FROM Customers c"));
    // Listing without a provider says so too, with empty lists.
    WithDialog(Rig, [&](TAddObjectParts& Form) {
      QCOMPARE(Form.Tables->model()->rowCount(), 0);
      QCOMPARE(Form.Message->text(), QStringLiteral("No metadata provider!"));
      QVERIFY(!Form.Add->isEnabled());
    });
  }
};

VX_REGISTER_TEST(TAddObjectFormTest)

#include "AddObjectFormTest.moc"
