// Names from anywhere but parsed text (a catalog, a provider's field list, an alias the user
// typed) go into a tree through QuoteName and are written by the writer: for every name of the
// table below and every way a server may fold unquoted names, the written statement parses back
// into the same shape, and each of its names means the original string. Parsed delimited names
// are written as they were read, and names compare equal across the two forms.
#include "ParserTestSupport.h"
#include "vxASTFrom.h"
#include "vxASTSelect.h"

#include <gtest/gtest.h>

namespace vxtest {
namespace {

const std::string GLongName = [] {
  std::string Name;
  for (int I = 0; Name.size() < 200; ++I) Name += "Part" + std::to_string(I) + "_";
  Name.resize(200);
  return Name;
}();

struct TNameCase {
  const char* What;
  std::string Name;
};

const TNameCase GNames[] = {
    {"plain", "Orders"},
    {"quote inside", "a\"b"},
    {"doubled quote inside", "a\"\"b"},
    {"apostrophe", "it's"},
    {"leading and trailing quotes", "\"evil\""},
    {"leading quote", "\"x"},
    {"trailing quote", "x\""},
    {"brackets", "[x]"},
    {"apostrophes around", "'x'"},
    {"space", "Order Details"},
    {"dot", "dbo.Orders"},
    {"reserved word", "select"},
    {"reserved word, capitals", "DATE"},
    {"non-ASCII letters", "Z\xC3\xBCrich \xE6\x97\xA5\xE6\x9C\xAC"},
    {"200 characters", GLongName},
    {"mixed case", "MixedCase"},
    {"lower case", "lower_case"},
    {"upper case", "UPPER_CASE"},
    {"digit first", "1st"},
    {"injection into the FROM clause", "t\" WHERE 0 UNION SELECT name, sql FROM sqlite_master --"},
    {"injection into a describing query", "\") x, (SELECT f()) y--"},
    {"line break", "a\r\nb"},
};

const TvxNameFolding GFoldings[] = {TvxNameFolding::nfNone, TvxNameFolding::nfLower, TvxNameFolding::nfUpper};

const char* FoldingName(TvxNameFolding Folding) {
  switch (Folding) {
    case TvxNameFolding::nfLower:
      return "lower";
    case TvxNameFolding::nfUpper:
      return "upper";
    case TvxNameFolding::nfNone:
      break;
  }
  return "none";
}

// The name a server folding by Folding reads in a parsed name part: a delimited part means its
// inside, a bare one what folding makes of it.
std::string Meaning(const TastSyntaxProvider& Provider, std::string_view Part, TvxNameFolding Folding) {
  if (TSQLBuilder::IsDelimitedIdentifier(Part, &Provider)) return Provider.UnquoteName(Part);
  return TSQLBuilder::FoldName(Part, Folding);
}

class NameQuoting : public testing::Test {
protected:
  TastSQL92SyntaxProvider Provider;
};

// "SELECT column AS alias FROM table alias" with every part the same name, built as the model
// builds it from a catalog; then parsed back.
TEST_F(NameQuoting, EveryWrittenNameParsesBackToTheOriginalString) {
  for (TvxNameFolding Folding : GFoldings) {
    for (const TNameCase& Case : GNames) {
      SCOPED_TRACE(std::string(Case.What) + ", folding " + FoldingName(Folding));
      const std::string& Name = Case.Name;

      std::unique_ptr<TSQLFromSource> Source = Provider.CreateSQLFromObject(Name, Name, Folding);
      auto Column = NewNode<TSQLObjectColumn>(&Provider);
      Column->AddName(Provider.QuoteName(Name, Folding));
      Column->AddPrefix(Provider.QuoteName(Name, Folding));
      auto Alias = NewNode<TSQLAliasObjectAsAlias>(&Provider, Provider.QuoteName(Name));
      const std::string Text =
          "SELECT " + Write(*Column) + " " + Write(*Alias) + " FROM " + Write(*Source) + " WHERE 1=0";

      std::unique_ptr<TSQLSelectStatement> Tree;
      try {
        Tree = Provider.ParseSelect(Text);
      } catch (const EvxSQLError& Error) {
        ADD_FAILURE() << "does not parse: " << Text << "\n  " << Error.GetMessage();
        continue;
      }
      // The same shape: nothing of the name became SQL of its own.
      ASSERT_EQ(Tree->GetCount(), 1) << Text;
      const auto& Select = dynamic_cast<const TSQLSubQuerySelectExpression&>(*Tree->GetItems(0));
      ASSERT_NE(Select.GetWhere(), nullptr) << Text;
      EXPECT_EQ(Write(*Select.GetWhere()), "1=0") << Text;
      ASSERT_EQ(Select.GetSelectItems()->GetCount(), 1) << Text;
      ASSERT_EQ(Select.GetFrom()->GetCount(), 1) << Text;

      const auto* Table = dynamic_cast<const TSQLFromObject*>(Select.GetFrom()->GetItem(0));
      ASSERT_NE(Table, nullptr) << Text;
      ASSERT_EQ(Table->GetObject()->GetCount(), 1) << Text;
      EXPECT_EQ(Meaning(Provider, Table->GetObject()->GetObjName(), Folding), Name) << Text;
      ASSERT_NE(Table->GetAlias(), nullptr) << Text;
      EXPECT_EQ(Provider.UnquoteName(Table->GetAlias()->GetAlias()), Name) << Text;

      const auto* Item = dynamic_cast<const TSQLSelectItemExpression*>(Select.GetSelectItems()->GetItem(0));
      ASSERT_NE(Item, nullptr) << Text;
      const auto* Reference = dynamic_cast<const TSQLExpressionColumn*>(Item->GetExpression());
      ASSERT_NE(Reference, nullptr) << Text;
      ASSERT_EQ(Reference->GetColumn()->GetCount(), 2) << Text;
      EXPECT_EQ(Meaning(Provider, Reference->GetColumn()->GetName(0), Folding), Name) << Text;
      EXPECT_EQ(Meaning(Provider, Reference->GetColumn()->GetName(1), Folding), Name) << Text;
      ASSERT_NE(Item->GetAlias(), nullptr) << Text;
      EXPECT_EQ(Provider.UnquoteName(Item->GetAlias()->GetAlias()), Name) << Text;

      // Written again, the parsed statement is the same text: delimited names stay as read.
      EXPECT_EQ(Write(*Tree), Text);
    }
  }
}

TEST_F(NameQuoting, QuotesOnlyWhatNeedsIt) {
  struct TCase {
    std::string Name;
    TvxNameFolding Folding;
    std::string Written;
  };
  const TCase Cases[] = {
      {"Orders", TvxNameFolding::nfNone, "Orders"},
      {"Orders", TvxNameFolding::nfLower, "\"Orders\""},
      {"orders", TvxNameFolding::nfLower, "orders"},
      {"orders", TvxNameFolding::nfUpper, "\"orders\""},
      {"ORDERS", TvxNameFolding::nfUpper, "ORDERS"},
      {"a\"b", TvxNameFolding::nfNone, "\"a\"\"b\""},
      {"\"evil\"", TvxNameFolding::nfNone, "\"\"\"evil\"\"\""},
      {"[x]", TvxNameFolding::nfNone, "\"[x]\""},
      {"'x'", TvxNameFolding::nfNone, "\"'x'\""},
      {"date", TvxNameFolding::nfNone, "\"date\""},
      {"Order Details", TvxNameFolding::nfNone, "\"Order Details\""},
      {"", TvxNameFolding::nfNone, "\"\""},
  };
  for (const TCase& Case : Cases)
    EXPECT_EQ(Provider.QuoteName(Case.Name, Case.Folding), Case.Written)
        << Case.Name << ", folding " << FoldingName(Case.Folding);
  // Without quotes of its own a dialect can only write the name bare.
  TastSyntaxProvider Bare;
  EXPECT_EQ(Bare.QuoteName("a b"), "a b");
}

// A part is taken as delimited only when it is exactly one delimited identifier as the scanner
// reads one: anything else that a tree holds is quoted when written, so that it stays one name.
TEST_F(NameQuoting, OnlyWholeDelimitedIdentifiersAreWrittenAsTheyAre) {
  struct TCase {
    std::string Part;
    std::string Written;
  };
  const TCase Cases[] = {
      {"\"a\"\"b\"", "\"a\"\"b\""},
      {"\"x y\"", "\"x y\""},
      {"[x y]", "[x y]"},
      {"'it''s'", "'it''s'"},
      {"\"a\"b\"", "\"\"\"a\"\"b\"\"\""},
      {"\"a\" UNION SELECT 1 --\"", "\"\"\"a\"\" UNION SELECT 1 --\"\"\""},
      {"\"", "\"\"\"\""},
      {"[a]]b]", "\"[a]]b]\""},
  };
  for (const TCase& Case : Cases) {
    auto Name = NewNode<TSQLDatabaseObject>(&Provider);
    Name->AddName(Case.Part);
    EXPECT_EQ(Write(*Name), Case.Written) << Case.Part;
  }
}

TEST_F(NameQuoting, NamesCompareWithTheirQuotesUndoubled) {
  EXPECT_EQ(Provider.UnquoteName("\"a\"\"b\""), "a\"b");
  EXPECT_EQ(Provider.UnquoteName("'it''s'"), "it's");
  EXPECT_EQ(Provider.UnquoteName("[x y]"), "x y");
  EXPECT_EQ(Provider.UnquoteName("plain"), "plain");
  EXPECT_EQ(Provider.UnquoteName("\"a\"b\""), "\"a\"b\"");  // no delimited identifier: as it is

  EXPECT_TRUE(Provider.IsNamesEqual("\"a\"\"b\"", "a\"b"));
  EXPECT_TRUE(Provider.IsNamesEqual("\"it's\"", "it's"));
  EXPECT_TRUE(Provider.IsNamesEqual("\"ORDERS\"", "orders"));  // case is not a difference here
  EXPECT_TRUE(Provider.IsNamesEqual("\"a\"\"b\"", Provider.QuoteName("a\"b")));
  // A catalog name that happens to be in quotes is that name, quotes included.
  EXPECT_TRUE(Provider.IsNamesEqual(Provider.QuoteName("\"evil\""), "\"\"\"evil\"\"\""));
  EXPECT_FALSE(Provider.IsNamesEqual(Provider.QuoteName("\"evil\""), "\"evil\""));
  EXPECT_FALSE(Provider.IsNamesEqual("\"a\"\"b\"", "\"a\"\"\"\"b\""));

  // Tables and columns of parsed text bind to catalog-made names and the other way round.
  auto Catalog = NewNode<TSQLDatabaseObject>(&Provider);
  Catalog->AddName(Provider.QuoteName("a\"b"));
  auto Parsed = Provider.ParseObjectName("\"a\"\"b\"");
  EXPECT_TRUE(Provider.IsDBObjectNamesEqual(*Catalog, *Parsed));
  auto Column = Provider.ParseObjectName("\"a\"\"b\".\"it's\"");
  auto AsColumn = NewNode<TSQLObjectColumn>(&Provider);
  AsColumn->Assign(*Column);
  EXPECT_TRUE(Provider.IsColumnOfDBObject(*AsColumn, *Catalog));
}

// A one-part column binds to the source whose field list (the database's names) holds the name
// it stands for.
TEST_F(NameQuoting, DelimitedColumnsBindByTheNameTheyStandFor) {
  std::unique_ptr<TSQLSelectStatement> Tree = Provider.ParseSelect("SELECT \"ref\"\"id\", \"it's\" FROM t");
  auto& Table = dynamic_cast<TSQLFromObject&>(
      *dynamic_cast<TSQLSubQuerySelectExpression&>(*Tree->GetItems(0)).GetFrom()->GetItem(0));
  Table.SetFieldsList(TvxStringList{"ref\"id", "it's"});
  TSQLFromSourceList Sources;
  Tree->FixupObjects(Sources);
  const auto& Items = *dynamic_cast<TSQLSubQuerySelectExpression&>(*Tree->GetItems(0)).GetSelectItems();
  for (int I = 0; I < 2; ++I) {
    const auto& Item = dynamic_cast<const TSQLSelectItemExpression&>(*Items.GetItem(I));
    EXPECT_EQ(dynamic_cast<const TSQLExpressionColumn&>(*Item.GetExpression()).GetColumn()->GetFromSource(), &Table)
        << I;
  }
}

// The HTML writer escapes every text of the statement.
TEST_F(NameQuoting, HtmlEscapesMarkupInEveryToken) {
  std::unique_ptr<TSQLSelectStatement> Tree =
      Provider.ParseSelect("SELECT \"<b>\" FROM t WHERE a<b AND c <> '<script>&amp;' AND d > 1");
  const std::string Html = WriteAs<TSQLBuilderHTML>(*Tree);
  EXPECT_EQ(Html.find("<script>"), std::string::npos) << Html;
  EXPECT_EQ(Html.find("\"<b>\""), std::string::npos) << Html;
  EXPECT_NE(Html.find("&lt;script&gt;&amp;amp;"), std::string::npos) << Html;
  EXPECT_NE(Html.find("<i>\"&lt;b&gt;\"</i>"), std::string::npos) << Html;
  EXPECT_NE(Html.find("<font color=#7f7fff>&lt;</font>"), std::string::npos) << Html;
  EXPECT_NE(Html.find("<font color=#7f7fff>&lt;&gt;</font>"), std::string::npos) << Html;
  EXPECT_EQ(TSQLBuilderHTML::Escape("a\"b<&>", true), "a&quot;b&lt;&amp;&gt;");
  EXPECT_EQ(TSQLBuilderHTML::Escape("a\"b"), "a\"b");
}

}  // namespace
}  // namespace vxtest
