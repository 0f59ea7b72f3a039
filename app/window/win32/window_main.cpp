// The window program on Windows: its windows over the Win32 API, the message loop until the main
// window closes. A program of the windows subsystem has no console, so what stops it before its
// window shows is said in a message box.

#include <windows.h>

#include <exception>
#include <string>

#include "app/window/benchmark_exits.h"
#include "app/window/form1.h"
#include "app/window/window_program.h"
#include "components/win32/win32_application.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

bool Switched(const TEnvironment& environment, const char* name) {
  const std::optional<std::string> value = environment.Variable(name);
  return value && !value->empty();
}

int RunWindowProgram() {
  const TEnvironment& environment = ProcessEnvironment();
  TWin32Dialogs dialogs;
  TRunEndExit runEndExit(dialogs);
  TWin32Shell shell;
  TWin32Application application(Switched(environment, "KALVERO_EXIT_AFTER_RUN") ? static_cast<TDialogs&>(runEndExit)
                                                                                 : dialogs,
                                &shell);
  const TClassRegistry classes = WindowClasses({NativeFileSystem(), SystemClock(), environment});
  TForm1& main = CreateWindows(application, classes);
  dialogs.SetOwner(main.Handle());
  shell.SetOwner(main.Handle());
  main.Show();
  if (Switched(environment, "KALVERO_EXIT_AFTER_FIRST_PAINT")) {
    // Painting the window now sends its first WM_PAINT and returns once the window is drawn.
    main.Repaint();
    PrintMonotonicClock();
    return 0;
  }
  return application.Run();
}

}  // namespace
}  // namespace kalvero

int main() {
  try {
    return kalvero::RunWindowProgram();
  } catch (const std::exception& error) {
    const std::wstring text = kalvero::WideText(std::string("kalvero-window: ") + error.what());
    MessageBoxW(nullptr, text.c_str(), L"Kalvero 1.3", MB_OK | MB_ICONERROR);
    return 3;
  }
}
