// The window program: its windows over Qt, the message loop until the main window closes.

#include <QApplication>

#include <cstdlib>
#include <iostream>

#include "app/window/benchmark_exits.h"
#include "app/window/form1.h"
#include "app/window/qt/first_paint_exit.h"
#include "app/window/qt/qt_window_program.h"
#include "app/window/window_program.h"
#include "platform/application_data_folder.h"
#include "platform/environment.h"
#include "platform/interrupt_hold.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_shell.h"
#include "ui/qt/qt_directory_edit.h"

namespace kalvero {
namespace {

constexpr const char* kNoDisplay =
    "kalvero-window: there is no display to show the window on; the command line works without one "
    "(kalvero --help).";

// What Qt says while it connects to the display, kept until it is known whether it could.
QStringList startMessages;

// Qt ends a program it cannot connect to a display with warnings, a fatal message and an abort
// trace; this says so in one line instead.
void EndOnFatalMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    startMessages.append(message);
    return;
  }
  std::cerr << (message.contains("platform plugin") || message.contains("display") ? kNoDisplay
                                                                                   : message.toStdString().c_str())
            << std::endl;
  std::_Exit(1);
}

bool DisplayNamed() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int RunWindowProgram(int argc, char** argv) {
  if (!DisplayNamed()) {
    std::cerr << kNoDisplay << std::endl;
    return 1;
  }
  // Qt starts threads of its own (the display's events, D-Bus, a thread pool): they start with the
  // interruption signals blocked, and InstallInterruptCleanup lets them through on this thread
  // alone, which copies. Threads started later inherit this thread's mask; a signal one of them
  // takes is passed on to this thread by the handler, so it still waits while a copy is named.
  BlockInterruptsForNewThreads();
  qInstallMessageHandler(EndOnFatalMessage);
  QApplication qt(argc, argv);
  qInstallMessageHandler(nullptr);
  for (const QString& message : startMessages) std::cerr << message.toStdString() << std::endl;
  PrepareQtApplication();
  InstallInterruptCleanup();
  const TEnvironment& environment = ProcessEnvironment();
  KeepFileDialogHistoryOutOfFiles();

  TQtDialogs dialogs;
  TRunEndExit runEndExit(dialogs);
  const bool exitAfterRun = !qEnvironmentVariableIsEmpty("KALVERO_EXIT_AFTER_RUN");
  TQtShell shell;
  TQtApplication application(exitAfterRun ? static_cast<TDialogs&>(runEndExit) : dialogs, &shell);
  const TClassRegistry classes = WindowClasses({NativeFileSystem(), SystemClock(), environment});
  TForm1& main = CreateWindows(application, classes);
  dialogs.SetOwner(&main.Widget());
  TFirstPaintExit firstPaint(application);
  if (!qEnvironmentVariableIsEmpty("KALVERO_EXIT_AFTER_FIRST_PAINT")) main.Widget().installEventFilter(&firstPaint);
  main.Show();
  return application.Run();
}

}  // namespace
}  // namespace kalvero

int main(int argc, char** argv) {
  try {
    return kalvero::RunWindowProgram(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "kalvero-window: " << error.what() << std::endl;
    return 3;
  }
}
