// Runs a parser generated from TinyGrammar.atg: which path wins an ambiguity, where an error is
// reported, and what the depth limit and the guarded alternative do.
#include "TinyParser.h"
#include "TinyScanner.h"
#include "vxParserBase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using TWayCalc = void (TinyParser::*)(TvxWays&);
using TReplay = std::string (TinyParser::*)();

// The replay's trace, or "error at N" with the error's token index.
std::string Parse(const std::string& Text, TWayCalc WayCalc, TReplay Replay, bool AllowBare = false) {
  TTinyScanner Scanner;
  Scanner.Init(Text);
  TinyParser Parser(Scanner);
  Parser.FAllowBare = AllowBare;
  if (!Parser.CalculateWay([&](TvxWays& Ways) { (Parser.*WayCalc)(Ways); }))
    return "error at " + std::to_string(Parser.GetErrorPos());
  return (Parser.*Replay)();
}

struct TCase {
  const char* Text;
  const char* Expected;
};

void Check(TWayCalc WayCalc, TReplay Replay, std::initializer_list<TCase> Cases) {
  for (const TCase& Case : Cases) EXPECT_EQ(Parse(Case.Text, WayCalc, Replay), Case.Expected) << "text: " << Case.Text;
}

TEST(TinyParser, EarlierAlternativeWinsAnAmbiguity) {
  Check(&TinyParser::AmbiguousWayCalc, &TinyParser::Ambiguous,
        {{"ab", "first"}, {"a", "third"}, {"ac", "third"}, {"abc", "error at 2"}});
}

TEST(TinyParser, PresentOptionWinsWhenBothPathsComplete) {
  Check(&TinyParser::OptionBothWayCalc, &TinyParser::OptionBoth,
        {{"a", "opt "}, {"aa", "opt rep "}, {"aaa", "opt rep rep "}, {"", ""}});
}

// Each decision orders the paths it continues; the last one they meet orders them last. Two
// repetitions over "aa": the second prefers its fewer iterations, so the first takes both.
TEST(TinyParser, FewerRepetitionsComeFirst) {
  Check(&TinyParser::RepetitionsWayCalc, &TinyParser::Repetitions,
        {{"aa", "11"}, {"aabcc", "11cc"}, {"b", ""}, {"aacb", "error at 2"}});
}

TEST(TinyParser, ErrorIsTheFarthestFailedTokenTest) {
  Check(&TinyParser::QualifiedWayCalc, &TinyParser::Qualified,
        {{"x.x=1", "q.x=1"},
         {"x = a", "x=a"},
         // After "=" only the value's look-ahead fails at the end, which moves nothing: the
         // error stays at "=", where the qualifier path wanted a dot.
         {"x =", "error at 1"},
         // A second value where the end was expected.
         {"x = 1 1", "error at 3"},
         // The first token fails: reported there.
         {"=", "error at 0"},
         {"", "error at 0"},
         // A character no rule accepts is reported itself, though only look-ahead meets it.
         {"x = %", "error at 2"},
         {"x.x.x=1", "error at 3"}});
}

TEST(TinyParser, GuardedAlternativeNeedsItsCondition) {
  EXPECT_EQ(Parse("x=1", &TinyParser::BareWayCalc, &TinyParser::Bare), "x=1");
  EXPECT_EQ(Parse("=1", &TinyParser::BareWayCalc, &TinyParser::Bare), "error at 0");
  EXPECT_EQ(Parse("=1", &TinyParser::BareWayCalc, &TinyParser::Bare, true), "-=1");
  EXPECT_EQ(Parse("x=1", &TinyParser::BareWayCalc, &TinyParser::Bare, true), "x=1");
}

TEST(TinyParser, ListsAndSets) {
  Check(&TinyParser::ListWayCalc, &TinyParser::List,
        {{"()", ""}, {"(a)", "a"}, {"(a,b,x)", "a,b,x"}, {"(a,)", "error at 3"}, {"(a b)", "error at 2"}});
}

TEST(TinyParser, LongListsStayLinear) {
  std::string Text = "(a";
  std::string Expected = "a";
  for (int I = 0; I < 100000; ++I) {
    Text += ",b";
    Expected += ",b";
  }
  Text += ")";
  EXPECT_EQ(Parse(Text, &TinyParser::ListWayCalc, &TinyParser::List), Expected);
}

TEST(TinyParser, NestingBeyondTheLimitRaises) {
  const auto Nested = [](int Depth) {
    return std::string(static_cast<size_t>(Depth), '(') + "a" + std::string(static_cast<size_t>(Depth), ')');
  };
  EXPECT_EQ(Parse(Nested(100), &TinyParser::NestedWayCalc, &TinyParser::Nested), "a" + std::string(100, ')'));
  EXPECT_EQ(Parse(Nested(100), &TinyParser::NestedTwiceWayCalc, &TinyParser::NestedTwice), "a" + std::string(100, ')'));
  const std::string Deep = Nested(10000);
  // Both passes stop at the production entered past the limit: it starts at the bracket after
  // the deepest allowed, which a production of two levels reaches halfway.
  struct TDeep {
    TWayCalc WayCalc;
    TReplay Replay;
    int ErrorPos;
  };
  const TDeep Cases[] = {
      {&TinyParser::NestedWayCalc, &TinyParser::Nested, TvxWayParser::DefaultMaxDepth},
      {&TinyParser::NestedTwiceWayCalc, &TinyParser::NestedTwice, TvxWayParser::DefaultMaxDepth / 2}};
  for (const TDeep& Case : Cases) {
    TTinyScanner Scanner;
    Scanner.Init(Deep);
    for (bool Replay : {false, true}) {
      TinyParser Parser(Scanner);
      try {
        if (Replay)
          Parser.ReplayDirectly([&] { (Parser.*Case.Replay)(); });
        else
          Parser.CalculateWay([&](TvxWays& Ways) { (Parser.*Case.WayCalc)(Ways); });
        ADD_FAILURE() << "no error raised";
      } catch (const EvxSQLError& Error) {
        EXPECT_EQ(Error.GetMessage(), "Statement nested too deeply");
        EXPECT_EQ(Error.TokenPos, Case.ErrorPos) << (Replay ? "replay" : "way calculation");
        EXPECT_EQ(Error.TokenText, "(");
      }
    }
  }
}

// A direct replay takes the alternative the next token allows and finds a dead path a token
// later. Going too deep on such a path is no error of the text: the replay gives up and leaves
// the text to the two passes, as it does at any dead path. A text that does nest too deeply is
// reported at the token where it does.
TEST(TinyParser, DirectReplayGoingTooDeepOnADeadPath) {
  constexpr int MaxDepth = 8;
  const auto Nested = [](const std::string& Inner) {
    const size_t Brackets = MaxDepth - 1;  // "pair" inside them is the first level too deep
    return std::string(Brackets, '(') + Inner + std::string(Brackets, ')');
  };
  struct TDeadEnd {
    std::string Text;
    const char* Expected;  // the direct replay's outcome
  };
  const TDeadEnd Cases[] = {
      {Nested("ac"), "not direct"},              // no rule reads "a c"
      {Nested("ab"), "nested too deeply at 7"},  // the "a" that starts "pair"
      {"((c))", "c))"},
  };
  for (const TDeadEnd& Case : Cases) {
    TTinyScanner Scanner;
    Scanner.Init(Case.Text);
    TinyParser Parser(Scanner);
    Parser.SetMaxDepth(MaxDepth);
    std::string Outcome;
    try {
      if (!Parser.ReplayDirectly([&] { Outcome = Parser.DeadEnd(); })) Outcome = "not direct";
    } catch (const EvxSQLError& Error) {
      Outcome = "nested too deeply at " + std::to_string(Error.TokenPos);
    }
    EXPECT_EQ(Outcome, Case.Expected) << Case.Text;
  }
}

// The single operations of the way calculation, on ways made by hand over "a b , x".
TEST(TinyParser, WayCalculationOperations) {
  TTinyScanner Scanner;
  Scanner.Init("ab,x");
  TinyParser Parser(Scanner);
  ASSERT_TRUE(Parser.CalculateWay([&](TvxWays& Ways) { Ways.clear(); }) == false);
  TvxWays Ways{{0, -1}, {0, 0}, {0, 1}};  // before a, before b, before ","
  Parser.AddWayNode(Ways, 5);
  const TvxWayPoint Root(Parser, 0);
  EXPECT_EQ(Root.GetCount(), 3);
  EXPECT_EQ(Root.GetDepth(), 2);
  EXPECT_EQ(TvxWayPoint(Parser, Ways[1].Point).GetAlternative(), 5);
  EXPECT_EQ(TvxWayPoint(Parser, Ways[1].Point).GetParent().GetIndex(), 0);

  TvxWays Copy = Ways;
  EXPECT_TRUE(Parser.CheckLAToken(Copy, tiny::tkB));  // only the way before b stays
  ASSERT_EQ(Copy.size(), 1u);
  EXPECT_EQ(Copy[0].TokenIndex, 0);
  Copy = Ways;
  EXPECT_TRUE(Parser.CheckLAToken(Copy, std::vector<int>{tiny::tkA, tiny::tkComma}));
  EXPECT_EQ(Copy.size(), 2u);
  Copy = Ways;
  EXPECT_TRUE(Parser.CheckLANotToken(Copy, tiny::tkA));
  EXPECT_EQ(Copy.size(), 2u);
  Copy = Ways;
  EXPECT_FALSE(Parser.CheckLANotToken(Copy, std::vector<int>{tiny::tkA, tiny::tkB, tiny::tkComma}));
  Copy = Ways;
  EXPECT_TRUE(Parser.CheckLANotIn(Copy, TvxStringList{"A", ","}));  // by text, any case
  ASSERT_EQ(Copy.size(), 1u);
  EXPECT_EQ(Copy[0].TokenIndex, 0);
  // Look-ahead never moves the error position; a failed Expect does.
  EXPECT_EQ(Parser.GetErrorPos(), 0);
  Copy = Ways;
  Parser.Expect(Copy, tiny::tkB);
  ASSERT_EQ(Copy.size(), 1u);
  EXPECT_EQ(Copy[0].TokenIndex, 1);
  EXPECT_EQ(Parser.GetErrorPos(), 2);

  TvxWays Done;
  Parser.ListAddWithWayNode(Done, Ways, 0);
  ASSERT_EQ(Done.size(), 3u);
  EXPECT_EQ(TvxWayPoint(Parser, Done[2].Point).GetParent().GetIndex(), Ways[2].Point);
  EXPECT_EQ(Root.GetDepth(), 3);

  Parser.UnrollWay(Done[2]);
  EXPECT_EQ(Parser.GetWay(), (std::vector<uint8_t>{0, 5, 0}));
  EXPECT_EQ(Parser.GetWayNode(), 0);
  EXPECT_EQ(Parser.GetWayNode(), 5);
  Parser.Get();
  EXPECT_EQ(Parser.TokenText(), "a");
  EXPECT_EQ(Parser.GetCurrentToken().Kind, tiny::tkA);
}

// Without a way calculation the replay builds the same result wherever two tokens leave one
// alternative, and gives up where they leave several or none.
TEST(TinyParser, DirectReplayOnlyWhereNothingIsAmbiguous) {
  struct TDirect {
    TWayCalc WayCalc;
    TReplay Replay;
    const char* Text;
    bool Direct;
  };
  const TDirect Cases[] = {
      {&TinyParser::ListWayCalc, &TinyParser::List, "(a,b,x)", true},
      {&TinyParser::QualifiedWayCalc, &TinyParser::Qualified, "x.x=1", true},
      {&TinyParser::QualifiedWayCalc, &TinyParser::Qualified, "x=1", true},
      {&TinyParser::RepetitionsWayCalc, &TinyParser::Repetitions, "b", true},
      {&TinyParser::OptionBothWayCalc, &TinyParser::OptionBoth, "aa", false},  // both paths complete
      {&TinyParser::AmbiguousWayCalc, &TinyParser::Ambiguous, "ab", false},
      {&TinyParser::ListWayCalc, &TinyParser::List, "(a,)", false},   // does not parse
      {&TinyParser::ListWayCalc, &TinyParser::List, "(a) a", false},  // text left over
  };
  for (const TDirect& Case : Cases) {
    TTinyScanner Scanner;
    Scanner.Init(Case.Text);
    TinyParser Parser(Scanner);
    std::string Trace;
    EXPECT_EQ(Parser.ReplayDirectly([&] { Trace = (Parser.*Case.Replay)(); }), Case.Direct) << Case.Text;
    if (Case.Direct) {
      EXPECT_EQ(Trace, Parse(Case.Text, Case.WayCalc, Case.Replay)) << Case.Text;
    }
  }
}

TEST(TinyParser, WayPointsOfTheChosenPath) {
  TTinyScanner Scanner;
  Scanner.Init("aa");
  TinyParser Parser(Scanner);
  ASSERT_TRUE(Parser.CalculateWay([&](TvxWays& Ways) { Parser.OptionBothWayCalc(Ways); }));
  // The root, then the option taken. Two tokens of look-ahead decide every step of the
  // repetition, so only the option, where both paths go on, has a way point.
  EXPECT_EQ(Parser.GetWay(), (std::vector<uint8_t>{0, 1}));
}

}  // namespace
