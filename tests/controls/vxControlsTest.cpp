#include "vxControlsTest.h"

#include "vxQBControlOwner.h"
#include "vxQBEditPropsForm.h"
#include "vxQBUnionSubQueryTabSheet.h"
#include "vxQBWorkArea.h"
#include "vxSampleDatabase.h"

#include <QDir>
#include <QSqlDatabase>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace vxtest {

QTabBar* TabBarOf(const TvxQueryBuilder& QueryBuilder) { return QueryBuilder.GetPageControl()->tabBar(); }

QStringList TabCaptions(const TvxQueryBuilder& QueryBuilder) {
  QStringList Captions;
  const QTabWidget* Pages = QueryBuilder.GetPageControl();
  for (int I = 0; I < Pages->count(); ++I) Captions << Pages->tabText(I);
  return Captions;
}

TvxUnionSubQueryTabSheet* PageOf(const TvxUnionSubQuery* Operand) {
  return Operand != nullptr ? qobject_cast<TvxUnionSubQueryTabSheet*>(Operand->GetUnionPage()) : nullptr;
}

TvxQueryBuilderWorkArea* WorkAreaOf(const TvxUnionSubQuery* Operand) {
  return Operand != nullptr ? qobject_cast<TvxQueryBuilderWorkArea*>(Operand->GetWorkArea()) : nullptr;
}

TvxQueryBuilderWorkArea* ActiveWorkArea(const TvxQueryBuilder& QueryBuilder) {
  return WorkAreaOf(QueryBuilder.GetActiveSubquery()->GetActiveUnionSubquery());
}

bool ShowAndWait(QWidget& Widget) {
  Widget.show();
  return QTest::qWaitForWindowExposed(&Widget);
}

QString SaveScreenshot(const QImage& Picture, const QString& Name) {
  const QString Folder = QStringLiteral(VX_SCREENSHOT_DIR);
  QDir().mkpath(Folder);
  const QString Path = Folder + "/" + Name + ".png";
  return Picture.save(Path) ? Path : QString();
}

namespace {

int GEdits = 0;

class TCountingForm : public TvxEditPropsForm {
public:
  void SetPosition(TvxPosition) override {}
  bool Edit(TvxQueryBuilderControlOwner*, TvxBaseSyntaxProvider*) override {
    ++GEdits;
    return false;
  }
};

const TvxEditPropsFormClass CountingFormClass{
    "TCountingForm", [](QWidget*) -> std::unique_ptr<TvxEditPropsForm> { return std::make_unique<TCountingForm>(); }};

}  // namespace

const TvxEditPropsFormClass* TCountingDialogSyntaxProvider::GetEditPropsFormClass(TvxQueryBuilderControlOwner* Owner) {
  return Owner != nullptr && Owner->metaObject()->inherits(&FOwnerClass) ? &CountingFormClass : nullptr;
}

int TCountingDialogSyntaxProvider::GetEditCount() { return GEdits; }

QString SampleConnection() {
  static const QString Name = [] {
    const QString Connection = QStringLiteral("controls-sample");
    QSqlDatabase Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
    Db.setDatabaseName(TvxSampleDatabase::EnsureSQLiteFile());
    Db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    Db.open();
    return Connection;
  }();
  return Name;
}

}  // namespace vxtest
