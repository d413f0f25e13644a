// The SQL corpus and the torture file: every statement parses, and its written text is a fixed
// point (parse, write, parse again, write the same), on one line and laid out on several.
// Failures name the statement's file and line.
#include "ParserTestSupport.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxSqlCorpus.h"

#include <gtest/gtest.h>

namespace {

using namespace vxtest;

void RoundTrip(const std::vector<TvxCorpusEntry>& Entries) {
  ASSERT_FALSE(Entries.empty());
  TastSQL92SyntaxProvider Provider;
  for (const TvxCorpusEntry& Entry : Entries) {
    try {
      const std::unique_ptr<TSQLSelectStatement> Tree = Provider.ParseSelect(Entry.Text);
      for (bool MultiLine : {false, true}) {
        const std::string Text = Write(*Tree, MultiLine);
        const std::unique_ptr<TSQLSelectStatement> Again = Provider.ParseSelect(Text);
        EXPECT_EQ(Write(*Again, MultiLine), Text) << Entry.GetLocation();
        EXPECT_EQ(Dump(*Again), Dump(*Tree)) << Entry.GetLocation();
      }
    } catch (const EvxSQLError& Error) {
      ADD_FAILURE() << Entry.GetLocation() << ": " << Error.GetMessage() << " at " << Error.TokenLine << ":"
                    << Error.TokenCol << " \"" << Error.TokenText << "\"";
    }
  }
}

TEST(ParserCorpus, EveryStatementIsAFixedPointOfWriting) { RoundTrip(LoadCorpus(GetTestDataDirectory() + "/corpus")); }

TEST(ParserCorpus, TortureNamesSurvive) { RoundTrip(LoadCorpusFile(GetTestDataDirectory() + "/torture.sql")); }

}  // namespace
