// How the providers fail: missing files, bad connection strings, unreachable servers, no
// connection at all, and connections destroyed under them.
#include "vxASTNames.h"
#include "vxQBADOMetaProvider.h"
#include "vxQBBDEMetaProvider.h"
#include "vxQBEventMetaProvider.h"
#include "vxQtSqlMetadataProvider.h"
#include "vxTestDatabases.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs Action and returns the message of the EvxDatabaseError it must raise.
std::string ErrorOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const EvxDatabaseError& Error) {
    return Error.what();
  }
  ADD_FAILURE() << "no EvxDatabaseError raised";
  return std::string();
}

TEST(TConnectionStringTest, ReadsKeysAndQuotedValues) {
  const TvxConnectionSettings Settings = TADOConnection::ParseConnectionString(
      " provider = QPSQL ; Host=db.example; Port=6543; Database='a;b'; User ID=u; Password=\"p\"\"q\"; ");
  EXPECT_EQ(Settings.Driver, "QPSQL");
  EXPECT_EQ(Settings.Host, "db.example");
  EXPECT_EQ(Settings.Port, 6543);
  EXPECT_EQ(Settings.DatabaseName, "a;b");
  EXPECT_EQ(Settings.UserName, "u");
  EXPECT_EQ(Settings.Password, "p\"q");
}

TEST(TConnectionStringTest, RejectsBadStringsNamingTheFault) {
  const std::pair<const char*, const char*> Cases[] = {
      {"", "\"Provider\" is missing"},
      {"Data Source=/tmp/x.sqlite", "\"Provider\" is missing"},
      {"Provider=QSQLITE;Colour=blue", "unknown key \"Colour\""},
      {"Provider=QSQLITE;Data Source", "\"Data Source\" has no \"=\""},
      {"Provider=QPSQL;Port=fifty", "\"fifty\" is not a port number"},
      {"Provider=QSQLITE;Data Source='/tmp/x", "lacks its closing quote"},
      {"Provider=QSQLITE;Data Source='/tmp/x' y", "text follows the quoted value"},
  };
  for (const auto& [Text, Expected] : Cases) {
    const std::string Message = ErrorOf([&] { TADOConnection::ParseConnectionString(QString::fromUtf8(Text)); });
    EXPECT_NE(Message.find(Expected), std::string::npos) << Text << " gave: " << Message;
  }
  TADOConnection Connection;
  Connection.SetConnectionString(QStringLiteral("Provider=QNOSUCHDRIVER;Data Source=x"));
  EXPECT_NE(ErrorOf([&] { Connection.Open(); }).find("\"QNOSUCHDRIVER\" is not available"), std::string::npos);
}

// Every provider over one broken database: each list raises a message naming the cause, ADO
// swallows relation errors, and nothing is left behind (no SQLite file is created).
struct TBrokenCase {
  const char* Name;
  QString AdoString;
  QString BdeDriver;
  QStringList BdeParams;
  const char* Expected;  // part of every message
};

void ExpectAllFail(const TBrokenCase& Case) {
  SCOPED_TRACE(Case.Name);
  TastSyntaxProvider Syntax;
  TADOConnection Ado;
  Ado.SetConnectionString(Case.AdoString);
  TvxADOMetadataProvider AdoProvider;
  AdoProvider.SetConnection(&Ado);
  TDatabase Bde;
  Bde.SetDatabaseName(QStringLiteral("broken"));
  Bde.SetDriverName(Case.BdeDriver);
  Bde.SetParams(Case.BdeParams);
  TvxBDEMetadataProvider BdeProvider;
  BdeProvider.SetConnection(&Bde);
  for (TvxBaseMetadataProvider* Provider : std::vector<TvxBaseMetadataProvider*>{&AdoProvider, &BdeProvider}) {
    TvxStringList List;
    for (const std::string& Message :
         {ErrorOf([&] { Provider->GetTableNames(List, false); }), ErrorOf([&] { Provider->GetViewNames(List, false); }),
          ErrorOf([&] { Provider->GetFields("select * from Customers", List); })})
      EXPECT_NE(Message.find(Case.Expected), std::string::npos) << Message;
  }
  auto Name = NewNode<TSQLDatabaseObject>(&Syntax);
  Name->AddName("Customers");
  TSQLMetadataRelationList Relations;
  EXPECT_NO_THROW(AdoProvider.GetTableRelations(*Name, Relations));
  EXPECT_TRUE(Relations.empty());
}

TEST(TFailureTest, MissingSQLiteFile) {
  QTemporaryDir Folder;
  const QString Missing = Folder.filePath(QStringLiteral("missing.sqlite"));
  ExpectAllFail({"missing file",
                 QStringLiteral("Provider=QSQLITE;Data Source=") + Missing,
                 QStringLiteral("SQLITE"),
                 {QStringLiteral("PATH=") + Missing},
                 "the file does not exist"});
  EXPECT_FALSE(QFileInfo::exists(Missing));
}

// Port 1 on the loopback: nobody listens, so the connection is refused at once.
TEST(TFailureTest, UnreachableServer) {
  ExpectAllFail({"unreachable server",
                 QStringLiteral("Provider=QPSQL;Host=127.0.0.1;Port=1;Database=x;User ID=x"),
                 QStringLiteral("POSTGRESQL"),
                 {QStringLiteral("SERVER NAME=127.0.0.1"), QStringLiteral("PORT=1"), QStringLiteral("DATABASE NAME=x")},
                 "Connection refused"});

  QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("unreachable"));
  Db.setHostName(QStringLiteral("127.0.0.1"));
  Db.setPort(1);
  Db = QSqlDatabase();
  TvxQtSqlMetadataProvider Provider;
  Provider.SetConnectionName(QStringLiteral("unreachable"));
  TvxStringList List;
  const std::string Message = ErrorOf([&] { Provider.GetTableNames(List, false); });
  EXPECT_NE(Message.find("\"unreachable\""), std::string::npos) << Message;
  EXPECT_NE(Message.find("Connection refused"), std::string::npos) << Message;
  QSqlDatabase::removeDatabase(QStringLiteral("unreachable"));
}

TEST(TFailureTest, BadDatabaseParameters) {
  TDatabase Bde;
  Bde.SetDatabaseName(QStringLiteral("params"));
  Bde.SetDriverName(QStringLiteral("SQLITE"));
  Bde.SetParams({QStringLiteral("PATH=/tmp/x.sqlite"), QStringLiteral("LANGDRIVER=ascii")});
  EXPECT_NE(ErrorOf([&] { Bde.Open(); }).find("Unknown parameter \"LANGDRIVER\""), std::string::npos);

  TvxQtSqlMetadataProvider Provider;
  Provider.SetConnectionName(QStringLiteral("never-added"));
  TvxStringList List;
  EXPECT_NE(ErrorOf([&] { Provider.GetTableNames(List, false); }).find("\"never-added\""), std::string::npos);
}

// Without a connection (or, for the event provider, without handlers) every list is empty; the
// ADO provider leaves relations as they were.
TEST(TFailureTest, NoConnectionGivesEmptyLists) {
  TastSyntaxProvider Syntax;
  auto Name = NewNode<TSQLDatabaseObject>(&Syntax);
  Name->AddName("Customers");
  TvxQtSqlMetadataProvider Qt;
  TvxADOMetadataProvider Ado;
  TvxBDEMetadataProvider Bde;
  TvxEventMetadataProvider Event;
  for (TvxBaseMetadataProvider* Provider : std::vector<TvxBaseMetadataProvider*>{&Qt, &Ado, &Bde, &Event}) {
    SCOPED_TRACE(Provider->metaObject()->className());
    TvxStringList Tables{"stale"}, Views{"stale"}, Fields{"stale"};
    Provider->GetTableNames(Tables, true);
    Provider->GetViewNames(Views, false);
    Provider->GetFields("select * from Customers", Fields);
    EXPECT_TRUE(Tables.IsEmpty() && Views.IsEmpty() && Fields.IsEmpty());
    TSQLMetadataRelationList Relations;
    Relations.push_back(TSQLMetadataRelation::Create(&Syntax, "A", "B"));
    Provider->GetTableRelations(*Name, Relations);
    EXPECT_EQ(Relations.size(), Provider == &Ado ? 1u : 0u);
  }
}

// The providers forget a connection component that is destroyed, and then answer as without one.
TEST(TFailureTest, DestroyedConnectionsAreForgotten) {
  const TTestDatabase& Db = SQLiteSample();
  TvxADOMetadataProvider AdoProvider;
  TvxBDEMetadataProvider BdeProvider;
  {
    TADOConnection Ado;
    Ado.SetConnectionString(Db.AdoConnectionString);
    AdoProvider.SetConnection(&Ado);
    TDatabase Bde;
    Bde.SetDatabaseName(QStringLiteral("forgotten"));
    Bde.SetDriverName(Db.BdeDriverName);
    Bde.SetParams(Db.BdeParams);
    BdeProvider.SetConnection(&Bde);
    TvxStringList Tables;
    AdoProvider.GetTableNames(Tables, false);
    EXPECT_EQ(Tables.Count(), 9);
    BdeProvider.GetTableNames(Tables, false);
    EXPECT_EQ(Tables.Count(), 9);
  }
  EXPECT_EQ(AdoProvider.GetConnection(), nullptr);
  EXPECT_EQ(BdeProvider.GetConnection(), nullptr);
  TvxStringList Tables{"stale"};
  AdoProvider.GetTableNames(Tables, false);
  EXPECT_TRUE(Tables.IsEmpty());
  EXPECT_EQ(TDatabase::FindDatabase(QStringLiteral("forgotten")), nullptr);
}

TEST(TEngineCallTest, TableListCursorAndErrors) {
  hDBICur Cursor = reinterpret_cast<hDBICur>(0x1);
  EXPECT_EQ(DbiOpenTableList(nullptr, false, false, nullptr, &Cursor), DBIERR_INVALIDHNDL);
  EXPECT_EQ(Cursor, nullptr);
  try {
    Check(DbiOpenTableList(nullptr, false, false, nullptr, &Cursor));
    ADD_FAILURE() << "Check did not raise";
  } catch (const EDBEngineError& Error) {
    EXPECT_EQ(Error.GetErrorCode(), DBIERR_INVALIDHNDL);
    EXPECT_NE(std::string(Error.what()).find("not open"), std::string::npos) << Error.what();
  }

  const TTestDatabase& Db = SQLiteSample();
  TDatabase Bde;
  Bde.SetDriverName(Db.BdeDriverName);
  Bde.SetParams(Db.BdeParams);
  Bde.Open();
  Check(DbiOpenTableList(Bde.GetHandle(), false, false, "order*", &Cursor));
  std::vector<std::pair<std::string, bool>> Entries;
  TBLBaseDesc Desc;
  while (DbiGetNextRecord(Cursor, dbiNOLOCK, &Desc, nullptr) == DBIERR_NONE)
    Entries.emplace_back(Desc.szName, Desc.bView);
  EXPECT_EQ(DbiGetNextRecord(Cursor, dbiNOLOCK, &Desc, nullptr), DBIERR_EOF);
  Check(DbiCloseCursor(&Cursor));
  EXPECT_EQ(Cursor, nullptr);
  const std::vector<std::pair<std::string, bool>> Expected = {
      {"OrderLines", false}, {"Orders", false}, {"OrderTotals", true}};
  EXPECT_EQ(Entries, Expected);
}

TEST(TADODataSetTest, SortsAndReadsFieldsByName) {
  TADOConnection Connection;
  Connection.SetConnectionString(SQLiteSample().AdoConnectionString);
  TADODataSet DataSet;
  DataSet.SetConnection(&Connection);
  DataSet.SetCommandText(QStringLiteral("select ShipperID, CompanyName from Shippers"));
  DataSet.FieldDefs.Update();
  ASSERT_EQ(DataSet.FieldDefs.Count(), 2);
  EXPECT_FALSE(DataSet.GetActive());  // describing ran nothing
  DataSet.Open();
  ASSERT_EQ(DataSet.RecordCount(), 4);
  DataSet.SetSort(QStringLiteral("ShipperID DESC"));
  std::vector<int> Ids;
  for (DataSet.First(); !DataSet.Eof(); DataSet.Next())
    Ids.push_back(DataSet.FieldByName(QStringLiteral("shipperid")).AsInteger());
  EXPECT_EQ(Ids, (std::vector<int>{4, 3, 2, 1}));
  DataSet.First();
  EXPECT_NE(ErrorOf([&] { DataSet.FieldByName(QStringLiteral("Nope")); }).find("Field 'Nope' not found"),
            std::string::npos);
  EXPECT_NE(
      ErrorOf([&] { DataSet.FieldByName(QStringLiteral("CompanyName")).AsInteger(); }).find("not a valid integer"),
      std::string::npos);
}

}  // namespace
