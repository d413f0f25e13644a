// Placeholder replaced by the writer tests.
#include <gtest/gtest.h>
