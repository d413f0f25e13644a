// Editing rows through their API, as the grid and the datasource boxes do: typed expressions,
// aliases, criteria in several columns, grouping and sorting by name, fields ticked in boxes,
// datasources going away, and what the grid is given to show.
#include "SelectListTestRig.h"

#include "vxParserBase.h"

#include <QAction>
#include <QMenu>

using namespace vxtest;

namespace {
constexpr const char* CustomerNames = "SELECT c.CompanyName FROM Customers c";
}

TEST_F(TSelectListRig, TypedExpressionsAliasesAndCriteriaColumns) {
  Load(CustomerNames);
  TvxSelectItem* City = Row(1);
  City->SetExpression("  c.City ");
  City->SetSelect(true);
  City->SetAlias("Town");
  City->SetCondition(0, "= 'Paris'");
  City->SetCondition(1, "LIKE 'R%'");
  // The list keeps one empty row at the end.
  ASSERT_EQ(List()->GetCount(), 3);
  TvxSelectItem* Limit = Row(2);
  Limit->SetExpression("c.CreditLimit");
  Limit->SetCondition(1, "> 1000");
  Limit->SetCondition(3, "5");
  EXPECT_EQ(City->GetGroupByType(), gtWhere);
  EXPECT_EQ(Line(2), "0|c.CreditLimit||||Where||>1000||=5");
  EXPECT_EQ(SQL(),
            "SELECT c.CompanyName, c.City AS Town FROM Customers c WHERE c.City='Paris' Or c.City Like 'R%' And "
            "c.CreditLimit>1000 Or c.CreditLimit=5");
  EXPECT_EQ(SampleRows(SQL()), SampleRows("SELECT c.CompanyName, c.City FROM Customers c WHERE c.City = 'Paris' OR "
                                          "(c.City LIKE 'R%' AND c.CreditLimit > 1000) OR c.CreditLimit = 5"));
  ExpectFixedPoint();
}

TEST_F(TSelectListRig, CriterionTexts) {
  Load("SELECT c.CompanyName FROM Customers c WHERE c.CreditLimit > 0");
  TvxSelectItem* Limit = Row(1);
  struct {
    const char* Typed;
    const char* Cell;  // what the cell holds afterwards
  } const Cases[] = {
      {"5", "=5"},
      {" -3 ", "=-3"},
      {"0x10", "=16"},
      {"<> 7 ", "<>7"},
      {"BETWEEN 1 AND 2", "Between 1 And 2"},
      {"IS NULL OR c.City = 'Rome'", "IS NULL Or c.City='Rome'"},
      {"c.CreditLimit IN (1, 2)", "IN (1, 2)"},  // the row's own expression is dropped
      {"", ""},
  };
  for (const auto& Case : Cases) {
    Limit->SetCondition(0, Case.Typed);
    EXPECT_EQ(Limit->GetCondition(0), Case.Cell) << Case.Typed;
  }
  EXPECT_EQ(Limit->GetConditionsCount(), 0);
  EXPECT_EQ(SQL(), CustomerNames);
}

// What the user typed is never dropped silently: text the grammar cannot read is refused with
// the parser's message and where it stopped, and neither the rows nor the SQL change.
TEST_F(TSelectListRig, UnreadableTextIsRefusedWithItsPosition) {
  Load("SELECT c.CompanyName, c.City AS Town FROM Customers c WHERE c.CreditLimit > 0 ORDER BY c.City");
  struct {
    int Column;  // -1 for the expression, else the criteria column
    int Row;
    const char* Typed;
    const char* Message;
  } const Cases[] = {
      {-1, 1, "c.City +", "Bad select item at column 8 near '+'"},
      {-1, 1, "c.City ) x", "Bad select item at column 8 near ')'"},
      {-1, 3, "SELECT", "Bad select item at column 1 near 'SELECT'"},
      {0, 2, ">>> 5", "Bad logical expression at column 1 near '>'"},
      {1, 2, "BETWEEN 1", "Bad logical expression at end of text"},
      {0, 1, "= 'Par", "Bad logical expression at column 3 near ''Par'"},
  };
  const std::string Before = SQL();
  const std::vector<std::string> Rows = Lines();
  for (const auto& Case : Cases) {
    TvxSelectItem* Item = Row(Case.Row);
    const std::string Message = MessageOf([&] {
      try {
        if (Case.Column < 0)
          Item->SetExpression(Case.Typed);
        else
          Item->SetCondition(Case.Column, Case.Typed);
      } catch (const EvxSQLError& Error) {
        EXPECT_GT(Error.TokenCol, 0) << Case.Typed;
        throw;
      }
    });
    EXPECT_EQ(Message, Case.Message) << Case.Typed;
    EXPECT_EQ(SQL(), Before) << Case.Typed;
    EXPECT_EQ(Lines(), Rows) << Case.Typed;
  }
}

TEST_F(TSelectListRig, CellsAreConjunctions) {
  Load("SELECT p.ProductName, p.UnitPrice FROM Products p");
  TvxSelectItem* Price = Row(1);
  TastSyntaxProvider* Dialect = FQueryBuilder.GetASTSyntaxProvider();
  Price->SetCondition(0, "< 5 OR > 100");
  // A condition added to an OR cell makes the OR one term of a new AND.
  Price->AddCondition(0, Dialect->ParseLogicalExpression("p.UnitPrice <> 120"));
  EXPECT_EQ(Price->GetCondition(0), "(<5 Or >100) And <>120");
  // Into an AND cell it is appended.
  Price->AddCondition(0, Dialect->ParseLogicalExpression("p.ProductName LIKE 'A%'", false));
  EXPECT_EQ(Price->GetCondition(0), "(<5 Or >100) And <>120 And p.ProductName Like 'A%'");
  EXPECT_EQ(SQL(),
            "SELECT p.ProductName, p.UnitPrice FROM Products p WHERE (p.UnitPrice<5 Or p.UnitPrice>100) And "
            "p.UnitPrice<>120 And p.ProductName Like 'A%'");
  EXPECT_EQ(SampleRows(SQL()), SampleRows("SELECT p.ProductName, p.UnitPrice FROM Products p WHERE p.UnitPrice NOT "
                                          "BETWEEN 5 AND 100 AND p.UnitPrice <> 120 AND p.ProductName LIKE 'A%'"));
  // Loaded afresh, the condition on the name moves to the name's row, which comes first.
  Reload();
  EXPECT_EQ(SQL(),
            "SELECT p.ProductName, p.UnitPrice FROM Products p WHERE p.ProductName Like 'A%' And (p.UnitPrice<5 Or "
            "p.UnitPrice>100) And p.UnitPrice<>120");
  ExpectFixedPoint();
}

TEST_F(TSelectListRig, EmptyTrailingCellsAreTrimmed) {
  Load(CustomerNames);
  TvxSelectItem* Name = Row(0);
  Name->SetCondition(4, "='A'");
  EXPECT_EQ(Name->GetConditionsCount(), 5);
  EXPECT_EQ(List()->GetGridColumnCount(), TvxSelectList::FixedGridColumns + 6);
  Name->SetCondition(2, ">'B'");
  Name->SetCondition(4, "");
  EXPECT_EQ(Name->GetConditionsCount(), 3);
  EXPECT_EQ(SQL(), "SELECT c.CompanyName FROM Customers c WHERE c.CompanyName>'B'");
}

TEST_F(TSelectListRig, GroupingByName) {
  Load("SELECT c.Country, c.CreditLimit, c.City FROM Customers c");
  Row(0)->SetGroupByTypeName("group by");
  Row(1)->SetGroupByTypeName("Sum");
  Row(1)->SetCondition(0, "> 10000");
  Row(2)->SetGroupByTypeName(" count distinct ");
  EXPECT_EQ(Line(1), "1|c.CreditLimit||||Sum|>10000");
  EXPECT_EQ(Line(2), "1|c.City||||Count Distinct");
  EXPECT_EQ(SQL(),
            "SELECT c.Country, Sum(c.CreditLimit), Count(DISTINCT c.City) FROM Customers c GROUP BY c.Country HAVING "
            "Sum(c.CreditLimit)>10000");
  EXPECT_EQ(SampleRows(SQL()), SampleRows("SELECT c.Country, SUM(c.CreditLimit), COUNT(DISTINCT c.City) FROM "
                                          "Customers c GROUP BY c.Country HAVING SUM(c.CreditLimit) > 10000"));

  // Between aggregates the wrapper follows the name; back to an expression it goes.
  Row(2)->SetGroupByTypeName("Max");
  EXPECT_EQ(Row(2)->GetExpressionNode()->GetSimpleSQL(), "Max(c.City)");
  Row(2)->SetGroupByTypeName("Expression");
  EXPECT_EQ(Row(2)->GetExpressionNode()->GetSimpleSQL(), "c.City");
  // Unknown names change nothing.
  Row(2)->SetGroupByTypeName("Median");
  EXPECT_EQ(Row(2)->GetGroupByType(), gtExpression);

  // An expression row keeps its criteria but writes them nowhere.
  Row(1)->SetGroupByTypeName("Expression");
  EXPECT_EQ(Row(1)->GetCondition(0), ">10000");
  EXPECT_EQ(SQL(), "SELECT c.Country, c.CreditLimit, c.City FROM Customers c GROUP BY c.Country");
}

TEST_F(TSelectListRig, StarAggregateByName) {
  Load("SELECT * FROM Shippers");
  Row(0)->SetGroupByTypeName("count");
  EXPECT_EQ(Line(0), "1|*||||Count");
  EXPECT_EQ(SQL(), "SELECT Count(*) FROM Shippers");
  Row(0)->SetGroupByTypeName("Expression");
  EXPECT_EQ(SQL(), "SELECT * FROM Shippers");
}

TEST_F(TSelectListRig, GroupingChoicesDependOnTheRow) {
  Load("SELECT c.City, c.*, Count(*) FROM Customers c WHERE c.Region IS NULL");
  auto Choices = [this](int Index) {
    TvxStringList Names;
    Row(Index)->GetGroupByNames(Names);
    return Names;
  };
  EXPECT_EQ(Choices(0).Join(","),
            "Expression,Where,Group By,Having,Avg,Avg Distinct,Count,Count Distinct,Max,Max Distinct,Min,Min "
            "Distinct,Sum,Sum Distinct");
  EXPECT_EQ(Choices(1).Join(","), "Expression,Count");
  EXPECT_EQ(Choices(2).Join(","), "Expression,Count");
  Row(4)->SetExpression("c.Region IS NULL");
  EXPECT_EQ(Choices(4).Join(","), "Expression,Where,Having");
  EXPECT_TRUE(Choices(5).IsEmpty());
}

TEST_F(TSelectListRig, SortingByTypeAndPosition) {
  Load("SELECT c.CompanyName, c.City, c.Country FROM Customers c");
  TvxStringList Names;
  List()->GetSortOrderNames(*Row(0), Names);
  EXPECT_EQ(Names.Join(","), "1");
  Row(2)->SetSortTypeName("desc");
  Row(0)->SetSortTypeName("A");
  Row(1)->SetSortOrderName("1");  // sorts it ascending and moves it first
  EXPECT_EQ(SQL(),
            "SELECT c.CompanyName, c.City, c.Country FROM Customers c ORDER BY c.City, c.Country DESC, "
            "c.CompanyName");
  List()->GetSortOrderNames(*Row(1), Names);
  EXPECT_EQ(Names.Join(","), "1,2,3");
  Row(1)->SetSortOrderName("99");  // limited to the last position
  EXPECT_EQ(Row(1)->GetSortOrderName(), "3");
  Row(2)->SetSortOrderName("");
  Row(1)->SetSortTypeName("xyz");  // no such name: unchanged
  EXPECT_EQ(Line(1), "1|c.City||Ascending|2|Expression");
  EXPECT_EQ(SQL(), "SELECT c.CompanyName, c.City, c.Country FROM Customers c ORDER BY c.CompanyName, c.City");
}

// The grid offers the sort columns on every row; a row that has no value to sort by (the empty
// last row, t.*) stays unsorted, since its ORDER BY key could not be written.
TEST_F(TSelectListRig, RowsWithoutAValueAreNotSorted) {
  Load("SELECT c.* FROM Customers c");
  for (TvxSelectItem* Unsortable : {Row(0), Row(1)}) {
    Unsortable->SetSortTypeName("Descending");
    Unsortable->SetSortOrderName("1");
    EXPECT_EQ(Unsortable->GetSortType(), stNone);
  }
  EXPECT_EQ(SQL(), "SELECT c.* FROM Customers c");
}

TEST_F(TSelectListRig, AllColumnsExpressionDropsCriteriaAliasAndSort) {
  Load("SELECT c.City AS Town FROM Customers c WHERE c.City = 'Paris' ORDER BY c.City");
  Row(0)->SetExpression("c.*");
  EXPECT_EQ(Line(0), "1|c.*||||Where");
  EXPECT_EQ(Row(0)->GetConditionsCount(), 0);
  EXPECT_EQ(SQL(), "SELECT c.* FROM Customers c");
}

TEST_F(TSelectListRig, AggregateRowTakesTypedArgument) {
  Load("SELECT Sum(p.UnitPrice) FROM Products p");
  EXPECT_EQ(Row(0)->GetExpression(), "p.UnitPrice");
  Row(0)->SetExpression("p.UnitsInStock * p.UnitPrice");
  EXPECT_EQ(SQL(), "SELECT Sum(p.UnitsInStock*p.UnitPrice) FROM Products p");
  Row(0)->SetExpression("Min(p.UnitPrice)");  // a whole aggregate replaces the old one
  EXPECT_EQ(Line(0), "1|p.UnitPrice||||Min");
  // A fresh row typed as an aggregate takes the aggregate's grouping.
  Row(1)->SetExpression("Max(p.UnitPrice)");
  EXPECT_EQ(Row(1)->GetGroupByType(), gtAggregate);
}

TEST_F(TSelectListRig, OutputRules) {
  Load(CustomerNames);
  Row(1)->SetExpression("c.Region IS NULL");
  EXPECT_FALSE(Row(1)->IsCanSelect());
  EXPECT_EQ(Line(1), "-1|c.Region IS NULL||||Expression");
  EXPECT_EQ(MessageOf([&] { Row(1)->SetSelect(true); }), "Can't select this expression");
  Row(1)->SetAlias("x");  // takes no alias
  EXPECT_EQ(Row(1)->GetAlias(), "");
}

// The grammar reads a condition neither in the select list nor in ORDER BY: a row typed as one,
// a comparison included, loses its output, alias and sort key; a value keeps them.
TEST_F(TSelectListRig, ConditionRowsAreNeitherOutputNorSorted) {
  struct {
    const char* Typed;
    const char* Line;
  } const Cases[] = {
      {"c.CreditLimit * 2", "1|c.CreditLimit*2|Town|Ascending|1|Expression"},
      {"c.City = 'Rome'", "-1|c.City='Rome'||||Expression"},
      {"(c.City <> 'Rome')", "-1|(c.City<>'Rome')||||Expression"},
      {"c.CreditLimit BETWEEN 1 AND 2", "-1|c.CreditLimit Between 1 And 2||||Expression"},
      {"c.City = ANY (SELECT s.City FROM Suppliers s)", "-1|c.City=Any(SELECT s.City FROM Suppliers s)||||Expression"},
      {"NOT 1 = 2", "-1|Not 1=2||||Expression"},
  };
  for (const auto& Case : Cases) {
    Load("SELECT c.CompanyName, c.City AS Town FROM Customers c ORDER BY c.City");
    Row(1)->SetExpression(Case.Typed);
    EXPECT_EQ(Line(1), Case.Line) << Case.Typed;
    EXPECT_EQ(Normalized(SQL()), SQL()) << Case.Typed;
  }
}

// A grouped row typed over keeps its grouping for a value; a condition, which GROUP BY does not
// read, makes it an expression row.
TEST_F(TSelectListRig, GroupedRowTypedAsACondition) {
  struct {
    const char* Typed;
    TvxQueryBuilderGroupByType Grouping;
    const char* SQL;
  } const Cases[] = {
      {"Upper(c.Country)", gtGroupBy, "SELECT Upper(c.Country), Count(*) FROM Customers c GROUP BY Upper(c.Country)"},
      {"NOT 1 = 2", gtExpression, "SELECT Count(*) FROM Customers c"},
      {"c.Country = 'UK'", gtExpression, "SELECT Count(*) FROM Customers c"},
  };
  for (const auto& Case : Cases) {
    Load("SELECT c.Country, Count(*) FROM Customers c GROUP BY c.Country");
    Row(0)->SetExpression(Case.Typed);
    EXPECT_EQ(Row(0)->GetGroupByType(), Case.Grouping) << Case.Typed;
    EXPECT_EQ(SQL(), Case.SQL) << Case.Typed;
    ExpectFixedPoint();
  }
}

// A condition row offers no grouping or aggregate, refuses one chosen anyway with a message and
// no change, and a condition typed into an aggregate row replaces the aggregate rather than
// becoming its argument.
TEST_F(TSelectListRig, ConditionsAreNeitherGroupedNorAggregated) {
  Load(
      "SELECT p.ProductName, Sum(p.UnitPrice) FROM Products p WHERE EXISTS (SELECT 1 FROM OrderLines l WHERE "
      "l.ProductID = p.ProductID) GROUP BY p.ProductName");
  Row(3)->SetExpression("p.UnitPrice > 5");
  const std::string Before = SQL();
  const std::vector<std::string> Rows = Lines();
  for (int Index : {2, 3}) {
    TvxStringList Names;
    Row(Index)->GetGroupByNames(Names);
    EXPECT_EQ(Names.Join(","), "Expression,Where,Having") << Index;
    for (const char* Chosen : {"Sum", "count distinct", "Group By"}) {
      EXPECT_EQ(MessageOf([&] { Row(Index)->SetGroupByTypeName(Chosen); }), "Can't group by or aggregate a condition")
          << Index << " " << Chosen;
      EXPECT_EQ(SQL(), Before) << Chosen;
      EXPECT_EQ(Lines(), Rows) << Chosen;
    }
  }
  Row(1)->SetExpression("p.UnitPrice > 5");
  EXPECT_EQ(Line(1), "-1|p.UnitPrice>5||||Expression");
  EXPECT_EQ(Normalized(SQL()), SQL());
}

// "= True" and "= False" under a comparison typed as the expression are written as the
// comparison itself; anything else compared with it is refused.
TEST_F(TSelectListRig, CriteriaOfAComparisonRow) {
  Load(CustomerNames);
  Row(1)->SetExpression("c.City = 'Paris'");
  Row(1)->SetCondition(0, "= TRUE");
  Row(1)->SetCondition(1, "= FALSE");
  Row(1)->SetCondition(1, "> 5");
  EXPECT_EQ(SQL(), "SELECT c.CompanyName FROM Customers c WHERE c.City='Paris' Or Not c.City='Paris'");
  EXPECT_EQ(SampleRows(SQL()), SampleRows("SELECT c.CompanyName FROM Customers c WHERE c.City IS NOT NULL"));
  ExpectFixedPoint();
}

TEST(TSelectListWithoutProviders, TypingNeedsASyntaxProvider) {
  TvxQueryBuilder QueryBuilder;
  TvxSelectItem* Row = QueryBuilder.GetRootQuery()->FirstSelect()->GetSelectList()->GetItems(0);
  EXPECT_EQ(MessageOf([&] { Row->SetExpression("a"); }), "No syntax provider specified!");
}

TEST_F(TSelectListRig, FieldsTickedInBoxes) {
  Load("SELECT c.CompanyName FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID");
  TvxDatasource* Customers = Find("c");
  TvxDatasource* Orders = Find("o");
  List()->InsertField(1, Orders, "Freight");
  List()->InsertField(2, Customers, "");
  TvxSelectItem* City = List()->InsertField(3, Customers, "City");
  City->SetAlias("Town");
  EXPECT_EQ(List()->FindField(Orders, "FREIGHT"), Row(1));
  const std::string From = " FROM Customers c INNER JOIN Orders o ON o.CustomerID = c.CustomerID";
  EXPECT_EQ(SQL(), Normalized("SELECT c.CompanyName, o.Freight, c.*, c.City AS Town" + From));

  // A row with an alias only loses its output; the others are emptied and gather at the end.
  List()->RemoveFields(Customers, "City");
  List()->RemoveFields(Orders, "freight");
  EXPECT_EQ(List()->FindField(Orders, "Freight"), nullptr);
  EXPECT_EQ(Line(1), "1|c.*||||Expression");
  EXPECT_EQ(Line(2), "0|c.City|Town|||Expression");
  EXPECT_EQ(List()->GetCount(), 4);
  EXPECT_EQ(SQL(), Normalized("SELECT c.CompanyName, c.*" + From));
}

TEST_F(TSelectListRig, RemovingADatasourceRemovesWhatLivedOnIt) {
  Load(
      "SELECT c.CompanyName, o.OrderID, o.Freight + c.CreditLimit AS x, o.* FROM Customers c, Orders o "
      "WHERE o.Freight > 10 AND c.City = 'Paris' OR o.ShipperID = 1 OR c.Country = 'Spain' AND o.OrderID > "
      "c.CustomerID "
      "ORDER BY o.OrderDate");
  delete Find("o");
  EXPECT_EQ(SQL(),
            "SELECT c.CompanyName, o.Freight+c.CreditLimit AS x FROM Customers c WHERE c.City='Paris' Or "
            "c.Country='Spain'");
  EXPECT_EQ(List()->GetSortOrderCount(), 0);
  EXPECT_FALSE(Row(List()->GetCount() - 1)->HasExpression());
  EXPECT_TRUE(Row(List()->GetCount() - 2)->HasExpression());
}

TEST_F(TSelectListRig, ExpressionPickListAndGridWidth) {
  Load("SELECT c.CompanyName, c.City FROM Customers c ORDER BY c.City");
  TvxStringList Names;
  List()->GetExpressionNames(Names);
  ASSERT_EQ(Names.Count(), 10);
  EXPECT_EQ(Names[0], "c.*");
  EXPECT_EQ(Names[1], "c.CustomerID");
  EXPECT_EQ(Names[9], "c.CreditLimit");
  EXPECT_EQ(List()->GetRowTexts(*Row(1)).size(), size_t{TvxSelectList::FixedGridColumns + 4});
}

TEST_F(TSelectListRig, RowMenu) {
  Load("SELECT c.CompanyName, c.City FROM Customers c");
  EXPECT_EQ(Row(2)->GetPopupMenu(), nullptr);  // not for the empty last row
  QMenu* Menu = Row(1)->GetPopupMenu();
  ASSERT_NE(Menu, nullptr);
  QList<QAction*> Actions = Menu->actions();
  ASSERT_GE(Actions.size(), 2);
  EXPECT_EQ(Actions[0]->text(), "Remove Row");
  EXPECT_EQ(Actions[1]->text(), "Insert Empty Row");
  Actions[1]->trigger();
  EXPECT_EQ(List()->GetCount(), 4);
  EXPECT_FALSE(Row(1)->HasExpression());
  Menu = Row(0)->GetPopupMenu();
  Menu->actions()[0]->trigger();
  EXPECT_EQ(SQL(), "SELECT c.City FROM Customers c");
}

TEST_F(TSelectListRig, MovingAndClearingRows) {
  Load("SELECT c.CompanyName, c.City FROM Customers c WHERE c.Country = 'Spain' ORDER BY c.City");
  List()->Move(1, 0);
  EXPECT_EQ(SQL(), "SELECT c.City, c.CompanyName FROM Customers c WHERE c.Country='Spain' ORDER BY c.City");
  EXPECT_THROW(List()->Move(0, 9), EvxListError);
  List()->Clear();
  EXPECT_EQ(List()->GetCount(), 1);
  EXPECT_EQ(SQL(), "SELECT FROM Customers c");
}

TEST_F(TSelectListRig, RepeatedLoadingEditingAndClearingLeavesNothingBehind) {
  // Run under the sanitizers, this is the leak and dangling-pointer check of the whole path.
  for (int Round = 0; Round < 5; ++Round) {
    Load(
        "SELECT c.CompanyName, (SELECT Count(*) FROM Orders o WHERE o.CustomerID = c.CustomerID) AS n FROM "
        "Customers c WHERE EXISTS (SELECT 1 FROM Orders o WHERE o.CustomerID = c.CustomerID) AND (c.City = 'Paris' "
        "OR c.CustomerID IN (SELECT o.ShipToCustomerID FROM Orders o)) ORDER BY c.City");
    Row(1)->SetCondition(2, "IN (SELECT 1 FROM Shippers)");
    Row(1)->SetCondition(2, "> (SELECT 2 FROM Shippers)");
    Row(2)->SetCondition(0, "=FALSE");
    Row(1)->SetExpression("c.City");
    Row(0)->SetGroupByTypeName("Count");
    // An edited model may order its rows differently from the text it writes; one more round
    // settles it.
    Reload();
    ExpectFixedPoint();
    List()->Clear();
    delete Find("c");
  }
}

// What each grid cell offers, per row kind: '.' takes no text; 's' plain text, 'p' a pick list,
// 'e' a "..." button for its nested SELECTs.
TEST_F(TSelectListRig, GridCellsByRowKind) {
  Load(
      "SELECT c.CompanyName, c.*, (SELECT MAX(o.OrderID) FROM Orders o) AS Latest FROM Customers c WHERE "
      "c.CustomerID IN (SELECT o.CustomerID FROM Orders o)");
  Row(4)->SetExpression("c.City LIKE 'P%'");
  auto Cells = [this](const TvxSelectItem* Item) {
    std::string Text;
    for (int Column = 0; Column < List()->GetGridColumnCount(); ++Column) {
      const char Styles[] = {'s', 'e', 'p'};
      Text += List()->CanEditCell(Column, Item) ? Styles[List()->GetEditStyle(Column, Item)] : '.';
    }
    return Text;
  };
  ASSERT_EQ(List()->GetCount(), 6);
  EXPECT_EQ(Cells(Row(0)), "..pspppssss");  // a column
  EXPECT_EQ(Cells(Row(1)), "..p...p....");  // c.*
  EXPECT_EQ(Cells(Row(2)), "..espppssss");  // a nested SELECT
  EXPECT_EQ(Cells(Row(3)), "..pspppesss");  // a criterion with a nested SELECT
  EXPECT_EQ(Cells(Row(4)), "..p...ppppp");  // a condition
  EXPECT_EQ(Cells(Row(5)), "..p........");  // the empty row
  EXPECT_EQ(Cells(nullptr), "...........");

  TvxStringList Choices;
  List()->GetPickList(slcSortOrder, *Row(0), Choices);
  EXPECT_EQ(Choices.Items(), std::vector<std::string>({"1"}));
  List()->GetPickList(slcCriteria + 1, *Row(4), Choices);
  EXPECT_EQ(Choices.Items(), std::vector<std::string>({"=TRUE", "=FALSE"}));
}

TEST_F(TSelectListRig, GridTextGoesToTheRowsAndDroppedFieldsToTheirPlace) {
  Load("SELECT c.CompanyName FROM Customers c");
  TvxSelectItem* Name = Row(0);
  List()->SetEditText(slcAlias, Name, "Company");
  List()->SetEditText(slcSortType, Name, "desc");
  List()->SetEditText(slcCriteria + 1, Name, "LIKE 'A%'");
  List()->SetEditText(slcExpression, Row(1), "c.City");
  List()->SetEditText(slcGroupBy, Row(1), "Group By");
  Row(1)->SetSelect(true);
  EXPECT_EQ(SQL(),
            "SELECT c.CompanyName AS Company, c.City FROM Customers c WHERE c.CompanyName Like 'A%' GROUP BY c.City "
            "ORDER BY c.CompanyName DESC");
  // The cell's own text changes nothing; the output column takes no text.
  List()->SetEditText(slcSortType, Name, "Descending");
  List()->SetEditText(slcOutput, Name, "0");
  EXPECT_EQ(Name->GetSortType(), stDesc);
  EXPECT_TRUE(Name->GetSelect());

  TvxDatasource* Customers = Find("c");
  // Dropped on a row it goes in front of it; on the title, in front of the trailing empty row.
  List()->DropField(Customers, "Country", Row(1));
  List()->DropField(Customers, "Region", nullptr);
  EXPECT_EQ(Lines()[1], "1|c.Country||||Expression");
  EXPECT_EQ(Lines()[3], "1|c.Region||||Expression");
  ASSERT_EQ(List()->GetCount(), 5);
  EXPECT_FALSE(Row(4)->HasExpression());
}
