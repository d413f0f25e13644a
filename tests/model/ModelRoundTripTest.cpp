// Every statement of the SQL corpus (and of the torture file) assigned to the component: the
// model's text parses again, loading that text once more gives it back unchanged, and on the
// sample database the model's statement returns the rows of the statement as written (on SQLite,
// and on PostgreSQL where CTest provides a cluster).
#include "DatasourceTestRig.h"
#include "vxSqlCorpus.h"
#include "vxTestDatabases.h"

#include "vxQBEventMetaProvider.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxSQLBuilderPlainText.h"

#include <algorithm>

// Failure messages name an entry by its place in the corpus, not by its bytes.
void PrintTo(const TvxCorpusEntry& Entry, std::ostream* Out) { *Out << Entry.GetLocation(); }

namespace vxtest {
namespace {

std::vector<TvxCorpusEntry> Statements() {
  std::vector<TvxCorpusEntry> All = LoadCorpus(GetTestDataDirectory() + "/corpus");
  for (TvxCorpusEntry& Entry : LoadCorpusFile(GetTestDataDirectory() + "/torture.sql")) All.push_back(Entry);
  return All;
}

std::string TestName(const testing::TestParamInfo<TvxCorpusEntry>& Info) {
  std::string Name = Info.param.File.substr(0, Info.param.File.find('.')) + "_" + std::to_string(Info.param.Line);
  return Name;
}

class ModelRoundTrip : public TFromRig, public testing::WithParamInterface<TvxCorpusEntry> {
protected:
  // A statement that SQLite cannot run names tables or functions the sample does not have, and
  // the Qt SQL provider rightly refuses to describe them. The model is still to hold such a
  // statement: its sources then get the fields SQLite can tell and none where it cannot.
  void SetUp() override {
    if (GetParam().RunsOn("sqlite")) return;
    FTolerantMetadata.OnGetSQLFieldNames = [this](TvxBaseMetadataProvider*, const std::string& SQL,
                                                  TvxStringList& Fields) {
      try {
        FMetadata.GetFields(SQL, Fields);
      } catch (const EvxException&) {
        Fields.Clear();
      }
    };
    FQueryBuilder.SetMetadataProvider(&FTolerantMetadata);
  }

  // Loads Text; fails the test (naming the entry's file and line) when the model refuses it.
  bool Loads(const std::string& Text, const char* What = "the statement") {
    try {
      Load(Text);
      return true;
    } catch (const std::exception& Error) {
      ADD_FAILURE() << GetParam().GetLocation() << ": the model does not load " << What << "\n  " << Text << "\n"
                    << Error.what();
      return false;
    }
  }
  bool LoadEntry() { return Loads(GetParam().Text); }

  // Runs the entry as written and the model's text on the sample behind Connection and compares
  // the rows: as multisets, and in order where the statement's ORDER BY fixes it.
  void ExpectSameRows(const QString& Connection) {
    const TvxCorpusEntry& Entry = GetParam();
    if (!LoadEntry()) return;
    const std::string Written = SQL();
    std::string Error;
    std::vector<std::string> Expected = RowsOf(Connection, Entry.Text, Error);
    ASSERT_EQ(Error, "") << Entry.GetLocation() << ": the corpus statement does not run";
    std::vector<std::string> Actual = RowsOf(Connection, Written, Error);
    ASSERT_EQ(Error, "") << Entry.GetLocation() << ": the model's statement does not run:\n  " << Written;
    // A statement that reads the clock gives other values at every run: only its rows count.
    const std::string Upper = vx::UpperCase(Entry.Text);
    if (Upper.find("CURRENT_TIME") != std::string::npos || Upper.find("CURRENT_DATE") != std::string::npos) {
      EXPECT_EQ(Actual.size(), Expected.size()) << Entry.GetLocation() << ": " << Written;
      return;
    }
    // Only the ORDER BY of the whole statement fixes the order of the rows.
    const bool Ordered = FSyntax.ParseSelect(Entry.Text)->GetOrderBy() != nullptr;
    if (!Ordered) {
      std::sort(Expected.begin(), Expected.end());
      std::sort(Actual.begin(), Actual.end());
    }
    EXPECT_EQ(Actual, Expected) << Entry.GetLocation() << (Ordered ? " (in order)" : " (as multisets)") << ": "
                                << Written;
  }

  TvxEventMetadataProvider FTolerantMetadata;
};

TEST_P(ModelRoundTrip, ModelTextParsesAgain) {
  if (!LoadEntry()) return;
  const std::string Written = SQL();
  TastSQL92SyntaxProvider Dialect;
  try {
    Dialect.ParseSelect(Written);
  } catch (const EvxSQLError& Error) {
    ADD_FAILURE() << GetParam().GetLocation() << ": the model writes\n  " << Written
                  << "\nwhich does not parse: " << Error.GetMessage() << " at column " << Error.TokenCol;
  }
}

// The model's text, and what an attached SQL builder shows one clause a line, load back into the
// same text.
TEST_P(ModelRoundTrip, ModelTextIsAFixedPoint) {
  TvxSQLBuilderPlainText Builder;
  Builder.SetQueryBuilder(&FQueryBuilder);
  if (!LoadEntry()) return;
  const std::string Written = SQL();
  const std::string MultiLine = Builder.GetSQL();
  Builder.SetQueryBuilder(nullptr);
  for (const std::string& Text : {Written, MultiLine}) {
    Load("");  // makes the next load a fresh one
    if (Loads(Text, "its own text")) {
      EXPECT_EQ(SQL(), Written) << GetParam().GetLocation() << ", loaded from\n" << Text;
    }
  }
}

TEST_P(ModelRoundTrip, ModelTextReturnsTheSameRows) {
  if (!GetParam().RunsOn("sqlite")) GTEST_SKIP() << "does not run on SQLite";
  ExpectSameRows(SampleConnection());
}

// Run by CTest a second time with the PostgreSQL cluster of the fixture (VX_PG_ENV).
TEST_P(ModelRoundTrip, ModelTextReturnsTheSameRowsOnPostgreSQL) {
  if (qEnvironmentVariableIsEmpty("VX_PG_ENV")) GTEST_SKIP() << "no PostgreSQL cluster (VX_PG_ENV)";
  if (!GetParam().RunsOn("pg")) GTEST_SKIP() << "does not run on PostgreSQL";
  ExpectSameRows(PostgreSQLSample().ConnectionName);
}

INSTANTIATE_TEST_SUITE_P(Corpus, ModelRoundTrip, testing::ValuesIn(Statements()), TestName);

}  // namespace
}  // namespace vxtest
