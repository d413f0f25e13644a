// A user at a modal dialog: while an action waits in a dialog's exec(), the driver fills the
// dialog's fields as the action's numbers say and closes it, so that a run never waits for a
// person. It lives for one action: a dialog the action never opened leaves nothing behind.
#pragma once

#include "vxRandom.h"

#include <QTimer>

#include <functional>
#include <memory>

class QDialog;
class QString;
class QWidget;

namespace vxrandom {

class TvxDialogDriver {
public:
  // Handle is called once with the first modal dialog that shows; if it leaves the dialog
  // open, the driver closes it (Cancel) itself.
  explicit TvxDialogDriver(std::function<void(QDialog&)> Handle);
  ~TvxDialogDriver();

  bool GetHandled() const { return FHandled; }

private:
  QTimer FPoll;
  std::function<void(QDialog&)> FHandle;
  bool FHandled = false;
};

// Changes what a properties dialog shows, with draws from Random: a field gets another text
// (names, aliases, operators, conditions, valid or not), a check box flips, a list picks
// another entry.
void ChangeFields(QDialog& Dialog, TvxRandom& Random);
// Presses OK (Accept true) or Cancel; an OK the dialog refuses (it stays open with the
// message) is followed by Cancel, as a user gives up.
void CloseDialog(QDialog& Dialog, bool Accept);

// Types Text into Widget key by key; a character no key of QTest's stands for (beyond ASCII)
// comes as a key event that carries only the text, as an input method delivers it.
void TypeText(QWidget* Widget, const QString& Text);
// In the add-object dialog: a tab, perhaps a filter typed, names picked and added, perhaps with
// the foreign-key box flipped, all drawn from Seed; then Close.
void AddObjects(QDialog& Dialog, int Seed);
// Whatever dialog a menu item opened: the add-object dialog as AddObjects does, any other one
// changed from Seed and closed with OK (Accept) or Cancel.
void HandleDialog(QDialog& Dialog, int Seed, bool Accept);

}  // namespace vxrandom
