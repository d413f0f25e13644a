// Adding what the add-object dialog lists: a table of the catalog joins the active union operand,
// with the links of its foreign keys when asked, under any name the catalog may hold.
#include "DatasourceTestRig.h"
#include "vxTestDatabases.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QTemporaryDir>

namespace vxtest {
namespace {

class AddObject : public TFromRig {
protected:
  TvxDataSourceObject* Add(const std::string& Name, bool WithFKLinks) {
    return FQueryBuilder.AddObjectFromCatalog(Name, WithFKLinks);
  }
};

TEST_F(AddObject, AddsToTheActiveOperandWithTheLinksOfItsKeysWhenAsked) {
  Load("SELECT c.CompanyName FROM Customers c");
  ASSERT_NE(Add("Orders", true), nullptr);
  EXPECT_EQ(SQL(),
            "SELECT c.CompanyName FROM Customers c INNER JOIN  Orders ON c.CustomerID=Orders.ShipToCustomerID "
            "And c.CustomerID=Orders.CustomerID");
  EXPECT_EQ(AllLinks().size(), 2u);

  Load("SELECT c.CompanyName FROM Customers c");
  Add("Orders", false);
  EXPECT_EQ(SQL(), "SELECT c.CompanyName FROM Customers c,  Orders");
  EXPECT_TRUE(AllLinks().empty());

  // The operand whose page is shown, not the first one.
  Load("SELECT ShipperID FROM Shippers UNION SELECT CustomerID FROM Customers");
  TvxSubQuery* Root = FQueryBuilder.GetRootQuery();
  Root->SetActiveUnionSubquery(Root->GetUnionSubQueries(1));
  Add("Orders", true);
  EXPECT_EQ(SQL(),
            "SELECT Shippers.ShipperID FROM Shippers UNION SELECT Customers.CustomerID FROM Customers INNER "
            "JOIN  Orders ON Customers.CustomerID=Orders.ShipToCustomerID And "
            "Customers.CustomerID=Orders.CustomerID");
}

TEST_F(AddObject, AddsNothingWhenTheTableOrItsKeysCannotBeRead) {
  Load("SELECT * FROM Customers");
  const std::string Before = SQL();
  EXPECT_THROW(Add("NoSuchTable", true), EvxException);
  EXPECT_EQ(SQL(), Before);
  FQueryBuilder.SetMetadataProvider(nullptr);
  EXPECT_EQ(MessageOf([&] { Add("Orders", true); }), "No metadata provider!");
  EXPECT_EQ(SQL(), Before);
  EXPECT_EQ(From()->GetCount(), 1);
}

// Names a catalog may hold that are no plain identifiers: each table added gives a statement
// that parses and, run on the database, reads that very table.
TEST_F(AddObject, AnyNameOfTheCatalogReadsItsTable) {
  const QStringList Names{QStringLiteral("my table"), QStringLiteral("a.b"),   QStringLiteral("q\"uote"),
                          QStringLiteral("select"),   QStringLiteral("Größe"), QStringLiteral("Plain")};
  QTemporaryDir Folder;
  const QString Path = Folder.filePath(QStringLiteral("hostile.sqlite"));
  QStringList Statements;
  for (const QString& Name : Names) {
    const QString Quoted = QLatin1Char('"') + QString(Name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + '"';
    Statements << QStringLiteral("CREATE TABLE %1 (tag TEXT)").arg(Quoted)
               << QStringLiteral("INSERT INTO %1 VALUES ('%2')").arg(Quoted, Name);
  }
  ASSERT_EQ(CreateSQLiteFile(Path, Statements), QString());
  const QString Connection = QStringLiteral("hostile-catalog");
  {
    QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
    Db.setDatabaseName(Path);
    ASSERT_TRUE(Db.open()) << Db.lastError().text().toStdString();
  }
  FMetadata.SetConnectionName(Connection);
  TvxStringList Listed;
  FMetadata.GetTableNames(Listed, false);
  EXPECT_EQ(Listed.Count(), Names.size());

  for (const std::string& Name : Listed) {
    Load("");
    TvxDataSourceObject* Table = nullptr;
    ASSERT_NO_THROW(Table = Add(Name, true)) << Name;
    ASSERT_NE(Table, nullptr) << Name;
    Table->CheckField("tag", true);
    EXPECT_NO_THROW(FSyntax.ParseSelect(SQL())) << SQL();
    std::string Error;
    EXPECT_EQ(RowsOf(Connection, SQL(), Error), std::vector<std::string>{Name}) << SQL() << "\n  " << Error;
    ExpectFixedPoint();
  }
  FMetadata.SetConnectionName(SampleConnection());
  QSqlDatabase::removeDatabase(Connection);
}

}  // namespace
}  // namespace vxtest
