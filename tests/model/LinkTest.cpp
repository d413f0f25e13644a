// Links: their cardinality from the foreign keys, their expression, and what their going does to
// the item that owns them.
#include "DatasourceTestRig.h"
#include "vxParserBase.h"

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
}

// A condition about one table alone keeps filtering when the table comes first in its join and
// has no ON left: it moves to the ON of the brackets around it, or else to WHERE, in every
// criteria column there so that the alternatives of an OR each keep it.
struct TFirstItemCase {
  std::string SQL;
  std::string Removed;
  std::string Expected;
};

class LinkOfFirstItem : public Link, public testing::WithParamInterface<TFirstItemCase> {};

TEST_P(LinkOfFirstItem, KeepsItsMeaning) {
  Load(GetParam().SQL);
  TvxDatasource* Removed = Find(GetParam().Removed);
  Removed->SendDestroyNotification();
  delete Removed;
  EXPECT_EQ(SQL(), GetParam().Expected);
  // Reloading may put the conditions of an "or" column in another order, once.
  Reload();
  ExpectFixedPoint();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkOfFirstItem,
    testing::Values(
        TFirstItemCase{"SELECT * FROM Orders o JOIN Employees e ON e.EmployeeID = e.ManagerID", "o",
                       "SELECT * FROM Employees e WHERE e.EmployeeID=e.ManagerID"},
        TFirstItemCase{"SELECT e.LastName FROM Orders o JOIN Employees e ON e.EmployeeID = o.EmployeeID AND e.City = "
                       "e.Region WHERE e.Title = 'x' OR e.Country = 'UK'",
                       "o",
                       "SELECT e.LastName FROM Employees e WHERE e.Title='x' And e.City=e.Region Or e.Country='UK' "
                       "And e.City=e.Region"},
        TFirstItemCase{
            "SELECT * FROM Customers c LEFT JOIN (Orders o JOIN Employees e ON e.EmployeeID = e.ManagerID) "
            "ON c.Country = 'UK'",
            "o", "SELECT * FROM Customers c LEFT JOIN  (Employees e) ON c.Country='UK' And e.EmployeeID=e.ManagerID"}));

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

// --- the properties the link dialog edits ---------------------------------------------------------

struct TPropsCase {
  const char* Text;
  bool Simple;
  const char *LeftObject, *LeftColumn, *Operator, *RightColumn, *RightObject;
  bool AllFromLeft, AllFromRight;
  const char* Expression;
};

class LinkProps : public Link, public testing::WithParamInterface<TPropsCase> {};

TEST_P(LinkProps, ShowTheSidesAsTheConditionNamesThem) {
  const TPropsCase& Case = GetParam();
  Load(Case.Text);
  const TvxLink* Only = OnlyLink();
  ASSERT_NE(Only, nullptr);
  const TvxLinkProps Props = Only->GetProps();
  EXPECT_EQ(Props.Simple, Case.Simple);
  EXPECT_EQ(Props.LeftObject, Case.LeftObject);
  EXPECT_EQ(Props.LeftColumn, Case.LeftColumn);
  EXPECT_EQ(Props.Operator, Case.Operator);
  EXPECT_EQ(Props.RightColumn, Case.RightColumn);
  EXPECT_EQ(Props.RightObject, Case.RightObject);
  EXPECT_EQ(Props.AllFromLeft, Case.AllFromLeft);
  EXPECT_EQ(Props.AllFromRight, Case.AllFromRight);
  EXPECT_EQ(Props.Expression, Case.Expression);
}

const TPropsCase PropsCases[] = {
    {"SELECT * FROM Customers c JOIN Orders o ON c.CustomerID = o.CustomerID", true, "c", "CustomerID", "=",
     "CustomerID", "o", false, false, "c.CustomerID=o.CustomerID"},
    // Brackets do not hide a comparison; the sides follow the condition, and a left join keeps
    // the rows of Customers, here the dialog's right side.
    {"SELECT * FROM Customers c LEFT JOIN Orders o ON ((o.ShipToCustomerID >= c.CustomerID))", true, "o",
     "ShipToCustomerID", ">=", "CustomerID", "c", false, true, "((o.ShipToCustomerID>=c.CustomerID))"},
    {"SELECT * FROM Customers JOIN Orders ON Customers.CustomerID = Orders.CustomerID", true, "Customers", "CustomerID",
     "=", "CustomerID", "Orders", false, false, "Customers.CustomerID=Orders.CustomerID"},
    {"SELECT * FROM Customers c FULL JOIN Orders o ON c.CustomerID = o.CustomerID OR c.CustomerID = "
     "o.ShipToCustomerID",
     false, "c", "", "", "", "o", true, true, "c.CustomerID=o.CustomerID Or c.CustomerID=o.ShipToCustomerID"},
    {"SELECT * FROM Customers c RIGHT JOIN Orders o ON c.CustomerID = o.CustomerID + 0", false, "c", "", "", "", "o",
     false, true, "c.CustomerID=o.CustomerID+0"},
};

INSTANTIATE_TEST_SUITE_P(Links, LinkProps, testing::ValuesIn(PropsCases));

TEST_F(Link, ANewOperatorChangesOnlyTheOperator) {
  Load("SELECT c.CompanyName FROM Customers c JOIN Orders o ON (c.CustomerID = o.CustomerID) WHERE o.Freight > 10");
  const std::string Before = SQL();
  TvxLinkProps Props = OnlyLink()->GetProps();
  Props.Operator = " <> ";
  OnlyLink()->SetProps(Props);
  std::string Expected = Before;
  Expected.replace(Expected.find("=o.CustomerID"), 1, "<>");
  EXPECT_EQ(SQL(), Expected);
  ExpectFixedPoint();

  // An operator that leaves no readable condition is refused, and nothing changes.
  const std::string Kept = SQL();
  for (const char* Bad : {"==", "LIKE", ""}) {
    Props = OnlyLink()->GetProps();
    Props.Operator = Bad;
    Props.AllFromLeft = true;
    EXPECT_THROW(OnlyLink()->SetProps(Props), EvxSQLError) << Bad;
    EXPECT_EQ(SQL(), Kept) << Bad;
  }
}

TEST_F(Link, TheTwoBoxesChooseTheJoin) {
  struct TCase {
    bool AllFromLeft, AllFromRight;
    const char* Join;
  };
  const TCase Cases[] = {
      {true, true, " FULL "}, {true, false, " LEFT "}, {false, true, " RIGHT "}, {false, false, " INNER "}};
  for (const char* Text : {"SELECT * FROM Customers c JOIN Orders o ON c.CustomerID = o.CustomerID",
                           "SELECT * FROM Customers c LEFT OUTER JOIN Orders o ON c.CustomerID = o.CustomerID"}) {
    for (const TCase& Case : Cases) {
      Load(Text);
      TvxLinkProps Props = OnlyLink()->GetProps();
      Props.AllFromLeft = Case.AllFromLeft;
      Props.AllFromRight = Case.AllFromRight;
      OnlyLink()->SetProps(Props);
      EXPECT_NE(SQL().find(std::string("Customers c") + Case.Join), std::string::npos) << Text << " -> " << SQL();
      const TvxLinkProps After = OnlyLink()->GetProps();
      EXPECT_EQ(After.AllFromLeft, Case.AllFromLeft);
      EXPECT_EQ(After.AllFromRight, Case.AllFromRight);
    }
  }
  // The word OUTER of the join in place stays with the new kind.
  EXPECT_EQ(SQL(), "SELECT * FROM Customers c INNER JOIN  Orders o ON c.CustomerID=o.CustomerID");
  Load("SELECT * FROM Customers c LEFT OUTER JOIN Orders o ON c.CustomerID = o.CustomerID");
  TvxLinkProps Props = OnlyLink()->GetProps();
  Props.AllFromRight = true;
  OnlyLink()->SetProps(Props);
  EXPECT_EQ(SQL(), "SELECT * FROM Customers c FULL OUTER JOIN  Orders o ON c.CustomerID=o.CustomerID");

  // "All from the left side" keeps the rows of the side the dialog shows on the left, whichever
  // place it has in the FROM clause.
  Load("SELECT * FROM Customers c JOIN Orders o ON o.ShipToCustomerID = c.CustomerID");
  Props = OnlyLink()->GetProps();
  ASSERT_EQ(Props.LeftObject, "o");
  Props.AllFromLeft = true;
  OnlyLink()->SetProps(Props);
  EXPECT_NE(SQL().find(" RIGHT JOIN  Orders o"), std::string::npos) << SQL();
}

TEST_F(Link, AnEditedConditionIsExactlyWhatWasTyped) {
  Load("SELECT o.OrderID FROM Customers c JOIN Orders o ON c.CustomerID = o.CustomerID + 0");
  const std::string Before = SQL();
  TvxLinkProps Props = OnlyLink()->GetProps();
  ASSERT_FALSE(Props.Simple);

  // Text that does not parse is refused with where it stopped; nothing changes.
  Props.Expression = "c.CustomerID = = o.CustomerID";
  Props.AllFromLeft = Props.AllFromRight = true;
  try {
    OnlyLink()->SetProps(Props);
    ADD_FAILURE() << "no exception";
  } catch (const EvxSQLError& Error) {
    EXPECT_EQ(Error.TokenOffset, 13u);
    EXPECT_EQ(Error.TokenText, "=");
  }
  EXPECT_EQ(SQL(), Before);

  Props.Expression = "c.CustomerID = o.CustomerID AND o.Freight > 100";
  Props.AllFromLeft = Props.AllFromRight = false;
  OnlyLink()->SetProps(Props);
  EXPECT_EQ(SQL(),
            "SELECT o.OrderID FROM Customers c INNER JOIN  Orders o ON c.CustomerID=o.CustomerID And "
            "o.Freight>100");
  // Bound to the datasources: the statement reads what the typed one reads.
  EXPECT_EQ(SampleRows(SQL()), SampleRows("SELECT o.OrderID FROM Customers c JOIN Orders o ON c.CustomerID = "
                                          "o.CustomerID AND o.Freight > 100"));
  ExpectFixedPoint();
}

}  // namespace
}  // namespace vxtest
