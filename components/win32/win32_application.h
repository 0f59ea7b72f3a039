#pragma once

// The application object over the Win32 message loop: COM in the single-threaded apartment and the
// common controls for its life, the idle notification whenever the queue runs empty, and the hints
// of the controls that show hints.

#include <windows.h>

#include "components/application.h"
#include "components/win32/win32_control.h"

namespace kalvero {

class TWin32Application final : public TApplication, public TWin32HintHost {
 public:
  // How far below the pointer a hint appears: the height of the pointer.
  static constexpr int kPointerHeight = 20;
  // How long a hint stays when nothing else hides it, in milliseconds.
  static constexpr UINT kHintHidePause = 10000;

  explicit TWin32Application(TDialogs& dialogs, TShell* shell = nullptr);
  TWin32Application(const TWin32Application&) = delete;
  TWin32Application& operator=(const TWin32Application&) = delete;
  ~TWin32Application() override;

  // Runs the message loop until Terminate; answers its exit code.
  int Run();
  void Terminate() override;

  void PointerRested(TControl& control, POINT pointer) override;
  void PointerLeft(TControl& control) override;
  void InputArrived() override;

 protected:
  void Notification(TComponent& destroyed) override;

 private:
  static LRESULT CALLBACK TimerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void HideShownHint();

  bool comInitialised_;
  // The hidden window whose timer hides a hint.
  HWND timerWindow_;
  // The control whose hint shows; null for none.
  TControl* hintControl_ = nullptr;
};

// The hint window that shows plain text in the desktop's tracking tool tip; the application's hint
// window until a component puts another in its place.
std::unique_ptr<THintWindow> NewToolTipHintWindow();

}  // namespace kalvero
