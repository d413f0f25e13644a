#include "HistoryTestRig.h"

#include "vxQBDataSourceControl.h"
#include "vxQueryHistory.h"

#include <QCoreApplication>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <ostream>

namespace vxtest {

void PrintTo(const TPicture& Picture, std::ostream* Stream) {
  *Stream << "\n  SQL: " << Picture.SQL << "\n  shown: tab " << Picture.ShownTab << ", operand "
          << Picture.ShownOperand;
  for (const std::string& Box : Picture.Boxes) *Stream << "\n  " << Box;
}

TShownRig::TShownRig() {
  FQueryBuilder.resize(1100, 750);
  FQueryBuilder.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&FQueryBuilder));
}

void TShownRig::Settle() {
  for (int Turn = 0; Turn < 100 && FQueryBuilder.GetHistory()->IsRecordPending(); ++Turn)
    QCoreApplication::processEvents();
  EXPECT_FALSE(FQueryBuilder.GetHistory()->IsRecordPending());
}

std::vector<TvxDatasource*> Boxes(TvxUnionSubQuery* Operand) {
  TvxDatasourceList Items;
  Operand->GetFromClause()->GetItemsByType(Items, TvxDatasource::staticMetaObject, true);
  std::vector<TvxDatasource*> List;
  for (TvxDatasourceBase* Item : Items) List.push_back(static_cast<TvxDatasource*>(Item));
  return List;
}

QRect BoundsOf(const TvxDatasource* Datasource) {
  const QWidget* Control = Datasource->GetDSControl();
  return Control != nullptr ? Control->geometry() : QRect();
}

TPicture TShownRig::Picture() const {
  TPicture Shown;
  Shown.SQL = SQL();
  const QTabWidget* Tabs = FQueryBuilder.GetPageControl();
  Shown.ShownTab = Tabs->currentIndex();
  for (int Index = 0; Index < FQueryBuilder.GetSubQueriesCount(); ++Index) {
    TvxSubQuery* SubQuery = FQueryBuilder.GetSubQueries(Index);
    const int Tab = Tabs->indexOf(SubQuery->GetQueryPage());
    for (int Place = 0; Place < SubQuery->GetUnionSubQueriesCount(); ++Place) {
      TvxUnionSubQuery* Operand = SubQuery->GetUnionSubQueries(Place);
      if (Tab == Shown.ShownTab && Operand->GetUnionPage() != nullptr && Operand->GetUnionPage()->isVisible())
        Shown.ShownOperand = Place;
      for (const TvxDatasource* Datasource : Boxes(Operand)) {
        const QRect Bounds = BoundsOf(Datasource);
        Shown.Boxes.push_back(std::to_string(Tab) + " | " + std::to_string(Place) + " | " +
                              Datasource->GetDisplayCaption() + " | " + std::to_string(Bounds.x()) + "," +
                              std::to_string(Bounds.y()) + " " + std::to_string(Bounds.width()) + "x" +
                              std::to_string(Bounds.height()));
      }
    }
  }
  std::sort(Shown.Boxes.begin(), Shown.Boxes.end());
  return Shown;
}

std::string TShownRig::Reloaded(const std::string& SQL) {
  TvxQueryBuilder Fresh;
  Fresh.SetSyntaxProvider(&FSyntax);
  Fresh.SetMetadataProvider(&FMetadata);
  Fresh.SetSQL(SQL);
  Fresh.ProcessPendingSQL();
  return Fresh.GetSQL();
}

TvxDatasource* TShownRig::Box(const std::string& Caption) const {
  TvxSubQuery* SubQuery = FQueryBuilder.GetActiveSubquery();
  for (TvxDatasource* Datasource : Boxes(SubQuery->GetActiveUnionSubquery()))
    if (Datasource->GetDisplayCaption() == Caption) return Datasource;
  ADD_FAILURE() << "no box captioned " << Caption;
  return nullptr;
}

namespace {

// Presses at Grip of Control and lets go Offset away, Control moving under the mouse meanwhile.
void Drag(QWidget* Control, const QPoint& Grip, const QPoint& Offset) {
  const QPoint Start = Control->mapToGlobal(Grip);
  QTest::mousePress(Control, Qt::LeftButton, {}, Grip);
  QTest::mouseMove(Control, Control->mapFromGlobal(Start + Offset / 2));
  QTest::mouseMove(Control, Control->mapFromGlobal(Start + Offset));
  QTest::mouseRelease(Control, Qt::LeftButton, {}, Control->mapFromGlobal(Start + Offset));
}

}  // namespace

void DragCaption(TvxDatasource* Datasource, const QPoint& Offset) {
  auto* Control = qobject_cast<TvxQueryBuilderDataSourceControl*>(Datasource->GetDSControl());
  ASSERT_NE(Control, nullptr);
  Drag(Control, Control->GetCaptionRect().center() - QPoint(10, 0), Offset);
}

void DragCorner(TvxDatasource* Datasource, const QPoint& Offset) {
  QWidget* Control = Datasource->GetDSControl();
  ASSERT_NE(Control, nullptr);
  Drag(Control, QPoint(Control->width() - 2, Control->height() - 2), Offset);
}

}  // namespace vxtest
