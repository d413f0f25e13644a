// The demo's main window: the query builder component over a database, the query's SQL in an
// editable pane under it, and the rows the query returns at the bottom.
//
// The SQL goes both ways: every change of the diagram rewrites the pane (through an SQL builder
// attached to the component), and Apply (Ctrl+Return) loads the pane's text into the
// component. Text that does not parse is shown with its line and column while the query stays
// as it was. Execute (F5) runs the query on the open database: SQLite files or a PostgreSQL
// server, either through Qt SQL, with the metadata provider following the connection.
#pragma once

#include "vxQtSqlConnection.h"
#include "vxQtSqlMetadataProvider.h"
#include "vxSQL92SynProvider.h"
#include "vxSQLBuilderPlainText.h"

#include <QMainWindow>

#include <memory>

class QActionGroup;
class QLabel;
class QSplitter;
class TvxDemoResults;
class TvxDemoSQLPane;
class TvxQueryBuilder;

class TvxDemoWindow : public QMainWindow {
  Q_OBJECT

public:
  explicit TvxDemoWindow(QWidget* Parent = nullptr);
  ~TvxDemoWindow() override;

  // --- the database ---
  // Connects to the database of Settings; the metadata provider reads it from then on and every
  // box re-reads its fields. On failure Error says why and the old connection stays.
  bool OpenDatabase(const TvxConnectionSettings& Settings, QString& Error);
  // A SQLite file, opened read-only: the demo never writes to a database.
  bool OpenSQLiteFile(const QString& Path, QString& Error);
  // The sample database shipped with the library, built into a file on first use.
  bool OpenSampleDatabase(QString& Error);
  // What the status bar names: "SQLite: sample.sqlite", "PostgreSQL: user@host:port/db".
  const QString& GetDatabaseDescription() const { return FDatabaseDescription; }

  // --- the query ---
  // Puts the text of a .sql file (UTF-8) into the SQL pane and applies it, with the diagram's
  // layout from the file beside it (LayoutPathFor) when there is one. A layout that cannot be
  // read is named in the status bar; the query loads all the same.
  bool LoadSQLFile(const QString& Path, QString& Error);
  // Writes the SQL pane's text to Path as UTF-8, and the diagram's layout beside it.
  bool SaveSQLFile(const QString& Path, QString& Error);
  // Where the layout of the query file SQLPath is kept: "name.layout" beside "name.sql".
  static QString LayoutPathFor(const QString& SQLPath);
  // Assigns the SQL pane's text to the component, which loads it once the event loop runs.
  void ApplySQL();
  // Runs the component's query on the open database and shows the rows; false when there is no
  // database or it refuses the query (its message is shown, the query stays).
  bool Execute();

  // --- the diagram ---
  // Draws the diagram's links in the registered painter style StyleName ("Simple", "MS SQL
  // Style", "Access Style"); an unknown name gives the component's default painter.
  void SetLinkStyle(const QString& StyleName);

  TvxQueryBuilder* GetQueryBuilder() const { return FQueryBuilder; }
  TvxQtSqlMetadataProvider& GetMetadataProvider() { return FMetadata; }
  TvxDemoSQLPane* GetSQLPane() const { return FSQLPane; }
  TvxDemoResults* GetResults() const { return FResults; }
  QSplitter* GetSplitter() const { return FSplitter; }

private:
  void CreateActions();
  // The View menu's zoom items (Ctrl+plus, Ctrl+minus, Ctrl+0).
  void CreateZoomActions(QMenu* View);
  // Its Link Style submenu: one checkable item per registered link painter style.
  void CreateLinkStyleMenu(QMenu* View);
  void ShowZoom(int Percent);
  // Checks the style of the component's painter, which a layout may have changed.
  void CheckCurrentLinkStyle();
  void ShowSQLError(const QString& SQL, const QString& Message);
  // Where Text stops parsing: the token's character index (-1 when it parses) and length, and
  // the words that name it ("near '='", "at end of input").
  struct TParseStop {
    int Position = -1;
    int Length = 0;
    QString Where;
  };
  TParseStop FindParseStop(const QString& Text);
  void ShowMessage(const QString& Message);
  void UpdateTitle();
  // The menu commands; those that open or save ask the user first.
  void ShowAddTable();
  void ExecuteCommand() { Execute(); }
  void ChooseSQLiteFile();
  void ChoosePostgreSQLServer();
  void ChooseSQLFileToOpen();
  void ChooseSQLFileToSave();
  void ReportFailure(const QString& What, const QString& Error);

  // Declared before the component, which is freed first (in the destructor).
  TvxSQL92SyntaxProvider FSyntax;
  TvxQtSqlMetadataProvider FMetadata;
  TvxSQLBuilderPlainText FSQLBuilder;
  std::unique_ptr<TvxOwnedConnection> FConnection;
  QString FDatabaseDescription;
  QString FSQLFilePath;

  TvxQueryBuilder* FQueryBuilder = nullptr;
  TvxDemoSQLPane* FSQLPane = nullptr;
  TvxDemoResults* FResults = nullptr;
  QSplitter* FSplitter = nullptr;
  QLabel* lDatabase = nullptr;
  QLabel* lZoom = nullptr;
  QActionGroup* FLinkStyles = nullptr;
};
