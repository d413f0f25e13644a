// The metadata tests need a Qt application object for the SQL driver plug-ins.
#include "vxTestDatabases.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  QCoreApplication App(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  const int Result = RUN_ALL_TESTS();
  DropTestDatabases();
  return Result;
}
