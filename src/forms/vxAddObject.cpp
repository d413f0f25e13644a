#include "vxAddObject.h"

#include "vxBaseMetadataProvider.h"
#include "vxObjectNamesModel.h"
#include "vxQBAddObjectOptions.h"
#include "vxQBCatalogIcons.h"
#include "vxQBFormPosition.h"
#include "vxQBStrings.h"
#include "vxQueryBuilder.h"
#include "vxSyntaxProvider.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// How a list shows its names in ListViewStyle Style, with pictures of IconSize.
void ApplyViewStyle(QListView& List, TvxViewStyle Style, const QSize& IconSize) {
  const bool Icons = Style == vsIcon;
  List.setViewMode(Icons ? QListView::IconMode : QListView::ListMode);
  List.setFlow(Style == vsIcon || Style == vsSmallIcon ? QListView::LeftToRight : QListView::TopToBottom);
  List.setWrapping(Style == vsIcon || Style == vsSmallIcon);
  List.setResizeMode(QListView::Adjust);
  List.setMovement(QListView::Static);
  List.setWordWrap(Icons);
  List.setSpacing(Icons ? 6 : 0);
  List.setIconSize(IconSize);
  // Every row the same height: the view then lays out any number of names at once.
  List.setUniformItemSizes(true);
}

// The picture of Index in Images, or Fallback when the host gave no image list.
QIcon PictureOf(const TvxImageList* Images, int Index, const QIcon& Fallback) {
  return Images != nullptr ? Images->GetImage(Index) : Fallback;
}

}  // namespace

TvxAddObjectForm::TvxAddObjectForm(TvxQueryBuilder* QueryBuilder) : QDialog(QueryBuilder), FQueryBuilder(QueryBuilder) {
  setObjectName(QStringLiteral("TvxAddObjectForm"));
  setWindowTitle(QStringLiteral("Add new object"));
  FTables = new TvxObjectNamesModel(this);
  FViews = new TvxObjectNamesModel(this);

  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(8, 8, 8, 8);
  Label1 = new QLabel(
      QStringLiteral("Select an object and press the \"Add Object\" button to add new object to the query"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Layout->addWidget(Label1);

  pcObjects = new QTabWidget(this);
  pcObjects->setObjectName(QStringLiteral("pcObjects"));
  tsTables = CreatePage(pcObjects, "tsTables", "eTablesFilter", "lTables", FTables, eTablesFilter, lTables);
  cbAddFK = new QCheckBox(QStringLiteral("Create Links From Foreign Keys"), tsTables);
  cbAddFK->setObjectName(QStringLiteral("cbAddFK"));
  cbAddFK->setChecked(true);
  tsTables->layout()->addWidget(cbAddFK);
  tsViews = CreatePage(pcObjects, "tsViews", "eViewsFilter", "lViews", FViews, eViewsFilter, lViews);
  pcObjects->addTab(tsTables, vx::GetTableIcon(), QStringLiteral("Tables"));
  pcObjects->addTab(tsViews, vx::GetViewIcon(), QStringLiteral("Views"));
  connect(pcObjects, &QTabWidget::currentChanged, this, &TvxAddObjectForm::UpdateButtons);
  Layout->addWidget(pcObjects, 1);

  lMessage = new QLabel(this);
  lMessage->setObjectName(QStringLiteral("lMessage"));
  lMessage->setWordWrap(true);
  lMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lMessage->hide();
  Layout->addWidget(lMessage);

  auto* Buttons = new QHBoxLayout;
  bAdd = new QPushButton(QStringLiteral("&Add Object"), this);
  bAdd->setObjectName(QStringLiteral("bAdd"));
  bClose = new QPushButton(QStringLiteral("Close"), this);
  bClose->setObjectName(QStringLiteral("bClose"));
  bClose->setDefault(true);
  connect(bAdd, &QPushButton::clicked, this, &TvxAddObjectForm::bAddClick);
  connect(bClose, &QPushButton::clicked, this, &TvxAddObjectForm::bCloseClick);
  Buttons->addWidget(bAdd);
  Buttons->addStretch(1);
  Buttons->addWidget(bClose);
  Layout->addLayout(Buttons);

  LoadOptions();
  UpdateButtons();
}

QWidget* TvxAddObjectForm::CreatePage(QWidget* Parent, const char* Name, const char* FilterName, const char* ListName,
                                      TvxObjectNamesModel* Model, QLineEdit*& Filter, QListView*& List) {
  auto* Page = new QWidget(Parent);
  Page->setObjectName(QLatin1String(Name));
  auto* Column = new QVBoxLayout(Page);
  Column->setContentsMargins(4, 4, 4, 4);
  Column->setSpacing(4);
  Filter = new QLineEdit(Page);
  Filter->setObjectName(QLatin1String(FilterName));
  Filter->setPlaceholderText(QStringLiteral("Filter"));
  Filter->setClearButtonEnabled(true);
  Filter->installEventFilter(this);
  List = new QListView(Page);
  List->setObjectName(QLatin1String(ListName));
  List->setModel(Model);
  List->setEditTriggers(QAbstractItemView::NoEditTriggers);
  List->setSelectionMode(QAbstractItemView::SingleSelection);
  List->installEventFilter(this);
  QListView* View = List;
  connect(Filter, &QLineEdit::textChanged, this, [this, View](const QString& Text) { ApplyFilter(View, Text); });
  connect(List, &QListView::doubleClicked, this, &TvxAddObjectForm::lTablesDblClick);
  connect(List->selectionModel(), &QItemSelectionModel::currentChanged, this, &TvxAddObjectForm::UpdateButtons);
  Column->addWidget(Filter);
  Column->addWidget(List, 1);
  return Page;
}

// --- options ---------------------------------------------------------------------------------------

void TvxAddObjectForm::LoadOptions() {
  if (FQueryBuilder.isNull()) return;
  TvxAddObjectFormOptions* Options = FQueryBuilder->GetAddObjectFormOptions();
  const TvxAddObjectSizeConstraints Constraints = Options->GetConstraints();
  setMinimumSize(Constraints.MinWidth, Constraints.MinHeight);
  resize(Options->GetWidth(), Options->GetHeight());
  // The minimum may have refused the size asked for; what the dialog took is what counts.
  Options->StoreFormSize(width(), height());

  const TvxViewStyle Style = Options->GetListViewStyle();
  const TvxImageList* Images = Style == vsIcon ? Options->GetImageListLarge() : Options->GetImageListSmall();
  const QSize IconSize = Images != nullptr ? Images->GetImageSize() : Style == vsIcon ? QSize(32, 32) : QSize(16, 16);
  ApplyViewStyle(*lTables, Style, IconSize);
  ApplyViewStyle(*lViews, Style, IconSize);
  FTables->SetIcon(PictureOf(Images, Options->GetImageIndexTables(), vx::GetTableIcon()));
  FViews->SetIcon(PictureOf(Images, Options->GetImageIndexViews(), vx::GetViewIcon()));
}

void TvxAddObjectForm::resizeEvent(QResizeEvent* Event) {
  QDialog::resizeEvent(Event);
  FormResize();
}

void TvxAddObjectForm::FormResize() {
  if (FQueryBuilder) FQueryBuilder->GetAddObjectFormOptions()->StoreFormSize(width(), height());
}

// --- the lists -------------------------------------------------------------------------------------

void TvxAddObjectForm::ShowModal() {
  eTablesFilter->clear();
  eViewsFilter->clear();
  FillLists();
  pcObjects->setCurrentWidget(tsTables);
  eTablesFilter->setFocus();
  if (FQueryBuilder) vx::PlaceDialog(*this, FQueryBuilder->GetAddObjectFormOptions()->GetPosition());
  exec();
}

void TvxAddObjectForm::FillLists() {
  ShowMessage(QString(), false);
  TvxStringList Tables, Views;
  TastSyntaxProvider* Dialect = FQueryBuilder ? FQueryBuilder->GetASTSyntaxProvider() : nullptr;
  TvxBaseMetadataProvider* Metadata = FQueryBuilder ? FQueryBuilder->GetMetadataProvider() : nullptr;
  bool WithViews = false;
  try {
    WithViews = Dialect != nullptr && Dialect->IsSupportViews();
    if (Metadata == nullptr) throw EvxException("No metadata provider!");
    Metadata->GetTableNames(Tables, false);
    if (WithViews) Metadata->GetViewNames(Views, false);
  } catch (const std::exception& Error) {
    ReportFailure(QString::fromUtf8(Error.what()));
  }
  FTables->SetNames(Tables);
  FViews->SetNames(Views);
  const int ViewsTab = pcObjects->indexOf(tsViews);
  if (WithViews && ViewsTab < 0)
    pcObjects->addTab(tsViews, vx::GetViewIcon(), QStringLiteral("Views"));
  else if (!WithViews && ViewsTab >= 0)
    pcObjects->removeTab(ViewsTab);
  UpdateButtons();
}

QListView* TvxAddObjectForm::ActiveList() const { return pcObjects->currentWidget() == tsViews ? lViews : lTables; }

TvxObjectNamesModel* TvxAddObjectForm::ModelOf(const QListView* List) const {
  return List == lViews ? FViews : FTables;
}

void TvxAddObjectForm::ApplyFilter(QListView* List, const QString& Text) {
  TvxObjectNamesModel* Model = ModelOf(List);
  const QString Current = List->currentIndex().data().toString();
  Model->SetFilter(Text);
  int Row = Current.isEmpty() ? -1 : Model->FindRow(Current);
  // Typing narrows to a name that Return then adds.
  if (Row < 0 && !Text.isEmpty() && Model->rowCount() > 0) Row = 0;
  if (Row >= 0) {
    List->setCurrentIndex(Model->index(Row));
    List->scrollTo(Model->index(Row));
  }
  UpdateButtons();
}

void TvxAddObjectForm::UpdateButtons() { bAdd->setEnabled(ActiveList()->currentIndex().isValid()); }

void TvxAddObjectForm::ShowMessage(const QString& Text, bool Failure) {
  QPalette Colours = palette();
  if (Failure) Colours.setColor(QPalette::WindowText, QColor(176, 0, 32));
  lMessage->setPalette(Colours);
  lMessage->setText(Text);
  lMessage->setVisible(!Text.isEmpty());
}

void TvxAddObjectForm::ReportFailure(const QString& Message) {
  ShowMessage(Message, true);
  // The host learns of it as of any other refused action (a status line behind the dialog).
  if (FQueryBuilder) FQueryBuilder->ReportActionError(vx::FromQString(Message));
}

// --- adding ----------------------------------------------------------------------------------------

void TvxAddObjectForm::bAddClick() {
  QListView* List = ActiveList();
  const QModelIndex Current = List->currentIndex();
  if (!Current.isValid() || FQueryBuilder.isNull()) return;
  const std::string& Name = ModelOf(List)->GetCatalogName(Current.row());
  const bool WithFKLinks = List == lTables && cbAddFK->isChecked();
  try {
    if (FQueryBuilder->AddObjectFromCatalog(Name, WithFKLinks) != nullptr)
      ShowMessage(QStringLiteral("Added %1.").arg(vx::ToQString(Name)), false);
  } catch (const std::exception& Error) {
    ReportFailure(QString::fromUtf8(Error.what()));
  }
}

void TvxAddObjectForm::lTablesDblClick(const QModelIndex& Index) {
  if (Index.isValid()) bAddClick();
}

bool TvxAddObjectForm::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() != QEvent::KeyPress) return QDialog::eventFilter(Watched, Event);
  const auto* Key = static_cast<QKeyEvent*>(Event);
  QListView* List = ActiveList();
  switch (Key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Return adds the name rather than pressing the default button.
      if (!List->currentIndex().isValid()) return false;
      bAddClick();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      // From the filter box the arrows walk the list under it.
      if (Watched != eTablesFilter && Watched != eViewsFilter) return false;
      QCoreApplication::sendEvent(List, Event);
      return true;
    default:
      return false;
  }
}
