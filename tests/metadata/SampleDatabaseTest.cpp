// The embedded sample: splitting its scripts and building (and rebuilding) its SQLite file.
#include "vxBaseMetadataProvider.h"
#include "vxSampleDatabase.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(TSampleDatabaseTest, SplitsScriptsAtSemicolonsOutsideQuotesAndComments) {
  struct TCase {
    const char* Script;
    QStringList Expected;
  };
  const TCase Cases[] = {
      {"create table a (x int);\ninsert into a values (1);", {"create table a (x int)", "insert into a values (1)"}},
      {"insert into a values ('x;y', 'it''s; fine');", {"insert into a values ('x;y', 'it''s; fine')"}},
      {"select \"odd;name\" from a", {"select \"odd;name\" from a"}},
      {"-- heading; with a semicolon\nselect 1; -- trailing;\n", {"select 1"}},
      {"select 1 /* a; b */ + 2;;\n  ;", {"select 1 /* a; b */ + 2"}},
      {"select 1 -- inner; comment\n + 2;", {"select 1 -- inner; comment\n + 2"}},
      {"   \n-- only a comment\n", {}},
  };
  for (const TCase& Case : Cases)
    EXPECT_EQ(TvxSampleDatabase::SplitScript(QString::fromUtf8(Case.Script)), Case.Expected) << Case.Script;
}

int Count(const QString& Path, const QString& SQL) {
  int Result = -1;
  {
    QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
    Db.setDatabaseName(Path);
    if (Db.open()) {
      QSqlQuery Query(Db);
      if (Query.exec(SQL) && Query.next()) Result = Query.value(0).toInt();
    }
  }
  QSqlDatabase::removeDatabase(QStringLiteral("count"));
  return Result;
}

// Builds once, keeps a current file, rebuilds a stale or broken one, and leaves no temporary
// files behind.
TEST(TSampleDatabaseTest, BuildsTheSQLiteFileOnlyWhenNeeded) {
  QTemporaryDir Folder;
  const QString Path = Folder.filePath(QStringLiteral("nested/sample.sqlite"));
  ASSERT_EQ(TvxSampleDatabase::EnsureSQLiteFile(Path), Path);
  EXPECT_EQ(Count(Path, QStringLiteral("select count(*) from Customers")), 90);
  EXPECT_EQ(Count(Path, QStringLiteral("select count(*) from Complaints")), 60);
  const auto Marker = QStringLiteral("select count(*) from sqlite_master where name = 'Marker'");

  // A change that leaves the scripts' stamp alone: the file is current and is kept.
  EXPECT_EQ(Count(Path, QStringLiteral("create table Marker (x)")), -1);
  TvxSampleDatabase::EnsureSQLiteFile(Path);
  EXPECT_EQ(Count(Path, Marker), 1);

  // Another stamp: built from other scripts, so built anew.
  Count(Path, QStringLiteral("pragma user_version = 7"));
  TvxSampleDatabase::EnsureSQLiteFile(Path);
  EXPECT_EQ(Count(Path, Marker), 0);

  // Not a database at all.
  {
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
    File.write("this is no database");
  }
  TvxSampleDatabase::EnsureSQLiteFile(Path);
  EXPECT_EQ(Count(Path, QStringLiteral("select count(*) from Orders")), 800);
  EXPECT_EQ(QDir(Folder.filePath(QStringLiteral("nested"))).entryList(QDir::Files), QStringList{"sample.sqlite"});
}

TEST(TSampleDatabaseTest, LoadReportsTheFailingStatement) {
  QTemporaryDir Folder;
  {
    QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("occupied"));
    Db.setDatabaseName(Folder.filePath(QStringLiteral("occupied.sqlite")));
    ASSERT_TRUE(Db.open());
    // A table of the sample's name that the script's DROP VIEW cannot remove.
    QSqlQuery(Db).exec(QStringLiteral("create table ProductCatalog (x)"));
    try {
      TvxSampleDatabase::Load(Db);
      ADD_FAILURE() << "no error";
    } catch (const EvxDatabaseError& Error) {
      EXPECT_NE(std::string(Error.what()).find("of schema.sql (DROP VIEW IF EXISTS ProductCatalog)"), std::string::npos)
          << Error.what();
    }
    // The failed load left nothing of its own.
    QSqlQuery Query(Db);
    ASSERT_TRUE(Query.exec(QStringLiteral("select count(*) from sqlite_master")) && Query.next());
    EXPECT_EQ(Query.value(0).toInt(), 1);
  }
  QSqlDatabase::removeDatabase(QStringLiteral("occupied"));
}

}  // namespace
