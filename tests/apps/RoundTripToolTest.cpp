// vxsql roundtrip: statements through the query model, in-process through the mode's entry and
// once as a user runs the program without any display.
#include "RoundTripCommand.h"
#include "vxCliInput.h"
#include "vxTestDatabases.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Env(const char* Name) {
  const char* Value = std::getenv(Name);
  if (Value == nullptr) throw std::runtime_error(std::string(Name) + " is not set; run the test through CTest");
  return Value;
}

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

TRun RoundTrip(const TvxCliArgs& Args, const std::string& Input = "") {
  std::istringstream In(Input);
  std::ostringstream Out, Err;
  TvxCliStreams Streams(In, Out, Err);
  const int Status = RunRoundTripCommand(Args, Streams);
  return {Status, Out.str(), Err.str()};
}

const std::string SampleModelText =
    "SELECT c.CustomerID, c.CompanyName, c.Country, count(DISTINCT o.OrderID) AS OrderCount, "
    "sum(ol.Quantity*ol.UnitPrice*(1-ol.Discount)) AS NetSales FROM Customers c INNER JOIN  Orders o ON "
    "o.CustomerID=c.CustomerID INNER JOIN  OrderLines ol ON ol.OrderID=o.OrderID INNER JOIN  Products p ON "
    "p.ProductID=ol.ProductID WHERE p.Discontinued=0 GROUP BY c.CustomerID, c.CompanyName, c.Country HAVING "
    "sum(ol.Quantity*ol.UnitPrice*(1-ol.Discount))>1000 ORDER BY sum(ol.Quantity*ol.UnitPrice*(1-ol.Discount)) DESC, "
    "c.CompanyName";

TEST(RoundTripTool, PrintsTheModelsTextOnOneLineOrByClause) {
  const TRun OneLine = RoundTrip({Env("VX_SAMPLES") + "/queries/sample.sql"});
  EXPECT_EQ(OneLine.Status, 0) << OneLine.Err;
  EXPECT_EQ(OneLine.Out, SampleModelText + "\n");

  const TRun MultiLine = RoundTrip({"--multi-line", Env("VX_SAMPLES") + "/queries/sample.sql"});
  EXPECT_EQ(MultiLine.Status, 0) << MultiLine.Err;
  EXPECT_NE(MultiLine.Out.find("\r\nFROM Customers c"), std::string::npos) << MultiLine.Out;
  EXPECT_EQ(MultiLine.Out.substr(MultiLine.Out.size() - 2), "\r\n");
  // Read from standard input, the multi-line text is the same query again.
  EXPECT_EQ(RoundTrip({}, MultiLine.Out).Out, SampleModelText + "\n");
}

TEST(RoundTripTool, ReportsWhatCannotBeLoaded) {
  const TRun Syntax = RoundTrip({Env("VXSQL_TEST_DATA") + "/bad_order.sql"});
  EXPECT_EQ(Syntax.Status, 1);
  EXPECT_NE(Syntax.Err.find("bad_order.sql:4:8: Bad SELECT statement near 'c'\n"), std::string::npos) << Syntax.Err;
  EXPECT_NE(Syntax.Err.find("       ^\n"), std::string::npos) << Syntax.Err;
  EXPECT_EQ(Syntax.Out, "");

  const TRun Unknown = RoundTrip({"-"}, "SELECT PartNo FROM Parts");
  EXPECT_EQ(Unknown.Status, 1);
  EXPECT_NE(Unknown.Err.find("<stdin>: "), std::string::npos) << Unknown.Err;
  EXPECT_NE(Unknown.Err.find("Parts"), std::string::npos) << Unknown.Err;
}

TEST(RoundTripTool, TakesFieldsFromTheDatabaseGiven) {
  QTemporaryDir Folder;
  const QString Path = Folder.filePath(QStringLiteral("parts.sqlite"));
  ASSERT_EQ(CreateSQLiteFile(Path, {QStringLiteral("CREATE TABLE Parts (PartNo INTEGER, Label TEXT)")}), QString());
  // An unqualified column is bound to the table that has it, so the model names its table.
  const TRun Run = RoundTrip({"--db", Path.toStdString()}, "select PartNo from Parts where Label like 'x%'");
  EXPECT_EQ(Run.Status, 0) << Run.Err;
  EXPECT_EQ(Run.Out, "SELECT Parts.PartNo FROM Parts WHERE Parts.Label Like 'x%'\n");
  EXPECT_EQ(RoundTrip({"--db=" + Path.toStdString()}, "SELECT PartNo FROM Parts").Status, 0);

  EXPECT_THROW(RoundTrip({"--db", Path.toStdString() + ".missing"}, "SELECT 1"), EvxCliInputError);
}

TEST(RoundTripTool, RefusesWrongArguments) {
  EXPECT_THROW(RoundTrip({"--db"}), EvxCliUsageError);
  EXPECT_THROW(RoundTrip({"--html"}), EvxCliUsageError);
  EXPECT_THROW(RoundTrip({"a.sql", "b.sql"}), EvxCliUsageError);
}

// The program chooses the offscreen platform itself, so it runs where there is no display.
TEST(RoundTripTool, RunsWithoutADisplay) {
  const std::string Output = testing::TempDir() + "vxsql-roundtrip.out";
  const std::string Command =
      "echo 'SELECT City FROM Customers' | env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY '" + Env("VXSQL") +
      "' roundtrip >'" + Output + "' 2>/dev/null";
  EXPECT_EQ(std::system(Command.c_str()), 0);
  std::ifstream File(Output);
  std::string Line;
  std::getline(File, Line);
  EXPECT_EQ(Line, "SELECT Customers.City FROM Customers");
  std::remove(Output.c_str());
}

}  // namespace
