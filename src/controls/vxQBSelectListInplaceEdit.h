// The editor of the select-list grid's current cell: a frameless line of text with, at its right
// end, a 12-pixel button that drops a pick list down or, for a cell with nested SELECTs, shows
// "..." and opens them. Like the grid's own editor in a spreadsheet it stays on the current cell
// (the grid moves and shows it); typed text reaches the model only when it is committed.
//
// Keys: Enter (pick list closed) commits and selects the whole text; Escape puts the cell's text
// back; F2 puts the caret at the end of the text, unselected; Alt+Down or F4 drops the pick list down; Up, Down, Page
// Up, Page Down, Tab, and Left or Right at the ends of the text go to the grid, which commits before it moves. In the
// pick list Enter or a click chooses, Escape closes it. The text is also committed when the keyboard focus leaves the
// grid.
#pragma once

#include "vxQuerySelectList.h"

#include <QFrame>

class QLineEdit;
class QListWidget;
class QToolButton;
class TvxQueryBuilderSelectListControl;

class TvxQueryBuilderSelectListInplaceEdit : public QFrame {
  Q_OBJECT

public:
  static constexpr int EditButtonWidth = 12;

  // A child of Grid's viewport, hidden until the grid shows it on a cell.
  explicit TvxQueryBuilderSelectListInplaceEdit(TvxQueryBuilderSelectListControl* Grid);

  TvxQueryBuilderSelectListControl* GetGrid() const { return FGrid; }
  QLineEdit* GetLineEdit() const { return FLineEdit; }
  // The button at the right end; hidden for plain text.
  QToolButton* GetEditButton() const { return FEditButton; }
  // The drop-down list of a pick list (a popup; not visible while closed).
  QListWidget* GetPickList() const { return FPickList; }
  TvxGridEditStyle GetEditStyle() const { return FStyle; }

  // Starts editing a cell that holds Text, all of it selected, with the button of Style.
  void Open(const QString& Text, TvxGridEditStyle Style);
  QString GetText() const;
  void SetText(const QString& Text);
  // True when the text differs from the cell's, as opened.
  bool IsModified() const;
  void SelectAll();

  // Fills the pick list from the grid and shows it under the editor (pick lists only).
  void DropDown();
  // Closes the pick list; Accept puts its current choice into the text and commits it.
  void CloseUp(bool Accept);
  bool IsDroppedDown() const;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;

private:
  void EditButtonClicked();
  // Keys typed into the text; true when the editor took the key.
  bool LineKeyPressed(QKeyEvent* Event);
  bool PickListKeyPressed(QKeyEvent* Event);

  TvxQueryBuilderSelectListControl* FGrid;
  QLineEdit* FLineEdit;
  QToolButton* FEditButton;
  QListWidget* FPickList;
  TvxGridEditStyle FStyle = esSimple;
  QString FOpenedText;
};
