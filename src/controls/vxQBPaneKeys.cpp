#include "vxQBPaneKeys.h"

#include "vxQBPageControl.h"
#include "vxQBQueryTabSheet.h"
#include "vxQBUnionNavBar.h"
#include "vxQuerySelectList.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QApplication>
#include <QShortcut>

namespace {
constexpr int GNavBarPane = 2;
}

TvxPaneKeys::TvxPaneKeys(TvxQueryBuiderPageControl* Pages) : QObject(Pages), FPages(Pages) {
  setObjectName(QStringLiteral("PaneKeys"));
  for (const bool Forward : {true, false}) {
    auto* Shortcut = new QShortcut(Forward ? QKeySequence(Qt::Key_F6) : QKeySequence(Qt::SHIFT | Qt::Key_F6), Pages);
    Shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(Shortcut, &QShortcut::activated, this, [this, Forward] { CyclePanes(Forward); });
  }
}

TvxQueryTabSheet* TvxPaneKeys::ShownSheet() const { return qobject_cast<TvxQueryTabSheet*>(FPages->currentWidget()); }

QList<QWidget*> TvxPaneKeys::GetPanes() const {
  const TvxQueryTabSheet* Sheet = ShownSheet();
  const TvxUnionSubQuery* Operand = Sheet != nullptr ? Sheet->GetSubQuery()->GetActiveUnionSubquery() : nullptr;
  if (Operand == nullptr) return {nullptr, nullptr, nullptr};
  auto Shown = [](QWidget* Pane) { return Pane != nullptr && Pane->isVisible() ? Pane : nullptr; };
  return {Shown(Operand->GetWorkArea()), Shown(Operand->GetSelectList()->GetSelectListControl()),
          Sheet->GetNavBar()->isVisible() ? Shown(Operand->GetUnionButton()) : nullptr};
}

void TvxPaneKeys::CyclePanes(bool Forward) {
  const QList<QWidget*> Panes = GetPanes();
  const QWidget* Focused = QApplication::focusWidget();
  const TvxQueryTabSheet* Sheet = ShownSheet();
  int At = Forward ? Panes.size() - 1 : 0;
  for (int Index = 0; Index < Panes.size(); ++Index) {
    // The whole bar counts as the pane of its button.
    const QWidget* Area = Index == GNavBarPane && Panes[Index] != nullptr ? Sheet->GetNavBar() : Panes[Index];
    if (Area != nullptr && (Area == Focused || Area->isAncestorOf(Focused))) At = Index;
  }
  for (int Step = 1; Step <= Panes.size(); ++Step) {
    QWidget* Next = Panes[(At + (Forward ? Step : Panes.size() - Step)) % Panes.size()];
    if (Next == nullptr) continue;
    Next->setFocus(Qt::OtherFocusReason);
    return;
  }
}
