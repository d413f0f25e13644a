#include "vxQBCatalogIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

// A sheet with a coloured heading and ruled rows, in a Size x Size picture.
void DrawTable(QPainter& Painter, int Size, const QColor& Heading) {
  const qreal Unit = Size / 16.0;
  const QRectF Sheet(1.5 * Unit, 2.5 * Unit, 13 * Unit, 11 * Unit);
  Painter.setPen(QPen(Heading.darker(140), Unit));
  Painter.setBrush(Qt::white);
  Painter.drawRoundedRect(Sheet, Unit, Unit);
  Painter.fillRect(QRectF(Sheet.left(), Sheet.top(), Sheet.width(), 3 * Unit), Heading);
  Painter.setPen(QPen(QColor(172, 186, 206), Unit * 0.75));
  for (int Row = 1; Row <= 2; ++Row) {
    const qreal Y = Sheet.top() + (3 + Row * 2.7) * Unit;
    Painter.drawLine(QPointF(Sheet.left() + Unit, Y), QPointF(Sheet.right() - Unit, Y));
  }
  const qreal X = Sheet.left() + Sheet.width() * 0.4;
  Painter.drawLine(QPointF(X, Sheet.top() + 3 * Unit), QPointF(X, Sheet.bottom() - Unit));
}

void DrawLens(QPainter& Painter, int Size) {
  const qreal Unit = Size / 16.0;
  const QPointF Centre(10.5 * Unit, 10 * Unit);
  Painter.setPen(QPen(QColor(52, 52, 60), 1.6 * Unit, Qt::SolidLine, Qt::RoundCap));
  Painter.drawLine(Centre + QPointF(2.3 * Unit, 2.3 * Unit), Centre + QPointF(4.3 * Unit, 4.3 * Unit));
  Painter.setBrush(QColor(220, 240, 236, 220));
  Painter.setPen(QPen(QColor(52, 52, 60), 1.2 * Unit));
  Painter.drawEllipse(Centre, 3.2 * Unit, 3.2 * Unit);
}

template <class TDraw>
QIcon DrawIcon(TDraw Draw) {
  QIcon Icon;
  for (int Size : {16, 24, 32, 48}) {
    QPixmap Picture(Size, Size);
    Picture.fill(Qt::transparent);
    QPainter Painter(&Picture);
    Painter.setRenderHint(QPainter::Antialiasing);
    Draw(Painter, Size);
    Painter.end();
    Icon.addPixmap(Picture);
  }
  return Icon;
}

}  // namespace

QIcon vx::GetTableIcon() {
  return DrawIcon([](QPainter& Painter, int Size) { DrawTable(Painter, Size, QColor(66, 114, 184)); });
}

QIcon vx::GetViewIcon() {
  return DrawIcon([](QPainter& Painter, int Size) {
    DrawTable(Painter, Size, QColor(38, 148, 128));
    DrawLens(Painter, Size);
  });
}
