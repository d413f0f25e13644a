// The layout that travels with a query: saved, the query reloaded, and applied again; a query
// that lost or gained a table; names that need escaping; text that is no layout.
#include "HistoryTestRig.h"

#include "vxQueryLayout.h"

#include <QCoreApplication>
#include <QTabWidget>

using namespace vxtest;

namespace {

const char* const GQuery =
    "SELECT c.CompanyName, o.OrderDate, q.ProductName FROM Customers c INNER JOIN Orders o ON o.CustomerID = "
    "c.CustomerID, (SELECT p.ProductName FROM Products p, Categories g WHERE p.CategoryID = g.CategoryID) q "
    "UNION SELECT s.CompanyName, NULL, NULL FROM Shippers s, Suppliers u";

class TLayoutTest : public TShownRig {
protected:
  // Every box of the model, in the order of the component's lists.
  std::vector<TvxDatasource*> AllBoxes() const {
    std::vector<TvxDatasource*> List;
    for (int Index = 0; Index < FQueryBuilder.GetSubQueriesCount(); ++Index) {
      TvxSubQuery* SubQuery = FQueryBuilder.GetSubQueries(Index);
      for (int Place = 0; Place < SubQuery->GetUnionSubQueriesCount(); ++Place)
        for (TvxDatasource* Box : Boxes(SubQuery->GetUnionSubQueries(Place))) List.push_back(Box);
    }
    return List;
  }
  // Puts every box somewhere of its own, away from where the work area would place it, shows
  // the derived table's tab and the second operand of the main query, and draws Access lines.
  void Arrange() {
    int Step = 0;
    for (TvxDatasource* Box : AllBoxes()) {
      Box->SetBoxBounds(QRect(40 + 90 * Step, 300 - 20 * Step, 120 + 4 * Step, 110 + 6 * Step));
      ++Step;
    }
    TvxSubQuery* Root = FQueryBuilder.GetRootQuery();
    Root->SetActiveUnionSubquery(Root->GetUnionSubQueries(1));
    FQueryBuilder.SetActiveSubquery(FQueryBuilder.GetSubQueries(1));
    FQueryBuilder.SetLinkTypeName(QStringLiteral("TvxQueryBuilderLinkPainterAccess"));
  }
};

TEST_F(TLayoutTest, ASavedLayoutPutsEveryBoxBackAfterTheQueryIsLoadedAgain) {
  Load(GQuery);
  Arrange();
  const TPicture Arranged = Picture();
  const std::string Layout = FQueryBuilder.SaveLayout();

  Reload();
  ASSERT_FALSE(Picture().SameLayout(Arranged));
  FQueryBuilder.SetLinkTypeName(QString());
  FQueryBuilder.ApplyLayout(Layout);
  EXPECT_TRUE(Picture().SameLayout(Arranged))
      << testing::PrintToString(Picture()) << "\ninstead of" << testing::PrintToString(Arranged);
  EXPECT_EQ(FQueryBuilder.GetLinkTypeName(), QStringLiteral("TvxQueryBuilderLinkPainterAccess"));
  // Saved again it is the same text: nothing was lost on the way.
  EXPECT_EQ(FQueryBuilder.SaveLayout(), Layout);
}

TEST_F(TLayoutTest, SubQueriesAreFoundByTheirTextWhereverTheyStandInTheList) {
  Load(GQuery);
  Arrange();
  const TPicture Arranged = Picture();
  // The same layout with the sub-queries listed the other way round, as a model whose user
  // added them in another order than the text has them would list them.
  TvxQueryLayout Layout = TvxQueryLayout::Parse(FQueryBuilder.SaveLayout());
  ASSERT_EQ(Layout.SubQueries.size(), 2u);
  std::swap(Layout.SubQueries[0], Layout.SubQueries[1]);
  Layout.ActiveSubQuery = 0;
  Reload();
  FQueryBuilder.ApplyLayout(Layout.ToText());
  EXPECT_TRUE(Picture().SameLayout(Arranged)) << testing::PrintToString(Picture());
}

TEST_F(TLayoutTest, ALayoutForAQueryThatLostATablePlacesTheRestAndTheNewcomer) {
  Load("SELECT * FROM Customers c, Orders o, Shippers s");
  Box("c")->SetBoxBounds(QRect(300, 200, 130, 150));
  Box("o")->SetBoxBounds(QRect(10, 10, 100, 120));
  Box("s")->SetBoxBounds(QRect(500, 40, 110, 90));
  const std::string Layout = FQueryBuilder.SaveLayout();

  // Orders is gone, Employees is new and was placed where Orders' old place is free.
  Load("SELECT * FROM Customers c, Shippers s, Employees e");
  FQueryBuilder.ApplyLayout(Layout);
  EXPECT_EQ(BoundsOf(Box("c")), QRect(300, 200, 130, 150));
  EXPECT_EQ(BoundsOf(Box("s")), QRect(500, 40, 110, 90));
  const QRect Newcomer = BoundsOf(Box("e"));
  EXPECT_EQ(Newcomer.topLeft(), QPoint(10, 10));
  EXPECT_FALSE(Newcomer.intersects(BoundsOf(Box("c"))));
  EXPECT_FALSE(Newcomer.intersects(BoundsOf(Box("s"))));
}

TEST_F(TLayoutTest, BoxesOfTheSameNameAreTakenInFromOrder) {
  Load("SELECT * FROM Orders, Orders o, Orders");
  std::vector<TvxDatasource*> Before = Boxes(FQueryBuilder.GetRootQuery()->FirstSelect());
  ASSERT_EQ(Before.size(), 3u);
  for (size_t Index = 0; Index < Before.size(); ++Index)
    Before[Index]->SetBoxBounds(
        QRect(400 - 150 * static_cast<int>(Index), 50 + 100 * static_cast<int>(Index), 120, 90));
  const TPicture Arranged = Picture();
  const std::string Layout = FQueryBuilder.SaveLayout();
  Reload();
  FQueryBuilder.ApplyLayout(Layout);
  EXPECT_TRUE(Picture().SameLayout(Arranged)) << testing::PrintToString(Picture());
}

// Names are data: whatever a catalog or a user calls a table or alias comes back unchanged.
TEST(TLayoutText, AnyNameRoundTrips) {
  const std::vector<std::string> Names = {"",
                                          "Order Details",
                                          "say \"cheese\"",
                                          "back\\slash",
                                          "two\nlines",
                                          "cr\r\nlf",
                                          "tab\there",
                                          "\x01\x1f\x7f",
                                          "Zürich 東京",
                                          "\\x41 is no escape",
                                          "#not a comment",
                                          "trailing space ",
                                          "\"",
                                          "\\"};
  TvxQueryLayout Layout;
  Layout.HasPainter = true;
  Layout.Painter = "Painter \"of\" lines";
  TvxOperandLayout& Operand = Layout.SubQueries.emplace_back().Operands.emplace_back();
  int Place = 0;
  for (const std::string& Name : Names) {
    Operand.Boxes.push_back({Name, Name + ".table", QRect(Place, -Place, 80 + Place, 60)});
    ++Place;
  }
  const std::string Text = Layout.ToText();
  // One line per entry: header, painter, tab, subquery, operand, the boxes.
  EXPECT_EQ(std::count(Text.begin(), Text.end(), '\n'), static_cast<long>(5 + Names.size()));
  EXPECT_EQ(TvxQueryLayout::Parse(Text), Layout);
  // Line ends as another system writes them, comments and empty lines are read too.
  std::string Windows;
  for (const char Char : Text) Windows += Char == '\n' ? std::string("\r\n\r\n# a remark\r\n") : std::string(1, Char);
  EXPECT_EQ(TvxQueryLayout::Parse(Windows), Layout);
}

TEST_F(TLayoutTest, AliasesThatNeedQuotingFindTheirBoxes) {
  Load("SELECT * FROM Customers \"a \"\"quoted\"\" alias\", Orders \"Zürich\", \"Sales by Category\"");
  std::vector<TvxDatasource*> List = Boxes(FQueryBuilder.GetRootQuery()->FirstSelect());
  ASSERT_EQ(List.size(), 3u);
  for (size_t Index = 0; Index < List.size(); ++Index)
    List[Index]->SetBoxBounds(QRect(500 - 200 * static_cast<int>(Index), 30 + 150 * static_cast<int>(Index), 140, 100));
  const TPicture Arranged = Picture();
  const std::string Layout = FQueryBuilder.SaveLayout();
  EXPECT_NE(Layout.find("box \"a \\\"quoted\\\" alias\" \"Customers\""), std::string::npos) << Layout;
  EXPECT_NE(Layout.find("box \"\" \"Sales by Category\""), std::string::npos) << Layout;
  Reload();
  FQueryBuilder.ApplyLayout(Layout);
  EXPECT_TRUE(Picture().SameLayout(Arranged)) << testing::PrintToString(Picture());
}

TEST_F(TLayoutTest, TextThatIsNoLayoutIsRefusedWithItsLineAndChangesNothing) {
  const std::string Head = "vxqb-layout 1\nsubquery \"k\" 0\noperand\nbox \"c\" \"Customers\" 400 400 100 100\n";
  const std::vector<std::pair<std::string, std::string>> Cases = {
      {"", "line 1: the text is no layout (a layout starts with \"vxqb-layout 1\")"},
      {"SELECT * FROM Customers\n", "line 1: the text is no layout (a layout starts with \"vxqb-layout 1\")"},
      {"vxqb-layout 2\n", "line 1: layout version 2 is not supported (this library reads version 1)"},
      {"# saved\nvxqb-layout one\n", "line 2: the version must be a whole number, not \"one\""},
      {Head + "box \"o\" \"Orders\" 10 x 86 200\n", "line 5: the top must be a whole number, not \"x\""},
      {Head + "box \"o\" \"Orders\" 10 10 86\n", "line 5: \"box\" takes 6 values, not 5"},
      {Head + "box o \"Orders\" 10 10 86 20\n", "line 5: the alias must be in double quotes"},
      {Head + "box \"o\" \"Orders 10 10 86 20\n", "line 5: a quoted name has no closing quote"},
      {Head + "box \"o\"\"Orders\" 10 10 86 20\n", "line 5: a space must follow a closing quote"},
      {Head + "box \"o\\q\" \"Orders\" 10 10 86 20\n", "line 5: unknown escape \\q"},
      {Head + "box \"o\\x4\" \"Orders\" 10 10 86 20\n", "line 5: \\x must be followed by two hexadecimal digits"},
      {Head + "box \"o\" \"Orders\" 10 10 -86 20\n", "line 5: the width -86 is out of range (0 to 1000000)"},
      {Head + "box \"o\" \"Orders\" 10 10 86 99999999999\n",
       "line 5: the height must be a whole number, not \"99999999999\""},
      {Head + "boxes\n", "line 5: unknown entry \"boxes\""},
      {"vxqb-layout 1\noperand\n", "line 2: an operand before any subquery entry"},
      {"vxqb-layout 1\nsubquery \"k\" 0\nbox \"\" \"\" 1 1 1 1\n", "line 3: a box before any operand entry"},
      {"vxqb-layout 1\ntab 1\nsubquery \"k\" 0\n", "line 2: tab 1 names no sub-query of the layout"},
      {"vxqb-layout 1\nsubquery \"k\" 2\noperand\noperand\n",
       "line 2: the shown operand 2 is not one of the sub-query's"},
      {"vxqb-layout 1\npainter \"A\"\npainter \"B\"\n", "line 3: a second painter entry"},
  };
  Load("SELECT * FROM Customers c, Orders o");
  const TPicture Before = Picture();
  const QString Painter = FQueryBuilder.GetLinkTypeName();
  for (const auto& [Text, Message] : Cases) {
    EXPECT_EQ(MessageOf([&] { FQueryBuilder.ApplyLayout(Text); }), "Bad layout at " + Message) << Text;
    EXPECT_TRUE(Picture().SameLayout(Before)) << Text;
    EXPECT_EQ(FQueryBuilder.GetLinkTypeName(), Painter);
  }
  // Nothing waits either: the next load comes without a layout.
  FQueryBuilder.SetSQL("SELECT * FROM Customers c, Orders o, Shippers s");
  EXPECT_NE(MessageOf([&] { FQueryBuilder.ApplyLayout(Head + "box \"s\"\n"); }), "no exception");
  FQueryBuilder.ProcessPendingSQL();
  EXPECT_NE(BoundsOf(Box("c")).topLeft(), QPoint(400, 400));
}

}  // namespace
