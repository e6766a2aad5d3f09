// The test programs' entry: GoogleTest's own main, and on the target a
// console whose output Wine passes through unchanged.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
