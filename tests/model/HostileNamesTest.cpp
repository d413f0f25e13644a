// Tables and columns whose names need quoting, two of them written to inject SQL, on a SQLite
// file and in the PostgreSQL cluster of the test fixture: every edit that takes a name from the
// catalog (adding a table, with its foreign keys or a link by hand, ticking fields, adding rows
// from the grid's pick list) gives SQL that runs and returns the rows of that very table;
// foreign keys between such tables become links; a second schema's table of the same name is
// read only when the provider is set to it; and describing a table never runs anything.
#include "DatasourceTestRig.h"
#include "vxTestDatabases.h"

#include "vxQBEventMetaProvider.h"
#include "vxQtSqlCatalog.h"
#include "vxQuerySelectList.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>

namespace vxtest {
namespace {

// --- the hostile database ------------------------------------------------------------------------

// The test's own quoting, independent of the library's: double quotes, inner ones doubled.
std::string Q(const std::string& Name) {
  std::string Result = "\"";
  for (char C : Name) Result += C == '"' ? std::string("\"\"") : std::string(1, C);
  return Result + "\"";
}

const std::string GSideEffect = "vx_side_effect";
const std::string GInjectFrom = "t\" WHERE 0 UNION SELECT name, sql FROM sqlite_master --";
const std::string GInjectDescribe = "\") x, (SELECT " + GSideEffect + "()) y--";

// The tables in foreign-key order: each refers to the one before it.
std::vector<std::string> TableNames(bool PostgreSQL) {
  std::vector<std::string> Names = {"a\"b",          "\"evil\"",   "[x]",       "'x'",
                                    "Order Details", "dbo.Orders", "select",    "it's",
                                    "Z\xC3\xBCrich", "MixedCase",  GInjectFrom, GInjectDescribe};
  // PostgreSQL keeps at most 63 bytes of a name.
  std::string Long;
  for (int I = 0; Long.size() < (PostgreSQL ? 63u : 200u); ++I) Long += "Long" + std::to_string(I) + "_";
  Long.resize(PostgreSQL ? 63 : 200);
  Names.push_back(Long);
  return Names;
}

// Every table has these columns: a key, a reference to the key of the table before it, a
// marker naming the row, and more names that need quoting.
const std::string GKey = "it's";
const std::string GRef = "ref\"id";
const std::string GMarker = "\"Marker\"";
const std::vector<std::string> GColumns = {GKey, GRef, GMarker, "select", "a.b", "MixedCol", "Z\xC3\xBCrich x"};

// Runs each statement; a failure fails the test with the database's message.
void Exec(QSqlDatabase Db, const std::vector<std::string>& Statements) {
  for (const std::string& SQL : Statements) {
    QSqlQuery Query(Db);
    if (!Query.exec(QString::fromStdString(SQL)))
      throw std::runtime_error("cannot prepare the test database: " + SQL + "\n  " +
                               Query.lastError().text().toStdString());
  }
}

// The statements that make the tables in Schema (empty: the default one); Tag goes into the
// markers, so that rows tell which schema they came from.
std::vector<std::string> CreateTables(const std::vector<std::string>& Tables, const std::string& Schema,
                                      const std::string& Tag) {
  std::vector<std::string> Statements;
  const std::string Prefix = Schema.empty() ? "" : Q(Schema) + ".";
  for (size_t K = 0; K < Tables.size(); ++K) {
    std::string SQL =
        "CREATE TABLE " + Prefix + Q(Tables[K]) + " (" + Q(GKey) + " INTEGER PRIMARY KEY, " + Q(GRef) + " INTEGER";
    if (K > 0) SQL += " REFERENCES " + Prefix + Q(Tables[K - 1]) + " (" + Q(GKey) + ")";
    for (size_t C = 2; C < GColumns.size(); ++C) SQL += ", " + Q(GColumns[C]) + " VARCHAR(40)";
    Statements.push_back(SQL + ")");
    // Row 1 refers to row 1 of the table before; row 2 to nothing: a cross join would give
    // four rows where the join gives one.
    for (int Row = 1; Row <= 2; ++Row) {
      std::string Insert = "INSERT INTO " + Prefix + Q(Tables[K]) + " VALUES (" + std::to_string(Row) + ", " +
                           (Row == 1 && K > 0 ? "1" : "NULL");
      for (size_t C = 2; C < GColumns.size(); ++C)
        Insert += ", '" + Tag + std::to_string(K) + ":" + std::to_string(Row) + "/" + std::to_string(C) + "'";
      Statements.push_back(Insert + ")");
    }
  }
  return Statements;
}

struct THostileDatabase {
  QString Connection;
  bool PostgreSQL = false;
  std::vector<std::string> Tables;
};

const THostileDatabase& SQLiteHostile() {
  static const THostileDatabase Db = [] {
    static QTemporaryDir Folder;
    THostileDatabase Result{QStringLiteral("hostile-sqlite"), false, TableNames(false)};
    QSqlDatabase Connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Result.Connection);
    Connection.setDatabaseName(Folder.filePath(QStringLiteral("hostile.sqlite")));
    if (!Connection.open()) throw std::runtime_error("cannot open the SQLite test file");
    Exec(Connection, CreateTables(Result.Tables, "", "main "));
    // The second schema: another file attached under a name of its own.
    Exec(Connection,
         {"ATTACH DATABASE '" + Folder.filePath(QStringLiteral("other.sqlite")).toStdString() + "' AS other"});
    Exec(Connection, CreateTables({Result.Tables[0]}, "other", "other "));
    return Result;
  }();
  return Db;
}

const THostileDatabase& PostgreSQLHostile() {
  static const THostileDatabase Db = [] {
    THostileDatabase Result{PostgreSQLScratchDatabase(QStringLiteral("Names")), true, TableNames(true)};
    QSqlDatabase Connection = QSqlDatabase::database(Result.Connection);
    Exec(Connection, CreateTables(Result.Tables, "", "public "));
    Exec(Connection, {"CREATE SCHEMA other"});
    Exec(Connection, CreateTables({Result.Tables[0]}, "other", "other "));
    // The table the folded spelling of MixedCase names.
    Exec(Connection, {"CREATE TABLE mixedcase (" + Q(GKey) + " INTEGER, " + Q(GMarker) + " VARCHAR(40))",
                      "INSERT INTO mixedcase VALUES (1, 'folded')"});
    // A function that leaves a trace when it runs.
    Exec(Connection,
         {"CREATE TABLE vx_side_effects (n INTEGER)", "CREATE FUNCTION " + GSideEffect +
                                                          "() RETURNS INTEGER LANGUAGE sql VOLATILE AS "
                                                          "'INSERT INTO vx_side_effects VALUES (1) RETURNING 1'"});
    return Result;
  }();
  return Db;
}

// --- the rig ---------------------------------------------------------------------------------------

class HostileNames : public testing::TestWithParam<const THostileDatabase& (*)()> {
protected:
  void SetUp() override {
    if (GetParam() == &PostgreSQLHostile && qEnvironmentVariableIsEmpty("VX_PG_ENV"))
      GTEST_SKIP() << "no PostgreSQL cluster (VX_PG_ENV)";
    FDb = &GetParam()();
    FMetadata.SetConnectionName(FDb->Connection);
    FQueryBuilder.SetSyntaxProvider(&FSyntax);
    FQueryBuilder.SetMetadataProvider(&FMetadata);
  }

  void Load(const std::string& Text) {
    FQueryBuilder.SetSQL(Text);
    FQueryBuilder.ProcessPendingSQL();
  }
  std::string SQL() const { return FQueryBuilder.GetSQL(); }
  TvxUnionSubQuery* Operand() const { return FQueryBuilder.GetRootQuery()->FirstSelect(); }

  // The rows of SQL, sorted; a statement that does not run fails the test.
  std::vector<std::string> Rows(const std::string& SQL) {
    std::string Error;
    std::vector<std::string> Result = RowsOf(FDb->Connection, SQL, Error);
    EXPECT_EQ(Error, "") << SQL;
    std::sort(Result.begin(), Result.end());
    return Result;
  }

  // The model's statement runs and returns the rows of Expected (the test's own statement);
  // loaded afresh, the model gives the same text back.
  void ExpectRowsOf(const std::string& Expected) {
    const std::string Written = SQL();
    EXPECT_EQ(Rows(Written), Rows(Expected)) << "the model writes\n  " << Written;
    Load("");
    Load(Written);
    EXPECT_EQ(SQL(), Written);
  }

  const THostileDatabase* FDb = nullptr;
  TvxSQL92SyntaxProvider FSyntax;
  TvxQtSqlMetadataProvider FMetadata;
  TvxQueryBuilder FQueryBuilder;
};

// "select * from" a table by its name from the catalog list returns that table's rows and no
// other's, with or without an alias that needs quoting too.
TEST_P(HostileNames, AddedTablesReadThatVeryTable) {
  TvxStringList Listed;
  FMetadata.GetTableNames(Listed, false);
  for (const std::string& Table : FDb->Tables) {
    SCOPED_TRACE(Table);
    EXPECT_TRUE(Listed.IndexOfExact(Table) >= 0) << "not in the catalog list";
    Load("");
    TvxDataSourceObject* Datasource = Operand()->AddObject(Table);
    ASSERT_NE(Datasource, nullptr);
    TvxStringList Fields;
    Datasource->GetFieldsList(Fields);
    EXPECT_EQ(Fields.Count(), static_cast<int>(GColumns.size()) + 1);  // "*" and the columns
    for (const std::string& Column : GColumns) EXPECT_TRUE(Fields.IndexOfExact(Column) >= 0) << Column;
    Datasource->CheckField("", true);
    EXPECT_TRUE(Datasource->IsFieldChecked(""));
    ExpectRowsOf("SELECT * FROM " + Q(Table));

    Load("");
    Datasource = Operand()->AddObject(Table, "it's \"the\" alias");
    ASSERT_NE(Datasource, nullptr);
    Datasource->CheckField("", true);
    EXPECT_EQ(Datasource->GetAlias(), "it's \"the\" alias");
    ExpectRowsOf("SELECT * FROM " + Q(Table));
  }
}

// Each table refers to the one before it: added with its foreign keys, it is joined to it by a
// link on the key, whether the table before was added from the list or read from text.
TEST_P(HostileNames, ForeignKeysBecomeLinksNotCrossJoins) {
  const std::vector<std::string>& Tables = FDb->Tables;
  for (size_t K = 1; K < Tables.size(); ++K) {
    SCOPED_TRACE(Tables[K]);
    const std::string Expected = "SELECT * FROM " + Q(Tables[K - 1]) + " INNER JOIN " + Q(Tables[K]) + " ON " +
                                 Q(Tables[K]) + "." + Q(GRef) + " = " + Q(Tables[K - 1]) + "." + Q(GKey);
    for (bool FromText : {false, true}) {
      SCOPED_TRACE(FromText ? "first table read from text" : "first table from the list");
      if (FromText) {
        Load("SELECT * FROM " + Q(Tables[K - 1]));
      } else {
        Load("");
        ASSERT_NE(Operand()->AddObject(Tables[K - 1]), nullptr);
        qobject_cast<TvxDatasource*>(Operand()->GetFromClause()->GetItems(0))->CheckField("", true);
      }
      TvxDataSourceObject* Added = Operand()->AddObjectWithFK(Tables[K]);
      ASSERT_NE(Added, nullptr);
      // "SELECT *" read from text stays; otherwise the two tables' "*" entries are ticked.
      if (!FromText) Added->CheckField("", true);
      std::vector<TvxLink*> Links;
      for (int I = 0; I < Added->GetJoinsCount(); ++I) Links.push_back(Added->GetJoins(I));
      ASSERT_EQ(Links.size(), 1u) << SQL();
      EXPECT_EQ(Links[0]->GetLeftField(), GKey);
      EXPECT_EQ(Links[0]->GetRightField(), GRef);
      EXPECT_EQ(Rows(SQL()).size(), 1u) << SQL();
      ExpectRowsOf(Expected);
    }
  }
}

TEST_P(HostileNames, LinksByHandJoinTheFields) {
  const std::vector<std::string>& Tables = FDb->Tables;
  for (size_t K = 1; K < Tables.size(); ++K) {
    SCOPED_TRACE(Tables[K]);
    Load("");
    TvxDataSourceObject* Left = Operand()->AddObject(Tables[K - 1]);
    TvxDataSourceObject* Right = Operand()->AddObject(Tables[K]);
    ASSERT_TRUE(Left != nullptr && Right != nullptr);
    Left->CheckField(GMarker, true);
    Right->CheckField(GMarker, true);
    Operand()->AddLink(Left, GKey, Right, GRef);
    EXPECT_NE(Operand()->FindLink(Left, GKey, Right, GRef), nullptr);
    ExpectRowsOf("SELECT " + Q(Tables[K - 1]) + "." + Q(GMarker) + ", " + Q(Tables[K]) + "." + Q(GMarker) + " FROM " +
                 Q(Tables[K - 1]) + ", " + Q(Tables[K]) + " WHERE " + Q(Tables[K]) + "." + Q(GRef) + " = " +
                 Q(Tables[K - 1]) + "." + Q(GKey));
  }
}

// Ticking each field of the box, and adding a row for each entry of the grid's pick list.
TEST_P(HostileNames, TickedFieldsAndAddedRowsRun) {
  for (const std::string& Table : FDb->Tables) {
    SCOPED_TRACE(Table);
    Load("");
    TvxDataSourceObject* Datasource = Operand()->AddObject(Table);
    ASSERT_NE(Datasource, nullptr);
    std::string Expected;
    for (const std::string& Column : GColumns) {
      Datasource->CheckField(Column, true);
      EXPECT_TRUE(Datasource->IsFieldChecked(Column)) << Column;
      Expected += (Expected.empty() ? "" : ", ") + Q(Column);
    }
    ExpectRowsOf("SELECT " + Expected + " FROM " + Q(Table));

    Datasource = qobject_cast<TvxDataSourceObject*>(Operand()->GetFromClause()->GetItems(0));
    ASSERT_NE(Datasource, nullptr);
    for (const std::string& Column : GColumns) Datasource->CheckField(Column, false);
    EXPECT_EQ(SQL().find(Q(GMarker)), std::string::npos) << SQL();

    TvxSelectList* List = Operand()->GetSelectList();
    TvxStringList Names;
    List->GetExpressionNames(Names);
    ASSERT_EQ(Names.Count(), static_cast<int>(GColumns.size()) + 1) << Names.Join("\n");
    for (const std::string& Name : Names) {
      TvxSelectItem* Row = List->AddExpression(Name);
      ASSERT_NE(Row->GetExpressionNode(), nullptr) << "the pick-list entry does not parse: " << Name;
      Row->SetSelect(true);
    }
    ExpectRowsOf("SELECT *, " + Expected + " FROM " + Q(Table));
  }
}

// The provider set to the second schema qualifies what it adds; without it the table of the same
// name in the default schema is read.
TEST_P(HostileNames, TheSecondSchemaIsReadOnlyWhenChosen) {
  const std::string& Table = FDb->Tables[0];
  Load("");
  Operand()->AddObject(Table)->CheckField(GMarker, true);
  EXPECT_EQ(SQL().find("other"), std::string::npos) << SQL();
  ExpectRowsOf("SELECT " + Q(GMarker) + " FROM " + Q(Table));
  const std::vector<std::string> Default = Rows(SQL());

  FMetadata.SetSchema(QStringLiteral("other"));
  TvxStringList Listed;
  FMetadata.GetTableNames(Listed, false);
  EXPECT_EQ(Listed, TvxStringList{Table});
  Load("");
  TvxDataSourceObject* Other = Operand()->AddObjectWithFK(Table);
  ASSERT_NE(Other, nullptr);
  Other->CheckField(GMarker, true);
  EXPECT_NE(SQL().find("other." + Q(Table)), std::string::npos) << SQL();
  ExpectRowsOf("SELECT " + Q(GMarker) + " FROM other." + Q(Table));
  EXPECT_NE(Rows(SQL()), Default);

  // The default schema named explicitly is no other schema.
  FMetadata.SetSchema(FDb->PostgreSQL ? QStringLiteral("public") : QStringLiteral("main"));
  Load("");
  Operand()->AddObject(Table);
  EXPECT_EQ(SQL().find('.'), std::string::npos) << SQL();
}

// PostgreSQL folds bare names to lower case: a mixed-case catalog name is quoted, and reads its
// own table, not the one its folded spelling names.
TEST_P(HostileNames, NamesThatFoldingWouldChangeAreQuoted) {
  EXPECT_EQ(FMetadata.GetNameFolding(), FDb->PostgreSQL ? TvxNameFolding::nfLower : TvxNameFolding::nfNone);
  Load("");
  Operand()->AddObject("MixedCase")->CheckField(GMarker, true);
  // SQLite reads bare names as written (ignoring case): there the name needs no quotes.
  EXPECT_EQ(SQL().find("\"MixedCase\"") != std::string::npos, FDb->PostgreSQL) << SQL();
  ExpectRowsOf("SELECT " + Q(GMarker) + " FROM " + Q("MixedCase"));
  if (FDb->PostgreSQL) {
    EXPECT_NE(Rows(SQL()), (std::vector<std::string>{"folded"}));
  }
}

// Describing a FROM source compiles it and runs nothing: the function that leaves a trace is
// never called, whatever the table's name and whatever the text asked about.
TEST_P(HostileNames, DescribingRunsNothing) {
  if (!FDb->PostgreSQL) GTEST_SKIP() << "the trace is a PostgreSQL function";
  QSqlDatabase Db = QSqlDatabase::database(FDb->Connection);
  EXPECT_TRUE(TvxQtSqlCatalog(Db, QString(), nullptr).CanDescribe());
  for (const std::string& Table : FDb->Tables) {
    Load("");
    ASSERT_NE(Operand()->AddObjectWithFK(Table), nullptr) << Table;
  }
  const std::vector<std::string> Texts = {
      "select " + GSideEffect + "()",
      "select * from (select " + GSideEffect + "() as n) d",
      // What a writer without doubling made of the injecting name.
      "select * from \"" + GInjectDescribe + "\"",
      "SELECT * FROM (select * from \"" + GInjectDescribe + "\") vx_described WHERE 1 = 0",
  };
  for (const std::string& Text : Texts) {
    TvxStringList Fields;
    try {
      FMetadata.GetFields(Text, Fields);
    } catch (const EvxDatabaseError&) {
      // A text the server refuses is refused without running anything either.
    }
  }
  EXPECT_EQ(Rows("SELECT count(*) FROM vx_side_effects"), (std::vector<std::string>{"0"}));
  // The trace works: running the function leaves one.
  EXPECT_EQ(Rows("SELECT " + GSideEffect + "()"), (std::vector<std::string>{"1"}));
  EXPECT_EQ(Rows("SELECT count(*) FROM vx_side_effects"), (std::vector<std::string>{"1"}));
  Rows("DELETE FROM vx_side_effects");
}

// A host feeding the model through events says how its server folds names and which schema
// its lists are of: both reach the SQL, and the text the host is asked to describe.
TEST(HostileNamesEvents, TheHostsFoldingAndSchemaReachTheSQL) {
  TvxSQL92SyntaxProvider Syntax;
  TvxEventMetadataProvider Metadata;
  Metadata.SetNameFolding(TvxNameFolding::nfUpper);
  Metadata.SetObjectsSchema("Sales Data");
  std::vector<std::string> Described;
  Metadata.OnGetSQLFieldNames = [&](TvxBaseMetadataProvider*, const std::string& SQL, TvxStringList& Fields) {
    Described.push_back(SQL);
    Fields = {"Id", "NAME", "a\"b"};
  };
  TvxQueryBuilder QueryBuilder;
  QueryBuilder.SetSyntaxProvider(&Syntax);
  QueryBuilder.SetMetadataProvider(&Metadata);
  TvxDataSourceObject* Orders = QueryBuilder.GetRootQuery()->FirstSelect()->AddObject("Orders");
  ASSERT_NE(Orders, nullptr);
  for (const char* Field : {"Id", "NAME", "a\"b"}) Orders->CheckField(Field, true);
  EXPECT_EQ(QueryBuilder.GetSQL(),
            "SELECT \"Sales Data\".\"Orders\".\"Id\", \"Sales Data\".\"Orders\".NAME, "
            "\"Sales Data\".\"Orders\".\"a\"\"b\" FROM \"Sales Data\".\"Orders\"");
  ASSERT_FALSE(Described.empty());
  EXPECT_EQ(Described.front(), "select * from \"Sales Data\".\"Orders\"");
}

INSTANTIATE_TEST_SUITE_P(SQLite, HostileNames, testing::Values(&SQLiteHostile));
INSTANTIATE_TEST_SUITE_P(PostgreSQL, HostileNames, testing::Values(&PostgreSQLHostile));

}  // namespace
}  // namespace vxtest
