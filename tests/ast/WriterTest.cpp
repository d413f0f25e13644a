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

// A sub-query whose model cannot give its tree: writing stops there with the model's error.
class TFailingProxy : public TSQLSubSelectStatementProxy {
  VX_CLASS(TFailingProxy)
public:
  using TSQLSubSelectStatementProxy::TSQLSubSelectStatementProxy;
  std::unique_ptr<TSQLSubSelectStatement> GetASTTree() const override { throw EvxException("no tree"); }
};

// A tree's tokens are held back while it is written; the text must still come out whole and in
// order, also around tokens written outside any tree and past what the writer holds at once.
TEST(WriterTest, TreesAndLooseTokensKeepTheirOrder) {
  TastSyntaxProvider Provider;
  TExpressionFactory F(Provider);
  std::string Expected = "SELECT ";
  std::unique_ptr<TSQLExpressionItem> Sum = F.Col({"t", "c0"});
  for (int I = 1; I < 200; ++I) {
    const std::string Column = "c" + std::to_string(I);
    Sum = F.Bin(std::move(Sum), "+", F.Col({"t", Column}));
  }
  for (int I = 0; I < 200; ++I) Expected += (I > 0 ? "+t.c" : "t.c") + std::to_string(I);
  Expected += " END";
  ASSERT_GT(Expected.size(), 1000u);  // more than the writer holds back at once
  const auto WriteAround = [&](TSQLBuilder& B) {
    B.WriteKeyword("SELECT");
    B.Space();
    Sum->BuildSQL(B, false);
    B.Space();
    B.WriteKeyword("END");
  };
  EXPECT_EQ(Plain(WriteAround), Expected);
  const std::string Marked = Html(WriteAround);
  EXPECT_TRUE(Marked.starts_with("<b>select</b> <i>t</i><font color=#7f7fff>.</font><i>c0</i>")) << Marked;
  EXPECT_TRUE(Marked.ends_with("<i>c199</i> <b>end</b>")) << Marked;
}

TEST(WriterTest, AnErrorInsideATreeKeepsTheTextSoFarAndTheWriterUsable) {
  TastSyntaxProvider Provider;
  TExpressionFactory F(Provider);
  auto Failing = F.Bin(F.Col({"a"}), "+",
                       NewNode<TSQLExpressionSelect>(&Provider, NewNode<TFailingProxy>(&Provider, nullptr, nullptr)));
  std::string Text;
  TSQLBuilderPlainText Builder(Text);
  Builder.ResetBuilder();
  EXPECT_THROW(Failing->BuildSQL(Builder, false), EvxException);
  EXPECT_EQ(Text, "a+(");
  EXPECT_FALSE(Builder.IsInBatch());
  Builder.ResetBuilder();
  F.Col({"b"})->BuildSQL(Builder, false);
  EXPECT_EQ(Text, "b");
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

VX_CLASS_IMPL(TFailingProxy, TSQLSubSelectStatementProxy)
