// The properties dialogs of links and datasources as the user drives them, opened by double
// clicks on the diagram's lines and boxes.
#include "vxDialogsTest.h"

#include "vxLinkProps.h"
#include "vxQBDataSourceControl.h"
#include "vxQBLinkControl.h"
#include "vxQBWorkArea.h"
#include "vxQueryDatasource.h"
#include "vxQueryLink.h"
#include "vxTestModal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using namespace vxtest;

namespace {

template <class T>
T* Part(QWidget* Dialog, const char* Name) {
  T* Found = Dialog->findChild<T*>(QLatin1String(Name));
  if (Found == nullptr) qFatal("the dialog has no %s", Name);
  return Found;
}

void ClickOK(QWidget* Dialog) { QTest::mouseClick(Part<QPushButton>(Dialog, "BitBtn1"), Qt::LeftButton); }

// Replaces the text of Field as a user does: select all, type.
void Retype(QLineEdit* Field, const QString& Text) {
  Field->setFocus();
  Field->selectAll();
  QTest::keyClick(Field, Qt::Key_Delete);
  QTest::keyClicks(Field, Text);
}

// Opens the dialog with Open and runs Body on it; a dialog still open afterwards is cancelled,
// so that a failed check cannot leave the test waiting in its exec().
void EditWith(const std::function<void()>& Open, const std::function<void(QDialog*)>& Body) {
  bool Ran = false;
  const QPointer<QTimer> Poll = WhenModalShows([&](QWidget* Modal) {
    Ran = true;
    auto* Dialog = qobject_cast<QDialog*>(Modal);
    Body(Dialog);
    if (Dialog->isVisible()) Dialog->reject();
  });
  Open();
  if (!Ran) delete Poll.data();
  QVERIFY(Ran);
}

// A double click on Link's line, through the window as a user's reaches it, or on the caption
// bar of Datasource's box.
void EditWith(TvxLink* Link, const std::function<void(QDialog*)>& Body) {
  auto* Line = qobject_cast<TvxQueryBuilderLinkControl*>(Link->GetLinkControl());
  QVERIFY(Line != nullptr);
  // The line is drawn on the work area's canvas, which hands it the clicks near it.
  QWidget* Canvas = Line->GetWorkArea()->GetCanvas();
  QWidget* Window = Canvas->window();
  const QPoint OnLine = Canvas->mapTo(Window, Line->GetBounds().topLeft() + Line->GetPoints()[0] + QPoint(8, 0));
  EditWith([&] { QTest::mouseDClick(Window->windowHandle(), Qt::LeftButton, {}, OnLine); }, Body);
}

void EditWith(TvxDatasource* Datasource, const std::function<void(QDialog*)>& Body) {
  auto* Box = qobject_cast<TvxQueryBuilderDataSourceControl*>(Datasource->GetDSControl());
  QVERIFY(Box != nullptr);
  EditWith([&] { QTest::mouseDClick(Box, Qt::LeftButton, {}, Box->GetCaptionRect().center()); }, Body);
}

const std::string GJoin = "SELECT c.CompanyName, o.OrderID FROM Customers c INNER JOIN Orders o ON ";

}  // namespace

class TPropsFormsTest : public QObject {
  Q_OBJECT

private slots:
  void AColumnComparisonOpensInSimpleModeAndOnlyItsOperatorChanges_data() {
    QTest::addColumn<QString>("Condition");
    QTest::newRow("plain") << "c.CustomerID = o.CustomerID";
    QTest::newRow("in brackets") << "((c.CustomerID = o.CustomerID))";
  }
  void AColumnComparisonOpensInSimpleModeAndOnlyItsOperatorChanges() {
    QFETCH(QString, Condition);
    TDialogRig Rig;
    Rig.Show();
    Rig.Load(GJoin + Condition.toStdString());
    const std::string Before = Rig.SQL();
    EditWith(Rig.FirstLink(), [&](QDialog* Dialog) {
      QCOMPARE(Dialog->windowTitle(), QStringLiteral("Link Properties"));
      QVERIFY(qobject_cast<TvxLinkPropsForm*>(Dialog)->IsSimpleMode());
      QCOMPARE(Part<QLineEdit>(Dialog, "eLeftObj")->text(), QStringLiteral("c"));
      QCOMPARE(Part<QLineEdit>(Dialog, "eRightObj")->text(), QStringLiteral("o"));
      QCOMPARE(Part<QLineEdit>(Dialog, "eLeftCol")->text(), QStringLiteral("CustomerID"));
      QCOMPARE(Part<QLineEdit>(Dialog, "eRightCol")->text(), QStringLiteral("CustomerID"));
      auto* Operator = Part<QComboBox>(Dialog, "cbOperator");
      QCOMPARE(Operator->currentText(), QStringLiteral("="));
      QCOMPARE(Dialog->focusWidget(), Operator);
      QVERIFY(!Part<QCheckBox>(Dialog, "cbAllFromLeft")->isChecked());
      SaveScreenshot(*Dialog, QStringLiteral("link-props-simple"));
      // Picked from the list with the keyboard, as the focus is on it.
      const int Unequal = Operator->findText(QStringLiteral("<>"));
      QVERIFY(Unequal > 0);
      while (Operator->currentIndex() < Unequal) QTest::keyClick(Operator, Qt::Key_Down);
      QCOMPARE(Operator->currentText(), QStringLiteral("<>"));
      ClickOK(Dialog);
      QVERIFY(!Dialog->isVisible());
    });
    std::string Expected = Before;
    const size_t At = Expected.find("c.CustomerID=o.CustomerID");
    QVERIFY(At != std::string::npos);
    Expected.replace(At + 12, 1, "<>");
    QCOMPARE(Q(Rig.SQL()), Q(Expected));
  }

  void TheTwoBoxesChooseTheJoin_data() {
    QTest::addColumn<bool>("Left");
    QTest::addColumn<bool>("Right");
    QTest::addColumn<QString>("Join");
    QTest::newRow("both") << true << true << "Customers c FULL JOIN  Orders o";
    QTest::newRow("none") << false << false << "Customers c INNER JOIN  Orders o";
  }
  void TheTwoBoxesChooseTheJoin() {
    QFETCH(bool, Left);
    QFETCH(bool, Right);
    QFETCH(QString, Join);
    TDialogRig Rig;
    Rig.Show();
    // Starting from a left join, so that unticking is tried as well as ticking; the new join
    // keeps the spelling of the old one (no OUTER).
    Rig.Load("SELECT c.CompanyName FROM Customers c LEFT JOIN Orders o ON c.CustomerID = o.CustomerID");
    EditWith(Rig.FirstLink(), [&](QDialog* Dialog) {
      auto* AllFromLeft = Part<QCheckBox>(Dialog, "cbAllFromLeft");
      auto* AllFromRight = Part<QCheckBox>(Dialog, "cbAllFromRight");
      QVERIFY(AllFromLeft->isChecked() && !AllFromRight->isChecked());
      if (AllFromLeft->isChecked() != Left) QTest::mouseClick(AllFromLeft, Qt::LeftButton);
      if (AllFromRight->isChecked() != Right) QTest::mouseClick(AllFromRight, Qt::LeftButton);
      QCOMPARE(AllFromLeft->isChecked(), Left);
      QCOMPARE(AllFromRight->isChecked(), Right);
      if (Left && Right) SaveScreenshot(*Dialog, QStringLiteral("link-props-full-join"));
      ClickOK(Dialog);
    });
    QCOMPARE(Q(Rig.SQL()), QStringLiteral("SELECT c.CompanyName FROM %1 ON c.CustomerID=o.CustomerID").arg(Join));
  }

  void AnExpressionIsParsedOnOKAndABadOneKeepsTheDialogOpen() {
    TDialogRig Rig;
    Rig.Show();
    Rig.Load(GJoin + "c.CustomerID = o.CustomerID OR c.CustomerID = o.ShipToCustomerID");
    const std::string Before = Rig.SQL();
    EditWith(Rig.FirstLink(), [&](QDialog* Dialog) {
      QVERIFY(!qobject_cast<TvxLinkPropsForm*>(Dialog)->IsSimpleMode());
      auto* Expression = Part<QLineEdit>(Dialog, "eExpression");
      QCOMPARE(Expression->text(), QStringLiteral("c.CustomerID=o.CustomerID Or c.CustomerID=o.ShipToCustomerID"));
      QCOMPARE(Dialog->focusWidget(), Expression);
      Retype(Expression, QStringLiteral("c.CustomerID = = o.CustomerID"));
      ClickOK(Dialog);
      // Nothing changed, nothing typed is lost, and the message says where reading stopped.
      QVERIFY(Dialog->isVisible());
      QCOMPARE(Q(Rig.SQL()), Q(Before));
      QCOMPARE(Expression->text(), QStringLiteral("c.CustomerID = = o.CustomerID"));
      QCOMPARE(Expression->selectedText(), QStringLiteral("="));
      const QString Error = Part<QLabel>(Dialog, "lError")->text();
      QVERIFY2(Error.contains(QLatin1String("near '=' (column 14)")), qPrintable(Error));
      SaveScreenshot(*Dialog, QStringLiteral("link-props-expression-error"));

      // Mended, the condition becomes exactly what was typed.
      Retype(Expression, QStringLiteral("c.CustomerID = o.CustomerID AND o.Freight > 20"));
      ClickOK(Dialog);
      QVERIFY(!Dialog->isVisible());
    });
    QCOMPARE(Q(Rig.SQL()), QStringLiteral("SELECT c.CompanyName, o.OrderID FROM Customers c INNER JOIN  Orders o ON "
                                          "c.CustomerID=o.CustomerID And o.Freight>20"));

    // Cancel leaves everything as it was, even after a change that would parse.
    const std::string Edited = Rig.SQL();
    EditWith(Rig.FirstLink(), [&](QDialog* Dialog) {
      Retype(Part<QLineEdit>(Dialog, "eExpression"), QStringLiteral("o.Freight > 1"));
      QTest::mouseClick(Part<QCheckBox>(Dialog, "cbAllFromLeft"), Qt::LeftButton);
      QTest::mouseClick(Part<QPushButton>(Dialog, "BitBtn2"), Qt::LeftButton);
    });
    QCOMPARE(Q(Rig.SQL()), Q(Edited));
  }

  void AChangedAliasRenamesTheBoxAndAnUnchangedOneIsLeftAlone() {
    TDialogRig Rig;
    Rig.Show();
    // A delimited alias: writing it back as typed would lose its quotes.
    Rig.Load("SELECT \"Cust\".CompanyName FROM Customers AS \"Cust\"");
    const std::string Before = Rig.SQL();
    TvxDatasource* Customers = Rig.Datasource("Cust");
    QVERIFY(Customers != nullptr);
    EditWith(Customers, [&](QDialog* Dialog) {
      QCOMPARE(Dialog->windowTitle(), QStringLiteral("Datasource Properties"));
      auto* Object = Part<QLineEdit>(Dialog, "eObj");
      QCOMPARE(Object->text(), QStringLiteral("Customers"));
      QVERIFY(Object->isReadOnly());
      QCOMPARE(Part<QLineEdit>(Dialog, "eAlias")->text(), QStringLiteral("Cust"));
      ClickOK(Dialog);
    });
    QCOMPARE(Q(Rig.SQL()), Q(Before));
    QCOMPARE(Q(Customers->GetAlias()), QStringLiteral("Cust"));

    EditWith(Customers, [&](QDialog* Dialog) {
      auto* Alias = Part<QLineEdit>(Dialog, "eAlias");
      QCOMPARE(Dialog->focusWidget(), Alias);
      Retype(Alias, QStringLiteral("Buyer"));
      SaveScreenshot(*Dialog, QStringLiteral("datasource-props"));
      QTest::keyClick(Alias, Qt::Key_Return);
      QVERIFY(!Dialog->isVisible());
    });
    QCOMPARE(Q(Rig.SQL()), QStringLiteral("SELECT Buyer.CompanyName FROM Customers AS Buyer"));
    QCOMPARE(Customers->GetDSControl()->windowTitle(), QStringLiteral("Buyer"));
    SaveScreenshot(Rig.QueryBuilder, QStringLiteral("diagram-after-alias"));
  }

  void AnEmptiedAliasOfADerivedTableKeepsTheDialogOpenWithItsMessage() {
    TDialogRig Rig;
    Rig.Show();
    Rig.Load("SELECT d.ProductID FROM (SELECT ProductID FROM Products) d");
    const std::string Before = Rig.SQL();
    EditWith(Rig.Datasource("d"), [&](QDialog* Dialog) {
      Retype(Part<QLineEdit>(Dialog, "eAlias"), QString());
      ClickOK(Dialog);
      QVERIFY(Dialog->isVisible());
      QCOMPARE(Part<QLabel>(Dialog, "lError")->text(), QStringLiteral("A derived table needs an alias"));
      SaveScreenshot(*Dialog, QStringLiteral("datasource-props-refused"));
    });
    QCOMPARE(Q(Rig.SQL()), Q(Before));
  }
};

VX_REGISTER_TEST(TPropsFormsTest)

#include "PropsFormsTest.moc"
