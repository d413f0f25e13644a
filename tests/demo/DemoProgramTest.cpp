// The built program, as scripts/run starts it on a machine without a display.
#include "vxDemoTest.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vxtest;

namespace {

// Runs the demo with Arguments; its exit code, or -1 when it crashed or did not end.
int RunDemo(const QStringList& Arguments, QString* Errors = nullptr) {
  QProcess Demo;
  Demo.start(QStringLiteral(VX_DEMO_PROGRAM), Arguments);
  if (!Demo.waitForFinished(120000) || Demo.exitStatus() != QProcess::NormalExit) return -1;
  if (Errors != nullptr) *Errors = QString::fromUtf8(Demo.readAllStandardError());
  return Demo.exitCode();
}

}  // namespace

class TDemoProgramTest : public QObject {
  Q_OBJECT

private slots:
  void WritesAScreenshotOfTheSampleQuery() {
    QTemporaryDir Folder;
    const QString Path = Folder.filePath(QStringLiteral("demo.png"));
    QCOMPARE(RunDemo({QStringLiteral("--sql"), SampleQueryPath(), QStringLiteral("--screenshot"), Path}), 0);
    const QImage Shot(Path);
    QCOMPARE(Shot.size(), QSize(1200, 860));
  }

  void RefusesWhatItCannotOpen() {
    QString Errors;
    QCOMPARE(RunDemo({QStringLiteral("--no-such-option")}, &Errors), 2);
    QVERIFY(Errors.contains(QLatin1String("no-such-option")));
    QCOMPARE(RunDemo({QStringLiteral("--db"), QStringLiteral("/no/such/file.sqlite")}, &Errors), 1);
    QVERIFY2(Errors.contains(QLatin1String("does not exist")), qPrintable(Errors));
  }
};

std::unique_ptr<QObject> vxtest::MakeDemoProgramTest() { return std::make_unique<TDemoProgramTest>(); }

#include "DemoProgramTest.moc"
