// The library's own drag, the way a field is dragged onto another field or onto the select-list
// grid and a navigation-bar item onto another: tracked with the mouse alone. A left press on the
// source and a move beyond a threshold start it; on every move the target under the pointer is
// asked whether it takes the source there; releasing over a target that said yes drops the
// source on it; Escape, or releasing anywhere else, ends the drag without a drop. Qt's system
// drag is not used: it runs a nested loop of its own that tests cannot drive, and drops from
// outside the library (the host's) are a different matter, handled by the work area.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>

// A widget that takes library drags implements this beside its Qt base. The drag finds it
// under the pointer, or as the nearest parent of the widget under the pointer.
class TvxDragTarget {
public:
  virtual ~TvxDragTarget() = default;
  // Whether Source may be dropped at Point (in this widget's coordinates); Accept comes in false.
  virtual void DragOver(QObject* Source, const QPoint& Point, bool& Accept) = 0;
  // Source is dropped at Point, where DragOver accepted it. A target that calls the model
  // reports the model's refusals itself (vx::RunReported).
  virtual void DragDrop(QObject* Source, const QPoint& Point) = 0;
};

class TvxMouseDrag : public QObject {
  Q_OBJECT

public:
  // Watches the mouse on Source, which owns this object. A move more than Threshold pixels
  // away from the press, horizontally or vertically, starts a drag of Source.
  TvxMouseDrag(QWidget* Source, int Threshold);
  // A drag still running is cancelled.
  ~TvxMouseDrag() override;

  QWidget* GetSource() const { return FSource; }
  bool IsDragging() const { return FDragging; }
  // The target that accepted the drop at the pointer's last position; null when none did.
  QWidget* GetAcceptingTarget() const { return FAccepted ? FTarget.data() : nullptr; }
  // Ends a running drag without a drop, as Escape does.
  void Cancel();

  // Asked when the threshold is passed whether the drag may start from the press at Point
  // (Source's coordinates); unset, it always may.
  std::function<bool(const QPoint& Point)> OnCanStartDrag;

signals:
  void dragStarted();
  // Emitted once per drag, after the drop when there was one.
  void dragFinished(bool Dropped);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  // Each answers whether the event is the drag's and goes no further.
  bool MouseMoved(const QPoint& Global);
  bool MouseReleased(const QPoint& Global);
  void Start();
  // Asks the target under Global and remembers its answer.
  void Track(const QPoint& Global);
  // Leaves the dragging state: the cursor and the Escape watch go.
  void Stop();

  QWidget* FSource;
  int FThreshold;
  bool FPressed = false;
  QPoint FPressGlobal;
  bool FDragging = false;
  QPointer<QWidget> FTarget;
  QPoint FTargetPoint;
  bool FAccepted = false;
};
