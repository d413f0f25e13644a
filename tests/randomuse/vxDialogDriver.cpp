#include "vxDialogDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vxrandom {
namespace {

// What a user types into a dialog's fields: names (plain, needing quotes, empty), operators and
// conditions, some of them wrong.
const std::vector<std::string> GTexts = {"",           "x1",    "Order Date",
                                         "it's",       "\"q\"", "select",
                                         "CustomerID", "=",     "<>",
                                         ">=",         "Like",  "a.b = c.d",
                                         "1 = 1 AND",  "(",     "o.CustomerID = c.CustomerID",
                                         "EmployeeID", "Ä"};

bool IsEditable(const QWidget* Field) { return Field->isVisible() && Field->isEnabled(); }

}  // namespace

TvxDialogDriver::TvxDialogDriver(std::function<void(QDialog&)> Handle) : FHandle(std::move(Handle)) {
  QObject::connect(&FPoll, &QTimer::timeout, [this] {
    auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (Dialog == nullptr || FHandled) return;
    FHandled = true;
    FPoll.stop();
    FHandle(*Dialog);
    if (Dialog->isVisible()) Dialog->reject();
  });
  FPoll.start(5);
}

TvxDialogDriver::~TvxDialogDriver() = default;

void ChangeFields(QDialog& Dialog, TvxRandom& Random) {
  for (QLineEdit* Field : Dialog.findChildren<QLineEdit*>()) {
    // A combo box's own line edit is the combo box's to change.
    if (!IsEditable(Field) || Field->isReadOnly() || qobject_cast<QComboBox*>(Field->parentWidget()) != nullptr ||
        !Random.Chance(50))
      continue;
    Field->selectAll();
    QTest::keyClick(Field, Qt::Key_Delete);
    QTest::keyClicks(Field, QString::fromStdString(Random.Pick(GTexts)));
  }
  for (QCheckBox* Box : Dialog.findChildren<QCheckBox*>())
    if (IsEditable(Box) && Random.Chance(50)) Box->click();
  for (QComboBox* Box : Dialog.findChildren<QComboBox*>()) {
    if (!IsEditable(Box) || Box->count() == 0 || !Random.Chance(50)) continue;
    if (Box->isEditable() && Random.Chance(30))
      Box->setEditText(QString::fromStdString(Random.Pick(GTexts)));
    else
      Box->setCurrentIndex(Random.Below(Box->count()));
  }
}

void CloseDialog(QDialog& Dialog, bool Accept) {
  auto* Buttons = Dialog.findChild<QDialogButtonBox*>();
  QPushButton* Button = nullptr;
  if (Buttons != nullptr) Button = Buttons->button(Accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
  if (Button != nullptr)
    Button->click();
  else
    Accept ? Dialog.accept() : Dialog.reject();
  if (Accept && Dialog.isVisible()) CloseDialog(Dialog, false);
}

}  // namespace vxrandom
