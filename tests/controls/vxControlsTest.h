// Shared pieces of the widget tests: a shown component and the widgets of its model objects.
#pragma once

#include "vxModelTest.h"

#include <QImage>
#include <QString>

class QTabBar;
class TvxQueryBuilderControlOwner;
class TvxQueryBuilderWorkArea;
class TvxUnionSubQueryTabSheet;

namespace vxtest {

// The component's tab bar.
QTabBar* TabBarOf(const TvxQueryBuilder& QueryBuilder);
// The captions of the component's tabs, left to right.
QStringList TabCaptions(const TvxQueryBuilder& QueryBuilder);
// The union page and the work area of Operand (null while it has no controls).
TvxUnionSubQueryTabSheet* PageOf(const TvxUnionSubQuery* Operand);
TvxQueryBuilderWorkArea* WorkAreaOf(const TvxUnionSubQuery* Operand);
// The work area of the active operand of the active sub-query.
TvxQueryBuilderWorkArea* ActiveWorkArea(const TvxQueryBuilder& QueryBuilder);
// Shows Widget and waits until it is on screen; false when it never got there.
bool ShowAndWait(QWidget& Widget);
// Writes Picture to the screenshot folder of the build tree as Name.png; the path, or empty on
// failure.
QString SaveScreenshot(const QImage& Picture, const QString& Name);
// The SQL-92 dialect with a properties dialog that only counts how often it is asked to edit
// (GetEditCount), for the model objects of class OwnerClass (and its subclasses); other objects
// have none.
class TCountingDialogSyntaxProvider : public TvxSQL92SyntaxProvider {
public:
  explicit TCountingDialogSyntaxProvider(const QMetaObject& OwnerClass) : FOwnerClass(OwnerClass) {}
  const TvxEditPropsFormClass* GetEditPropsFormClass(TvxQueryBuilderControlOwner* Owner) override;
  static int GetEditCount();

private:
  const QMetaObject& FOwnerClass;
};

// The name of a Qt SQL connection to the sample database in SQLite (opened on first use).
QString SampleConnection();

}  // namespace vxtest
