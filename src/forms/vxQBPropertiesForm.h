// The properties dialogs of model objects share their load-show-save cycle: Edit loads the
// object's properties into the widgets (LoadProps), shows the dialog modally, and OK writes them
// back (SaveProps). What SaveProps raises -- text the dialect cannot read, a name the model
// refuses -- keeps the dialog open with the message under the fields, and the object is left as
// it was; Cancel changes nothing.
//
// Layout: the subclass's panels from the top (AddPanel), the message, then the buttons
// (pButtons: BitBtn1 OK, BitBtn2 Cancel).
#pragma once

#include "vxQBEditPropsForm.h"

#include <QDialog>
#include <QPointer>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;
class TvxQueryBuilderControlOwner;

class TvxQBPropertiesForm : public QDialog, public TvxEditPropsForm {
  Q_OBJECT

public:
  explicit TvxQBPropertiesForm(QWidget* Parent);

  void SetPosition(TvxPosition Position) override { FPosition = Position; }
  bool Edit(TvxQueryBuilderControlOwner* Owner, TvxBaseSyntaxProvider* SyntaxProvider) override;
  // The first half of Edit: keeps Owner and SyntaxProvider and loads the widgets, without
  // showing the dialog.
  void Load(TvxQueryBuilderControlOwner* Owner, TvxBaseSyntaxProvider* SyntaxProvider);
  // The message of the last OK that was refused; empty when none.
  QString GetErrorText() const;
  // OK: saves, and closes unless saving was refused.
  void accept() override;

protected:
  virtual void LoadProps(TvxQueryBuilderControlOwner* Owner) = 0;
  // Raises to refuse; then it must have changed nothing.
  virtual void SaveProps(TvxQueryBuilderControlOwner* Owner) = 0;

  // A field that shows a value without taking typing: read-only, on the dialog's own colour.
  static QLineEdit* NewReadOnlyField(QWidget* Parent, const char* Name);
  // Appends Panel (a child of the dialog) under the panels added before.
  void AddPanel(QWidget* Panel);
  // Shows Message under the fields; an empty one hides the line.
  void ShowError(const QString& Message);
  TvxBaseSyntaxProvider* GetSyntaxProvider() const { return FSyntaxProvider; }

private:
  QPointer<TvxQueryBuilderControlOwner> FOwner;
  TvxBaseSyntaxProvider* FSyntaxProvider = nullptr;
  TvxPosition FPosition = poMainFormCenter;
  QVBoxLayout* FPanels = nullptr;
  QLabel* lError = nullptr;
  QDialogButtonBox* pButtons = nullptr;
};
