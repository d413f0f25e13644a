// Dotted names, types, aliases, object-name comparison and the binding of references to FROM
// sources.
#include "ExpressionTestTrees.h"

#include <gtest/gtest.h>

using namespace vxtest;

namespace {

class NamesTest : public ::testing::Test {
protected:
  // Binds Node against Sources as a query with those sources in scope would.
  static void Bind(TastNode& Node, std::initializer_list<TSQLFromSource*> Sources) {
    TSQLFromSourceList List(Sources);
    Node.FixupObjects(List);
  }
  std::unique_ptr<TSQLObjectColumn> Column(std::initializer_list<std::string> Parts) {
    return F.Name<TSQLObjectColumn>(Parts);
  }

  TReservingProvider Provider;
  TExpressionFactory F{Provider};
};

TEST_F(NamesTest, PartsAreKeptInnermostFirst) {
  auto Name = F.Name({"sch", "tbl", "col"});
  EXPECT_EQ(Name->GetObjName(), "col");
  EXPECT_EQ(Name->GetName(2), "sch");
  EXPECT_EQ(Name->GetPrefix(1), "sch.tbl");
  EXPECT_EQ(Name->GetPrefix(3), "");
  EXPECT_EQ(Name->GetQualifiedName(), "sch.tbl.col");
  Name->AddPrefix("db");
  Name->SetObjName("c2");
  EXPECT_EQ(Name->GetQualifiedName(), "db.sch.tbl.c2");
  EXPECT_THROW(Name->GetName(4), EvxListError);
  EXPECT_THROW(Name->GetName(-1), EvxListError);
  EXPECT_EQ(NewNode<TSQLQualifiedName>(&Provider)->GetObjName(), "");
}

// The parts share one packed buffer: a part longer than the short length form, parts holding
// dots or NUL bytes, empty parts, and a part set from another part of the same name (a view
// into the buffer being changed) all come back exactly as given.
TEST_F(NamesTest, PartsOfAnyLengthAndContentSurviveEdits) {
  const std::string Long(300, 'x'), Odd("a.b\0c", 5);
  auto Name = F.Name({Long, "", Odd});
  EXPECT_EQ(Name->GetCount(), 3);
  EXPECT_EQ(Name->GetObjName(), Odd);
  EXPECT_EQ(Name->GetName(1), "");
  EXPECT_EQ(Name->GetName(2), Long);
  Name->SetObjName(Name->GetName(2));
  Name->AddPrefix(Name->GetName(0));
  Name->AddName(Name->GetName(3));
  EXPECT_EQ(Name->GetNames(), (TvxStringList{Long, Long, "", Long, Long}));
  Name->SetObjName("c");
  EXPECT_EQ(Name->GetNames(), (TvxStringList{"c", Long, "", Long, Long}));
  EXPECT_EQ(CloneNode(*Name)->GetNames(), Name->GetNames());
}

TEST_F(NamesTest, EachPartIsQuotedOnItsOwn) {
  EXPECT_EQ(Write(*F.Name({"dbo", "Name"})), "dbo.Name");
  EXPECT_EQ(Write(*F.Name({"dbo", "Order Details"})), "dbo.\"Order Details\"");
  EXPECT_EQ(Write(*F.Name({"\"My Schema\"", "order"})), "\"My Schema\".\"order\"");
  EXPECT_EQ(Write(*F.Name({"db", "", "t"})), "db..t");  // an omitted qualifier stays omitted
}

TEST_F(NamesTest, ObjectNamesCompareByOwnPartIgnoringCaseAndQuotes) {
  auto Orders = F.Name<TSQLDatabaseObject>({"Orders"});
  EXPECT_TRUE(Provider.IsDBObjectNamesEqual(*Orders, *F.Name<TSQLDatabaseObject>({"ORDERS"})));
  EXPECT_TRUE(Provider.IsDBObjectNamesEqual(*Orders, *F.Name<TSQLDatabaseObject>({"\"Orders\""})));
  EXPECT_TRUE(Provider.IsDBObjectNamesEqual(*F.Name<TSQLDatabaseObject>({"dbo", "Orders"}),
                                            *F.Name<TSQLDatabaseObject>({"sales", "orders"})));
  EXPECT_FALSE(Provider.IsDBObjectNamesEqual(*Orders, *F.Name<TSQLDatabaseObject>({"Order"})));
  EXPECT_TRUE(Provider.IsColumnOfDBObject(*Column({"\"ORDERS\"", "Id"}), *Orders));
  EXPECT_FALSE(Provider.IsColumnOfDBObject(*Column({"Id"}), *Orders));
}

TEST_F(NamesTest, ColumnFollowsTheAliasOfItsSource) {
  auto Orders = F.Table("Orders", "o", {"Id"});
  auto ByTable = Column({"Orders", "Id"});
  auto ByAlias = Column({"o", "Id"});
  Bind(*ByTable, {Orders.get()});
  Bind(*ByAlias, {Orders.get()});
  // The alias hides the table name: Orders.Id is not bound and stays as written.
  EXPECT_EQ(ByTable->GetFromSource(), nullptr);
  EXPECT_EQ(Write(*ByTable), "Orders.Id");
  EXPECT_EQ(ByAlias->GetFromSource(), Orders.get());
  EXPECT_EQ(Write(*ByAlias), "o.Id");
  Orders->GetAlias()->SetAlias("x");
  EXPECT_EQ(Write(*ByAlias), "x.Id");
  Orders->SetAlias(nullptr);
  EXPECT_EQ(Write(*ByAlias), "Orders.Id");
}

TEST_F(NamesTest, ColumnBindingRules) {
  auto Outer = F.Table("Orders", {}, {"ID", "Kind"});
  auto Inner = F.Table("Lines", {}, {"Id", "Qty"});
  auto Derived = NewNode<TSQLFromVariable>(&Provider, "@rows");
  Derived->SetFieldsList({"Qty"});

  auto OneName = Column({"Id"});
  Bind(*OneName, {Outer.get(), Inner.get()});
  EXPECT_EQ(OneName->GetFromSource(), Inner.get());  // the later source wins
  EXPECT_EQ(Write(*OneName), "Lines.Id");            // the source's name as the FROM clause writes it

  auto Qualified = Column({"orders", "Kind"});
  Bind(*Qualified, {Outer.get(), Inner.get()});
  EXPECT_EQ(Qualified->GetFromSource(), Outer.get());

  auto FromVariable = Column({"v", "Qty"});
  Bind(*FromVariable, {Derived.get()});
  EXPECT_EQ(FromVariable->GetFromSource(), nullptr);
  auto BareQty = Column({"Qty"});
  Bind(*BareQty, {Inner.get(), Derived.get()});
  EXPECT_EQ(BareQty->GetFromSource(), Derived.get());
  EXPECT_EQ(Write(*BareQty), "Qty");  // a source without a name to write

  auto ThreeParts = Column({"dbo", "Orders", "ID"});
  ThreeParts->SetFromSource(Inner.get());
  Bind(*ThreeParts, {Outer.get()});
  EXPECT_EQ(ThreeParts->GetFromSource(), nullptr);
  EXPECT_EQ(Write(*ThreeParts), "dbo.Orders.ID");
}

TEST_F(NamesTest, ObjectReferenceBinding) {
  auto Orders = F.Table("Orders");
  auto Quoted = F.Name<TSQLDatabaseObject>({"\"ORDERS\""});
  Bind(*Quoted, {Orders.get()});
  EXPECT_EQ(Quoted->GetFromSource(), Orders.get());
  EXPECT_EQ(Write(*Quoted), "Orders");

  // A table name binds to the copy without alias, never to an aliased one ("FROM Orders,
  // Orders o2": Orders.* is the first's columns); without a match the binding stays.
  auto Again = F.Table("orders", "o2");
  auto ByName = F.Name<TSQLDatabaseObject>({"Orders"});
  Bind(*ByName, {Orders.get(), Again.get()});
  EXPECT_EQ(ByName->GetFromSource(), Orders.get());
  EXPECT_EQ(Write(*ByName), "Orders");
  Bind(*ByName, {Again.get(), Orders.get()});
  EXPECT_EQ(ByName->GetFromSource(), Orders.get());
  auto OnlyAliased = F.Name<TSQLDatabaseObject>({"Orders"});
  Bind(*OnlyAliased, {Again.get()});
  EXPECT_EQ(OnlyAliased->GetFromSource(), nullptr);
  auto ByAlias = F.Name<TSQLDatabaseObject>({"O2"});
  Bind(*ByAlias, {Again.get(), Orders.get()});
  EXPECT_EQ(ByAlias->GetFromSource(), Again.get());
  Bind(*ByAlias, {F.Table("Other").get()});
  EXPECT_EQ(ByAlias->GetFromSource(), Again.get());
}

TEST_F(NamesTest, StringAliasQualifiesAsDelimitedName) {
  auto Source = F.Table("Orders", "'x'", {"Id"});
  auto Id = Column({"'x'", "Id"});
  Id->SetFromSource(Source.get());
  EXPECT_EQ(Write(*Id), "\"x\".Id");
  Source->GetAlias()->SetAlias("'it''s \"q\"'");
  EXPECT_EQ(Write(*Id), "\"it's \"\"q\"\"\".Id");
  EXPECT_EQ(Write(*Source), "Orders 'it''s \"q\"'");  // the FROM clause keeps its own form
}

TEST_F(NamesTest, DroppingASourceUnbindsItsReferences) {
  auto Orders = F.Table("Orders", "o", {"Id"});
  auto Lines = F.Table("Lines", "l", {"Qty"});
  auto Condition = F.Bin(F.Col({"o", "Id"}), "=", F.Col({"l", "Qty"}));
  Bind(*Condition, {Orders.get(), Lines.get()});
  Orders->GetAlias()->SetAlias("ord");
  Lines->GetAlias()->SetAlias("lin");
  EXPECT_EQ(Write(*Condition), "ord.Id=lin.Qty");
  Condition->RemoveReferencesToFromSource(Orders.get());
  EXPECT_EQ(Write(*Condition), "o.Id=lin.Qty");
}

TEST_F(NamesTest, CopiesBindToCopiedSourcesAndKeepOutsideLinks) {
  auto Outer = F.Table("Orders", "o", {"Id"});
  auto Lines = F.Table("Lines", "l", {"OrderId"});
  Lines->SetJoinCondition(F.Bin(F.Col({"o", "Id"}), "=", F.Col({"l", "OrderId"})));
  Bind(*Lines->GetJoinCondition(), {Outer.get(), Lines.get()});

  std::unique_ptr<TSQLFromSource> Copy = CloneNode(*Lines);
  auto* Condition = dynamic_cast<TSQLExpressionOperatorBinary*>(Copy->GetJoinCondition());
  ASSERT_NE(Condition, nullptr);
  auto* Left = dynamic_cast<TSQLExpressionColumn*>(Condition->GetExpression());
  auto* Right = dynamic_cast<TSQLExpressionColumn*>(Condition->GetRight());
  EXPECT_EQ(Left->GetColumn()->GetFromSource(), Outer.get());
  EXPECT_EQ(Right->GetColumn()->GetFromSource(), Copy.get());
  Lines.reset();
  Copy->GetAlias()->SetAlias("l2");
  EXPECT_EQ(Write(*Copy), "Lines l2");
  EXPECT_EQ(Write(*Condition), "o.Id=l2.OrderId");
}

}  // namespace
