#include "vxQBPaint.h"

#include "vxQBBackgroundData.h"
#include "vxQBHelper.h"

#include <QHash>

#include <array>

static void InitImageResources() { Q_INIT_RESOURCE(vxQBImages); }

namespace vx {

namespace {

std::array<QImage, 3> DecodeBackgrounds() {
  std::array<QImage, 3> Images;
  for (size_t I = 0; I < Images.size(); ++I) {
    const TvxEncodedPicture& Encoded = WorkAreaBackgroundsRLE[I];
    const QByteArray Bmp =
        RLEDecode(QByteArray::fromRawData(reinterpret_cast<const char*>(Encoded.Data), Encoded.Size));
    // Painted often and scaled never: kept in the format the raster engine draws fastest.
    Images[I] = QImage::fromData(Bmp, "BMP").convertToFormat(QImage::Format_RGB32);
  }
  return Images;
}

// The pictures by name, as drawn: magenta pixels are the transparent ones. Kept as images, not
// pixmaps, so that they may outlive the application object at process exit.
QHash<QString, QImage> LoadSmallPictures() {
  InitImageResources();
  static const char* const Names[] = {"VXQB_UNION",
                                      "VXQB_UNIONALL",
                                      "VXQB_EXCEPT",
                                      "VXQB_EXCEPTALL",
                                      "VXQB_INTERSECT",
                                      "VXQB_INTERSECTALL",
                                      "VXQBLINKCARDINALITYONE",
                                      "VXQBLINKCARDINALITYMANY"};
  QHash<QString, QImage> Pictures;
  for (const char* Name : Names) {
    QImage Picture(QStringLiteral(":/vxquerybuilder/images/%1.xpm").arg(QLatin1String(Name)));
    Picture = Picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb Magenta = qRgb(255, 0, 255);
    for (int Y = 0; Y < Picture.height(); ++Y) {
      auto* Line = reinterpret_cast<QRgb*>(Picture.scanLine(Y));
      for (int X = 0; X < Picture.width(); ++X)
        if (Line[X] == Magenta) Line[X] = qRgba(0, 0, 0, 0);
    }
    Pictures.insert(QLatin1String(Name), Picture);
  }
  return Pictures;
}

}  // namespace

const QImage& GetWorkAreaBackground(TvxBkImageDarkness Darkness) {
  static const std::array<QImage, 3> Backgrounds = DecodeBackgrounds();
  const auto Index = static_cast<size_t>(Darkness);
  return Backgrounds[Index < Backgrounds.size() ? Index : 0];
}

const QImage& GetWorkAreaGridTile(TvxBkImageDarkness Darkness) {
  static const std::array<QImage, 3> Tiles = [] {
    std::array<QImage, 3> Cut;
    for (size_t I = 0; I < Cut.size(); ++I)
      Cut[I] = GetWorkAreaBackground(static_cast<TvxBkImageDarkness>(I))
                   .copy(0, 0, WorkAreaBackgroundGridStep, WorkAreaBackgroundGridStep);
    return Cut;
  }();
  const auto Index = static_cast<size_t>(Darkness);
  return Tiles[Index < Tiles.size() ? Index : 0];
}

QPixmap GetQBBitmap(const QString& Name) {
  static const QHash<QString, QImage> Pictures = LoadSmallPictures();
  const auto Found = Pictures.constFind(Name);
  return Found != Pictures.constEnd() ? QPixmap::fromImage(*Found) : QPixmap();
}

}  // namespace vx
