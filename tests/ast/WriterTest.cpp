// The token writer: separator collapsing, identifier quoting and the two renderings.
#include "ExpressionTestTrees.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

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

// Plays Script, blank-separated steps, on a fresh writer of class TBuilder: "_" a space, "!" a forced
// space, "/" a new line, "/?" and "_?" a new line or space (true, false), "K.x", "S.x" and "I.x" the
// keyword, symbol or bare identifier x.
template <class TBuilder>
std::string Played(const std::string& Script) {
  return Render<TBuilder>([&](TSQLBuilder& B) {
    std::istringstream Steps(Script);
    for (std::string Step; Steps >> Step;) {
      const std::string Word = Step.size() > 2 ? Step.substr(2) : std::string();
      if (Step == "_")
        B.Space();
      else if (Step == "!")
        B.SpaceForce();
      else if (Step == "/")
        B.NewLine();
      else if (Step == "/?" || Step == "_?")
        B.NewLineOrSpace(Step == "/?");
      else if (Step[0] == 'K')
        B.WriteKeyword(Word);
      else if (Step[0] == 'S')
        B.WriteSymbol(Word);
      else
        B.WriteIdentifier(Word, nullptr);
    }
  });
}

TEST(WriterTest, Separators) {
  const std::pair<const char*, const char*> Cases[] = {
      // Separators collapse: none before the first token, one space or line break between two.
      {"_ / K.SELECT", "SELECT"},
      {"K.FROM _ _ I.T", "FROM T"},
      {"S., / _ I.a", ",\r\na"},
      {"K.a / / /? K.b _? K.c", "a\r\nb c"},
      // Forced spaces always stand.
      {"S.( ! ! _ S.)", "(  )"},
  };
  for (const auto& [Script, Expected] : Cases) EXPECT_EQ(Played<TSQLBuilderPlainText>(Script), Expected) << Script;
  // Plain text writes separators as symbols, which clears the line-start flag; HTML does not.
  EXPECT_EQ(Played<TSQLBuilderPlainText>("! / K.X"), " \r\nX");
  EXPECT_EQ(Played<TSQLBuilderHTML>("! / K.X"), " <b>x</b>");
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
      {"\"Al\"\"ready\"", &Quoting, "\"Al\"\"ready\""},
      {"a\"b", &Quoting, "\"a\"\"b\""},              // a quote inside is doubled
      {"\"a\"b\"", &Quoting, "\"\"\"a\"\"b\"\"\""},  // no delimited name: quoted like any other
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
  // Text from the statement is escaped.
  EXPECT_EQ(Html([](TSQLBuilder& B) { B.WriteSymbol("<"); }), "<font color=#7f7fff>&lt;</font>");
  EXPECT_EQ(Html([&](TSQLBuilder& B) {
              B.WriteIdentifier("a&b", &Quoting);
              B.NewLine();
              B.WriteNumber("1");
              B.Space();
              B.WriteString("'x'");
            }),
            "<i>\"a&amp;b\"</i><br/>1 'x'");
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
