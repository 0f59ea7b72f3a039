#pragma once

// The window program's windows built as the program builds them, offscreen, over a temporary
// settings folder, with message boxes and the shell recorded instead of shown.

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/window/form1.h"
#include "app/window/qt/qt_window_program.h"
#include "app/window/window_program.h"
#include "components/qt/qt_application.h"
#include "components/status_bar.h"
#include "components/window_builder.h"
#include "tests/support/fixed_environment.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/recording_shell.h"
#include "tests/support/temp_folder.h"
#include "tests/support/widget_of.h"

namespace kalvero {

class WindowProgramTest : public testing::Test {
 protected:
  WindowProgramTest() {
    static const bool prepared = (PrepareQtApplication(), true);
    static_cast<void>(prepared);
  }

  // Builds the windows once the fixture, a derived one included, is constructed.
  void SetUp() override { Start(); }

  // Builds the windows anew over the same settings folder, as a second start of the program does.
  void Start() {
    application.reset();
    application = std::make_unique<TQtApplication>(*dialogsUsed, &shell);
    classes = WindowClasses({*fileSystem, *clock, environment});
    main = &CreateWindows(*application, classes);
    main->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main->Widget()));
  }

  template <class T>
  T& Control(const char* name) const {
    return DescribedComponent<T>(*main, name);
  }
  // The text of the status bar's second panel.
  std::string StatusText() const { return Control<TStatusBar>("StatusBar1").Panels().Panel(1).Text(); }

  // What the windows work on: the native file system and the system clock, unless the constructor
  // of a derived fixture puts others in their place.
  TFileSystem* fileSystem = &NativeFileSystem();
  const TClock* clock = &SystemClock();
  TTempFolder appData;
  TFixedEnvironment environment{{{"KALVERO_APPDATA", appData.Path()}, {"HOME", appData.Path()}}};
  TRecordingDialogs dialogs;
  // The dialogs the application uses: the recording ones, unless a derived fixture's constructor
  // puts others in their place.
  TDialogs* dialogsUsed = &dialogs;
  TRecordingShell shell;
  std::unique_ptr<TQtApplication> application;
  TClassRegistry classes;
  TForm1* main = nullptr;
};

}  // namespace kalvero
