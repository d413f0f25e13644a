// vxbkimagegen: draws the watermark behind the query builder's work area and writes it, in a
// white, a light and a dark tone, as run-length encoded 8-bit BMP files inside a C++ source.
//
//   vxbkimagegen OUTPUT.cpp
//
// The drawing is one picture of "ink" amounts (a faint dot grid with a database and a table
// sheet in the lower right); each tone is a 256-entry palette running from its paper colour to
// its ink colour, so the three files share their pixels and differ only in the palette.
#include "vxQBBackgroundData.h"
#include "vxQBHelper.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

constexpr int Width = 450;
constexpr int Height = 350;
constexpr int GridStep = vx::WorkAreaBackgroundGridStep;
static_assert(Width % GridStep == 0 && Height % GridStep == 0, "the grid goes on beyond the picture without a seam");

struct TTone {
  const char* Name;
  QColor Paper;
  QColor Ink;
};

// In the order of TvxBkImageDarkness. The paper is the colour the work area fills the rest of
// the diagram with in that tone, so the picture shows no edge. The dark tone draws light lines
// on a grey paper, dark enough to set white boxes off and light enough for black link lines.
const TTone Tones[] = {{"White", QColor(255, 255, 255), QColor(70, 105, 150)},
                       {"Light", QColor(224, 223, 227), QColor(60, 92, 135)},
                       {"Dark", QColor(153, 153, 153), QColor(238, 243, 250)}};

QColor InkOf(int Amount) { return QColor(0, 0, 0, Amount); }

// The dots stop short of the drawings, which would otherwise look transparent.
void DrawDotGrid(QPainter& Painter, const QPainterPath& Drawings) {
  for (int Y = GridStep / 2; Y < Height; Y += GridStep)
    for (int X = GridStep / 2; X < Width; X += GridStep)
      if (!Drawings.intersects(QRectF(X - 4, Y - 4, 10, 10))) Painter.fillRect(X, Y, 2, 2, InkOf(70));
}

// A sheet with a header band and ruled rows, as a table is drawn in a diagram.
void DrawTableSheet(QPainter& Painter, const QRectF& Sheet) {
  Painter.setPen(QPen(InkOf(55), 2));
  Painter.setBrush(InkOf(10));
  Painter.drawRoundedRect(Sheet, 4, 4);
  const QRectF Header(Sheet.left(), Sheet.top(), Sheet.width(), 18);
  Painter.fillRect(Header.adjusted(1, 1, -1, 0), InkOf(35));
  Painter.setPen(QPen(InkOf(35), 1));
  for (qreal Y = Header.bottom() + 14; Y < Sheet.bottom() - 6; Y += 14)
    Painter.drawLine(QPointF(Sheet.left() + 10, Y), QPointF(Sheet.right() - 10, Y));
}

QPainterPath DatabaseOutline(const QRectF& Top, qreal BodyHeight) {
  QPainterPath Body;
  Body.moveTo(Top.left(), Top.center().y());
  Body.lineTo(Top.left(), Top.center().y() + BodyHeight);
  Body.arcTo(Top.translated(0, BodyHeight), 180, 180);
  Body.lineTo(Top.right(), Top.center().y());
  Body.arcTo(Top, 0, 180);
  return Body;
}

// A database drum: an ellipse on top, a body of three stacked disks.
void DrawDatabase(QPainter& Painter, const QRectF& Top, qreal BodyHeight) {
  const qreal Disk = BodyHeight / 3;
  const QPainterPath Body = DatabaseOutline(Top, BodyHeight);
  Painter.setPen(QPen(InkOf(60), 2));
  Painter.setBrush(InkOf(16));
  Painter.drawPath(Body);
  Painter.setBrush(InkOf(30));
  Painter.drawEllipse(Top);
  Painter.setBrush(Qt::NoBrush);
  for (int I = 1; I < 3; ++I) Painter.drawArc(Top.translated(0, Disk * I), 180 * 16, 180 * 16);
}

QImage DrawInk() {
  const QRectF Sheet(236.5, 196.5, 104, 112);
  const QRectF DrumTop(352.5, 176.5, 78, 26);
  constexpr qreal DrumHeight = 112;
  QPainterPath Drawings;
  Drawings.addRect(Sheet);
  Drawings.addPath(DatabaseOutline(DrumTop, DrumHeight));
  Drawings.addEllipse(DrumTop);

  QImage Picture(Width, Height, QImage::Format_ARGB32_Premultiplied);
  Picture.fill(Qt::transparent);
  QPainter Painter(&Picture);
  DrawDotGrid(Painter, Drawings);
  Painter.setRenderHint(QPainter::Antialiasing);
  DrawTableSheet(Painter, Sheet);
  // A join line between the sheet and the drum, as the diagram draws links.
  Painter.setPen(QPen(InkOf(45), 2, Qt::SolidLine, Qt::RoundCap));
  Painter.drawLine(QPointF(Sheet.right() + 1, 236), QPointF(DrumTop.left() - 1, 236));
  DrawDatabase(Painter, DrumTop, DrumHeight);
  Painter.end();
  return Picture;
}

void Put16(QByteArray& Out, unsigned Value) {
  Out.append(static_cast<char>(Value & 0xFF));
  Out.append(static_cast<char>((Value >> 8) & 0xFF));
}

void Put32(QByteArray& Out, unsigned Value) {
  Put16(Out, Value & 0xFFFF);
  Put16(Out, Value >> 16);
}

// A Windows bitmap file of the ink picture: 8 bits per pixel, 256 palette entries from the
// tone's paper (index 0) to its ink (index 255), rows bottom-up and padded to four bytes.
QByteArray WriteBmp(const QImage& Ink, const TTone& Tone) {
  constexpr unsigned HeadersSize = 14 + 40 + 256 * 4;
  constexpr unsigned RowSize = (Width + 3) / 4 * 4;
  QByteArray Out;
  Out.append("BM");
  Put32(Out, HeadersSize + RowSize * Height);
  Put32(Out, 0);
  Put32(Out, HeadersSize);
  Put32(Out, 40);
  Put32(Out, Width);
  Put32(Out, Height);
  Put16(Out, 1);
  Put16(Out, 8);
  Put32(Out, 0);  // no compression
  Put32(Out, RowSize * Height);
  Put32(Out, 2835);  // 72 dpi
  Put32(Out, 2835);
  Put32(Out, 256);
  Put32(Out, 0);
  for (int I = 0; I < 256; ++I) {
    auto Mix = [I](int Paper, int Ink) { return static_cast<char>((Paper * (255 - I) + Ink * I + 127) / 255); };
    Out.append(Mix(Tone.Paper.blue(), Tone.Ink.blue()));
    Out.append(Mix(Tone.Paper.green(), Tone.Ink.green()));
    Out.append(Mix(Tone.Paper.red(), Tone.Ink.red()));
    Out.append('\0');
  }
  for (int Y = Height - 1; Y >= 0; --Y) {
    for (int X = 0; X < Width; ++X) Out.append(static_cast<char>(qAlpha(Ink.pixel(X, Y))));
    Out.append(static_cast<int>(RowSize - Width), '\0');
  }
  return Out;
}

QByteArray SourceText(const QImage& Ink) {
  QByteArray Text =
      "// Generated by vxbkimagegen (tools/vxbkimagegen/main.cpp) at build time; do not edit.\n"
      "// The work area's backgrounds: 450 x 350 8-bit BMP files, run-length encoded.\n"
      "#include \"vxQBBackgroundData.h\"\n\nnamespace vx {\nnamespace {\n";
  for (const TTone& Tone : Tones) {
    const QByteArray Encoded = vx::RLEEncode(WriteBmp(Ink, Tone));
    Text += "const unsigned char " + QByteArray(Tone.Name) + "[] = {";
    for (qsizetype I = 0; I < Encoded.size(); ++I) {
      if (I % 24 == 0) Text += "\n ";
      Text += ' ' + QByteArray::number(static_cast<unsigned char>(Encoded[I])) + ',';
    }
    Text += "\n};\n";
  }
  Text += "}  // namespace\n\nconst TvxEncodedPicture WorkAreaBackgroundsRLE[3] = {\n";
  for (const TTone& Tone : Tones)
    Text += "    {" + QByteArray(Tone.Name) + ", sizeof " + QByteArray(Tone.Name) + "},\n";
  Text += "};\n\n}  // namespace vx\n";
  return Text;
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc != 2) {
    std::fprintf(stderr, "usage: vxbkimagegen OUTPUT.cpp\n");
    return 2;
  }
  const QByteArray Text = SourceText(DrawInk());
  QFile Out(QString::fromLocal8Bit(Argv[1]));
  if (!Out.open(QIODevice::WriteOnly | QIODevice::Truncate) || Out.write(Text) != Text.size()) {
    std::fprintf(stderr, "vxbkimagegen: cannot write %s\n", Argv[1]);
    return 1;
  }
  return 0;
}
