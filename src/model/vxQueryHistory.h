// The undo history of a query builder: a bounded list of snapshots of the component's state,
// each the query's text and its layout (box bounds, shown tab and operands), with a
// cursor on the one that describes the state now. Undo and redo load a neighbouring snapshot: its
// text (which rebuilds the model only when the text differs) and then its layout.
//
// One user action fires several change notifications (a tick adds a row and rewrites the
// query; closing a box drops its links, rows and conditions), so a notification only schedules
// a snapshot, taken once the event loop is idle; a snapshot equal to the current one is no step.
// Nothing is recorded while a snapshot is being restored.
#pragma once

#include <QObject>
#include <QTimer>

#include <deque>
#include <memory>
#include <string>

class TvxQueryBuilder;
class TvxQueryLayout;

// One state of the component.
struct TvxQueryState {
  std::string SQL;     // the component's one-line text
  std::string Layout;  // TvxQueryLayout's text form
  bool operator==(const TvxQueryState&) const = default;
};

class TvxQueryHistory : public QObject {
  Q_OBJECT

public:
  // Owned by QueryBuilder (its QObject child); starts with the state QueryBuilder is in.
  explicit TvxQueryHistory(TvxQueryBuilder* QueryBuilder);
  ~TvxQueryHistory() override;

  // The query or its layout changed: a snapshot follows once the event loop is idle. Ignored
  // while a snapshot is restored.
  void NoteChange();
  // Takes the snapshot a noted change awaits now.
  void Flush();
  // Forgets every step: the state now is the only snapshot (assigned SQL starts here).
  void StartAfresh();
  // Takes the state now as the current snapshot in place, without a step: for what changes the
  // picture but is no edit (boxes placed when the diagram is first made).
  void RefreshCurrent();

  // --- what the component's loading of assigned SQL tells ---
  // A host's layout for the assigned text SQL that waits to be loaded.
  void SetPendingLayout(std::unique_ptr<TvxQueryLayout> Layout, const std::string& SQL);
  // The waiting layout when it was given for SQL, else null; either way none waits any more.
  std::unique_ptr<TvxQueryLayout> TakePendingLayout(const std::string& SQL);
  // Assigned SQL was loaded: Layout (may be null) is applied and the history starts afresh.
  void SQLAssigned(const TvxQueryLayout* Layout);
  // A host applies Layout to the query as it stands: a step, unless the history has none yet
  // (the layout then completes the loaded query's first state).
  void ApplyHostLayout(const TvxQueryLayout& Layout);

  // False also while assigned SQL waits to be loaded, which starts the history afresh anyway.
  bool CanUndo() const;
  bool CanRedo() const;
  // Go back or forward one step, after taking a noted change. They raise what loading the
  // snapshot's text raises (no syntax or metadata provider, a text the dialect now refuses), and
  // then the component and the history are as they were.
  void Undo();
  void Redo();

  // The number of steps kept behind the current state (the oldest go first); default 100.
  // Below 0 counts as 0, which keeps no undo at all.
  int GetLimit() const { return FLimit; }
  void SetLimit(int Value);
  // The snapshots kept (the current one included) and the cursor's place among them.
  int GetCount() const { return static_cast<int>(FStates.size()); }
  int GetIndex() const { return FIndex; }
  const TvxQueryState& GetState(int Index) const { return FStates.at(static_cast<size_t>(Index)); }
  bool IsRestoring() const { return FRestoring; }
  // True while a noted change waits for its snapshot.
  bool IsRecordPending() const { return FRecordTimer.isActive(); }

  // The component's state now. The layout leaves the link painter out.
  TvxQueryState Capture() const;

protected:
  // Boxes get their places when the component is first shown; that is no step.
  bool eventFilter(QObject* Watched, QEvent* Event) override;

signals:
  // CanUndo or CanRedo may have changed.
  void changed();

private:
  void Record();
  std::string CaptureLayout() const;
  void Restore(int Index);
  void Trim();

  TvxQueryBuilder* FQueryBuilder;
  std::deque<TvxQueryState> FStates;
  int FIndex = -1;
  int FLimit = 100;
  bool FRestoring = false;
  QTimer FRecordTimer;  // single shot, zero interval: fires once the event loop is idle
  std::unique_ptr<TvxQueryLayout> FPendingLayout;
  std::string FPendingLayoutSQL;
};
