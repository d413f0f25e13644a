// The demo's SQL pane: the query's text in a monospace editor that the user may change, an
// Apply button that hands the edited text back, and a strip that shows why text was refused.
#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TvxDemoSQLPane : public QWidget {
  Q_OBJECT

public:
  explicit TvxDemoSQLPane(QWidget* Parent = nullptr);

  // Shows Text (CR LF line breaks are taken as one) and clears the error and the edited mark.
  void SetText(const QString& Text);
  QString GetText() const;
  // True once the user changed the text after it was last set.
  bool IsEdited() const { return FEdited; }
  // The text was handed to the builder.
  void ClearEdited() { FEdited = false; }

  // Shows Message; with a Position (a character index into the text, -1 for none) the caret is
  // put there, the Length characters from there are underlined, and the message is prefixed
  // with its line and column, both counted from 1.
  void ShowError(const QString& Message, int Position, int Length);
  void ClearError();
  // The message the error strip shows; empty when none.
  QString GetErrorText() const;

  QPlainTextEdit* GetEditor() const { return eSQL; }
  QPushButton* GetApplyButton() const { return bApply; }

signals:
  // Apply was pressed with Text in the editor.
  void applyRequested(const QString& Text);

private:
  QPlainTextEdit* eSQL = nullptr;
  QPushButton* bApply = nullptr;
  QLabel* lError = nullptr;
  bool FEdited = false;
  bool FSettingText = false;
};
