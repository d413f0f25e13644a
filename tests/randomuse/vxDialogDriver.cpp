#include "vxDialogDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
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

void TypeText(QWidget* Widget, const QString& Text) {
  for (const QChar Character : Text) {
    if (Character.unicode() < 0x80)
      QTest::keyClick(Widget, char(Character.unicode()));
    else
      QTest::sendKeyEvent(QTest::Click, Widget, Qt::Key_unknown, QString(Character), Qt::NoModifier);
  }
}

void ChangeFields(QDialog& Dialog, TvxRandom& Random) {
  for (QLineEdit* Field : Dialog.findChildren<QLineEdit*>()) {
    // A combo box's own line edit is the combo box's to change.
    if (!IsEditable(Field) || Field->isReadOnly() || qobject_cast<QComboBox*>(Field->parentWidget()) != nullptr ||
        !Random.Chance(50))
      continue;
    Field->selectAll();
    QTest::keyClick(Field, Qt::Key_Delete);
    TypeText(Field, QString::fromStdString(Random.Pick(GTexts)));
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

// In the add-object dialog: a tab, perhaps a filter typed, a name picked and added once or
// twice, perhaps with the foreign-key box flipped; then Close.
void AddObjects(QDialog& Dialog, int Seed) {
  TvxRandom Random(static_cast<std::uint64_t>(Seed));
  if (auto* Tabs = Dialog.findChild<QTabWidget*>(QStringLiteral("pcObjects")); Tabs != nullptr && Tabs->count() > 0)
    Tabs->setCurrentIndex(Random.Below(Tabs->count()));
  const bool Views = Dialog.findChild<QTabWidget*>(QStringLiteral("pcObjects")) != nullptr &&
                     Dialog.findChild<QTabWidget*>(QStringLiteral("pcObjects"))->currentIndex() == 1;
  auto* Filter = Dialog.findChild<QLineEdit*>(Views ? QStringLiteral("eViewsFilter") : QStringLiteral("eTablesFilter"));
  if (Filter != nullptr && Random.Chance(30)) QTest::keyClicks(Filter, Random.Chance(50) ? "or" : "zz");
  if (auto* Box = Dialog.findChild<QCheckBox*>(QStringLiteral("cbAddFK")); Box != nullptr && Random.Chance(30))
    Box->click();
  auto* List = Dialog.findChild<QListView*>(Views ? QStringLiteral("lViews") : QStringLiteral("lTables"));
  auto* Add = Dialog.findChild<QPushButton*>(QStringLiteral("bAdd"));
  for (int Times = 1 + Random.Below(2); Times > 0 && List != nullptr && Add != nullptr; --Times) {
    const int Rows = List->model() != nullptr ? List->model()->rowCount() : 0;
    if (Rows > 0) List->setCurrentIndex(List->model()->index(Random.Below(Rows), 0));
    if (Add->isEnabled()) Add->click();
  }
  if (auto* Close = Dialog.findChild<QPushButton*>(QStringLiteral("bClose"))) Close->click();
}

void HandleDialog(QDialog& Dialog, int Seed, bool Accept) {
  if (Dialog.findChild<QTabWidget*>(QStringLiteral("pcObjects")) != nullptr) {
    AddObjects(Dialog, Seed);
    return;
  }
  TvxRandom Random(static_cast<std::uint64_t>(Seed));
  ChangeFields(Dialog, Random);
  CloseDialog(Dialog, Accept);
}

}  // namespace vxrandom
