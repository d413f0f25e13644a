// Shared parts of the demo's tests: the window over the sample database with the sample query
// loaded, and the pictures the tests leave for people to look at.
#pragma once

#include "vxDemoWindow.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>

class TvxDatasource;

namespace vxtest {

// The sample query file of the repository.
QString SampleQueryPath();
// Shows Window, opens the sample database and loads the sample query; false (with a test
// failure recorded) when any of it fails.
bool OpenSampleQuery(TvxDemoWindow& Window);
// Waits until the component has loaded what was assigned to it.
bool WaitUntilLoaded(TvxDemoWindow& Window);
// The number of rows SQL gives on the connection named Connection; -1 when it does not run.
int CountRows(const QString& Connection, const QString& SQL);
// The datasource captioned Caption in the main query; null when there is none.
TvxDatasource* DatasourceOf(TvxDemoWindow& Window, const std::string& Caption);
// The fields the datasource captioned Caption in the main query reads from the database.
QStringList FieldsOf(TvxDemoWindow& Window, const std::string& Caption);
// Writes the window's picture to Name in the test's working folder, for people to look at.
void KeepScreenshot(QWidget& Widget, const QString& Name);

// The test classes, one per file.
std::unique_ptr<QObject> MakeDemoWindowTest();
std::unique_ptr<QObject> MakeDemoProgramTest();
std::unique_ptr<QObject> MakeDemoPostgreSQLTest();

}  // namespace vxtest
