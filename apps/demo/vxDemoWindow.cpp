#include "vxDemoWindow.h"

#include "vxDemoConnectDialog.h"
#include "vxDemoResults.h"
#include "vxDemoSQLPane.h"

#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxQBLinkPainter.h"
#include "vxQueryBuilder.h"
#include "vxQueryDatasource.h"
#include "vxSampleDatabase.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

TvxDemoWindow::TvxDemoWindow(QWidget* Parent) : QMainWindow(Parent) {
  FQueryBuilder = new TvxQueryBuilder(this);
  FQueryBuilder->setObjectName(QStringLiteral("QueryBuilder"));
  FQueryBuilder->SetSyntaxProvider(&FSyntax);
  FQueryBuilder->SetMetadataProvider(&FMetadata);
  FSQLPane = new TvxDemoSQLPane(this);
  FResults = new TvxDemoResults(this);

  FSplitter = new QSplitter(Qt::Vertical, this);
  FSplitter->setChildrenCollapsible(false);
  FSplitter->addWidget(FQueryBuilder);
  FSplitter->addWidget(FSQLPane);
  FSplitter->addWidget(FResults);
  // The diagram gets most of the room; the SQL and the rows share the rest. The grid pane gets
  // a fixed height that shows a typical select list, so that growing the window grows the diagram.
  FQueryBuilder->SetDefColumnsPaneHeight(150);
  FSplitter->setStretchFactor(0, 6);
  FSplitter->setStretchFactor(1, 2);
  FSplitter->setStretchFactor(2, 2);
  FSplitter->setSizes({560, 200, 140});
  setCentralWidget(FSplitter);

  lDatabase = new QLabel(this);
  statusBar()->addPermanentWidget(lDatabase);
  lZoom = new QLabel(this);
  lZoom->setObjectName(QStringLiteral("lZoom"));
  statusBar()->addPermanentWidget(lZoom);
  ShowZoom(FQueryBuilder->GetZoom());
  connect(FQueryBuilder, &TvxQueryBuilder::zoomChanged, this, &TvxDemoWindow::ShowZoom);
  CreateActions();

  connect(&FSQLBuilder, &TvxBaseSQLBuilder::sqlUpdated, this,
          [this] { FSQLPane->SetText(FSQLBuilder.GetSQLString()); });
  FSQLBuilder.SetQueryBuilder(FQueryBuilder);
  connect(FSQLPane, &TvxDemoSQLPane::applyRequested, this, &TvxDemoWindow::ApplySQL);
  connect(FQueryBuilder, &TvxQueryBuilder::sqlError, this, &TvxDemoWindow::ShowSQLError);
  connect(FQueryBuilder, &TvxQueryBuilder::actionFailed, this, &TvxDemoWindow::ShowMessage);
  UpdateTitle();
}

TvxDemoWindow::~TvxDemoWindow() {
  // The component goes before the providers and the SQL builder it uses.
  delete FQueryBuilder;
}

void TvxDemoWindow::CreateActions() {
  QStyle* Style = style();
  auto Add = [this](QMenu* Menu, const QString& Name, const QString& Text, const QKeySequence& Keys,
                    void (TvxDemoWindow::*Slot)(), const QIcon& Icon = QIcon()) {
    QAction* Action = Menu->addAction(Icon, Text);
    Action->setObjectName(Name);
    Action->setShortcut(Keys);
    connect(Action, &QAction::triggered, this, Slot);
    return Action;
  };
  QMenu* File = menuBar()->addMenu(tr("&File"));
  QAction* OpenDb =
      Add(File, QStringLiteral("aOpenDatabase"), tr("&Open SQLite Database..."), QKeySequence(tr("Ctrl+Shift+O")),
          &TvxDemoWindow::ChooseSQLiteFile, Style->standardIcon(QStyle::SP_DialogOpenButton));
  QAction* Connect = Add(File, QStringLiteral("aConnect"), tr("&Connect to PostgreSQL..."), QKeySequence(),
                         &TvxDemoWindow::ChoosePostgreSQLServer, Style->standardIcon(QStyle::SP_DriveNetIcon));
  File->addSeparator();
  Add(File, QStringLiteral("aOpenSQL"), tr("Open &SQL..."), QKeySequence::Open, &TvxDemoWindow::ChooseSQLFileToOpen);
  Add(File, QStringLiteral("aSaveSQL"), tr("Save SQL &As..."), QKeySequence::Save, &TvxDemoWindow::ChooseSQLFileToSave);
  File->addSeparator();
  QAction* Quit = File->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
  Quit->setMenuRole(QAction::QuitRole);

  // The component's own actions: their keys work while the focus is in the component, so the
  // SQL pane keeps Ctrl+Z for its text.
  QMenu* Edit = menuBar()->addMenu(tr("&Edit"));
  Edit->addAction(FQueryBuilder->GetUndoAction());
  Edit->addAction(FQueryBuilder->GetRedoAction());

  QMenu* Query = menuBar()->addMenu(tr("&Query"));
  // The add-object dialog belongs to the component, which lists the tables of the database the
  // metadata provider follows.
  QAction* AddTable = Add(Query, QStringLiteral("aAddTable"), tr("Add &Table..."), QKeySequence(Qt::CTRL | Qt::Key_T),
                          &TvxDemoWindow::ShowAddTable, Style->standardIcon(QStyle::SP_FileDialogNewFolder));
  QAction* Apply = Add(Query, QStringLiteral("aApply"), tr("&Apply SQL"), QKeySequence(Qt::CTRL | Qt::Key_Return),
                       &TvxDemoWindow::ApplySQL, Style->standardIcon(QStyle::SP_DialogApplyButton));
  QAction* Run = Add(Query, QStringLiteral("aExecute"), tr("&Execute"), QKeySequence(Qt::Key_F5),
                     &TvxDemoWindow::ExecuteCommand, Style->standardIcon(QStyle::SP_MediaPlay));

  QMenu* View = menuBar()->addMenu(tr("&View"));
  CreateZoomActions(View);
  View->addSeparator();
  CreateLinkStyleMenu(View);

  QToolBar* Tools = addToolBar(tr("Main"));
  Tools->setObjectName(QStringLiteral("MainToolBar"));
  Tools->setMovable(false);
  Tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  Tools->addAction(OpenDb);
  Tools->addAction(Connect);
  Tools->addSeparator();
  Tools->addAction(AddTable);
  Tools->addAction(Apply);
  Tools->addAction(Run);
}

void TvxDemoWindow::CreateZoomActions(QMenu* View) {
  auto Add = [&](const QString& Name, const QString& Text, const QList<QKeySequence>& Keys,
                 void (TvxQueryBuilder::*Slot)()) {
    QAction* Action = View->addAction(Text);
    Action->setObjectName(Name);
    Action->setShortcuts(Keys);
    connect(Action, &QAction::triggered, FQueryBuilder, Slot);
  };
  // Ctrl+= as well, for keyboards where plus needs Shift.
  Add(QStringLiteral("aZoomIn"), tr("Zoom &In"), {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
      &TvxQueryBuilder::ZoomIn);
  Add(QStringLiteral("aZoomOut"), tr("Zoom &Out"), {QKeySequence::ZoomOut}, &TvxQueryBuilder::ZoomOut);
  QAction* Actual = View->addAction(tr("&Actual Size"), QKeySequence(Qt::CTRL | Qt::Key_0), FQueryBuilder,
                                    [this] { FQueryBuilder->SetZoom(100); });
  Actual->setObjectName(QStringLiteral("aActualSize"));
}

void TvxDemoWindow::ShowZoom(int Percent) { lZoom->setText(tr("Zoom %1%").arg(Percent)); }

void TvxDemoWindow::CreateLinkStyleMenu(QMenu* View) {
  QMenu* Styles = View->addMenu(tr("&Link Style"));
  Styles->setObjectName(QStringLiteral("mLinkStyle"));
  FLinkStyles = new QActionGroup(this);
  GetPaintersList().GetUserNames([&](const QString& StyleName) {
    QAction* Action = Styles->addAction(StyleName);
    Action->setCheckable(true);
    FLinkStyles->addAction(Action);
    connect(Action, &QAction::triggered, this, [this, StyleName] { SetLinkStyle(StyleName); });
  });
  CheckCurrentLinkStyle();
  connect(Styles, &QMenu::aboutToShow, this, &TvxDemoWindow::CheckCurrentLinkStyle);
}

void TvxDemoWindow::CheckCurrentLinkStyle() {
  // Without a painter of its own the component draws links in its default style.
  const TvxQueryBuilderLinkPainter* Current = FQueryBuilder->GetLinkType();
  const QString CurrentStyle = (Current != nullptr ? *Current : vx::GetDefaultLinkPainter()).PainterStyle();
  for (QAction* Action : FLinkStyles->actions()) Action->setChecked(Action->text() == CurrentStyle);
}

void TvxDemoWindow::SetLinkStyle(const QString& StyleName) {
  FQueryBuilder->SetLinkType(GetPaintersList().CreateByUserName(StyleName, FQueryBuilder).release());
  CheckCurrentLinkStyle();
}

// --- the database ------------------------------------------------------------------------------

bool TvxDemoWindow::OpenDatabase(const TvxConnectionSettings& Settings, QString& Error) {
  auto Connection = std::make_unique<TvxOwnedConnection>(QStringLiteral("vxqb-demo"));
  try {
    Connection->Open(Settings);
  } catch (const std::exception& Failure) {
    Error = QString::fromUtf8(Failure.what());
    return false;
  }
  // The rows shown came from the old database, and the provider must let go of it before it
  // closes with the old connection object.
  FResults->Clear(tr("Press F5 to run the query on the database."));
  FMetadata.SetConnectionName(Connection->GetConnectionName());
  FMetadata.InvalidateCache();
  FConnection = std::move(Connection);
  if (Settings.Driver == QLatin1String("QPSQL"))
    FDatabaseDescription = tr("PostgreSQL: %1@%2:%3/%4")
                               .arg(Settings.UserName, Settings.Host)
                               .arg(Settings.Port)
                               .arg(Settings.DatabaseName);
  else
    FDatabaseDescription = tr("SQLite: %1").arg(QFileInfo(Settings.DatabaseName).fileName());
  UpdateTitle();
  try {
    vx::RefreshAllDatasources(*FQueryBuilder);
  } catch (const std::exception& Failure) {
    ShowMessage(tr("Not every table of the query is in this database: %1").arg(QString::fromUtf8(Failure.what())));
  }
  return true;
}

bool TvxDemoWindow::OpenSQLiteFile(const QString& Path, QString& Error) {
  TvxConnectionSettings Settings;
  Settings.Driver = QStringLiteral("QSQLITE");
  Settings.DatabaseName = Path;
  Settings.Options = QStringLiteral("QSQLITE_OPEN_READONLY");
  return OpenDatabase(Settings, Error);
}

bool TvxDemoWindow::OpenSampleDatabase(QString& Error) {
  QString Path;
  try {
    Path = TvxSampleDatabase::EnsureSQLiteFile();
  } catch (const std::exception& Failure) {
    Error = QString::fromUtf8(Failure.what());
    return false;
  }
  return OpenSQLiteFile(Path, Error);
}

// --- the query ---------------------------------------------------------------------------------

bool TvxDemoWindow::LoadSQLFile(const QString& Path, QString& Error) {
  QFile File(Path);
  if (!File.open(QIODevice::ReadOnly)) {
    Error = tr("Cannot read %1: %2").arg(Path, File.errorString());
    return false;
  }
  FSQLPane->SetText(QString::fromUtf8(File.readAll()));
  FSQLFilePath = Path;
  ApplySQL();
  // The layout waits in the component for the text just assigned, and comes with it.
  QFile Layout(LayoutPathFor(Path));
  if (!Layout.exists()) return true;
  if (!Layout.open(QIODevice::ReadOnly)) {
    ShowMessage(tr("Cannot read %1: %2").arg(Layout.fileName(), Layout.errorString()));
    return true;
  }
  try {
    FQueryBuilder->ApplyLayout(Layout.readAll().toStdString());
  } catch (const std::exception& Failure) {
    ShowMessage(tr("The layout %1 was not applied: %2").arg(Layout.fileName(), QString::fromUtf8(Failure.what())));
  }
  return true;
}

namespace {

bool WriteFile(const QString& Path, const QByteArray& Text, QString& Error) {
  QFile File(Path);
  if (File.open(QIODevice::WriteOnly | QIODevice::Truncate) && File.write(Text) == Text.size()) return true;
  Error = QObject::tr("Cannot write %1: %2").arg(Path, File.errorString());
  return false;
}

}  // namespace

bool TvxDemoWindow::SaveSQLFile(const QString& Path, QString& Error) {
  if (!WriteFile(Path, FSQLPane->GetText().toUtf8(), Error) ||
      !WriteFile(LayoutPathFor(Path), QByteArray::fromStdString(FQueryBuilder->SaveLayout()), Error))
    return false;
  FSQLFilePath = Path;
  return true;
}

QString TvxDemoWindow::LayoutPathFor(const QString& SQLPath) {
  const QFileInfo Info(SQLPath);
  return Info.dir().filePath(Info.completeBaseName() + QStringLiteral(".layout"));
}

void TvxDemoWindow::ApplySQL() {
  FSQLPane->ClearError();
  // Text the model already holds loads nothing and so is not written back: the pane is in step
  // from here on either way, or shows why not.
  FSQLPane->ClearEdited();
  FQueryBuilder->SetSQLString(FSQLPane->GetText());
}

bool TvxDemoWindow::Execute() {
  if (!FConnection || !FConnection->IsOpen()) {
    FResults->Clear(tr("No database is open."));
    return false;
  }
  if (FSQLPane->IsEdited()) ShowMessage(tr("The SQL pane has changes that are not applied (Ctrl+Return)."));
  return FResults->Execute(FConnection->GetDatabase(), FQueryBuilder->GetSQLString());
}

void TvxDemoWindow::ShowSQLError(const QString& SQL, const QString& Message) {
  // The component reports what went wrong, not where; the dialect finds the place again. The
  // caret is only moved when the pane still holds the refused text.
  const TParseStop Stop = FSQLPane->GetText() == SQL ? FindParseStop(SQL) : TParseStop();
  FSQLPane->ShowError(Stop.Where.isEmpty() ? Message : Message + QLatin1Char(' ') + Stop.Where, Stop.Position,
                      Stop.Length);
  ShowMessage(tr("The SQL was not applied: %1").arg(FSQLPane->GetErrorText()));
}

TvxDemoWindow::TParseStop TvxDemoWindow::FindParseStop(const QString& Text) {
  const std::string Utf8 = Text.toStdString();
  TParseStop Stop;
  try {
    FSyntax.GetASTSyntaxProvider()->ParseSelect(Utf8);
  } catch (const EvxSQLError& Error) {
    const auto Offset = std::min<size_t>(Error.TokenOffset, Utf8.size());
    Stop.Position = static_cast<int>(QString::fromUtf8(Utf8.data(), static_cast<qsizetype>(Offset)).size());
    if (Offset == Utf8.size()) {
      Stop.Where = tr("at end of input");
    } else {
      const QString Token = QString::fromStdString(Error.TokenText);
      Stop.Length = static_cast<int>(Token.size());
      Stop.Where = tr("near '%1'").arg(Token);
    }
  } catch (const std::exception&) {
  }
  return Stop;
}

void TvxDemoWindow::ShowMessage(const QString& Message) { statusBar()->showMessage(Message); }

void TvxDemoWindow::UpdateTitle() {
  lDatabase->setText(FDatabaseDescription.isEmpty() ? tr("No database") : FDatabaseDescription);
  setWindowTitle(FDatabaseDescription.isEmpty() ? tr("vxQueryBuilder Demo")
                                                : tr("vxQueryBuilder Demo - %1").arg(FDatabaseDescription));
}

// --- menu commands -----------------------------------------------------------------------------

void TvxDemoWindow::ShowAddTable() { FQueryBuilder->ShowAddObjectForm(); }

void TvxDemoWindow::ChooseSQLiteFile() {
  const QString Path = QFileDialog::getOpenFileName(this, tr("Open SQLite Database"), QString(),
                                                    tr("SQLite databases (*.sqlite *.sqlite3 *.db);;All files (*)"));
  QString Error;
  if (!Path.isEmpty() && !OpenSQLiteFile(Path, Error)) ReportFailure(tr("Open SQLite Database"), Error);
}

void TvxDemoWindow::ChoosePostgreSQLServer() {
  TvxDemoConnectDialog Dialog(this);
  QString Error;
  if (Dialog.exec() == QDialog::Accepted && !OpenDatabase(Dialog.GetSettings(), Error))
    ReportFailure(tr("Connect to PostgreSQL"), Error);
}

void TvxDemoWindow::ChooseSQLFileToOpen() {
  const QString Path = QFileDialog::getOpenFileName(this, tr("Open SQL"), QFileInfo(FSQLFilePath).path(),
                                                    tr("SQL files (*.sql);;All files (*)"));
  QString Error;
  if (!Path.isEmpty() && !LoadSQLFile(Path, Error)) ReportFailure(tr("Open SQL"), Error);
}

void TvxDemoWindow::ChooseSQLFileToSave() {
  const QString Path =
      QFileDialog::getSaveFileName(this, tr("Save SQL"), FSQLFilePath, tr("SQL files (*.sql);;All files (*)"));
  QString Error;
  if (!Path.isEmpty() && !SaveSQLFile(Path, Error)) ReportFailure(tr("Save SQL"), Error);
}

void TvxDemoWindow::ReportFailure(const QString& What, const QString& Error) {
  ShowMessage(Error);
  QMessageBox::warning(this, What, Error);
}
