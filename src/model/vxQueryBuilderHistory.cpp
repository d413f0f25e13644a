// The component's undo and redo, their actions, and the diagram's layout as text.
#include "vxQueryBase.h"
#include "vxQueryBuilder.h"
#include "vxQueryHistory.h"
#include "vxQueryLayout.h"
#include "vxQuerySubQuery.h"
#include "vxQueryUnionSubQuery.h"

#include <QAction>
#include <QApplication>

void TvxQueryBuilder::CreateHistory() {
  FHistory = new TvxQueryHistory(this);
  auto MakeAction = [this](const QString& Name, const QString& Text, const QKeySequence& Keys,
                           void (TvxQueryBuilder::*Slot)()) {
    auto* Action = new QAction(Text, this);
    Action->setObjectName(Name);
    Action->setShortcut(Keys);
    // Only while the focus is in the component: a host's other editors keep their own keys.
    Action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    Action->setEnabled(false);
    connect(Action, &QAction::triggered, this, Slot);
    addAction(Action);
    return Action;
  };
  FUndoAction =
      MakeAction(QStringLiteral("aUndo"), tr("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), &TvxQueryBuilder::Undo);
  FRedoAction = MakeAction(QStringLiteral("aRedo"), tr("&Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                           &TvxQueryBuilder::Redo);
  connect(FHistory, &TvxQueryHistory::changed, this, [this] {
    FUndoAction->setEnabled(CanUndo());
    FRedoAction->setEnabled(CanRedo());
  });
}

namespace {

// Runs a step of the history. A step that rebuilds the model frees the widget that had the
// focus; the focus then stays in the component, on the diagram, so that the next Ctrl+Z still
// reaches it.
template <class TStep>
void RunStep(TvxQueryBuilder& QueryBuilder, TStep&& Step) {
  const bool HadFocus = QueryBuilder.isAncestorOf(QApplication::focusWidget());
  vx::RunReported(&QueryBuilder, Step);
  if (!HadFocus || QueryBuilder.isAncestorOf(QApplication::focusWidget())) return;
  const TvxUnionSubQuery* Operand = QueryBuilder.GetActiveSubquery()->GetActiveUnionSubquery();
  if (QWidget* WorkArea = Operand != nullptr ? Operand->GetWorkArea() : nullptr)
    WorkArea->setFocus(Qt::OtherFocusReason);
  else
    QueryBuilder.setFocus(Qt::OtherFocusReason);
}

}  // namespace

void TvxQueryBuilder::Undo() {
  RunStep(*this, [this] { FHistory->Undo(); });
}

void TvxQueryBuilder::Redo() {
  RunStep(*this, [this] { FHistory->Redo(); });
}

bool TvxQueryBuilder::CanUndo() const { return FHistory->CanUndo(); }

bool TvxQueryBuilder::CanRedo() const { return FHistory->CanRedo(); }

int TvxQueryBuilder::GetUndoLimit() const { return FHistory->GetLimit(); }

void TvxQueryBuilder::SetUndoLimit(int Value) { FHistory->SetLimit(Value); }

std::string TvxQueryBuilder::SaveLayout() const { return TvxQueryLayout::Capture(*this).ToText(); }

void TvxQueryBuilder::ApplyLayout(const std::string& Text) {
  auto Layout = std::make_unique<TvxQueryLayout>(TvxQueryLayout::Parse(Text));
  if (FSQLPending) {
    FHistory->SetPendingLayout(std::move(Layout), FPendingSQL);
    return;
  }
  FHistory->ApplyHostLayout(*Layout);
}

void TvxQueryBuilder::LayoutChanged() {
  if (FHistory != nullptr && !FDestroying) FHistory->NoteChange();
}
