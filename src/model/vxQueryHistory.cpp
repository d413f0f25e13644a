#include "vxQueryHistory.h"

#include "vxQueryBuilder.h"
#include "vxQueryLayout.h"

#include <QEvent>

namespace {

// Sets Flag for the scope's life, also when an exception leaves it.
class TFlagScope {
public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
};

}  // namespace

TvxQueryHistory::TvxQueryHistory(TvxQueryBuilder* QueryBuilder) : QObject(QueryBuilder), FQueryBuilder(QueryBuilder) {
  FRecordTimer.setSingleShot(true);
  FRecordTimer.setInterval(0);
  connect(&FRecordTimer, &QTimer::timeout, this, &TvxQueryHistory::Record);
  QueryBuilder->installEventFilter(this);
  StartAfresh();
}

TvxQueryHistory::~TvxQueryHistory() = default;

TvxQueryState TvxQueryHistory::Capture() const { return {FQueryBuilder->GetSQL(), CaptureLayout()}; }

std::string TvxQueryHistory::CaptureLayout() const {
  TvxQueryLayout Layout = TvxQueryLayout::Capture(*FQueryBuilder);
  // The link style is the host's choice of look, not an edit: an undo leaves it as it is.
  Layout.HasPainter = false;
  Layout.Painter.clear();
  return Layout.ToText();
}

// --- recording ---------------------------------------------------------------------------------

void TvxQueryHistory::NoteChange() {
  if (!FRestoring) FRecordTimer.start();
}

void TvxQueryHistory::Flush() {
  if (FRecordTimer.isActive()) Record();
}

void TvxQueryHistory::Record() {
  FRecordTimer.stop();
  if (FRestoring) return;
  TvxQueryState State = Capture();
  if (FIndex >= 0 && State == FStates[static_cast<size_t>(FIndex)]) return;
  FStates.erase(FStates.begin() + (FIndex + 1), FStates.end());
  FStates.push_back(std::move(State));
  FIndex = GetCount() - 1;
  Trim();
  emit changed();
}

void TvxQueryHistory::StartAfresh() {
  FRecordTimer.stop();
  FStates.clear();
  FStates.push_back(Capture());
  FIndex = 0;
  emit changed();
}

void TvxQueryHistory::RefreshCurrent() {
  if (FRestoring) return;
  // A change noted meanwhile is a step of its own, which takes the new places with it.
  if (FRecordTimer.isActive()) {
    Record();
    return;
  }
  FStates[static_cast<size_t>(FIndex)] = Capture();
}

bool TvxQueryHistory::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FQueryBuilder && Event->type() == QEvent::Show && !FQueryBuilder->GetControlsCreated()) {
    // The component makes its controls, and places the boxes, when it handles this event.
    Flush();
    QTimer::singleShot(0, this, &TvxQueryHistory::RefreshCurrent);
  }
  return QObject::eventFilter(Watched, Event);
}

void TvxQueryHistory::SetLimit(int Value) {
  Value = std::max(0, Value);
  if (Value == FLimit) return;
  FLimit = Value;
  Trim();
  emit changed();
}

void TvxQueryHistory::Trim() {
  const auto Kept = static_cast<size_t>(FLimit) + 1;
  while (FStates.size() > Kept && FIndex > 0) {
    FStates.pop_front();
    --FIndex;
  }
  while (FStates.size() > Kept) FStates.pop_back();
}

// --- assigned SQL and a host's layout ------------------------------------------------------------

void TvxQueryHistory::SetPendingLayout(std::unique_ptr<TvxQueryLayout> Layout, const std::string& SQL) {
  FPendingLayout = std::move(Layout);
  FPendingLayoutSQL = SQL;
}

std::unique_ptr<TvxQueryLayout> TvxQueryHistory::TakePendingLayout(const std::string& SQL) {
  std::unique_ptr<TvxQueryLayout> Layout = std::move(FPendingLayout);
  if (FPendingLayoutSQL != SQL) Layout.reset();
  FPendingLayoutSQL.clear();
  return Layout;
}

void TvxQueryHistory::SQLAssigned(const TvxQueryLayout* Layout) {
  if (Layout != nullptr) Layout->Apply(*FQueryBuilder);
  StartAfresh();
}

void TvxQueryHistory::ApplyHostLayout(const TvxQueryLayout& Layout) {
  Flush();
  Layout.Apply(*FQueryBuilder);
  if (GetCount() > 1)
    Record();
  else
    RefreshCurrent();
}

// --- undo and redo -----------------------------------------------------------------------------

bool TvxQueryHistory::CanUndo() const { return FIndex > 0 && !FQueryBuilder->IsSQLLoading(); }

bool TvxQueryHistory::CanRedo() const { return FIndex + 1 < GetCount() && !FQueryBuilder->IsSQLLoading(); }

void TvxQueryHistory::Undo() {
  Flush();
  if (CanUndo()) Restore(FIndex - 1);
}

void TvxQueryHistory::Redo() {
  Flush();
  if (CanRedo()) Restore(FIndex + 1);
}

void TvxQueryHistory::Restore(int Index) {
  const TvxQueryState& State = FStates[static_cast<size_t>(Index)];
  const TvxQueryLayout Layout = TvxQueryLayout::Parse(State.Layout);
  // The current snapshot holds the query's text as it stands (a noted change was taken first):
  // a step that only moved boxes needs no loading.
  const bool Reload = State.SQL != FStates[static_cast<size_t>(FIndex)].SQL;
  {
    TFlagScope Restoring(FRestoring);
    // Raises before the model changes when the text does not load.
    if (Reload) FQueryBuilder->ReloadSQL(State.SQL);
    Layout.Apply(*FQueryBuilder);
  }
  FRecordTimer.stop();
  FIndex = Index;
  // A query rebuilt from the step's text may write that text otherwise (conditions the first
  // load put in another order): the step takes the state as it now stands, so that the next
  // change is compared with what is on screen.
  if (Reload)
    FStates[static_cast<size_t>(Index)] = Capture();
  else
    FStates[static_cast<size_t>(Index)].Layout = CaptureLayout();
  emit changed();
}
