#include "vxDiagramTest.h"

#include "vxQBDataSourceControl.h"
#include "vxQBDatasourceFieldsList.h"
#include "vxQBDiagramScale.h"
#include "vxQBLinkControl.h"
#include "vxQBWorkArea.h"
#include "vxQueryDatasource.h"

#include <QStyleOptionViewItem>
#include <QTest>
#include <QWindow>
#include <QtMath>

namespace vxtest {

TDiagramRig::TDiagramRig() {
  Metadata.OnGetSQLFieldNames = [](TvxBaseMetadataProvider*, const std::string& SQL, TvxStringList& Fields) {
    // "select * from " and the source as written, alias included.
    const QString Source = QString::fromStdString(SQL).mid(14).section(QLatin1Char(' '), 0, 0);
    if (Source.compare(QStringLiteral("Customers"), Qt::CaseInsensitive) == 0)
      Fields = {"Id", "Name", "City"};
    else if (Source.compare(QStringLiteral("Orders"), Qt::CaseInsensitive) == 0)
      Fields = {"Id", "CustId", "Total", "Note"};
    else
      Fields = {"A", "B", "C"};
  };
  Metadata.OnGetTableRelations = [this](TvxBaseMetadataProvider*, const TSQLDatabaseObject& Table,
                                        TSQLMetadataRelationList& Relations) {
    const std::string Name = vx::UpperCase(Table.GetObjName());
    if (Name != "CUSTOMERS" && Name != "ORDERS") return;
    Relations.push_back(TSQLMetadataRelation::Create(QueryBuilder.GetASTSyntaxProvider(), "Customers", "Orders"));
    Relations.back()->AddPair("Id", "CustId");
  };
  QueryBuilder.SetSyntaxProvider(&Syntax);
  QueryBuilder.SetMetadataProvider(&Metadata);
  QueryBuilder.resize(900, 700);
  QueryBuilder.SetDefColumnsPaneHeight(100);
}

void TDiagramRig::Load(const std::string& Text) {
  QueryBuilder.SetSQL(Text);
  QueryBuilder.ProcessPendingSQL();
}

TvxQueryBuilderDataSourceControl* TDiagramRig::Box(const QString& Caption) const {
  TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(QueryBuilder);
  if (WorkArea == nullptr) return nullptr;
  for (auto* Box : WorkArea->GetCanvas()->findChildren<TvxQueryBuilderDataSourceControl*>())
    if (Box->windowTitle() == Caption && Box->isVisible()) return Box;
  return nullptr;
}

void TDiagramTest::init() {
  FRig = std::make_unique<TDiagramRig>();
  QVERIFY(ShowAndWait(FRig->QueryBuilder));
}

QList<TvxQueryBuilderLinkControl*> TDiagramRig::Lines() const {
  TvxQueryBuilderWorkArea* WorkArea = ActiveWorkArea(QueryBuilder);
  return WorkArea != nullptr ? WorkArea->GetCanvas()->findChildren<TvxQueryBuilderLinkControl*>()
                             : QList<TvxQueryBuilderLinkControl*>();
}

QListWidgetItem* RowOf(TvxQueryBuilderDataSourceControl* Box, const QString& Field) {
  const QList<QListWidgetItem*> Found = Box->GetFieldsList()->findItems(Field, Qt::MatchExactly);
  return Found.isEmpty() ? nullptr : Found.first();
}

QPoint CheckBoxOf(TvxQueryBuilderDataSourceControl* Box, const QString& Field) {
  TvxQueryBuilderDatasourceFieldsList* List = Box->GetFieldsList();
  // A zoomed row is its natural row drawn scaled.
  const double Zoom = Box->GetWorkArea()->GetScale().GetFactor();
  const QRect Row = List->visualItemRect(RowOf(Box, Field));
  QStyleOptionViewItem Option;
  Option.initFrom(List);
  Option.rect = QRect(0, 0, qCeil(Row.width() / Zoom), qCeil(Row.height() / Zoom));
  Option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  Option.text = Field;
  const QPointF Centre =
      QRectF(List->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &Option, List)).center();
  return Row.topLeft() + (Centre * Zoom).toPoint();
}

void ClickCheckBox(TvxQueryBuilderDataSourceControl* Box, const QString& Field) {
  QTest::mouseClick(Box->GetFieldsList()->viewport(), Qt::LeftButton, {}, CheckBoxOf(Box, Field));
}

void DragField(TvxQueryBuilderDataSourceControl* From, const QString& FromField, TvxQueryBuilderDataSourceControl* To,
               const QString& ToField) {
  QWidget* Source = From->GetFieldsList()->viewport();
  const QPoint Start = From->GetFieldsList()->visualItemRect(RowOf(From, FromField)).center();
  QWidget* Target = To->GetFieldsList()->viewport();
  const QPoint End =
      Source->mapFromGlobal(Target->mapToGlobal(To->GetFieldsList()->visualItemRect(RowOf(To, ToField)).center()));
  QTest::mousePress(Source, Qt::LeftButton, {}, Start);
  QTest::mouseMove(Source, Start + QPoint(5, 0));
  QTest::mouseMove(Source, End);
  QTest::mouseRelease(Source, Qt::LeftButton, {}, End);
}

void DragCaption(TvxQueryBuilderDataSourceControl* Box, const QPoint& Target) {
  const QPoint Grip = Box->GetCaptionRect().center() - QPoint(10, 0);
  const QPoint Global = Box->mapToGlobal(Grip) + (Box->GetWorkArea()->GetScale().ToCanvas(Target) - Box->pos());
  QTest::mousePress(Box, Qt::LeftButton, {}, Grip);
  QTest::mouseMove(Box, Box->mapFromGlobal(Global));
  QTest::mouseRelease(Box, Qt::LeftButton, {}, Box->mapFromGlobal(Global));
}

void ClickThroughWindow(QWidget* Widget, const QPoint& Point, Qt::MouseButton Button) {
  QWidget* Window = Widget->window();
  QTest::mouseClick(Window->windowHandle(), Button, {}, Widget->mapTo(Window, Point));
}

}  // namespace vxtest
