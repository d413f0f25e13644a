// Run-length coding, the work area's backgrounds decoded from it, and the small pictures.
#include "vxCommon.h"
#include "vxQBBackgroundData.h"
#include "vxQBHelper.h"
#include "vxQBPaint.h"
#include "vxSQL92SyntaxProvider.h"

#include <QTest>

class TPicturesTest : public QObject {
  Q_OBJECT

private slots:
  void RunLengthCoding() {
    QCOMPARE(vx::RLEEncode("abc"), QByteArray("\0a\0b\0c", 6));
    // A run longer than 256 bytes goes in pieces of 256 and a remainder.
    QCOMPARE(vx::RLEEncode(QByteArray(300, 'x')), QByteArray("\xFFx\x2Bx", 4));
    QCOMPARE(vx::RLEDecode(QByteArray("\xFFx\x2Bx", 4)), QByteArray(300, 'x'));
    QCOMPARE(vx::RLEEncode(QByteArray()), QByteArray());
    QCOMPARE(vx::RLEDecode(QByteArray()), QByteArray());
    // Zero bytes and bytes above 127 are data like any other.
    const QByteArray Mixed("\0\0\0\x80\x80zz\xFF", 8);
    QCOMPARE(vx::RLEDecode(vx::RLEEncode(Mixed)), Mixed);
  }

  void OddLengthIsRefused() {
    for (const QByteArray& Encoded : {QByteArray("a"), QByteArray("\0a\0", 3)}) {
      try {
        vx::RLEDecode(Encoded);
        QFAIL("an odd length was decoded");
      } catch (const EvxException& Error) {
        QCOMPARE(Error.GetMessage(), std::string("Bad encoded string length"));
      }
    }
  }

  void BackgroundsDecodeToThreeTones() {
    for (const vx::TvxEncodedPicture& Encoded : vx::WorkAreaBackgroundsRLE) {
      const QByteArray Rle = QByteArray::fromRawData(reinterpret_cast<const char*>(Encoded.Data), Encoded.Size);
      const QByteArray Bmp = vx::RLEDecode(Rle);
      // Headers, a full palette and 450 rows padded to 452 bytes: an 8-bit file as written.
      QCOMPARE(Bmp.size(), 14 + 40 + 1024 + 452 * 350);
      QCOMPARE(vx::RLEEncode(Bmp), Rle);
    }
    const QImage& White = vx::GetWorkAreaBackground(bgidWhite);
    const QImage& Light = vx::GetWorkAreaBackground(bgidLight);
    const QImage& Dark = vx::GetWorkAreaBackground(bgidDark);
    for (const QImage* Image : {&White, &Light, &Dark}) QCOMPARE(Image->size(), QSize(450, 350));
    QVERIFY(White != Light && Light != Dark && White != Dark);
    // The paper of each tone (the top-left corner is bare) gets darker in the order of the enum.
    QCOMPARE(White.pixel(0, 0), qRgb(255, 255, 255));
    QVERIFY(qGray(Light.pixel(0, 0)) < 255 && qGray(Dark.pixel(0, 0)) < qGray(Light.pixel(0, 0)));
    // Decoded once: every call gives the same image.
    QCOMPARE(&vx::GetWorkAreaBackground(bgidDark), &Dark);
  }

  void SmallPictures() {
    for (const char* Name : {"VXQB_UNION", "VXQB_UNIONALL", "VXQB_EXCEPT", "VXQB_EXCEPTALL", "VXQB_INTERSECT",
                             "VXQB_INTERSECTALL", "VXQBLINKCARDINALITYONE", "VXQBLINKCARDINALITYMANY"}) {
      const QImage Picture = vx::GetQBBitmap(QLatin1String(Name)).toImage();
      QCOMPARE(Picture.size(), QSize(16, 16));
      // The magenta background is transparent, the drawing is not.
      QCOMPARE(qAlpha(Picture.pixel(0, 15)), 0);
      bool Opaque = false;
      for (int Y = 0; Y < 16; ++Y)
        for (int X = 0; X < 16; ++X) Opaque = Opaque || qAlpha(Picture.pixel(X, Y)) == 255;
      QVERIFY2(Opaque, Name);
    }
    QVERIFY(vx::GetQBBitmap(QStringLiteral("VXQB_MINUS")).isNull());
    QVERIFY(vx::GetQBBitmap(QString()).isNull());
  }

  void DialectNamesAPictureForEveryOperator() {
    TastSQL92SyntaxProvider Dialect;
    QList<QImage> Seen;
    for (const char* Op : {"Union", "Union All", "Except", "Except All", "Intersect", "Intersect All"}) {
      const QImage Picture = vx::GetQBBitmap(QString::fromStdString(Dialect.GetUnionOperatorIcon(Op))).toImage();
      QVERIFY2(!Picture.isNull(), Op);
      QVERIFY2(!Seen.contains(Picture), Op);
      Seen << Picture;
    }
  }
};

QTEST_MAIN(TPicturesTest)
#include "PicturesTest.moc"
