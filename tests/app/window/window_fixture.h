#pragma once

// The window program's windows built as the program builds them, offscreen, over a temporary
// settings folder, with message boxes and the shell recorded instead of shown.

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "app/window/form1.h"
#include "app/window/window_program.h"
#include "components/qt/qt_application.h"
#include "tests/support/fixed_environment.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/recording_shell.h"
#include "tests/support/temp_folder.h"

namespace kalvero {

class WindowProgramTest : public testing::Test {
 protected:
  WindowProgramTest() {
    static const bool prepared = (PrepareQtApplication(), true);
    static_cast<void>(prepared);
    Start();
  }

  // Builds the windows anew over the same settings folder, as a second start of the program does.
  void Start() {
    application.reset();
    application = std::make_unique<TQtApplication>(dialogs, &shell);
    application->SetTitle("Kalvero 1.3");
    classes = WindowClasses({NativeFileSystem(), SystemClock(), environment});
    main = &CreateWindows(*application, classes);
    main->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main->Widget()));
  }

  template <class T>
  T& Control(const char* name) const {
    return *dynamic_cast<T*>(main->FindComponent(name));
  }
  template <class W = QWidget>
  W& WidgetOf(const char* name) const {
    return *qobject_cast<W*>(dynamic_cast<TQtWidgetHolder*>(main->FindComponent(name))->HolderWidget());
  }
  std::string Status() const { return main->Text().empty() ? "" : StatusText(); }
  std::string StatusText() const;

  TTempFolder appData;
  TFixedEnvironment environment{{{"XDG_CONFIG_HOME", appData.Path()}, {"HOME", appData.Path()}}};
  TRecordingDialogs dialogs;
  TRecordingShell shell;
  std::unique_ptr<TQtApplication> application;
  TClassRegistry classes;
  TForm1* main = nullptr;
};

}  // namespace kalvero
