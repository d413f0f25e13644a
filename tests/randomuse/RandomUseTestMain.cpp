#include "vxRandomUseGuards.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  vxrandom::TvxGuardedApplication Application(argc, argv);
  vxrandom::InstallWarningTrap();
  vxrandom::InstallCrashReporter();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
