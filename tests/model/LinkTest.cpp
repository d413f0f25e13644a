// Links: their cardinality from the foreign keys, their expression, and what their going does to
// the item that owns them.
#include "DatasourceTestRig.h"

#include <QAction>
#include <QMenu>

namespace vxtest {
namespace {

class Link : public TFromRig {
protected:
  TvxLink* OnlyLink() const {
    const std::vector<TvxLink*> Links = AllLinks();
    EXPECT_EQ(Links.size(), 1u);
    return Links.empty() ? nullptr : Links.front();
  }
};

struct TCardinality {
  const char* Text;
  TvxQueryBuilderLinkCardinality Left, Right;
};

class LinkCardinality : public Link, public testing::WithParamInterface<TCardinality> {};

TEST_P(LinkCardinality, FollowsTheSingleFieldForeignKeys) {
  Load(GetParam().Text);
  const TvxLink* Only = OnlyLink();
  ASSERT_NE(Only, nullptr);
  EXPECT_EQ(Only->GetLeftCardinality(), GetParam().Left);
  EXPECT_EQ(Only->GetRightCardinality(), GetParam().Right);
}

const TCardinality Cardinalities[] = {
    {"SELECT * FROM Customers c JOIN Orders o ON c.CustomerID = o.CustomerID", qblcOne, qblcMany},
    {"SELECT * FROM Orders o JOIN Customers c ON c.CustomerID = o.ShipToCustomerID", qblcMany, qblcOne},
    {"SELECT * FROM Employees m JOIN Employees e ON e.ManagerID = m.EmployeeID", qblcOne, qblcMany},
    // no key between these fields, a field-less condition, a key over two fields, a derived table
    {"SELECT * FROM Customers c JOIN Orders o ON c.CustomerID = o.EmployeeID", qblcUnknown, qblcUnknown},
    {"SELECT * FROM Customers c JOIN Orders o ON o.Freight > 10", qblcUnknown, qblcUnknown},
    {"SELECT * FROM OrderLines l JOIN Complaints k ON l.OrderID = k.OrderID", qblcUnknown, qblcUnknown},
    {"SELECT * FROM Customers c JOIN (SELECT CustomerID FROM Orders) d ON d.CustomerID = c.CustomerID", qblcUnknown,
     qblcUnknown},
};

INSTANTIATE_TEST_SUITE_P(Links, LinkCardinality, testing::ValuesIn(Cardinalities));

TEST_F(Link, KeepsTheExpressionItAlreadyHasWhenTheTextIsTheSame) {
  Load("SELECT * FROM Customers c JOIN Orders o ON c.CustomerID = o.CustomerID");
  TvxLink* Only = OnlyLink();
  ASSERT_NE(Only, nullptr);
  const TSQLExpressionItem* Before = Only->GetLinkExpression();
  TastSyntaxProvider* Dialect = FQueryBuilder.GetASTSyntaxProvider();
  // An equal text is dropped (and freed); a different one replaces the old expression.
  Only->SetLinkExpression(Before->Clone());
  EXPECT_EQ(Only->GetLinkExpression(), Before);
  std::unique_ptr<TSQLExpressionItem> Other = Dialect->ParseLogicalExpression("c.CustomerID = o.ShipToCustomerID");
  TSQLFromSourceList Sources;
  Operand()->GetDatasourcesBottomUp(Sources);
  Other->FixupObjects(Sources);
  Only->SetLinkExpression(std::move(Other));
  EXPECT_NE(SQL().find("ON c.CustomerID=o.ShipToCustomerID"), std::string::npos) << SQL();
}

TEST_F(Link, OwnsTheSubQueriesOfItsCondition) {
  Load(
      "SELECT * FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID AND o.ShipperID IN (SELECT ShipperID "
      "FROM Shippers WHERE Phone IS NOT NULL)");
  const std::string Before = SQL();
  TvxDatasource* Orders = Find("o");
  ASSERT_EQ(Orders->GetJoinsCount(), 2);
  TvxLink* Rest = Orders->GetJoins(1);
  ASSERT_EQ(Rest->GetProxies().size(), 1u);
  TvxSubQuery* SubQuery = Rest->GetProxies().front()->GetSubQuery();
  ASSERT_NE(SubQuery, nullptr);
  EXPECT_EQ(SubQuery->FirstSelect()->GetFromClause()->GetCount(), 1);
  EXPECT_EQ(SampleRows(Before), SampleRows("SELECT * FROM Customers c JOIN Orders o ON o.CustomerID = c.CustomerID "
                                           "AND o.ShipperID IN (SELECT ShipperID FROM Shippers WHERE Phone IS NOT "
                                           "NULL)"));
  QPointer<TvxSubQuery> Guard(SubQuery);
  delete Rest;
  EXPECT_TRUE(Guard.isNull());
  EXPECT_EQ(SQL().find("IN ("), std::string::npos);
}

TEST_F(Link, LeavesACrossJoinWhenTheLastOneGoes) {
  Load("SELECT * FROM Customers c LEFT JOIN Orders o ON c.CustomerID = o.CustomerID AND o.Freight > 10");
  TvxDatasource* Orders = Find("o");
  delete Orders->GetJoins(1);
  EXPECT_TRUE(Orders->GetJoins(0)->GetLeftType());
  EXPECT_FALSE(Orders->GetJoins(0)->GetRightType());
  delete Orders->GetJoins(0);
  EXPECT_EQ(Orders->GetJoinsCount(), 0);
  EXPECT_NE(dynamic_cast<TSQLJoinKindCross*>(Orders->GetJoinKind()), nullptr);
  EXPECT_EQ(SampleRows("SELECT COUNT(*) FROM (" + SQL() + ")"), std::vector<std::string>{"72000"});
}

// Two fields of one table are joined by that table's ON condition, which the first table of a
// join does not have: there the link is refused and the query stays as it was.
TEST_F(Link, JoinsTwoFieldsOfOneTableOnlyWhereItHasAnOnCondition) {
  Load("SELECT * FROM Orders o, Employees e");
  EXPECT_EQ(MessageOf([&] { Operand()->AddLink(Find("o"), "CustomerID", Find("o"), "ShipToCustomerID"); }),
            "Can't link a datasource to itself where nothing joins before it");
  EXPECT_EQ(SQL(), "SELECT * FROM Orders o,  Employees e");
  Operand()->AddLink(Find("e"), "EmployeeID", Find("e"), "ManagerID");
  EXPECT_EQ(SQL(), "SELECT * FROM Orders o INNER JOIN  Employees e ON e.EmployeeID=e.ManagerID");
  ExpectFixedPoint();
  // When the table before it goes, the link goes too: the table that comes first has no ON.
  TvxDatasource* Orders = Find("o");
  Orders->SendDestroyNotification();
  delete Orders;
  EXPECT_EQ(SQL(), "SELECT * FROM Employees e");
  ExpectFixedPoint();
}

TEST_F(Link, BoxesAndLinesOfferRemoveAndEditAndRemoveWhatTheyShow) {
  Load("SELECT * FROM Customers c JOIN Orders o ON c.CustomerID = o.CustomerID, Shippers s");
  auto Captions = [](const QMenu* Menu) {
    std::vector<std::string> Items;
    for (const QAction* Item : Menu->actions()) Items.push_back(Item->text().toStdString());
    return Items;
  };
  const std::vector<std::string> Expected = {"Remove", "Edit...", "", "About Zarquel..."};
  QMenu* LineMenu = OnlyLink()->GetPopupMenu();
  ASSERT_NE(LineMenu, nullptr);
  EXPECT_EQ(Captions(LineMenu), Expected);
  ASSERT_NE(LineMenu->defaultAction(), nullptr);
  EXPECT_EQ(LineMenu->defaultAction()->text(), "Edit...");
  LineMenu->actions().at(0)->trigger();
  EXPECT_TRUE(AllLinks().empty());
  EXPECT_NE(SQL().find("Customers c CROSS JOIN  Orders o"), std::string::npos) << SQL();

  QMenu* BoxMenu = Find("o")->GetPopupMenu();
  ASSERT_NE(BoxMenu, nullptr);
  EXPECT_EQ(Captions(BoxMenu), Expected);
  BoxMenu->actions().at(0)->trigger();
  EXPECT_EQ(SQL(), "SELECT * FROM Customers c,  Shippers s");
}

}  // namespace
}  // namespace vxtest
