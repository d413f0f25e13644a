// Editing the union tree through the model: brackets, moves, operators, new operands, removal
// and the active operand, the dialect's refusals, and what each edit does to the SQL text.
#include "DatasourceTestRig.h"

#include "vxQuerySelectList.h"
#include "vxQueryUnionNavDrop.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxSQLBuilderPlainText.h"

#include <functional>

namespace vxtest {
namespace {

// A dialect that refuses what its flags say, for the capability messages.
class TLimitedDialect : public TastSQL92SyntaxProvider {
public:
  bool Unions = true, Brackets = true, SubQueryUnions = true, SubQueryBrackets = true;
  bool IsSupportUnions() const override { return Unions; }
  bool IsSupportBracketsInUnions() const override { return Brackets; }
  bool IsSupportSubQueryUnions() const override { return SubQueryUnions; }
  bool IsSupportSubQueryBracketsInUnions() const override { return SubQueryBrackets; }
};

class TLimitedSyntaxProvider : public TvxSQL92SyntaxProvider {
public:
  TLimitedDialect& GetDialect() { return static_cast<TLimitedDialect&>(*GetASTSyntaxProvider()); }

protected:
  std::unique_ptr<TastSyntaxProvider> CreateASTSyntaxProvider() override { return std::make_unique<TLimitedDialect>(); }
};

class UnionEdit : public TFromRig {
public:
  TvxQuery* Root() const { return FQueryBuilder.GetRootQuery(); }
  // Operand Index of the root in text order.
  TvxUnionSubQuery* Op(int Index) const { return Root()->GetUnionSubQueries(Index); }
  // Item Index of the root's list as a group.
  TvxUnionGroup* Group(int Index) const { return qobject_cast<TvxUnionGroup*>(Root()->GetItems(Index)); }
  // The operands in registration order as the constants they select ("1 2 3").
  std::string Order() const {
    std::string Text;
    for (int I = 0; I < Root()->GetUnionSubQueriesCount(); ++I) {
      std::string Select = Op(I)->GetASTSelect()->GetSimpleSQL();
      Text += (I > 0 ? " " : "") + Select.substr(Select.rfind(' ') + 1);
    }
    return Text;
  }
};

struct TEditCase {
  const char* Name;
  const char* Input;
  std::function<void(UnionEdit&)> Edit;
  const char* Expected;  // the model's text after the edit
  const char* Order;     // the registered operands afterwards, by the constant each selects
};

class UnionEditCase : public UnionEdit, public testing::WithParamInterface<TEditCase> {};

const TEditCase EditCases[] = {
    // The first item of a group keeps its operator hidden in its node; moves that bring such an
    // item forward show it as the parser stores an unwritten one: "union".
    {"RemoveBracketsFlattensInPlace", "SELECT 1 UNION ALL (SELECT 2 UNION SELECT 3) EXCEPT SELECT 4",
     [](UnionEdit& T) { T.Group(1)->RemoveBrackets(); }, "SELECT 1 UNION ALL SELECT 2 UNION SELECT 3 EXCEPT SELECT 4",
     "1 2 3 4"},
    {"EncloseKeepsTheOperator", "SELECT 1 UNION ALL SELECT 2 UNION SELECT 3",
     [](UnionEdit& T) { T.Op(1)->EncloseWithBrackets(); }, "SELECT 1 UNION ALL (SELECT 2) UNION SELECT 3", "1 2 3"},
    {"AddToBeginPullsTheSiblingsBefore", "SELECT 1 UNION SELECT 2 UNION (SELECT 3 EXCEPT SELECT 4)",
     [](UnionEdit& T) { T.Group(2)->AddToBegin(T.Op(0)); }, "(SELECT 1 UNION SELECT 2 union SELECT 3 EXCEPT SELECT 4)",
     "1 2 3 4"},
    {"AddToBeginStopsAtTheItem", "SELECT 1 UNION SELECT 2 UNION (SELECT 3 EXCEPT SELECT 4)",
     [](UnionEdit& T) { T.Group(2)->AddToBegin(T.Op(1)); }, "SELECT 1 UNION (SELECT 2 union SELECT 3 EXCEPT SELECT 4)",
     "1 2 3 4"},
    {"AddToEndPullsTheSiblingsAfter", "(SELECT 1 UNION SELECT 2) UNION ALL SELECT 3 EXCEPT SELECT 4",
     [](UnionEdit& T) { T.Group(0)->AddToEnd(T.Op(3)); },
     "(SELECT 1 UNION SELECT 2 UNION ALL SELECT 3 EXCEPT SELECT 4)", "1 2 3 4"},
    {"RemoveFromBeginPushesOutInOrder", "SELECT 0 UNION (SELECT 1 UNION ALL SELECT 2 EXCEPT SELECT 3)",
     [](UnionEdit& T) { T.Group(1)->RemoveFromBegin(T.Op(2)); },
     "SELECT 0 union SELECT 1 UNION ALL SELECT 2 UNION (SELECT 3)", "0 1 2 3"},
    {"RemoveFromEndPushesOutInOrder", "SELECT 0 UNION (SELECT 1 UNION ALL SELECT 2 EXCEPT SELECT 3)",
     [](UnionEdit& T) { T.Group(1)->RemoveFromEnd(T.Op(2)); },
     "SELECT 0 UNION (SELECT 1) UNION ALL SELECT 2 EXCEPT SELECT 3", "0 1 2 3"},
    {"InsertAfterIntoAnotherGroup", "SELECT 1 UNION (SELECT 2 UNION SELECT 3)",
     [](UnionEdit& T) { T.Op(1)->InsertAfter(T.Op(0)); }, "(SELECT 2 union SELECT 1 UNION SELECT 3)", "2 1 3"},
    {"InsertAfterASiblingBehind", "SELECT 1 UNION SELECT 2 EXCEPT SELECT 3",
     [](UnionEdit& T) { T.Op(0)->InsertAfter(T.Op(2)); }, "SELECT 1 EXCEPT SELECT 3 UNION SELECT 2", "1 3 2"},
    {"InsertAfterASiblingInFront", "SELECT 1 UNION SELECT 2 EXCEPT SELECT 3",
     [](UnionEdit& T) { T.Op(2)->InsertAfter(T.Op(0)); }, "SELECT 2 EXCEPT SELECT 3 union SELECT 1", "2 3 1"},
    {"InsertBeforeOutOfAGroup", "SELECT 1 UNION (SELECT 2 INTERSECT SELECT 3)",
     [](UnionEdit& T) { T.Group(1)->InsertBefore(T.Op(2)); }, "SELECT 1 INTERSECT SELECT 3 UNION (SELECT 2)", "1 3 2"},
    {"MoveReordersTheRegistration", "SELECT 1 UNION SELECT 2 UNION ALL SELECT 3",
     [](UnionEdit& T) { T.Root()->Move(0, 2); }, "SELECT 2 UNION ALL SELECT 3 union SELECT 1", "2 3 1"},
    {"OperatorWithAll", "SELECT 1 UNION SELECT 2", [](UnionEdit& T) { T.Op(1)->SelectUnionOperator("Union All"); },
     "SELECT 1 Union ALL SELECT 2", "1 2"},
    {"OperatorWithoutAll", "SELECT 1 UNION ALL SELECT 2", [](UnionEdit& T) { T.Op(1)->SelectUnionOperator("Except"); },
     "SELECT 1 Except SELECT 2", "1 2"},
    {"OperatorOfAGroup", "SELECT 1 UNION (SELECT 2 UNION SELECT 3)",
     [](UnionEdit& T) { T.Group(1)->SelectUnionOperator("intersect all"); },
     "SELECT 1 intersect ALL (SELECT 2 UNION SELECT 3)", "1 2 3"},
    {"TheSameOperatorInAnotherCaseChangesNothing", "SELECT 1 UNION ALL SELECT 2",
     [](UnionEdit& T) { T.Op(1)->SelectUnionOperator("Union &All"); }, "SELECT 1 UNION ALL SELECT 2", "1 2"},
    {"InsertGroupAtTheFront", "SELECT 1 UNION SELECT 2",
     [](UnionEdit& T) { T.Root()->InsertGroup(0)->AddToEnd(T.Op(0)); }, "(SELECT 1) UNION SELECT 2", "1 2"},
    // No edit leaves an empty bracket pair, which would not parse: the group goes with its last item.
    {"RemovingTheLastOperandRemovesTheBrackets", "SELECT 1 UNION ((SELECT 2)) UNION SELECT 3",
     [](UnionEdit& T) { delete T.Op(1); }, "SELECT 1 UNION SELECT 3", "1 3"},
    {"ClearingAGroupRemovesTheBracketsToo", "SELECT 1 UNION (SELECT 2 EXCEPT (SELECT 3)) UNION SELECT 4",
     [](UnionEdit& T) { T.Group(1)->Clear(); }, "SELECT 1 UNION SELECT 4", "1 4"},
    {"MovingTheLastOperandOutRemovesTheBrackets", "SELECT 1 UNION (SELECT 2)",
     [](UnionEdit& T) { T.Op(0)->InsertBefore(T.Op(1)); }, "SELECT 2 union SELECT 1", "2 1"},
    {"PushingEveryItemOutRemovesTheBrackets", "SELECT 0 UNION (SELECT 1 UNION ALL SELECT 2)",
     [](UnionEdit& T) { T.Group(1)->RemoveFromEnd(T.Op(1)); }, "SELECT 0 union SELECT 1 UNION ALL SELECT 2", "0 1 2"},
    // The operands belong to the root sub-query, not to the brackets around them.
    {"FreeingAGroupKeepsItsOperands", "SELECT 1 UNION (SELECT 2 INTERSECT SELECT 3) UNION SELECT 4",
     [](UnionEdit& T) { delete T.Group(1); }, "SELECT 1 UNION SELECT 4 union SELECT 2 INTERSECT SELECT 3", "1 4 2 3"},
};

TEST_P(UnionEditCase, GivesTheExpectedText) {
  const TEditCase& Case = GetParam();
  Load(Case.Input);
  Case.Edit(*this);
  EXPECT_EQ(SQL(), Case.Expected);
  EXPECT_EQ(Order(), Case.Order);
  // The edited model is a query like any other: its text loads back into the same text.
  ExpectFixedPoint();
}

INSTANTIATE_TEST_SUITE_P(Edits, UnionEditCase, testing::ValuesIn(EditCases),
                         [](const testing::TestParamInfo<TEditCase>& Info) { return Info.param.Name; });

// Dropping one item of the navigation bar on another: operands move before or after each other
// and into or out of brackets, brackets move over operands and other brackets.
struct TNavDropCase {
  const char* Name;
  const char* Input;
  std::function<TvxNavItem(UnionEdit&)> Target;
  std::function<TvxNavItem(UnionEdit&)> Dragged;
  const char* Expected;  // the text afterwards; null when the drop is refused
};

class UnionNavDropCase : public UnionEdit, public testing::WithParamInterface<TNavDropCase> {};

using enum TvxNavItemKind;
auto Button(int Index) {
  return [Index](UnionEdit& T) { return TvxNavItem{T.Op(Index), nikButton}; };
}
auto Bracket(int Index, TvxNavItemKind Kind) {
  return [Index, Kind](UnionEdit& T) { return TvxNavItem{T.Group(Index), Kind}; };
}

const TNavDropCase NavDropCases[] = {
    {"ButtonBeforeAnEarlierButton", "SELECT 1 UNION SELECT 2 EXCEPT SELECT 3", Button(0), Button(2),
     "SELECT 3 union SELECT 1 UNION SELECT 2"},
    {"ButtonAfterALaterButton", "SELECT 1 UNION SELECT 2 EXCEPT SELECT 3", Button(2), Button(0),
     "SELECT 2 EXCEPT SELECT 3 union SELECT 1"},
    {"ButtonOnItself", "SELECT 1 UNION SELECT 2", Button(1), Button(1), nullptr},
    {"LeftBracketOverASiblingBefore", "SELECT 1 UNION SELECT 2 UNION (SELECT 3 EXCEPT SELECT 4)", Button(1),
     Bracket(2, nikLeftBracket), "SELECT 1 UNION (SELECT 2 union SELECT 3 EXCEPT SELECT 4)"},
    {"LeftBracketNotOverASiblingAfter", "(SELECT 1) UNION SELECT 2", Button(1), Bracket(0, nikLeftBracket), nullptr},
    {"LeftBracketInsideItsGroup", "SELECT 0 UNION (SELECT 1 UNION ALL SELECT 2 EXCEPT SELECT 3)", Button(2),
     Bracket(1, nikLeftBracket), "SELECT 0 union SELECT 1 UNION ALL SELECT 2 UNION (SELECT 3)"},
    {"RightBracketOverASiblingAfter", "(SELECT 1 UNION SELECT 2) UNION ALL SELECT 3 EXCEPT SELECT 4", Button(3),
     Bracket(0, nikRightBracket), "(SELECT 1 UNION SELECT 2 UNION ALL SELECT 3 EXCEPT SELECT 4)"},
    {"RightBracketNotOverASiblingBefore", "SELECT 1 UNION (SELECT 2)", Button(0), Bracket(1, nikRightBracket), nullptr},
    {"ButtonFromTheRightOnALeftBracketGoesBeforeIt", "(SELECT 1 UNION SELECT 2) UNION SELECT 3",
     Bracket(0, nikLeftBracket), Button(2), "SELECT 3 union (SELECT 1 UNION SELECT 2)"},
    {"ButtonFromTheLeftOnARightBracketGoesAfterIt", "SELECT 1 UNION (SELECT 2 UNION SELECT 3)",
     Bracket(1, nikRightBracket), Button(0), "(SELECT 2 UNION SELECT 3) union SELECT 1"},
    {"LeftBracketOverTheGroupBefore", "(SELECT 1) UNION (SELECT 2)", Bracket(0, nikLeftBracket),
     Bracket(1, nikLeftBracket), "((SELECT 1) union SELECT 2)"},
    {"BracketOnItself", "SELECT 1 UNION (SELECT 2)", Bracket(1, nikLeftBracket), Bracket(1, nikLeftBracket),
     "SELECT 1 UNION (SELECT 2)"},
};

TEST_P(UnionNavDropCase, MovesWhatTheBarShows) {
  const TNavDropCase& Case = GetParam();
  Load(Case.Input);
  const std::string Before = SQL();
  const TvxNavItem Target = Case.Target(*this);
  const TvxNavItem Dragged = Case.Dragged(*this);
  EXPECT_EQ(vx::CanDropNavItem(Target, Dragged), Case.Expected != nullptr);
  vx::DropNavItem(Target, Dragged);
  EXPECT_EQ(SQL(), Case.Expected != nullptr ? Case.Expected : Before);
  ExpectFixedPoint();
}

INSTANTIATE_TEST_SUITE_P(Drops, UnionNavDropCase, testing::ValuesIn(NavDropCases),
                         [](const testing::TestParamInfo<TNavDropCase>& Info) { return Info.param.Name; });

// The first operand keeps the ORDER BY; after a union it names result columns, which belong to
// no table (PostgreSQL refuses "ORDER BY Customers.City" there).
TEST_F(UnionEdit, OrderByOfAUnionNamesResultColumns) {
  Load("SELECT City FROM Customers ORDER BY City");
  EXPECT_EQ(SQL(), "SELECT Customers.City FROM Customers ORDER BY Customers.City");
  Op(0)->EncloseWithBrackets();
  EXPECT_EQ(SQL(), "(SELECT Customers.City FROM Customers) ORDER BY City");
  Load(
      "SELECT c.City, c.Country AS Land FROM Customers c UNION SELECT City, Country FROM Suppliers ORDER BY c.City "
      "DESC, Land, 1");
  EXPECT_EQ(SQL(),
            "SELECT c.City, c.Country AS Land FROM Customers c UNION SELECT Suppliers.City, Suppliers.Country FROM "
            "Suppliers ORDER BY City DESC, Land, 1");
  EXPECT_EQ(SampleRows(SQL()), SampleRows("SELECT City, Country FROM Customers UNION SELECT City, Country FROM "
                                          "Suppliers"));
}

TEST_F(UnionEdit, BracketMovesRefuseItemsInTheWrongPlace) {
  Load("SELECT 1 UNION (SELECT 2 UNION SELECT 3) UNION SELECT 4");
  TvxUnionGroup* G = Group(1);
  EXPECT_THROW(G->AddToBegin(Op(3)), EvxException);
  EXPECT_THROW(G->AddToEnd(Op(0)), EvxException);
  EXPECT_THROW(G->RemoveFromBegin(Op(0)), EvxException);
  EXPECT_THROW(G->RemoveFromEnd(Op(3)), EvxException);
  EXPECT_THROW(Root()->RemoveBrackets(), EvxException);
  // A group cannot go into itself or into one of its groups.
  TvxUnionGroup* Inner = Op(1)->EncloseWithBrackets();
  EXPECT_THROW(G->SetParentQuery(Inner), EvxException);
  EXPECT_THROW(G->SetParentQuery(G), EvxException);
  EXPECT_EQ(SQL(), "SELECT 1 UNION ((SELECT 2) UNION SELECT 3) UNION SELECT 4");
}

TEST_F(UnionEdit, InsertChecksTheIndexBeforeTheDialect) {
  Load("SELECT 1 UNION SELECT 2");
  EXPECT_THROW(Root()->Insert(-1), EvxListError);
  EXPECT_THROW(Root()->Insert(3), EvxListError);
  EXPECT_THROW(Root()->InsertGroup(3), EvxListError);
  EXPECT_THROW(Root()->Move(0, 2), EvxListError);
  TvxUnionSubQuery* Inserted = Root()->Insert(1);
  ASSERT_NE(Inserted, nullptr);
  EXPECT_EQ(Root()->IndexOf(Inserted), 1);
  EXPECT_EQ(Root()->GetUnionSubQueries(1), Inserted);
  EXPECT_EQ(Root()->GetCount(), 3);
}

TEST_F(UnionEdit, NewUnionSubQueryBecomesActiveAndTheRemovedOnePassesActivityOn) {
  Load("SELECT 1 UNION SELECT 2");
  TvxUnionSubQuery* Added = Op(0)->NewUnionSubQuery();
  ASSERT_NE(Added, nullptr);
  EXPECT_EQ(Root()->GetActiveUnionSubquery(), Added);
  // An empty operand has nothing to select yet; the first datasource gives it a FROM.
  Added->GetSelectList()->AddField(Added->AddObject("Shippers"), "ShipperID");
  EXPECT_EQ(SQL(), "SELECT 1 UNION SELECT 2 union SELECT Shippers.ShipperID FROM Shippers");

  // The last of several passes activity to the one before it, any other to the one after it.
  delete Added;
  EXPECT_EQ(Root()->GetActiveUnionSubquery(), Op(1));
  Root()->SetActiveUnionSubquery(Op(0));
  delete Op(0);
  EXPECT_EQ(Root()->GetActiveUnionSubquery(), Op(0));
  EXPECT_EQ(SQL(), "SELECT 2");
  delete Op(0);
  EXPECT_EQ(Root()->GetActiveUnionSubquery(), nullptr);
  EXPECT_EQ(Root()->GetUnionSubQueriesCount(), 0);
}

TEST_F(UnionEdit, NoBuilderEverSeesAnEmptyBracketPair) {
  TvxSQLBuilderPlainText Builder;
  std::vector<std::string> Texts;
  QObject::connect(&Builder, &TvxBaseSQLBuilder::sqlUpdated, [&] { Texts.push_back(Builder.GetSQL()); });
  Builder.SetQueryBuilder(&FQueryBuilder);
  Load("SELECT 1 UNION ((SELECT 2) UNION SELECT 3)");
  Root()->SetActiveUnionSubquery(Op(1));
  Texts.clear();
  delete Op(2);
  Op(1)->RemoveEvent(nullptr);
  EXPECT_EQ(SQL(), "SELECT 1");
  EXPECT_EQ(Root()->GetActiveUnionSubquery(), Op(0));
  ASSERT_FALSE(Texts.empty());
  for (const std::string& Text : Texts) EXPECT_EQ(Text.find("()"), std::string::npos) << Text;
  Builder.SetQueryBuilder(nullptr);
}

TEST_F(UnionEdit, DatasourcesAreVisibleFromTheOutermostQueryIn) {
  Load(
      "SELECT c.CompanyName FROM Customers c WHERE EXISTS (SELECT 1 FROM Orders o JOIN OrderLines l ON l.OrderID = "
      "o.OrderID WHERE o.CustomerID = c.CustomerID) UNION (SELECT s.CompanyName FROM Suppliers s)");
  auto Names = [](const TvxQueryBase& Item) {
    TSQLFromSourceList List;
    Item.GetDatasourcesBottomUp(List);
    std::string Text;
    for (const TSQLFromSource* Source : List) Text += (Text.empty() ? "" : ", ") + Source->GetSimpleSQL();
    return Text;
  };
  ASSERT_EQ(FQueryBuilder.GetSubQueriesCount(), 2);
  TvxUnionSubQuery* Inner = FQueryBuilder.GetSubQueries(1)->FirstSelect();
  EXPECT_EQ(Names(*Inner), "Customers c, Orders o, OrderLines l");
  // A bracketed operand sees its own sources only; the groups and the statement have none.
  EXPECT_EQ(Names(*Op(1)), "Suppliers s");
  EXPECT_EQ(Names(*Group(1)), "");
  EXPECT_EQ(Names(*FQueryBuilder.GetSubQueries(1)), "");
}

TEST_F(UnionEdit, DerivedTableFromAHostQuery) {
  Load("SELECT c.CompanyName FROM Customers c");
  TvxDataSourceQuery* Derived =
      Operand()->AddQueryAt("SELECT CustomerID, COUNT(*) AS n FROM Orders GROUP BY CustomerID", QPoint(40, 50), "d");
  ASSERT_NE(Derived, nullptr);
  EXPECT_EQ(Derived->GetLeft(), 40);
  EXPECT_EQ(Derived->GetTop(), 50);
  // The box lists the columns of the derived table's SELECT.
  TvxStringList Fields;
  Derived->GetFieldsList(Fields);
  ASSERT_EQ(Fields.Count(), 3);
  EXPECT_EQ(Fields[0], "*");
  EXPECT_TRUE(vx::SameText(Fields[1], "CustomerID"));
  EXPECT_EQ(Fields[2], "n");
  EXPECT_EQ(FQueryBuilder.GetSubQueriesCount(), 2);
  Operand()->AddLink(Find("c"), "CustomerID", Derived, "CustomerID");
  Operand()->GetSelectList()->AddField(Derived, "n");
  const std::string Expected =
      "SELECT c.CompanyName, d.n FROM Customers c INNER JOIN  (SELECT Orders.CustomerID, COUNT(*) AS n FROM Orders "
      "GROUP BY Orders.CustomerID) AS d ON c.CustomerID=d.CustomerID";
  EXPECT_EQ(SQL(), Expected);
  EXPECT_EQ(SampleRows(SQL()), SampleRows("SELECT c.CompanyName, COUNT(*) FROM Customers c JOIN Orders o ON "
                                          "o.CustomerID = c.CustomerID GROUP BY c.CustomerID, c.CompanyName"));

  // Text that does not parse adds nothing; without a name the table is called Query1.
  EXPECT_THROW(Operand()->AddQuery("SELECT FROM WHERE"), EvxSQLError);
  EXPECT_EQ(SQL(), Expected);
  ASSERT_NE(Operand()->AddQuery("SELECT 1 AS one"), nullptr);
  EXPECT_EQ(SQL().substr(SQL().size() - 30), ",  (SELECT 1 AS one) AS Query1");
}

// --- the dialect's refusals ---------------------------------------------------------------------

class UnionCapabilities : public UnionEdit {
protected:
  UnionCapabilities() { FQueryBuilder.SetSyntaxProvider(&FLimited); }
  ~UnionCapabilities() override { FQueryBuilder.SetSyntaxProvider(nullptr); }
  TLimitedDialect& Dialect() { return FLimited.GetDialect(); }

  TLimitedSyntaxProvider FLimited;
};

TEST_F(UnionCapabilities, EachRefusalHasItsMessageAndChangesNothing) {
  Load("SELECT 1 UNION (SELECT 2 UNION SELECT 3) UNION SELECT 4 WHERE 4 IN (SELECT 5 UNION (SELECT 6))");
  const std::string Before = SQL();
  TvxSubQuery* Sub = FQueryBuilder.GetSubQueries(1);
  Dialect().Unions = Dialect().Brackets = Dialect().SubQueryUnions = Dialect().SubQueryBrackets = false;
  EXPECT_EQ(MessageOf([&] { Root()->Add(); }), "This server don't support unions!");
  EXPECT_EQ(MessageOf([&] { Group(1)->Insert(0); }), "This server don't support unions!");
  EXPECT_EQ(MessageOf([&] { Sub->Add(); }), "This server don't support unions in subqueries!");
  EXPECT_EQ(MessageOf([&] { Root()->AddGroup(); }), "This server don't support brackets in unions!");
  EXPECT_EQ(MessageOf([&] { Root()->InsertGroup(1); }), "This server don't support brackets in unions!");
  // Any group but the component's root query asks the sub-query flag.
  EXPECT_EQ(MessageOf([&] { Group(1)->AddGroup(); }), "This server don't support brackets in unions in subqueries!");
  EXPECT_EQ(MessageOf([&] { Sub->AddGroup(); }), "This server don't support brackets in unions in subqueries!");
  EXPECT_EQ(MessageOf([&] { Op(0)->EncloseWithBrackets(); }), "This server don't support brackets in unions!");
  EXPECT_EQ(SQL(), Before);

  // The first operand is always allowed.
  Load("");
  Load("SELECT 1");
  ASSERT_EQ(Root()->GetUnionSubQueriesCount(), 1);
  delete Op(0);
  EXPECT_NE(Root()->Add(), nullptr);
  EXPECT_EQ(MessageOf([&] { Root()->Add(); }), "This server don't support unions!");
}

}  // namespace
}  // namespace vxtest
