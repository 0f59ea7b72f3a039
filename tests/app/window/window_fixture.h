#pragma once

// The window program's windows built as the program builds them, over the backend this build
// uses, over a temporary settings folder, with message boxes and the shell recorded instead of
// shown, and a user that drives them.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/window/form1.h"
#include "app/window/window_program.h"
#include "components/status_bar.h"
#include "components/window_builder.h"
#include "tests/app/window/window_user.h"
#include "tests/support/fixed_environment.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/recording_shell.h"
#include "tests/support/temp_folder.h"

namespace kalvero {

class WindowProgramTest : public testing::Test {
 protected:
  // Builds the windows once the fixture, a derived one included, is constructed.
  void SetUp() override { Start(); }

  // Builds the windows anew over the same settings folder, as a second start of the program does.
  void Start() {
    application.reset();
    application = NewTestApplication(*dialogsUsed, shell);
    classes = WindowClasses({*fileSystem, *clock, environment});
    main = &CreateWindows(*application, classes);
    ShowAndWait(*main);
  }

  template <class T>
  T& Control(const char* name) const {
    return DescribedComponent<T>(*main, name);
  }
  TForm& Window(const char* name) const { return DescribedComponent<TForm>(*application, name); }
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
  std::unique_ptr<TApplication> application;
  TClassRegistry classes;
  TForm1* main = nullptr;
  std::unique_ptr<TWindowUser> user = NewWindowUser();
};

}  // namespace kalvero
