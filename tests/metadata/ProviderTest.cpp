// The Qt SQL, ADO and BDE providers on the sample database, once on SQLite and once on
// PostgreSQL: the same questions must get the same answers from the same catalog.
#include "vxASTNames.h"
#include "vxQBADOMetaProvider.h"
#include "vxQBBDEMetaProvider.h"
#include "vxQtSqlMetadataProvider.h"
#include "vxTestDatabases.h"

#include <QSqlDriver>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

const QStringList GTables = {"Categories", "Complaints", "Customers", "Employees", "OrderLines",
                             "Orders",     "Products",   "Shippers",  "Suppliers"};
const QStringList GViews = {"OrderTotals", "ProductCatalog", "Sales by Category"};

QStringList ToQt(const TvxStringList& List) {
  QStringList Result;
  for (const std::string& Item : List) Result << QString::fromStdString(Item);
  return Result;
}

QStringList Sorted(QStringList List) {
  List.sort(Qt::CaseInsensitive);
  return List;
}

// "Referenced(a, b) <- Referencing(x, y)", one line per relation, in reported order.
QStringList Describe(const TSQLMetadataRelationList& Relations) {
  QStringList Lines;
  for (const auto& Relation : Relations) {
    EXPECT_EQ(Relation->GetReferencedFields().Count(), Relation->GetReferencingFields().Count());
    Lines << QStringLiteral("%1(%2) <- %3(%4)")
                 .arg(QString::fromStdString(std::string(Relation->GetReferencedObject()->GetObjName())),
                      ToQt(Relation->GetReferencedFields()).join(QStringLiteral(", ")),
                      QString::fromStdString(std::string(Relation->GetReferencingObject()->GetObjName())),
                      ToQt(Relation->GetReferencingFields()).join(QStringLiteral(", ")));
  }
  return Lines;
}

class TProviderTest : public testing::TestWithParam<const TTestDatabase& (*)()> {
protected:
  void SetUp() override {
    FDb = &GetParam()();
    Qt.SetConnectionName(FDb->ConnectionName);
    Ado.SetConnectionString(FDb->AdoConnectionString);
    AdoProvider.SetConnection(&Ado);
    Bde.SetDatabaseName(QStringLiteral("sample-") + FDb->Kind);
    Bde.SetDriverName(FDb->BdeDriverName);
    Bde.SetParams(FDb->BdeParams);
    BdeProvider.SetConnection(&Bde);
  }

  std::vector<TvxBaseMetadataProvider*> All() { return {&Qt, &AdoProvider, &BdeProvider}; }
  QString S(const QString& Name) const { return Spelled(*FDb, Name); }
  QStringList S(const QStringList& Names) const { return Spelled(*FDb, Names); }

  QStringList Fields(TvxBaseMetadataProvider& Provider, const QString& SQL) {
    TvxStringList List{"stale"};
    Provider.GetFields(SQL.toStdString(), List);
    return ToQt(List);
  }

  QStringList Relations(TvxBaseMetadataProvider& Provider, const QString& Table) {
    auto Name = NewNode<TSQLDatabaseObject>(&Syntax);
    Name->AddName(Table.toStdString());
    TSQLMetadataRelationList List;
    Provider.GetTableRelations(*Name, List);
    for (const auto& Relation : List) EXPECT_EQ(Relation->GetReferencedObject()->GetSyntaxProvider(), &Syntax);
    return Describe(List);
  }

  const TTestDatabase* FDb = nullptr;
  TastSyntaxProvider Syntax;
  TvxQtSqlMetadataProvider Qt;
  TADOConnection Ado;
  TvxADOMetadataProvider AdoProvider;
  TDatabase Bde;
  TvxBDEMetadataProvider BdeProvider;
};

TEST_P(TProviderTest, ListsTablesAndViewsAlikeInEveryProvider) {
  for (TvxBaseMetadataProvider* Provider : All()) {
    SCOPED_TRACE(Provider->metaObject()->className());
    TvxStringList Tables{"stale"}, Views{"stale"}, WithSystem;
    Provider->GetTableNames(Tables, false);
    Provider->GetViewNames(Views, false);
    EXPECT_EQ(Sorted(ToQt(Tables)), Sorted(S(GTables)));
    EXPECT_EQ(Sorted(ToQt(Views)), Sorted(S(GViews)));

    Provider->GetTableNames(WithSystem, true);
    const QStringList All = ToQt(WithSystem);
    EXPECT_TRUE(All.contains(FDb->FoldsToLower ? QStringLiteral("pg_class") : QStringLiteral("sqlite_master")));
    for (const QString& Table : S(GTables)) EXPECT_TRUE(All.contains(Table)) << Table.toStdString();
    for (const QString& View : S(GViews)) EXPECT_FALSE(All.contains(View)) << View.toStdString();
  }
}

TEST_P(TProviderTest, DescribesStatementsAlikeInEveryProvider) {
  const QStringList Customers = S(QStringList{"CustomerID", "CompanyName", "ContactName", "ContactTitle", "City",
                                              "Region", "Country", "Phone", "CreditLimit"});
  const QStringList Shippers = S(QStringList{"ShipperID", "CompanyName", "Phone"});
  const QStringList Cases[][2] = {
      {{"select * from Customers"}, Customers},
      {{"select * from Customers c"}, Customers},
      // Both sides of a join, duplicate names kept as the engine reports them.
      {{"select * from Shippers s inner join Shippers t on t.ShipperID = s.ShipperID"}, Shippers + Shippers},
      {{"select * from (select CustomerID, City as Town from Customers) d"}, S(QStringList{"CustomerID", "Town"})},
      {{"select * from \"Sales by Category\" x"}, S(QStringList{"CategoryID", "CategoryName", "OrderYear", "Sales"})},
      {{"select o.OrderID, c.CompanyName as Buyer from Orders o, Customers c where o.CustomerID = c.CustomerID"},
       S(QStringList{"OrderID", "Buyer"})},
  };
  for (const auto& [SQL, Expected] : Cases) {
    SCOPED_TRACE(SQL.first().toStdString());
    EXPECT_EQ(Fields(Qt, SQL.first()), Expected);
    EXPECT_EQ(Fields(AdoProvider, SQL.first()), Expected);
    EXPECT_EQ(Fields(BdeProvider, SQL.first()), Expected);
  }
}

// A statement that fails only when it runs: describing it must not run it.
TEST_P(TProviderTest, DescribesWithoutRunning) {
  const QString SQL =
      FDb->FoldsToLower
          ? QStringLiteral("select CustomerID, (select CustomerID from Customers) as Probe from Customers")
          : QStringLiteral("select CustomerID, abs(-9223372036854775807 - 1) as Probe from Customers");
  QSqlQuery Run(QSqlDatabase::database(FDb->ConnectionName));
  ASSERT_FALSE(Run.exec(SQL) && Run.next()) << "the statement was meant to fail when run";
  Run = QSqlQuery();
  EXPECT_EQ(Fields(Qt, SQL), S(QStringList{"CustomerID", "Probe"}));
  EXPECT_EQ(Fields(AdoProvider, SQL), S(QStringList{"CustomerID", "Probe"}));
}

// Statements are described through the driver's native connection handle, found by the type
// name Qt gives it (Qt 6 calls libpq's PGconn "pg_conn*"): should Qt name it otherwise again,
// this fails, rather than every describe silently failing or, worse, running the statement.
TEST_P(TProviderTest, FindsTheNativeHandleByTheDriversTypeName) {
  QSqlDatabase Db = QSqlDatabase::database(FDb->ConnectionName);
  const TvxQtSqlCatalog Catalog(Db, QString(), nullptr);
  const TvxCatalogDialect Dialect = FDb->FoldsToLower ? TvxCatalogDialect::cdPostgreSQL : TvxCatalogDialect::cdSQLite;
  EXPECT_EQ(Catalog.GetDialect(), Dialect);
  EXPECT_STREQ(Db.driver()->handle().typeName(), TvxQtSqlCatalog::NativeHandleTypeName(Dialect));
  EXPECT_TRUE(Catalog.CanDescribe());
}

// Each provider says how its server spells unquoted names, without opening anything for it.
TEST_P(TProviderTest, TellsHowTheServerFoldsNames) {
  const TvxNameFolding Expected = FDb->FoldsToLower ? TvxNameFolding::nfLower : TvxNameFolding::nfNone;
  for (TvxBaseMetadataProvider* Provider : All()) EXPECT_EQ(Provider->GetNameFolding(), Expected);
  // Objects of the default schema need no qualifier.
  for (TvxBaseMetadataProvider* Provider : All()) EXPECT_EQ(Provider->GetObjectsSchema(), "");
  TvxQtSqlMetadataProvider Unconnected;
  EXPECT_EQ(Unconnected.GetNameFolding(), TvxNameFolding::nfNone);
}

// The host may be half-way through the rows of a query on the same connection.
TEST_P(TProviderTest, DescribesWhileAHostQueryIsOpen) {
  QSqlQuery Open(QSqlDatabase::database(FDb->ConnectionName));
  Open.setForwardOnly(true);
  ASSERT_TRUE(Open.exec(QStringLiteral("select OrderID from Orders")) && Open.next());
  EXPECT_EQ(Fields(Qt, QStringLiteral("select * from Shippers")), S(QStringList{"ShipperID", "CompanyName", "Phone"}));
}

TEST_P(TProviderTest, ReportsRelationsFromBothSidesInKeyOrder) {
  const auto Rel = [&](const char* PK, const char* PKFields, const char* FK, const char* FKFields) {
    return QStringLiteral("%1(%2) <- %3(%4)").arg(S(PK), S(PKFields), S(FK), S(FKFields));
  };
  struct TCase {
    const char* Table;
    QStringList Expected;
  };
  const TCase Cases[] = {
      // A composite key: one relation, its pairs in key order.
      {"Complaints", {Rel("OrderLines", "OrderID, ProductID", "Complaints", "OrderID, ProductID")}},
      // Referred to by Complaints and referring to Orders and Products.
      {"OrderLines",
       {Rel("OrderLines", "OrderID, ProductID", "Complaints", "OrderID, ProductID"),
        Rel("Orders", "OrderID", "OrderLines", "OrderID"), Rel("Products", "ProductID", "OrderLines", "ProductID")}},
      // Two keys to the same table stay two relations.
      {"Customers",
       {Rel("Customers", "CustomerID", "Orders", "CustomerID"),
        Rel("Customers", "CustomerID", "Orders", "ShipToCustomerID")}},
      // A table asked about in another case than the catalog's.
      {"SHIPPERS", {Rel("Shippers", "ShipperID", "Orders", "ShipperID")}},
      // A self-reference is seen from both sides.
      {"Employees",
       {Rel("Employees", "EmployeeID", "Employees", "ManagerID"),
        Rel("Employees", "EmployeeID", "Orders", "EmployeeID"),
        Rel("Employees", "EmployeeID", "Employees", "ManagerID")}},
      {"OrderTotals", {}},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Table);
    const QStringList FromQt = Relations(Qt, QString::fromLatin1(Case.Table));
    if (QString::fromLatin1(Case.Table) != QLatin1String("Customers")) {
      EXPECT_EQ(FromQt, Case.Expected);
    } else {
      // Which of the two keys to Customers comes first depends on the key names.
      EXPECT_EQ(Sorted(FromQt), Sorted(Case.Expected));
    }
    EXPECT_EQ(Relations(AdoProvider, QString::fromLatin1(Case.Table)), FromQt);
    EXPECT_TRUE(Relations(BdeProvider, QString::fromLatin1(Case.Table)).isEmpty());
  }
}

TEST_P(TProviderTest, RelationListsAreClearedExceptByAdo) {
  auto Name = NewNode<TSQLDatabaseObject>(&Syntax);
  Name->AddName("Shippers");
  for (TvxBaseMetadataProvider* Provider : All()) {
    TSQLMetadataRelationList List;
    List.push_back(TSQLMetadataRelation::Create(&Syntax, "Earlier", "Caller"));
    Provider->GetTableRelations(*Name, List);
    const bool Kept = !List.empty() && List.front()->GetReferencedObject()->GetObjName() == "Earlier";
    EXPECT_EQ(Kept, Provider == &AdoProvider) << Provider->metaObject()->className();
    // Shippers takes part in one relation.
    EXPECT_EQ(List.size(), Provider == &BdeProvider ? 0u : Provider == &AdoProvider ? 2u : 1u);
  }
}

// Keys added after the first question show up in the next answer (the SQLite index of referring
// keys follows the schema version), and go again when the change is rolled back.
TEST_P(TProviderTest, RelationsFollowSchemaChanges) {
  QSqlDatabase Db = QSqlDatabase::database(FDb->ConnectionName);
  const QString Before = Relations(Qt, QStringLiteral("Shippers")).join(QLatin1Char('\n'));
  ASSERT_TRUE(Db.transaction());
  QSqlQuery Query(Db);
  ASSERT_TRUE(
      Query.exec(QStringLiteral("CREATE TABLE Pickups (PickupID INTEGER PRIMARY KEY, ShipperID INTEGER "
                                "CONSTRAINT FK_Pickups_Shippers REFERENCES Shippers (ShipperID))")));
  const QStringList During = Relations(Qt, QStringLiteral("Shippers"));
  EXPECT_TRUE(During.contains(
      QStringLiteral("%1(%2) <- %3(%4)").arg(S("Shippers"), S("ShipperID"), S("Pickups"), S("ShipperID"))))
      << During.join(QLatin1Char('\n')).toStdString();
  Query = QSqlQuery();
  ASSERT_TRUE(Db.rollback());
  EXPECT_EQ(Relations(Qt, QStringLiteral("Shippers")).join(QLatin1Char('\n')), Before);
}

TEST_P(TProviderTest, StatementsTheDatabaseCannotDescribeRaiseItsMessage) {
  for (TvxBaseMetadataProvider* Provider : All()) {
    SCOPED_TRACE(Provider->metaObject()->className());
    for (const char* SQL : {"select * from NoSuchTable", "select Nonsense( from Customers"}) {
      TvxStringList List{"stale"};
      try {
        Provider->GetFields(SQL, List);
        ADD_FAILURE() << "no error for " << SQL;
      } catch (const EvxDatabaseError& Error) {
        const QString Message = QString::fromUtf8(Error.what());
        EXPECT_TRUE(Message.startsWith(QLatin1String("Cannot describe the statement: "))) << Error.what();
        // The database's own words follow.
        EXPECT_GT(Message.size(), 40) << Error.what();
        if (QByteArray(SQL).contains("NoSuchTable")) {
          EXPECT_TRUE(Message.contains(QLatin1String("nosuchtable"), Qt::CaseInsensitive)) << Error.what();
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SQLite, TProviderTest, testing::Values(&SQLiteSample));
INSTANTIATE_TEST_SUITE_P(PostgreSQL, TProviderTest, testing::Values(&PostgreSQLSample));

}  // namespace
