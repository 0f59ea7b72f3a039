// The main function of the test suites that drive Qt widgets: one QApplication for every test,
// on the platform the environment names (offscreen in CI; the suites are registered with it).

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
