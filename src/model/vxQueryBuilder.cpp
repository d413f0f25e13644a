// The component's life, its providers, its published properties and the link to its controls.
// Loading SQL text is in vxQueryBuilderSQL.cpp, the shared menu and tab captions in
// vxQueryBuilderMenu.cpp.
#include "vxQueryBuilder.h"

#include "vxBaseMetadataProvider.h"
#include "vxBaseSQLBuilder.h"
#include "vxBaseSyntaxProvider.h"
#include "vxQBAddObjectOptions.h"
#include "vxQBControlFactory.h"
#include "vxQBLinkPainter.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <qdrawutil.h>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

int FrameWidthOf(TvxBorderStyle Style) {
  switch (Style) {
    case qbbs3D:
    case qbbsFlat:
      return 2;
    case qbbsUltraFlat:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

TvxQueryBuilder::TvxQueryBuilder(QWidget* Parent) : QWidget(Parent), FControlFactory(&vx::GetDefaultControlFactory()) {
  // The frame and the strip beside the tabs are the component's own; paintEvent covers them
  // all, so nothing is erased first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(300, 280);
  FTableColor = palette().color(QPalette::Base);

  FAddObjectFormOptions = new TvxAddObjectFormOptions(this);
  FPopupMenu = new QMenu(this);
  FPageControl = FControlFactory->CreatePageControl(this);
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(FPageControl);

  // The root query registers itself as the first sub-query and starts from an empty statement;
  // its first operand becomes its active one.
  FRootQuery = new TvxQuery(this);
  FRootQuery->Add();
  DoUpdateControlParams();
  CreateHistory();
}

TvxQueryBuilder::~TvxQueryBuilder() {
  FDestroying = true;
  // The dialog works on the model; it goes while the model is whole.
  FAddObjectFormOptions->OnChange = nullptr;
  delete FAddObjectForm.data();
  // The builders write out their text while the model their trees refer to is still whole.
  const std::vector<TvxBaseSQLBuilder*> Builders = FSQLBuilders;
  for (TvxBaseSQLBuilder* Builder : Builders) Builder->QueryBuilderDestroying(this);
  FSQLBuilders.clear();
  SetMetadataProvider(nullptr);
  SetSyntaxProvider(nullptr);
  // Controls first, so that no control outlives the model object it shows; then the model,
  // whose sub-queries leave FSubQueries as they go.
  DestroyControls();
  delete FRootQuery;
  FRootQuery = nullptr;
  delete FPageControl;
  FPageControl = nullptr;
}

// --- providers ---------------------------------------------------------------------------------

TvxBaseSyntaxProvider* TvxQueryBuilder::GetSyntaxProvider() const { return FSyntaxProvider; }

TvxBaseMetadataProvider* TvxQueryBuilder::GetMetadataProvider() const { return FMetadataProvider; }

void TvxQueryBuilder::SetSyntaxProvider(TvxBaseSyntaxProvider* Value) {
  if (Value == FSyntaxProvider) return;
  if (FSyntaxProvider) FSyntaxProvider->UnregisterQueryBuilder(this);
  FSyntaxProvider = Value;
  if (Value != nullptr) Value->RegisterQueryBuilder(this);
  if (FDestroying) return;
  // The old dialect object stays alive until the model made with it has been replaced.
  std::shared_ptr<TastSyntaxProvider> Previous = std::move(FDialect);
  if (Value != nullptr) FDialect = Value->GetASTSyntaxProviderShared();
  ReadSyntaxProviderCaps();
}

void TvxQueryBuilder::SyntaxProviderDestroying(TvxBaseSyntaxProvider* Provider) {
  if (Provider != FSyntaxProvider) return;
  Provider->UnregisterQueryBuilder(this);
  // The query stays as it is; FDialect keeps the nodes it was made of usable.
  FSyntaxProvider = nullptr;
}

TastSyntaxProvider* TvxQueryBuilder::GetASTSyntaxProvider() const {
  return FSyntaxProvider ? FSyntaxProvider->GetASTSyntaxProvider() : nullptr;
}

TvxNameFolding TvxQueryBuilder::GetNameFolding() const {
  return FMetadataProvider ? FMetadataProvider->GetNameFolding() : TvxNameFolding::nfNone;
}

void TvxQueryBuilder::SetMetadataProvider(TvxBaseMetadataProvider* Value) {
  // The guarded pointer is the free-notification: a provider that goes clears the property.
  FMetadataProvider = Value;
}

void TvxQueryBuilder::ReadSyntaxProviderCaps() {
  if (FDestroying) return;
  BeginUpdate();
  struct TEnd {
    TvxQueryBuilder* QueryBuilder;
    ~TEnd() { QueryBuilder->EndUpdate(); }
  } End{this};
  Clear();
  FRootQuery->Add();
}

// --- published properties ----------------------------------------------------------------------

TvxQueryBuilderLinkPainter* TvxQueryBuilder::GetLinkType() const { return FLinkType; }

QString TvxQueryBuilder::GetLinkTypeName() const {
  return FLinkType ? QString::fromLatin1(FLinkType->metaObject()->className()) : QString();
}

void TvxQueryBuilder::SetLinkTypeName(const QString& Value) {
  delete FLinkType.data();
  std::unique_ptr<TvxQueryBuilderLinkPainter> Painter = GetPaintersList().CreateByName(Value, this);
  if (Painter) Painter->setParent(this);
  FLinkType = Painter.release();
  DoUpdateControlParams();
}

void TvxQueryBuilder::SetLinkType(TvxQueryBuilderLinkPainter* Value) {
  if (Value == FLinkType) return;
  delete FLinkType.data();
  FLinkType = Value;
  if (Value != nullptr) Value->setParent(this);
  DoUpdateControlParams();
}

void TvxQueryBuilder::SetBkImage(const QPixmap& Value) {
  if (Value.cacheKey() == FBkImage.cacheKey()) return;
  FBkImage = Value;
  RepaintBackground();
}

void TvxQueryBuilder::SetDefColumnsPaneHeight(int Value) {
  if (Value < 60) Value = 0;
  const int Bound = height() * 6 / 8;
  if (Value > Bound) Value = Bound;
  if (Value == FDefColumnsPaneHeight) return;
  FDefColumnsPaneHeight = Value;
  // The panes read the current height while their parameters are updated.
  FCurrentColumnsPaneHeight = Value;
  DoUpdateControlParams();
}

void TvxQueryBuilder::SetAddObjectFormOptions(TvxAddObjectFormOptions* Value) {
  if (Value != nullptr && Value != FAddObjectFormOptions) FAddObjectFormOptions->Assign(*Value);
}

// --- controls ----------------------------------------------------------------------------------

void TvxQueryBuilder::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  CreateControls();
}

void TvxQueryBuilder::CreateControls() {
  if (FControlsCreated || FDestroying) return;
  FControlsCreated = true;
  FRootQuery->CreateControl();
  if (QWidget* Page = GetActiveSubquery()->GetQueryPage()) FPageControl->setCurrentWidget(Page);
}

void TvxQueryBuilder::SetControlFactory(TvxQueryBuilderControlFactory* Factory) {
  if (Factory == nullptr) Factory = &vx::GetDefaultControlFactory();
  if (Factory == FControlFactory) return;
  const bool Recreate = FControlsCreated;
  DestroyControls();
  FControlFactory = Factory;
  if (Recreate) CreateControls();
}

void TvxQueryBuilder::DestroyControls() {
  if (!FControlsCreated) return;
  FControlsCreated = false;
  if (FRootQuery != nullptr) FRootQuery->DestroyControl();
}

void TvxQueryBuilder::DoUpdateControlParams() {
  if (FPageControl != nullptr) {
    // Qt's tab bar has no button look: buttons become the triangular shape, flat buttons the
    // frameless document mode.
    FPageControl->tabBar()->setAttribute(Qt::WA_Hover, FTabHotTrack);
    FPageControl->setTabShape(FTabStyle == tsButtons ? QTabWidget::Triangular : QTabWidget::Rounded);
    FPageControl->setDocumentMode(FTabStyle == tsFlatButtons);
  }
  const int Margin = FrameWidthOf(FBorderStyle) + std::max(0, FBorderWidth);
  if (layout() != nullptr) layout()->setContentsMargins(Margin, Margin, Margin, Margin);
  update();
  if (FControlsCreated && FRootQuery != nullptr && FRootQuery->GetControlsCreated()) FRootQuery->DoUpdateContolParams();
}

void TvxQueryBuilder::paintEvent(QPaintEvent* Event) {
  QPainter Painter(this);
  Painter.fillRect(Event->rect(), palette().window());
  const QRect Frame = rect();
  switch (FBorderStyle) {
    case qbbs3D:
      qDrawShadePanel(&Painter, Frame, palette(), true, FrameWidthOf(qbbs3D));
      break;
    case qbbsFlat:
    case qbbsUltraFlat: {
      const int Width = FrameWidthOf(FBorderStyle);
      Painter.setPen(QPen(FBorderColor, Width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
      Painter.setBrush(Qt::NoBrush);
      // A pen of width W centred on a rectangle W/2 inside covers exactly the outer W pixels.
      const qreal Inset = Width / 2.0;
      Painter.drawRect(QRectF(Frame).adjusted(Inset, Inset, -Inset, -Inset));
      break;
    }
    default:
      break;
  }
}

void TvxQueryBuilder::RepaintBackground() {
  TvxSubQuery* SubQuery = GetActiveSubquery();
  TvxUnionSubQuery* Operand = SubQuery != nullptr ? SubQuery->GetActiveUnionSubquery() : nullptr;
  if (Operand == nullptr || !Operand->GetControlsCreated()) return;
  if (QWidget* WorkArea = Operand->GetWorkArea()) WorkArea->update();
}
