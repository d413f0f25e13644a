#include "vxQBUnionSubQueryTabSheet.h"

#include "vxQBQueryTabSheet.h"
#include "vxQBWorkArea.h"
#include "vxQueryBuilder.h"
#include "vxQueryUnionSubQuery.h"

#include <QFrame>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

TvxUnionSubQueryTabSheet::TvxUnionSubQueryTabSheet(TvxUnionSubQuery* Operand, TvxQueryTabSheet* Sheet)
    : QWidget(Sheet), FUnionSubQuery(Operand), FQueryBuilder(Operand->GetQueryBuilder()) {
  setObjectName(QStringLiteral("UnionSubQueryTabSheet"));
  setVisible(false);
  setGeometry(Sheet->rect());

  FSplitter = new QSplitter(Qt::Vertical, this);
  FSplitter->setObjectName(QStringLiteral("Splitter"));
  // A collapsed pane would leave the grid unreachable for a user who does not know to drag it
  // back.
  FSplitter->setChildrenCollapsible(false);
  FWorkArea = new TvxQueryBuilderWorkArea(this);
  FBottomPanel = new QFrame;
  FBottomPanel->setObjectName(QStringLiteral("ColumnsPane"));
  FBottomPanel->setAutoFillBackground(true);
  auto* PaneLayout = new QVBoxLayout(FBottomPanel);
  PaneLayout->setContentsMargins(0, 0, 0, 0);
  FSplitter->addWidget(FWorkArea);
  FSplitter->addWidget(FBottomPanel);
  // When the page grows, the diagram takes the room; the grid keeps its height.
  FSplitter->setStretchFactor(0, 1);
  FSplitter->setStretchFactor(1, 0);
  connect(FSplitter, &QSplitter::splitterMoved, this, [this] { FUserSized = true; });
  if (FQueryBuilder != nullptr) FPaneSetting = FQueryBuilder->GetCurrentColumnsPaneHeight();
  UpdateContolParams();
}

QWidget* TvxUnionSubQueryTabSheet::GetWorkArea() const { return FWorkArea; }

void TvxUnionSubQueryTabSheet::UpdateContolParams() {
  if (FQueryBuilder == nullptr) return;
  FSplitter->setHandleWidth(FQueryBuilder->GetSplitterHeight());
  if (FPaneSetting != FQueryBuilder->GetCurrentColumnsPaneHeight()) {
    FPaneSetting = FQueryBuilder->GetCurrentColumnsPaneHeight();
    FUserSized = false;
  }
  ApplyPaneHeight();
  FWorkArea->UpdateContolParams();
}

int TvxUnionSubQueryTabSheet::GetWantedPaneHeight() const {
  if (FQueryBuilder == nullptr) return 0;
  const int Setting = FQueryBuilder->GetCurrentColumnsPaneHeight();
  return Setting != 0 ? Setting : 3 * FQueryBuilder->height() / 8;
}

void TvxUnionSubQueryTabSheet::ApplyPaneHeight() {
  if (FUserSized || FSplitter->height() <= 0) return;
  const int Pane = GetWantedPaneHeight();
  const int Room = FSplitter->height() - FSplitter->handleWidth();
  FSplitter->setSizes({std::max(0, Room - Pane), Pane});
}

void TvxUnionSubQueryTabSheet::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  FSplitter->setGeometry(rect());
  // Whatever order the page is shown and sized in, the pane ends at its height and the diagram
  // takes the rest.
  ApplyPaneHeight();
}
