// The diagram from the keyboard. One per work area: it watches the keys and focus of the work
// area and of every box's fields list (Attach) and turns keys into the calls the mouse makes, so
// that the whole diagram is built and edited without a mouse:
//
// - Tab / Shift+Tab: the next / previous item of the diagram, the boxes in FROM order, then the
//   lines in creation order. Past the last item (or before the first) the keyboard focus leaves
//   the diagram as Tab leaves any widget (forwards to the select-list grid). Entering the diagram
//   with Tab focuses its first item, with Shift+Tab its last.
// - In a box: Up, Down, Home, End, Page Up, Page Down and the first letters of a name choose the
//   current field row, Space ticks it (the list's own keys).
// - Ctrl+L starts a link at the current field of the focused box. Left / Right (or Tab /
//   Shift+Tab) choose the box at the other end, which is ringed; Up, Down, Home, End, Page Up,
//   Page Down and letters its field; a dashed line shows the link to be. Enter makes it, as a
//   field dropped on that field would (the focused field is the left end); Escape, or the focus
//   leaving the box, drops it.
// - Enter or Alt+Enter: the properties of the focused box or line, or of the operand when no item
//   is focused (as a double click).
// - Ctrl+arrows move the focused box, Ctrl+Shift+arrows size it at its right and bottom edges, by
//   the smallest multiple of the grid of at least 10 pixels, snapped as a move of the mouse.
// - Insert: the add-object dialog (the work-area menu's "Add Table").
// - Menu or Shift+F10: the menu of the focused box or line, else the work area's.
// - Delete (handled by the work area and the box's list): removes the focused box or line.
//
// Focus is always shown: a focused box by its caption bar in the highlight colour and its current
// row, a focused line by a band of the highlight colour under it, the diagram itself (focused with
// no item) by a frame around its visible part. While these keys are the diagram's they are
// claimed before the host's shortcuts.
#pragma once

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QPainter;
class QWidget;
class TvxQueryBuilderDataSourceControl;
class TvxQueryBuilderDatasourceFieldsList;
class TvxQueryBuilderLinkControl;
class TvxQueryBuilderWorkArea;
class TvxFocusFrame;

class TvxWorkAreaKeyboard : public QObject {
  Q_OBJECT

public:
  // A child of WorkArea, watching it.
  explicit TvxWorkAreaKeyboard(TvxQueryBuilderWorkArea* WorkArea);

  // Watches the keys and focus of a box's list (its box's constructor calls this).
  void Attach(TvxQueryBuilderDatasourceFieldsList* List);
  // The boxes in FROM order, then the laid-out lines in creation order: what Tab walks.
  QList<QWidget*> GetItems() const;
  // The ends of the link being chosen; null when none is.
  TvxQueryBuilderDataSourceControl* GetLinkSource() const { return FLinkSource; }
  TvxQueryBuilderDataSourceControl* GetLinkTarget() const { return FLinkTarget; }
  // The work area's focused control changed (it calls this): the diagram's own frame shows only
  // while the work area has the focus and no item does.
  void FocusedControlChanged();
  // Draws the link being chosen on the canvas (canvas pixels): the ring around its target box
  // and the dashed line between the two rows.
  void PaintLinkChoice(QPainter& Canvas) const;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  enum class TAction { None, Next, Previous, Properties, StartLink, AddObject, Menu, Move, Size };

  // What Event asks of the diagram outside a link choice.
  TAction ActionOf(const QKeyEvent& Event) const;
  bool KeyPressed(QKeyEvent* Event);
  bool LinkKeyPressed(QKeyEvent* Event);
  TvxQueryBuilderDataSourceControl* FocusedBox() const;
  TvxQueryBuilderLinkControl* FocusedLine() const;
  // The boxes of GetItems().
  QList<TvxQueryBuilderDataSourceControl*> GetBoxes() const;

  // Gives Item (a box or a line) the diagram's focus and scrolls it into view.
  void FocusItem(QWidget* Item);
  void StepFocus(bool Forward);
  // Passes the keyboard focus on to the widget after (before) the diagram.
  void LeaveDiagram(bool Forward);
  void EditProperties();
  void ShowMenu();
  void MoveOrSize(const QKeyEvent& Event, bool Size);

  void StartLink();
  // The next (Step 1) or previous (-1) box after the current target, skipping the source.
  void StepLinkTarget(int Step);
  void SetLinkTarget(TvxQueryBuilderDataSourceControl* Target);
  // Moves the target's current row as Key does in a list, never onto row 0 ("*").
  void MoveTargetRow(int Key);
  void FinishLink(bool Create);
  void UpdateFrame();

  TvxQueryBuilderWorkArea* FWorkArea;
  TvxFocusFrame* FFrame;
  QPointer<TvxQueryBuilderDataSourceControl> FLinkSource;
  QPointer<TvxQueryBuilderDataSourceControl> FLinkTarget;
  int FLinkSourceRow = -1;
  // Set while a Tab passes through to Qt's own focus chain.
  bool FLeaving = false;
};
