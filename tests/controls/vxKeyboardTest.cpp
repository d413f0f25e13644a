#include "vxKeyboardTest.h"

#include "vxQBDatasourceFieldsList.h"
#include "vxQuerySelectList.h"
#include "vxQueryUnionSubQuery.h"
#include "vxTestModal.h"

#include <QApplication>
#include <QTest>

namespace vxtest {

namespace {

QWidget* KeyTarget() {
  QWidget* Target = QApplication::activePopupWidget();
  if (Target != nullptr && Target->focusWidget() != nullptr) Target = Target->focusWidget();
  return Target != nullptr ? Target : QApplication::focusWidget();
}

}  // namespace

void Press(int Key, Qt::KeyboardModifiers Modifiers) {
  QWidget* Target = KeyTarget();
  QVERIFY2(Target != nullptr, "nothing has the keyboard focus");
  QTest::keyClick(Target, static_cast<Qt::Key>(Key), Modifiers);
}

void Type(const QString& Text) {
  for (const QChar Letter : Text) {
    QWidget* Target = KeyTarget();
    QVERIFY2(Target != nullptr, "nothing has the keyboard focus");
    QTest::keyClicks(Target, QString(Letter));
  }
}

TvxQueryBuilderDataSourceControl* FocusedBox(const TvxQueryBuilderWorkArea* WorkArea) {
  return qobject_cast<TvxQueryBuilderDataSourceControl*>(WorkArea->GetFocusedControl());
}

QString CurrentField(const TvxQueryBuilderDataSourceControl* Box) {
  const QListWidgetItem* Row = Box != nullptr ? Box->GetFieldsList()->currentItem() : nullptr;
  return Row != nullptr ? Row->text() : QString();
}

TvxQueryBuilderSelectListControl* GridOf(const TvxQueryBuilder& QueryBuilder) {
  const TvxUnionSubQuery* Operand = QueryBuilder.GetActiveSubquery()->GetActiveUnionSubquery();
  return qobject_cast<TvxQueryBuilderSelectListControl*>(Operand->GetSelectList()->GetSelectListControl());
}

bool InModal(QWidget& Window, const std::function<void()>& Open, const std::function<void(QWidget*)>& Keys) {
  bool Ended = false;
  const QPointer<QTimer> Poll = WhenModalShows([&](QWidget* Modal) {
    // Keys go where the focus is: into the dialog once it is the active window.
    if (QTest::qWaitForWindowActive(Modal)) Keys(Modal);
    Ended = !Modal->isVisible();
    // A dialog the keys did not end must not hold the test up.
    if (!Ended) Modal->close();
  });
  Open();
  delete Poll.data();
  Window.activateWindow();
  // Active, and the focus back where it was in the window.
  return QTest::qWaitFor([&Window] {
           const QWidget* Focused = QApplication::focusWidget();
           return Window.isActiveWindow() && Focused != nullptr && Focused->window() == &Window;
         }) &&
         Ended;
}

void MoveToCell(TvxQueryBuilderSelectListControl* Grid, int Row, int Column) {
  for (int Keys = 0; Keys < 20 && Grid->currentIndex().row() != Row; ++Keys)
    Press(Grid->currentIndex().row() < Row ? Qt::Key_Down : Qt::Key_Up);
  for (int Keys = 0; Keys < 20 && Grid->currentIndex().column() != Column; ++Keys)
    Press(Qt::Key_Tab, Grid->currentIndex().column() < Column ? Qt::NoModifier : Qt::ShiftModifier);
  QCOMPARE(Grid->currentIndex().row(), Row);
  QCOMPARE(Grid->currentIndex().column(), Column);
}

}  // namespace vxtest
