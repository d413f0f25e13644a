// vxqb-demo: the query builder component on a window over the sample database (or another
// SQLite file), with the query's SQL and its rows.
//
//   vxqb-demo [--db FILE] [--sql FILE] [--link-style STYLE] [--zoom PERCENT] [--execute]
//             [--screenshot FILE.png]
//
// With --screenshot the window is rendered once the query is loaded (and run, with --execute),
// written as a PNG and the program ends; it needs no display on the offscreen platform.
#include "vxDemoWindow.h"

#include "vxQueryBuilder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

void PrintError(const QString& Message) { std::fprintf(stderr, "vxqb-demo: %s\n", qUtf8Printable(Message)); }

// Once the component has loaded the assigned text: runs the query when asked, writes the
// window's picture and ends the program with its status.
void ScreenshotWhenLoaded(TvxDemoWindow& Window, bool Execute, const QString& Path) {
  if (Window.GetQueryBuilder()->IsSQLLoading()) {
    QTimer::singleShot(0, &Window, [&Window, Execute, Path] { ScreenshotWhenLoaded(Window, Execute, Path); });
    return;
  }
  if (Execute) Window.Execute();
  // Scroll bars come and go in posted events: the picture waits until they have.
  QTimer::singleShot(0, &Window, [&Window, Path] {
    const bool Saved = Window.grab().save(Path, "PNG");
    if (!Saved) PrintError(QStringLiteral("cannot write %1").arg(Path));
    QCoreApplication::exit(Saved ? 0 : 1);
  });
}

}  // namespace

int main(int Argc, char** Argv) {
  QApplication Application(Argc, Argv);
  QApplication::setApplicationName(QStringLiteral("vxqb-demo"));
  QApplication::setApplicationDisplayName(QStringLiteral("vxQueryBuilder Demo"));

  QCommandLineParser Parser;
  Parser.setApplicationDescription(QStringLiteral("The vxQueryBuilder component over a database."));
  Parser.addHelpOption();
  const QCommandLineOption Db(QStringLiteral("db"),
                              QStringLiteral("Open the SQLite database FILE (default: the sample)."),
                              QStringLiteral("FILE"));
  const QCommandLineOption Sql(QStringLiteral("sql"), QStringLiteral("Load the query of the .sql FILE."),
                               QStringLiteral("FILE"));
  const QCommandLineOption LinkStyle(QStringLiteral("link-style"),
                                     QStringLiteral("Draw links in STYLE: Simple, MS SQL Style or Access Style."),
                                     QStringLiteral("STYLE"));
  const QCommandLineOption Zoom(QStringLiteral("zoom"), QStringLiteral("Show the diagram at PERCENT (25 to 400)."),
                                QStringLiteral("PERCENT"));
  const QCommandLineOption Run(QStringLiteral("execute"), QStringLiteral("Run the query once it is loaded."));
  const QCommandLineOption Screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Render the window to the PNG FILE once loaded, then exit."),
                                      QStringLiteral("FILE"));
  Parser.addOptions({Db, Sql, LinkStyle, Zoom, Run, Screenshot});
  if (!Parser.parse(Application.arguments())) {
    PrintError(Parser.errorText());
    return 2;
  }
  if (Parser.isSet(QStringLiteral("help"))) Parser.showHelp();
  if (!Parser.positionalArguments().isEmpty()) {
    PrintError(QStringLiteral("unexpected argument %1 (a query file goes with --sql)")
                   .arg(Parser.positionalArguments().first()));
    return 2;
  }

  TvxDemoWindow Window;
  const bool Headless = Parser.isSet(Screenshot);
  // A picture has no screen to fit; an interactive window fits the one it opens on.
  Window.resize(1200, 940);
  if (!Headless) Window.resize(Window.size().boundedTo(Window.screen()->availableSize() * 9 / 10));
  QObject::connect(Window.GetQueryBuilder(), &TvxQueryBuilder::sqlError,
                   [](const QString&, const QString& Message) { PrintError(Message); });

  if (Parser.isSet(LinkStyle)) Window.SetLinkStyle(Parser.value(LinkStyle));
  if (Parser.isSet(Zoom)) {
    bool Number = false;
    const int Percent = Parser.value(Zoom).toInt(&Number);
    if (!Number) {
      PrintError(QStringLiteral("--zoom wants a percentage, not %1").arg(Parser.value(Zoom)));
      return 2;
    }
    Window.GetQueryBuilder()->SetZoom(Percent);
  }

  QString Error;
  const bool Opened =
      Parser.isSet(Db) ? Window.OpenSQLiteFile(Parser.value(Db), Error) : Window.OpenSampleDatabase(Error);
  if (!Opened) {
    PrintError(Error);
    return 1;
  }
  if (Parser.isSet(Sql) && !Window.LoadSQLFile(Parser.value(Sql), Error)) {
    PrintError(Error);
    return 1;
  }
  Window.show();
  if (Headless)
    ScreenshotWhenLoaded(Window, Parser.isSet(Run), Parser.value(Screenshot));
  else if (Parser.isSet(Run))
    QTimer::singleShot(0, &Window, [&Window] { Window.Execute(); });
  return QApplication::exec();
}
