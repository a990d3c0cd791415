// The main of the test programs that create widgets. CTest runs them under
// the offscreen platform; listing the tests needs no application at all.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstring>
#include <memory>

int main(int argc, char** argv) {
  bool listing = false;
  for (int i = 1; i < argc; ++i) listing = listing || std::strncmp(argv[i], "--gtest_list_tests", 18) == 0;
  ::testing::InitGoogleTest(&argc, argv);
  std::unique_ptr<QApplication> app;
  if (!listing) app = std::make_unique<QApplication>(argc, argv);
  return RUN_ALL_TESTS();
}
