#include "vxQBLinkPainter.h"

#include "vxCommon.h"
#include "vxQueryBuilder.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>

TvxQueryBuilderLinkPainter::TvxQueryBuilderLinkPainter(TvxQueryBuilder* QueryBuilder) : FQueryBuilder(QueryBuilder) {}

void TvxQueryBuilderLinkPainter::DrawLine(QPainter& Canvas, const TvxLinkPoints& Points, const QColor& Color, int Width,
                                          int VerticalOffset) const {
  // A line of odd width through pixel centres covers whole pixels; through pixel corners an
  // antialiasing canvas would smear it over two rows.
  const qreal Shift = Width % 2 != 0 ? 0.5 : 0.0;
  QPolygonF Line;
  for (const QPoint& Point : Points) Line << QPointF(Point.x() + Shift, Point.y() + VerticalOffset + Shift);
  Canvas.setPen(QPen(Color, Width, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
  Canvas.drawPolyline(Line);
}

void TvxQueryBuilderLinkPainter::SetColorProperty(QColor& Field, const QColor& Value) {
  if (Field == Value) return;
  Field = Value;
  if (FQueryBuilder != nullptr) FQueryBuilder->DoUpdateControlParams();
}

void TvxQueryBuilderLinkPainters::RegisterPainter(TvxLinkPainterClass PainterClass) {
  FClasses.push_back(std::move(PainterClass));
}

const TvxLinkPainterClass& TvxQueryBuilderLinkPainters::GetItem(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EvxListError::IndexOutOfBounds(Index);
  return FClasses[static_cast<size_t>(Index)];
}

std::unique_ptr<TvxQueryBuilderLinkPainter> TvxQueryBuilderLinkPainters::CreateByName(
    const QString& ClassName, TvxQueryBuilder* QueryBuilder) const {
  for (const TvxLinkPainterClass& Class : FClasses)
    if (Class.Name == ClassName) return Class.Create(QueryBuilder);
  return nullptr;
}

std::unique_ptr<TvxQueryBuilderLinkPainter> TvxQueryBuilderLinkPainters::CreateByUserName(
    const QString& StyleName, TvxQueryBuilder* QueryBuilder) const {
  for (const TvxLinkPainterClass& Class : FClasses)
    if (GetPainterStyle(Class) == StyleName) return Class.Create(QueryBuilder);
  return nullptr;
}

QString TvxQueryBuilderLinkPainters::GetPainterStyle(const TvxLinkPainterClass& PainterClass) {
  return PainterClass.Create(nullptr)->PainterStyle();
}

void TvxQueryBuilderLinkPainters::GetUserNames(const std::function<void(const QString&)>& Proc) const {
  for (const TvxLinkPainterClass& Class : FClasses) Proc(GetPainterStyle(Class));
}
