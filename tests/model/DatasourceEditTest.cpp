// Editing the FROM clause as the diagram does: adding tables with and without their foreign
// keys, changing join kinds, derived tables, aliases, and removing datasources.
#include "DatasourceTestRig.h"
#include "vxTestDatabases.h"

#include <QSqlDatabase>
#include <QTemporaryDir>

#include <algorithm>
#include <set>

namespace vxtest {
namespace {

class DatasourceEdit : public TFromRig {
protected:
  // Each link as "left.field>right.field" (captions), in any order.
  std::set<std::string> LinkEnds() const {
    std::set<std::string> Ends;
    for (const TvxLink* Link : AllLinks()) {
      auto Caption = [](TvxDatasourceBase* End) {
        auto* Datasource = qobject_cast<TvxDatasource*>(End);
        return Datasource != nullptr ? Datasource->GetCaption() : std::string("<group>");
      };
      Ends.insert(Caption(Link->GetLeftDatasource()) + "." + Link->GetLeftField() + ">" +
                  Caption(Link->GetRightDatasource()) + "." + Link->GetRightField());
    }
    return Ends;
  }
  std::string FromText() const {
    const std::string Text = SQL();
    const size_t From = Text.find(" FROM ");
    return From == std::string::npos ? std::string() : Text.substr(From + 1);
  }
};

TEST_F(DatasourceEdit, GivesAnEmptyQueryItsFromWithTheFirstTable) {
  Load("");
  EXPECT_EQ(From()->GetNode(), nullptr);
  EXPECT_EQ(SQL().find("FROM"), std::string::npos);
  TvxDataSourceObject* Customers = Operand()->AddObjectAt("Customers", QPoint(40, 30));
  ASSERT_NE(Customers, nullptr);
  EXPECT_EQ(Customers->GetLeft(), 40);
  EXPECT_EQ(Customers->GetTop(), 30);
  EXPECT_EQ(FromText(), "FROM Customers");
  TvxStringList Fields;
  Customers->GetFieldsList(Fields);
  ASSERT_GE(Fields.Count(), 2);
  EXPECT_EQ(Fields[0], "*");
  EXPECT_EQ(Fields[1], "CustomerID");
  // The last table going takes the FROM keyword with it.
  delete Customers;
  EXPECT_EQ(From()->GetNode(), nullptr);
  EXPECT_EQ(SQL().find("FROM"), std::string::npos);
}

TEST_F(DatasourceEdit, LinksTwoFieldsOnTheLaterItemAndPromotesItsJoin) {
  Load("SELECT * FROM Customers");
  TvxDatasource* Customers = Find("Customers");
  TvxDataSourceObject* Orders = Operand()->AddObject("Orders");
  EXPECT_EQ(FromText(), "FROM Customers,  Orders");
  // Dragged from orders (second) to customers (first): orders receives the link.
  TvxLink* Link = Operand()->AddLink(Orders, "CustomerID", Customers, "CustomerID");
  EXPECT_EQ(Link->GetOwnerItem(), Orders);
  EXPECT_EQ(FromText(), "FROM Customers INNER JOIN  Orders ON Orders.CustomerID=Customers.CustomerID");
  EXPECT_EQ(Link->GetLeftCardinality(), qblcMany);
  EXPECT_EQ(Link->GetRightCardinality(), qblcOne);
  EXPECT_EQ(Operand()->FindLink(Orders, "customerid", Customers, "CUSTOMERID"), Link);
  EXPECT_EQ(Operand()->FindLink(Customers, "CustomerID", Orders, "CustomerID"), nullptr);

  // A second link keeps the join kind the user chose and joins both conditions.
  Orders->SetJoinKind(NewNode<TSQLJoinKindLeft>(FQueryBuilder.GetASTSyntaxProvider()));
  Operand()->AddLink(Customers, "CustomerID", Orders, "ShipToCustomerID");
  EXPECT_EQ(FromText(),
            "FROM Customers LEFT JOIN  Orders ON Orders.CustomerID=Customers.CustomerID And "
            "Customers.CustomerID=Orders.ShipToCustomerID");
  EXPECT_TRUE(Link->GetLeftType());
}

TEST_F(DatasourceEdit, LinksInsideAndAcrossGroupsOnTheLowestCommonGroup) {
  Load("SELECT * FROM Shippers s, (Customers c CROSS JOIN Orders o), Employees e");
  auto* Group = qobject_cast<TvxDatasourceGroup*>(From()->GetItems(1));
  // Both ends in the group: the later of them, inside the group.
  TvxLink* Inner = Operand()->AddLink(Find("c"), "CustomerID", Find("o"), "CustomerID");
  EXPECT_EQ(Inner->GetOwnerItem(), Find("o"));
  // One end in the group, the other after it: the later top-level item.
  TvxLink* After = Operand()->AddLink(Find("o"), "EmployeeID", Find("e"), "EmployeeID");
  EXPECT_EQ(After->GetOwnerItem(), Find("e"));
  // One end before the group: the group itself.
  TvxLink* Before = Operand()->AddLink(Find("o"), "ShipperID", Find("s"), "ShipperID");
  EXPECT_EQ(Before->GetOwnerItem(), Group);
  EXPECT_EQ(FromText(),
            "FROM Shippers s INNER JOIN  (Customers c INNER JOIN  Orders o ON c.CustomerID=o.CustomerID) ON "
            "o.ShipperID=s.ShipperID INNER JOIN  Employees e ON o.EmployeeID=e.EmployeeID");
  EXPECT_EQ(SampleRows(SQL()),
            SampleRows("SELECT * FROM Shippers s JOIN (Customers c JOIN Orders o ON c.CustomerID = o.CustomerID) ON "
                       "o.ShipperID = s.ShipperID JOIN Employees e ON o.EmployeeID = e.EmployeeID"));
}

TEST_F(DatasourceEdit, AddsTheLinksOfEveryForeignKeyBetweenTheTables) {
  Load("SELECT * FROM Orders");
  TvxDataSourceObject* Customers = Operand()->AddObjectWithFK("Customers");
  // Two keys from Orders to Customers: two links, both owned by the new table.
  EXPECT_EQ(LinkEnds(), (std::set<std::string>{"Customers.CustomerID>Orders.CustomerID",
                                               "Customers.CustomerID>Orders.ShipToCustomerID"}));
  ASSERT_EQ(Customers->GetJoinsCount(), 2);
  for (const TvxLink* Link : AllLinks()) {
    EXPECT_EQ(Link->GetLeftCardinality(), qblcOne);
    EXPECT_EQ(Link->GetRightCardinality(), qblcMany);
  }
  EXPECT_EQ(SampleRows(SQL()).size(), 800u - 121u);

  // One key over two columns: a link per field pair, no cardinality from it.
  Load("SELECT * FROM OrderLines");
  Operand()->AddObjectWithFK("Complaints");
  EXPECT_EQ(LinkEnds(), (std::set<std::string>{"OrderLines.OrderID>Complaints.OrderID",
                                               "OrderLines.ProductID>Complaints.ProductID"}));
  for (const TvxLink* Link : AllLinks()) EXPECT_EQ(Link->GetLeftCardinality(), qblcUnknown);
  EXPECT_EQ(SampleRows(SQL()).size(), 60u);

  // A self reference links the new copy to every other copy, the referenced side on the left.
  Load("SELECT * FROM Employees e");
  Operand()->AddObjectWithFK("Employees", "m");
  EXPECT_EQ(LinkEnds(), (std::set<std::string>{"m.EmployeeID>e.ManagerID"}));
  // Adding the same keys again finds them.
  Operand()->AddFKLinksForObject(qobject_cast<TvxDataSourceObject*>(Find("m")));
  EXPECT_EQ(AllLinks().size(), 1u);
}

TEST_F(DatasourceEdit, RefusesTablesTheDatabaseDoesNotKnowAndForeignKeysWithoutMetadata) {
  Load("SELECT * FROM Orders");
  const std::string Before = SQL();
  EXPECT_THROW(Operand()->AddObject("NoSuchTable"), EvxException);
  EXPECT_EQ(SQL(), Before);
  EXPECT_EQ(From()->GetCount(), 1);

  FQueryBuilder.SetMetadataProvider(nullptr);
  EXPECT_EQ(MessageOf([&] { Operand()->AddObjectWithFK("Customers"); }), "No metadata provider!");
  EXPECT_EQ(From()->GetCount(), 1);
  EXPECT_EQ(SQL(), Before);
  EXPECT_THROW(Operand()->AddLink(Find("Orders"), "x", nullptr, "y"), EvxException);

  // A FROM without sources is written back as it was read, also after a refused table.
  FQueryBuilder.SetMetadataProvider(&FMetadata);
  Load("SELECT 1 AS a FROM");
  const std::string Empty = SQL();
  EXPECT_THROW(Operand()->AddObject("NoSuchTable"), EvxException);
  EXPECT_EQ(SQL(), Empty);
  EXPECT_THROW(Operand()->AddObjectWithFK("NoSuchTable"), EvxException);
  EXPECT_EQ(SQL(), Empty);
}

// Every box re-reads its fields when the provider is pointed at another database; what cannot be
// described there, or anything at all without a provider, keeps the fields it had.
TEST_F(DatasourceEdit, RefreshesTheFieldsOfEveryDatasourceFromTheProvidersDatabase) {
  Load(
      "SELECT c.CompanyName FROM Orders o, Customers c, (SELECT * FROM Shippers) s "
      "WHERE c.CustomerID IN (SELECT x.CustomerID FROM Customers x)");
  auto FieldsOf = [this](const std::string& Caption) {
    for (int I = 0; I < FQueryBuilder.GetSubQueriesCount(); ++I) {
      TvxDatasourceList All;
      FQueryBuilder.GetSubQueries(I)->FirstSelect()->GetFromClause()->GetItemsByType(
          All, TvxDatasource::staticMetaObject, true);
      for (TvxDatasourceBase* Item : All)
        if (auto* Datasource = qobject_cast<TvxDatasource*>(Item); Datasource->GetCaption() == Caption)
          return Datasource->GetNode()->GetFieldsList();
    }
    ADD_FAILURE() << "no datasource " << Caption;
    return TvxStringList();
  };
  const TvxStringList OrdersFields = FieldsOf("o");
  ASSERT_EQ(OrdersFields[0], "OrderID");

  QTemporaryDir Folder;
  const QString Other = Folder.filePath(QStringLiteral("other.sqlite"));
  ASSERT_EQ(CreateSQLiteFile(Other, {QStringLiteral("CREATE TABLE Customers (CustomerID INTEGER, Name TEXT)"),
                                     QStringLiteral("CREATE TABLE Shippers (ShipperID INTEGER, Phone TEXT)")}),
            QString());
  // The provider opens the connection when it first reads from it.
  QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("refresh-other")).setDatabaseName(Other);
  FMetadata.SetConnectionName(QStringLiteral("refresh-other"));
  const std::string Before = SQL();
  // Orders is not in the other database: those after it are refreshed all the same.
  EXPECT_NE(MessageOf([this] { vx::RefreshAllDatasources(FQueryBuilder); }).find("Orders"), std::string::npos);
  EXPECT_EQ(FieldsOf("c"), (TvxStringList{"CustomerID", "Name"}));
  EXPECT_EQ(FieldsOf("x"), (TvxStringList{"CustomerID", "Name"}));
  EXPECT_EQ(FieldsOf("s"), (TvxStringList{"ShipperID", "Phone"}));
  EXPECT_EQ(FieldsOf("o"), OrdersFields);
  EXPECT_EQ(SQL(), Before);

  FQueryBuilder.SetMetadataProvider(nullptr);
  FMetadata.SetConnectionName(SampleConnection());
  vx::RefreshAllDatasources(FQueryBuilder);
  EXPECT_EQ(FieldsOf("c"), (TvxStringList{"CustomerID", "Name"}));
  FMetadata.SetConnectionName(QString());
  QSqlDatabase::removeDatabase(QStringLiteral("refresh-other"));
}

TEST_F(DatasourceEdit, RemovingADatasourceTakesItsLinksAndLeavesACommaOrACrossJoin) {
  Load(
      "SELECT * FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID JOIN Shippers s ON s.ShipperID = "
      "o.ShipperID AND s.Phone <> c.Phone");
  // s is linked to o and to c; with c gone only the o link is left.
  delete Find("c");
  EXPECT_EQ(FromText(), "FROM Orders o INNER JOIN  Shippers s ON s.ShipperID=o.ShipperID");
  EXPECT_EQ(Find("o")->GetJoinKind(), nullptr);
  // Deleting the last link by itself keeps the table joined to all rows.
  delete Find("s")->GetJoins(0);
  EXPECT_EQ(FromText(), "FROM Orders o CROSS JOIN  Shippers s");
  Operand()->AddLink(Find("o"), "ShipperID", Find("s"), "ShipperID");
  EXPECT_EQ(FromText(), "FROM Orders o INNER JOIN  Shippers s ON o.ShipperID=s.ShipperID");
  // The only table linked to s goes: s stands after a comma... and first, so alone.
  delete Find("o");
  EXPECT_EQ(FromText(), "FROM Shippers s");
  EXPECT_EQ(Find("s")->GetJoinKind(), nullptr);
}

TEST_F(DatasourceEdit, RemovingTheLastMemberOfAGroupRemovesTheGroup) {
  Load(
      "SELECT * FROM Shippers s JOIN (Customers c JOIN Orders o ON o.CustomerID = c.CustomerID) ON o.ShipperID = "
      "s.ShipperID AND s.ShipperID > 1");
  delete Find("o");
  EXPECT_EQ(FromText(), "FROM Shippers s INNER JOIN  (Customers c) ON s.ShipperID>1");
  // A closing box announces its datasource before freeing it: the group goes at once, the
  // datasource waits out of the FROM clause until it is freed.
  QPointer<TvxDatasource> Customers = Find("c");
  Customers->SendDestroyNotification();
  EXPECT_EQ(FromText(), "FROM Shippers s");
  EXPECT_TRUE(AllLinks().empty());
  ASSERT_FALSE(Customers.isNull());
  EXPECT_EQ(Customers->parent(), Operand());
  delete Customers.data();
  EXPECT_EQ(From()->GetCount(), 1);
  EXPECT_EQ(FromText(), "FROM Shippers s");
}

TEST_F(DatasourceEdit, TicksFieldsIntoTheSelectListAndTakesTheRowsAlongWhenItGoes) {
  Load("SELECT c.CompanyName FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID WHERE o.Freight > 10");
  TvxDatasource* Customers = Find("c");
  TvxDatasource* Orders = Find("o");
  EXPECT_TRUE(Customers->IsFieldChecked("companyname"));
  EXPECT_FALSE(Customers->IsFieldChecked("City"));
  EXPECT_FALSE(Orders->IsFieldChecked("CompanyName"));
  // A criteria row is not output: its field shows unchecked.
  EXPECT_FALSE(Orders->IsFieldChecked("Freight"));
  Orders->CheckField("OrderDate", true);
  Orders->CheckField("", true);
  EXPECT_TRUE(Orders->IsFieldChecked("OrderDate"));
  EXPECT_TRUE(Orders->IsFieldChecked(""));
  Customers->CheckField("CompanyName", false);
  EXPECT_FALSE(Customers->IsFieldChecked("CompanyName"));
  EXPECT_EQ(SQL(),
            "SELECT o.OrderDate, o.* FROM Customers c INNER JOIN  Orders o ON o.CustomerID=c.CustomerID WHERE "
            "o.Freight>10");
  delete Orders;
  EXPECT_EQ(SQL(), "SELECT FROM Customers c");
}

TEST_F(DatasourceEdit, RenamesEveryReferenceWithTheAlias) {
  Load("SELECT * FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID");
  TvxDatasource* Customers = Find("c");
  Customers->SetAlias("buyer");
  EXPECT_EQ(FromText(), "FROM Customers buyer INNER JOIN  Orders o ON o.CustomerID=buyer.CustomerID");
  Customers->SetAlias("");
  EXPECT_EQ(Customers->GetCaption(), "Customers");
  EXPECT_EQ(FromText(), "FROM Customers INNER JOIN  Orders o ON o.CustomerID=Customers.CustomerID");

  TvxDataSourceObject Loose(nullptr);
  Loose.SetAlias("");
  EXPECT_EQ(MessageOf([&] { Loose.SetAlias("x"); }), "Can't assign alias if astFromSource=nil!");
}

TEST_F(DatasourceEdit, KeepsTheAliasOfADerivedTable) {
  Load("SELECT d.ProductID FROM (SELECT ProductID FROM Products) d");
  const std::string Before = SQL();
  EXPECT_EQ(MessageOf([&] { Find("d")->SetAlias(""); }), "A derived table needs an alias");
  EXPECT_EQ(SQL(), Before);
  Find("d")->SetAlias("top");
  EXPECT_EQ(FromText(), "FROM (SELECT Products.ProductID FROM Products) top");
}

TEST_F(DatasourceEdit, AddsDerivedTablesWhoseQueriesAreEditedOnTheirOwn) {
  Load("SELECT * FROM Orders o");
  TvxDataSourceQuery* First = Operand()->AddSubQuery();
  TvxDataSourceQuery* Second = Operand()->AddSubQuery();
  EXPECT_EQ(First->GetCaption(), "Query1");
  EXPECT_EQ(Second->GetCaption(), "Query1");
  EXPECT_EQ(FromText(), "FROM Orders o,  (SELECT) AS Query1,  (SELECT) AS Query1");
  delete Second;
  TvxUnionSubQuery* Inner = First->GetSubQuery()->FirstSelect();
  ASSERT_NE(Inner, nullptr);
  TvxDataSourceObject* Customers = Inner->AddObject("Customers", "c");
  EXPECT_EQ(FromText(), "FROM Orders o,  (SELECT FROM Customers c) AS Query1");
  First->SetAlias("d");
  Operand()->AddLink(Find("o"), "CustomerID", First, "CustomerID");
  EXPECT_EQ(FromText(), "FROM Orders o INNER JOIN  (SELECT FROM Customers c) AS d ON o.CustomerID=d.CustomerID");
  // Removing a table inside the derived table edits only the derived table.
  delete Customers;
  EXPECT_EQ(FromText(), "FROM Orders o INNER JOIN  (SELECT) AS d ON o.CustomerID=d.CustomerID");
}

TEST_F(DatasourceEdit, LoadsEditsAndClearsOverAndOver) {
  // Run under the sanitizers, this is the leak and dangling-pointer check of the whole family.
  for (int Round = 0; Round < 5; ++Round) {
    Load(
        "SELECT c.CompanyName FROM Customers c LEFT JOIN Orders o JOIN OrderLines l ON l.OrderID = o.OrderID AND "
        "l.Quantity > 2 ON o.CustomerID = c.CustomerID, (SELECT ShipperID FROM Shippers) d WHERE EXISTS (SELECT 1 "
        "FROM Employees e JOIN Employees m ON m.EmployeeID = e.ManagerID WHERE e.EmployeeID = o.EmployeeID)");
    Operand()->AddObjectWithFK("Products");
    Operand()->AddSubQuery()->GetSubQuery()->FirstSelect()->AddObjectWithFK("Suppliers");
    Operand()->AddLink(Find("o"), "ShipperID", Find("d"), "ShipperID");
    delete Find("l");
    Find("c")->SetAlias("x");
    delete Find("d");
    ExpectFixedPoint();
  }
}

}  // namespace
}  // namespace vxtest
