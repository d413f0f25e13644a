// The token writer: separator collapsing, identifier quoting and the two renderings.
#include "ExpressionTestTrees.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vxtest;

namespace {

// Runs Steps on a freshly reset writer of class TBuilder and returns the text.
template <class TBuilder>
std::string Render(const std::function<void(TSQLBuilder&)>& Steps) {
  std::string Text;
  TBuilder Builder(Text);
  Builder.ResetBuilder();
  Steps(Builder);
  return Text;
}

std::string Plain(const std::function<void(TSQLBuilder&)>& Steps) { return Render<TSQLBuilderPlainText>(Steps); }
std::string Html(const std::function<void(TSQLBuilder&)>& Steps) { return Render<TSQLBuilderHTML>(Steps); }

TEST(WriterTest, SeparatorsCollapse) {
  EXPECT_EQ(Plain([](TSQLBuilder& B) {
              B.Space();
              B.NewLine();
              B.WriteKeyword("SELECT");
            }),
            "SELECT");
  EXPECT_EQ(Plain([](TSQLBuilder& B) {
              B.WriteKeyword("FROM");
              B.Space();
              B.Space();
              B.WriteIdentifier("T", nullptr);
            }),
            "FROM T");
  EXPECT_EQ(Plain([](TSQLBuilder& B) {
              B.WriteSymbol(",");
              B.NewLine();
              B.Space();
              B.WriteIdentifier("a", nullptr);
            }),
            ",\r\na");
  EXPECT_EQ(Plain([](TSQLBuilder& B) {
              B.WriteKeyword("a");
              B.NewLine();
              B.NewLine();
              B.NewLineOrSpace(true);
              B.WriteKeyword("b");
              B.NewLineOrSpace(false);
              B.WriteKeyword("c");
            }),
            "a\r\nb c");
}

TEST(WriterTest, ForcedSpaceAndLineStartDifferBetweenRenderings) {
  // Plain text writes separators as symbols, which clears the line-start flag; HTML does not.
  auto Steps = [](TSQLBuilder& B) {
    B.SpaceForce();
    B.NewLine();
    B.WriteKeyword("X");
  };
  EXPECT_EQ(Plain(Steps), " \r\nX");
  EXPECT_EQ(Html(Steps), " <b>x</b>");
  EXPECT_EQ(Plain([](TSQLBuilder& B) {
              B.WriteSymbol("(");
              B.SpaceForce();
              B.SpaceForce();
              B.Space();
              B.WriteSymbol(")");
            }),
            "(  )");
}

TEST(WriterTest, IdentifierQuoting) {
  TReservingProvider Quoting;
  TastSyntaxProvider Bare;
  struct TCase {
    std::string Name;
    const TastSyntaxProvider* Provider;
    std::string Expected;
  } Cases[] = {
      {"Order Details", &Quoting, "\"Order Details\""},
      {"_a1b2", &Quoting, "_a1b2"},
      {"1abc", &Quoting, "\"1abc\""},
      {"", &Quoting, "\"\""},
      {"\"Already\"", &Quoting, "\"Already\""},  // delimited names keep their own quotes
      {"[Br acket]", &Quoting, "[Br acket]"},
      {"'lit'", &Quoting, "'lit'"},
      {"select", &Quoting, "\"select\""},  // a reserved word is no plain name
      {"Selected", &Quoting, "Selected"},
      {"Straße", &Quoting, "\"Straße\""},
      {"a b", &Bare, "a b"},  // a dialect without quotes writes names bare
      {"a b", nullptr, "a b"},
  };
  for (const TCase& Case : Cases)
    EXPECT_EQ(Plain([&](TSQLBuilder& B) { B.WriteIdentifier(Case.Name, Case.Provider); }), Case.Expected) << Case.Name;
}

TEST(WriterTest, HtmlRendering) {
  TReservingProvider Quoting;
  EXPECT_EQ(Html([](TSQLBuilder& B) { B.WriteKeyword("SELECT"); }), "<b>select</b>");
  EXPECT_EQ(Html([](TSQLBuilder& B) { B.WriteSymbol("<"); }), "<font color=#7f7fff><</font>");
  EXPECT_EQ(Html([&](TSQLBuilder& B) {
              B.WriteIdentifier("a&b", &Quoting);
              B.NewLine();
              B.WriteNumber("1");
              B.Space();
              B.WriteString("'x'");
            }),
            "<i>\"a&b\"</i><br/>1 'x'");
}

TEST(WriterTest, SimpleTextsUseTheSharedWriterAndResetIt) {
  TastSyntaxProvider Provider;
  TExpressionFactory F(Provider);
  auto First = F.Bin(F.Col({"a"}), "+", F.Num("1"));
  auto Second = F.Col({"t", "b"});
  EXPECT_EQ(First->GetSimpleSQL(), "a+1");
  EXPECT_EQ(Second->GetSimpleSQL(), "t.b");
  EXPECT_EQ(SimpleSQLBuilder().GetText(), "t.b");
}

}  // namespace
