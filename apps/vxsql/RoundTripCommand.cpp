// vxsql roundtrip: the statement is assigned to a query builder component, which loads it into
// its model with the fields and relations of a SQLite database, and the model's SQL is printed.
// The component is a widget, so the mode runs a GUI application; without a platform given it
// uses the offscreen one and needs no display.
#include "RoundTripCommand.h"

#include "vxCliInput.h"
#include "vxCliParse.h"

#include "vxASTSelect.h"
#include "vxQtSqlMetadataProvider.h"
#include "vxQueryBuilder.h"
#include "vxSQL92SynProvider.h"
#include "vxSQLBuilderPlainText.h"
#include "vxSampleDatabase.h"

#include <QApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

#include <memory>
#include <ostream>

const std::string_view RoundTripUsage = "roundtrip [--db FILE] [--multi-line] [FILE]";

const std::string_view RoundTripHelp =
    "Loads one SELECT statement from FILE, or from standard input when FILE is absent or \"-\",\n"
    "into the query model of the query builder component, as a host does by assigning its SQL,\n"
    "and prints the model's SQL: on one line as the component's SQL property gives it, or with\n"
    "--multi-line one clause per line (CR LF breaks) as an SQL builder component gives it.\n"
    "Fields and relations come from the SQLite database FILE of --db, by default from the\n"
    "sample database shipped with the library. A statement that does not parse is reported\n"
    "as by check; one the model cannot load (a table the database does not know, say) gets\n"
    "FILE: MESSAGE. Either exits with status 1.";

namespace {

struct TRoundTripOptions {
  std::string Database;  // empty: the sample
  bool MultiLine = false;
  std::string File = "-";
};

TRoundTripOptions ParseOptions(const TvxCliArgs& Args) {
  TRoundTripOptions Options;
  std::vector<std::string> Operands;
  bool FlagsEnded = false;
  for (size_t I = 0; I < Args.size(); ++I) {
    const std::string& Arg = Args[I];
    if (FlagsEnded || Arg == "-" || Arg.empty() || Arg[0] != '-') {
      Operands.push_back(Arg);
    } else if (Arg == "--") {
      FlagsEnded = true;
    } else if (Arg == "--multi-line") {
      Options.MultiLine = true;
    } else if (Arg == "--db") {
      if (I + 1 == Args.size()) throw EvxCliUsageError("--db needs a FILE");
      Options.Database = Args[++I];
    } else if (Arg.starts_with("--db=")) {
      Options.Database = Arg.substr(5);
    } else {
      throw EvxCliUsageError("unknown option '" + Arg + "'");
    }
  }
  if (Operands.size() > 1) throw EvxCliUsageError("roundtrip reads one FILE");
  if (!Operands.empty()) Options.File = Operands[0];
  return Options;
}

// The application the widgets need, unless the process has one; the caller keeps it while the
// mode runs.
std::unique_ptr<QApplication> MakeApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // QApplication keeps references to both for its whole life.
  static int Argc = 1;
  static char Name[] = "vxsql";
  static char* Argv[] = {Name, nullptr};
  return std::make_unique<QApplication>(Argc, Argv);
}

// Loads Input into a component whose metadata comes from the open connection Connection.
int RoundTrip(const TvxCliInput& Input, const QString& Connection, bool MultiLine, const TvxCliStreams& Streams) {
  // The providers outlive the component that uses them.
  TvxSQL92SyntaxProvider Syntax;
  TvxQtSqlMetadataProvider Metadata;
  Metadata.SetConnectionName(Connection);
  TvxQueryBuilder QueryBuilder;
  QueryBuilder.SetSyntaxProvider(&Syntax);
  QueryBuilder.SetMetadataProvider(&Metadata);
  // The component parses with the same dialect object; parsing here first gives a syntax error
  // the tool's report with source line and caret.
  if (!ParseSelectOrReport(*Syntax.GetASTSyntaxProvider(), Input, Streams.GetErr())) return ecFailed;
  try {
    QueryBuilder.SetSQL(Input.GetText());
    QueryBuilder.ProcessPendingSQL();
  } catch (const EvxException& Error) {
    Streams.GetErr() << Input.GetName() << ": " << Error.GetMessage() << "\n";
    return ecFailed;
  }
  if (MultiLine) {
    TvxSQLBuilderPlainText Builder;
    Builder.SetQueryBuilder(&QueryBuilder);
    Streams.GetOut() << Builder.GetSQL() << "\r\n";
  } else {
    Streams.GetOut() << QueryBuilder.GetSQL() << "\n";
  }
  return ecOk;
}

}  // namespace

int RunRoundTripCommand(const TvxCliArgs& Args, const TvxCliStreams& Streams) {
  const TRoundTripOptions Options = ParseOptions(Args);
  const TvxCliInput Input = TvxCliInput::Read(Options.File, Streams.GetIn());
  const std::unique_ptr<QApplication> Application = MakeApplication();

  QString Path;
  if (Options.Database.empty()) {
    Path = TvxSampleDatabase::EnsureSQLiteFile();
  } else {
    Path = QString::fromStdString(Options.Database);
    // SQLite would make an empty database of a missing file and describe no table at all.
    if (!QFileInfo(Path).isFile())
      throw EvxCliInputError("cannot open database " + Options.Database + ": no such file");
  }
  const QString Connection = QStringLiteral("vxsql-roundtrip");
  int Status = ecFailed;
  {
    QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
    Db.setDatabaseName(Path);
    Db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!Db.open()) {
      const std::string Reason = Db.lastError().text().toStdString();
      Db = QSqlDatabase();
      QSqlDatabase::removeDatabase(Connection);
      throw EvxCliInputError("cannot open database " + Path.toStdString() + ": " + Reason);
    }
    Status = RoundTrip(Input, Connection, Options.MultiLine, Streams);
    Db.close();
  }
  QSqlDatabase::removeDatabase(Connection);
  return Status;
}
