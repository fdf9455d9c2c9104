// Test main for suites that need a private network: enters it before
// GoogleTest starts any thread; without the right the tests skip.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/network_sandbox.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  std::string whyNot;
  if (!EnterPrivateNetwork(&whyNot)) std::fprintf(stderr, "skipping network tests: %s\n", whyNot.c_str());
  return RUN_ALL_TESTS();
}
