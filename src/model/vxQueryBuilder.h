// The query builder component: the widget a host places on a form. It owns the root of the
// query model, the page control with one tab per sub-query and the menu shared by all model
// objects. SQL text assigned to it is parsed and loaded into the model; every edit of the model
// is announced to the attached SQL builders.
#pragma once

#include "vxQBTypes.h"
#include "vxSQLBuilder.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QAction;
class QMenu;
class QTabWidget;
class TSQLSelectStatement;
class TastSyntaxProvider;
class TvxAddObjectFormOptions;
class TvxBaseMetadataProvider;
class TvxBaseSQLBuilder;
class TvxBaseSyntaxProvider;
class TvxDataSourceObject;
class TvxObject;
class TvxQuery;
class TvxQueryBuilder;
class TvxQueryBuilderControlFactory;
class TvxQueryBuilderLinkPainter;
class TvxQueryHistory;
class TvxSubQuery;
class TvxUnionSubQuery;

// Assigned SQL that failed to load: Sender is the component, ASQL the text, AErrors the message.
using TvxOnSQLError = std::function<void(QObject* Sender, const std::string& ASQL, const std::string& AErrors)>;
// The caption of a sub-query's tab; the handler may change ACaption.
using TvxOnOnGetTabHeaderText = std::function<void(TvxQueryBuilder* Sender, TvxSubQuery* AFor, std::string& ACaption)>;
// A host's drag handlers; Sender is the active union operand, X and Y are work-area coordinates.
using TvxDragOverEvent =
    std::function<void(QObject* Sender, QObject* Source, int X, int Y, TvxDragState State, bool& Accept)>;
using TvxDragDropEvent = std::function<void(QObject* Sender, QObject* Source, int X, int Y)>;

class TvxQueryBuilder : public QWidget {
  Q_OBJECT
  Q_MOC_INCLUDE("vxBaseSyntaxProvider.h")
  Q_MOC_INCLUDE("vxBaseMetadataProvider.h")
  Q_MOC_INCLUDE("vxQBLinkPainter.h")
  Q_MOC_INCLUDE("vxQBAddObjectOptions.h")
  Q_MOC_INCLUDE("vxQueryUnionSubQuery.h")

  // Defaults: no providers; SnapToGrid true; GridSize 2; unbTopRight; BorderWidth 0; qbbs3D;
  // BorderColor navy (0,0,128); SplitterHeight 3; no link painter; TableColor the palette's base
  // (window) colour; TableFont the default font; no BkImage; bkipTopLeft; bgidWhite; BkColor
  // white; TabHotTrack false; tsTabs; DefColumnsPaneHeight 0.
  //
  // The component's frame: BorderStyle qbbs3D is a sunken bevel two pixels wide in the
  // palette's light and dark shades (BorderColor unused), qbbsFlat a line two pixels wide in
  // BorderColor, qbbsUltraFlat a line one pixel wide in BorderColor, qbbsNone no frame.
  // BorderWidth more pixels of the window colour lie between the frame and the tabs.
  //
  // The work area's background: the built-in watermark in the tone of BkImageDarkness; a host's
  // BkImage (top left or tiled, by BkImagePos) over BkColor takes its place.
  Q_PROPERTY(TvxBaseSyntaxProvider* SyntaxProvider READ GetSyntaxProvider WRITE SetSyntaxProvider)
  Q_PROPERTY(TvxBaseMetadataProvider* MetadataProvider READ GetMetadataProvider WRITE SetMetadataProvider)
  Q_PROPERTY(bool SnapToGrid READ GetSnapToGrid WRITE SetSnapToGrid)
  Q_PROPERTY(int GridSize READ GetGridSize WRITE SetGridSize)
  Q_PROPERTY(vxqb::TvxUnionNavBarPosition UnionNavBarPos READ GetUnionNavBarPos WRITE SetUnionNavBarPos)
  Q_PROPERTY(int BorderWidth READ GetBorderWidth WRITE SetBorderWidth)
  Q_PROPERTY(vxqb::TvxBorderStyle BorderStyle READ GetBorderStyle WRITE SetBorderStyle)
  Q_PROPERTY(QColor BorderColor READ GetBorderColor WRITE SetBorderColor)
  Q_PROPERTY(int SplitterHeight READ GetSplitterHeight WRITE SetSplitterHeight)
  Q_PROPERTY(QString LinkTypeName READ GetLinkTypeName WRITE SetLinkTypeName)
  Q_PROPERTY(TvxQueryBuilderLinkPainter* LinkType READ GetLinkType WRITE SetLinkType)
  Q_PROPERTY(QColor TableColor READ GetTableColor WRITE SetTableColor)
  Q_PROPERTY(QFont TableFont READ GetTableFont WRITE SetTableFont)
  Q_PROPERTY(QPixmap BkImage READ GetBkImage WRITE SetBkImage)
  Q_PROPERTY(vxqb::TvxBkImagePos BkImagePos READ GetBkImagePos WRITE SetBkImagePos STORED true)
  Q_PROPERTY(vxqb::TvxBkImageDarkness BkImageDarkness READ GetBkImageDarkness WRITE SetBkImageDarkness STORED true)
  Q_PROPERTY(QColor BkColor READ GetBkColor WRITE SetBkColor)
  Q_PROPERTY(bool TabHotTrack READ GetTabHotTrack WRITE SetTabHotTrack)
  Q_PROPERTY(vxqb::TvxTabStyle TabStyle READ GetTabStyle WRITE SetTabStyle)
  Q_PROPERTY(int DefColumnsPaneHeight READ GetDefColumnsPaneHeight WRITE SetDefColumnsPaneHeight)
  Q_PROPERTY(TvxAddObjectFormOptions* AddObjectFormOptions READ GetAddObjectFormOptions WRITE SetAddObjectFormOptions)
  // The diagram's size in percent of its natural size (default 100): boxes, fonts, lines and
  // their marks scale together. Box bounds, GridSize and FindPos stay in unzoomed diagram
  // pixels; only the widgets' geometry scales. Ctrl+wheel over the diagram, and Ctrl+plus,
  // Ctrl+minus and Ctrl+0 while the component has the focus, change it.
  Q_PROPERTY(int Zoom READ GetZoom WRITE SetZoom NOTIFY zoomChanged)
  // The query's text on one line; assigning it loads the text once the event loop runs.
  Q_PROPERTY(QString SQL READ GetSQLString WRITE SetSQLString STORED false)
  // The number of undo steps kept; default 100.
  Q_PROPERTY(int UndoLimit READ GetUndoLimit WRITE SetUndoLimit)

public:
  explicit TvxQueryBuilder(QWidget* Parent = nullptr);
  ~TvxQueryBuilder() override;

  // --- SQL text ---
  // The model's text on one line, built afresh from the model.
  std::string GetSQL() const;
  // Stores Text as pending and posts the event that loads it; nothing else happens until the
  // event loop delivers it. Reading SQL meanwhile still gives the old model's text.
  void SetSQL(const std::string& Text);
  QString GetSQLString() const;
  void SetSQLString(const QString& Text);
  // True while assigned text waits to be loaded. An assignment of empty text is processed too
  // (it clears the query) but loads nothing, so it does not count.
  bool IsSQLLoading() const { return !FPendingSQL.empty(); }
  // Loads the pending text now instead of waiting for the posted event (which then finds
  // nothing to do). Unlike the posted path it raises: "No syntax provider!" without both
  // providers (the text stays pending), and load failures when OnSQLError is not assigned.
  void ProcessPendingSQL();
  // Loads Text at once, raising what fails (the query then stays as it was): nothing is
  // reported and the undo history goes on. What undo and redo load a step with.
  void ReloadSQL(const std::string& Text);

  // --- updates and the model ---
  void BeginUpdate();
  void EndUpdate();
  bool GetIsUpdating() const { return FUpdateCount > 0; }
  // Frees every union operand and group of the root query (no empty operand is added).
  void Clear();
  // Tells every attached SQL builder, in attachment order, that the query changed.
  void SQLUpdated();
  // Starts afresh after a change of dialect: one empty union operand.
  void ReadSyntaxProviderCaps();
  TvxQuery* GetRootQuery() const { return FRootQuery; }
  bool IsDestroying() const { return FDestroying; }

  // --- sub-queries ---
  // Every sub-query of the model, the root query first, in order of creation.
  TvxSubQuery* GetSubQueries(int Index) const;  // EvxListError when out of range
  int GetSubQueriesCount() const;
  void RegisterSubQuery(TvxSubQuery* SubQuery);
  void UnregisterSubQuery(TvxSubQuery* SubQuery);
  // The sub-queries registered from Middle on move in front of those from First to Middle, each
  // part keeping its order (0 <= First <= Middle <= count).
  void RotateSubQueries(int First, int Middle);
  // The sub-query whose tab is shown; the root query when no other is active.
  TvxSubQuery* GetActiveSubquery() const;
  void SetActiveSubquery(TvxSubQuery* SubQuery);
  // "Main" for the main query; otherwise the sub-query's text shortened, then the host's say.
  void GetTabHeaderText(TvxSubQuery* SubQuery, std::string& Text);

  // --- SQL builders (not owned, in attachment order) ---
  void AddSQLBuilder(TvxBaseSQLBuilder* Builder);
  void RemoveSQLBuilder(TvxBaseSQLBuilder* Builder);
  const std::vector<TvxBaseSQLBuilder*>& GetSQLBuilders() const { return FSQLBuilders; }

  // --- the shared popup menu ---
  void PopupMenuClear();
  // A new item under Parent (a submenu is made for it when needed) or at the top level; the
  // handler receives the item as Sender. Tag (may be null, not owned) is read back with
  // GetMenuItemTag. Only one item of a menu can be the default one.
  QAction* PopupMenuAddItem(QAction* Parent, const QString& Caption, TvxNotifyEvent OnClick, bool Default, bool Checked,
                            bool Enabled, TvxObject* Tag);
  // Appends a separator and "About Zarquel...".
  void PopupMenuCompleted();
  // Pops the menu up at the screen point Point (returns at once).
  void PopupMenuPopup(const QPoint& Point);
  QMenu* GetPopupMenu() const { return FPopupMenu; }
  static TvxObject* GetMenuItemTag(const QAction* Item);
  // Shows the about box modally.
  void ShowAboutBox();
  // A menu action of a model object failed (the dialect refused a union, say): the exception
  // must not reach the event loop, so its message is reported through actionFailed instead.
  // Nothing is logged: the host decides what the user sees.
  void ReportActionError(const std::string& Message);

  // --- the add-object dialog ---
  // Makes the add-object dialog with the control factory and hooks AddObjectFormOptions to it;
  // the dialog is kept (a child of the component) and returned.
  QWidget* CreateAddObjectForm();
  // The dialog once made, else null.
  QWidget* GetAddObjectForm() const { return FAddObjectForm; }
  // Shows the add-object dialog modally ("Add Table" of the work-area menu), making it on first
  // use; it lists the metadata provider's tables and views afresh each time.
  void ShowAddObjectForm();
  // Adds the table or view Name, an entry of the metadata provider's lists, to the active union
  // operand of the active sub-query, with the links that its foreign keys give to the tables
  // already there when WithFKLinks: what the add-object dialog does. Null when there is no
  // active operand. When adding raises, nothing was added.
  TvxDataSourceObject* AddObjectFromCatalog(const std::string& Name, bool WithFKLinks);

  // --- undo, redo and the diagram's layout (vxQueryBuilderHistory.cpp) ---
  // Every edit of the query and every move or size of a box by the user is a step of the undo
  // history (TvxQueryHistory); a host's assigned SQL starts it afresh. Undo and Redo bring back
  // the neighbouring step: query, box bounds, shown tab and operands (the link painter stays).
  // What they cannot load is reported through actionFailed and changes nothing. A new edit after
  // an undo drops the steps that Redo would have brought back.
  void Undo();
  void Redo();
  bool CanUndo() const;
  bool CanRedo() const;
  int GetUndoLimit() const;
  void SetUndoLimit(int Value);
  TvxQueryHistory* GetHistory() const { return FHistory; }
  // "Undo" (Ctrl+Z) and "Redo" (Ctrl+Shift+Z) for a host's menus and toolbars, enabled while
  // there is a step to go to. Their keys work while the focus is in the component; an editor
  // there with an undo of its own (a grid cell being typed in) keeps its keys.
  QAction* GetUndoAction() const { return FUndoAction; }
  QAction* GetRedoAction() const { return FRedoAction; }
  // The diagram's layout in its text form (TvxQueryLayout): box bounds, link painter, shown tab
  // and operands, to keep next to the query's text.
  std::string SaveLayout() const;
  // Applies a layout that SaveLayout gave: boxes are matched by alias and name, those it does
  // not name are placed where there is room. While assigned SQL waits to be loaded the layout
  // waits too and is applied right after that load. Raises EvxException naming the line for
  // text that is no layout, and then changes nothing.
  void ApplyLayout(const std::string& Text);
  // A box was moved or sized by the user (TvxDatasource::NotifyLayoutChanged): a step of the
  // undo history.
  void LayoutChanged();

  // --- controls ---
  // The controls exist from the first show (or an explicit call) until destruction. A QWidget
  // keeps its children across hide and reparenting, so unlike a native window handle neither
  // tears the diagram down.
  void CreateControls();
  void DestroyControls();
  bool GetControlsCreated() const { return FControlsCreated; }
  void DoUpdateControlParams();
  void RepaintBackground();
  QTabWidget* GetPageControl() const { return FPageControl; }
  // What makes the model's controls: the widget layer's default factory unless another was set.
  TvxQueryBuilderControlFactory& GetControlFactory() const { return *FControlFactory; }
  // Makes the controls with Factory from now on (not owned; it must outlive the component or be
  // replaced first); null returns to the default factory. Existing controls are made again. The
  // page control stays the one made at construction.
  void SetControlFactory(TvxQueryBuilderControlFactory* Factory);
  // The height the select-list pane takes: DefColumnsPaneHeight after clamping.
  int GetCurrentColumnsPaneHeight() const { return FCurrentColumnsPaneHeight; }

  // --- dragging from the host ---
  void DragOver2(QObject* Source, int X, int Y, TvxDragState State, bool& Accept);
  void DragDrop2(QObject* Source, int X, int Y);

  // --- providers ---
  TvxBaseSyntaxProvider* GetSyntaxProvider() const;
  void SetSyntaxProvider(TvxBaseSyntaxProvider* Value);
  TvxBaseMetadataProvider* GetMetadataProvider() const;
  void SetMetadataProvider(TvxBaseMetadataProvider* Value);
  // The dialect object new syntax nodes are made with: the syntax provider's, or null.
  TastSyntaxProvider* GetASTSyntaxProvider() const;
  // How the metadata provider's server spells unquoted names (nfNone without a provider): a
  // name the model takes from the provider is quoted when this folding would change it.
  TvxNameFolding GetNameFolding() const;
  // Called by a syntax provider that is going: the property is cleared, the query stays.
  void SyntaxProviderDestroying(TvxBaseSyntaxProvider* Provider);

  // --- published properties ---
  bool GetSnapToGrid() const { return FSnapToGrid; }
  void SetSnapToGrid(bool Value) { FSnapToGrid = Value; }
  int GetGridSize() const { return FGridSize; }
  void SetGridSize(int Value) { FGridSize = Value; }
  TvxUnionNavBarPosition GetUnionNavBarPos() const { return FUnionNavBarPos; }
  void SetUnionNavBarPos(TvxUnionNavBarPosition Value) { SetControlParam(FUnionNavBarPos, Value); }
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { SetControlParam(FBorderWidth, Value); }
  TvxBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TvxBorderStyle Value) { SetControlParam(FBorderStyle, Value); }
  QColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(const QColor& Value) { SetControlParam(FBorderColor, Value); }
  int GetSplitterHeight() const { return FSplitterHeight; }
  void SetSplitterHeight(int Value) { SetControlParam(FSplitterHeight, Value); }
  // The class name of the current painter, or empty; writing makes a painter by class name
  // from the registry (an unknown name leaves none).
  QString GetLinkTypeName() const;
  void SetLinkTypeName(const QString& Value);
  // The current painter (owned; may be null). Assigning another takes it over and frees the old.
  TvxQueryBuilderLinkPainter* GetLinkType() const;
  void SetLinkType(TvxQueryBuilderLinkPainter* Value);
  QColor GetTableColor() const { return FTableColor; }
  void SetTableColor(const QColor& Value) { SetControlParam(FTableColor, Value); }
  QFont GetTableFont() const { return FTableFont; }
  void SetTableFont(const QFont& Value) { SetControlParam(FTableFont, Value); }
  QPixmap GetBkImage() const { return FBkImage; }
  void SetBkImage(const QPixmap& Value);
  TvxBkImagePos GetBkImagePos() const { return FBkImagePos; }
  void SetBkImagePos(TvxBkImagePos Value) { SetBackgroundParam(FBkImagePos, Value); }
  TvxBkImageDarkness GetBkImageDarkness() const { return FBkImageDarkness; }
  void SetBkImageDarkness(TvxBkImageDarkness Value) { SetBackgroundParam(FBkImageDarkness, Value); }
  QColor GetBkColor() const { return FBkColor; }
  void SetBkColor(const QColor& Value) { SetBackgroundParam(FBkColor, Value); }
  bool GetTabHotTrack() const { return FTabHotTrack; }
  void SetTabHotTrack(bool Value) { SetControlParam(FTabHotTrack, Value); }
  TvxTabStyle GetTabStyle() const { return FTabStyle; }
  void SetTabStyle(TvxTabStyle Value) { SetControlParam(FTabStyle, Value); }
  int GetDefColumnsPaneHeight() const { return FDefColumnsPaneHeight; }
  // Below 60 becomes 0; above six eighths of the current height becomes that bound.
  void SetDefColumnsPaneHeight(int Value);
  TvxAddObjectFormOptions* GetAddObjectFormOptions() const { return FAddObjectFormOptions; }
  // Copies Value's settings into the owned options.
  void SetAddObjectFormOptions(TvxAddObjectFormOptions* Value);

  static constexpr int MinZoom = 25;
  static constexpr int MaxZoom = 400;
  int GetZoom() const { return FZoom; }
  // Clamped to MinZoom .. MaxZoom.
  void SetZoom(int Value);
  // The next larger or smaller of the stops 25, 33, 50, 67, 75, 90, 100, 110, 125, 150, 175,
  // 200, 250, 300 and 400; nothing beyond the last.
  void ZoomIn();
  void ZoomOut();

  // --- events ---
  TvxOnSQLError OnSQLError;
  TvxOnOnGetTabHeaderText OnGetTabHeaderText;
  TvxDragOverEvent OnDragOver;
  TvxDragDropEvent OnDragDrop;

signals:
  // Assigned SQL could not be loaded and no caller got the exception: emitted along with
  // OnSQLError, and, in the posted path, in place of the exception when OnSQLError is unset.
  // These two signals are the only way the library reports a failure to the host.
  void sqlError(const QString& SQL, const QString& Errors);
  // A menu action failed with Message; the model is as the action left it.
  void actionFailed(const QString& Message);
  // Zoom changed to Percent.
  void zoomChanged(int Percent);

protected:
  bool event(QEvent* Event) override;
  void showEvent(QShowEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

private:
  static QEvent::Type SetSQLEventType();
  // The posted event: loads the pending text, reporting instead of raising.
  void SetSQLMsg();
  // False when the failure was reported to OnSQLError.
  bool LoadSQL(const std::string& Text);
  std::unique_ptr<TSQLSelectStatement> ParseSQL(const std::string& Text) const;
  // Loads Tree unless it is the query already loaded (compared in letter case when MatchCase).
  void LoadTree(std::unique_ptr<TSQLSelectStatement> Tree, bool MatchCase);
  void CreateHistory();
  // Calls OnSQLError and emits sqlError; false when no handler is assigned.
  bool ReportSQLError(const std::string& Text, const std::string& Message);

  template <class T>
  void SetControlParam(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    DoUpdateControlParams();
  }
  template <class T>
  void SetBackgroundParam(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    RepaintBackground();
  }

  // Declared first, freed last: model nodes made with the dialect object of a syntax provider
  // that is gone still work until the model lets go of them.
  std::shared_ptr<TastSyntaxProvider> FDialect;
  bool FDestroying = false;
  TvxQuery* FRootQuery = nullptr;  // owned (QObject child), freed explicitly before the widgets
  QPointer<TvxSubQuery> FActiveSubQuery;
  std::string FPendingSQL;
  bool FSQLPending = false;
  std::string FLoadingSQL;  // the text of the load in progress, for reports
  int FUpdateCount = 0;
  bool FControlsCreated = false;
  // The sub-queries in order of creation; a sub-query that went leaves a null entry behind
  // until the list is next read or half of it is gone (so a model of many sub-queries goes in
  // linear time, in whatever order its sub-queries go).
  mutable std::vector<TvxSubQuery*> FSubQueries;
  mutable std::unordered_map<const TvxSubQuery*, size_t> FSubQueryPlaces;  // index into FSubQueries
  mutable size_t FGoneSubQueries = 0;
  void CompactSubQueries() const;
  std::vector<TvxBaseSQLBuilder*> FSQLBuilders;
  QMenu* FPopupMenu = nullptr;  // owned (QObject child)
  TvxQueryBuilderControlFactory* FControlFactory = nullptr;
  QTabWidget* FPageControl = nullptr;  // owned (child widget)
  int FCurrentColumnsPaneHeight = 0;

  QPointer<TvxBaseSyntaxProvider> FSyntaxProvider;
  QPointer<TvxBaseMetadataProvider> FMetadataProvider;
  bool FSnapToGrid = true;
  int FGridSize = 2;
  TvxUnionNavBarPosition FUnionNavBarPos = unbTopRight;
  int FBorderWidth = 0;
  TvxBorderStyle FBorderStyle = qbbs3D;
  QColor FBorderColor = QColor(0, 0, 128);
  int FSplitterHeight = 3;
  QPointer<TvxQueryBuilderLinkPainter> FLinkType;  // owned (QObject child)
  QColor FTableColor;
  QFont FTableFont;
  QPixmap FBkImage;
  TvxBkImagePos FBkImagePos = bkipTopLeft;
  TvxBkImageDarkness FBkImageDarkness = bgidWhite;
  QColor FBkColor = QColor(255, 255, 255);
  bool FTabHotTrack = false;
  TvxTabStyle FTabStyle = tsTabs;
  int FDefColumnsPaneHeight = 0;
  TvxAddObjectFormOptions* FAddObjectFormOptions = nullptr;  // owned (QObject child)
  QPointer<QWidget> FAddObjectForm;                          // owned (child window), made on first use
  int FZoom = 100;
  TvxQueryHistory* FHistory = nullptr;  // owned (QObject child)
  QAction* FUndoAction = nullptr;       // owned (QObject child)
  QAction* FRedoAction = nullptr;       // owned (QObject child)
};
