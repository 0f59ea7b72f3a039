// The main function of the test suites that drive Qt widgets: one QApplication for every test, on
// Qt's offscreen platform unless the environment names another (xcb under xvfb to look at them).
// The build lists the tests by running this, so it must start without a display.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
