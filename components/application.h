#pragma once

// The application object: the root of the ownership tree, which owns every window of the program,
// and what belongs to the program as a whole: its title, its main window, the end of its message
// loop, the one error handler of its event handlers, the hints and the idle notification. The
// user-interface toolkit's layer derives from it and adds the message loop itself.

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/component.h"
#include "components/events.h"
#include "platform/dialogs.h"
#include "platform/shell.h"

namespace kalvero {

class TForm;

// The window that shows hints. The application makes it anew from HintWindowClass when a hint is
// first shown after the class changed.
class THintWindow {
 public:
  virtual ~THintWindow() = default;
  // Shows `text` for the hint described by `info`; `rect` is the place the application proposes
  // (left and top at the hint position, as wide as the hint may be).
  virtual void ActivateHint(const TRect& rect, const std::string& text, const THintInfo& info) = 0;
  virtual void HideHint() = 0;
  virtual bool IsShowing() const = 0;
};

using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;

class TApplication : public TComponent {
 public:
  // `dialogs` shows the error box; without them the error handler writes the message to the
  // standard error stream. `shell` opens documents and web pages for the windows.
  explicit TApplication(TDialogs* dialogs = nullptr, TShell* shell = nullptr) : dialogs_(dialogs), shell_(shell) {}
  ~TApplication() override;

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  TDialogs* Dialogs() const { return dialogs_; }
  TShell* Shell() const { return shell_; }

  // The first window the application came to own; null before.
  TForm* MainForm() const;

  // Ends the program: the message loop stops even while other windows are shown.
  virtual void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // The one error handler: an exception that escaped an event handler is shown in an error box
  // titled with Title, whose text is the message with a full stop added when its last character
  // sorts after "." (OnException, when assigned, is called instead). Called while the exception
  // is being handled; the program goes on.
  void HandleException();
  std::function<void(const std::string& message)> OnException;

  // Hints. ShowHint runs for every hint about to be shown: OnShowHint (when assigned) may change
  // the text and forbid it; an empty text is never shown. Answers whether the hint window shows.
  TShowHintEvent OnShowHint;
  bool ShowHint(std::string text, THintInfo info);
  void HideHint();
  // The class of the hint window; a change takes effect at the next hint.
  void SetHintWindowClass(THintWindowClass hintWindowClass);
  THintWindow* HintWindow() const { return hintWindow_.get(); }

  // The idle notification: every handler runs each time the message loop has nothing left to do.
  // A handler belongs to `owner` and goes with it. A handler that a handler before it removed, or
  // whose owner it destroyed, does not run.
  void AddIdleHandler(TComponent& owner, std::function<void()> handler);
  void RemoveIdleHandlers(TComponent& owner);
  // Called by the message loop when it has nothing left to do.
  void Idle();

 protected:
  void Notification(TComponent& destroyed) override { RemoveIdleHandlers(destroyed); }
  // Destroys the hint window, which may refer to the windows, then the windows, the last created
  // first. The destructor calls it; a derived application calls it in its own destructor when the
  // windows must go while it still exists.
  void DestroyWindows();

 private:
  struct TIdleHandler {
    std::uint64_t number;
    TComponent* owner;
    std::function<void()> run;
  };

  bool IdleHandlerRegistered(std::uint64_t number) const;

  TDialogs* dialogs_;
  TShell* shell_;
  std::string title_;
  bool terminated_ = false;
  THintWindowClass hintWindowClass_;
  std::unique_ptr<THintWindow> hintWindow_;
  std::vector<TIdleHandler> idleHandlers_;
  std::uint64_t idleHandlersAdded_ = 0;
};

// The application that `component` belongs to; null when its tree has none.
TApplication* ApplicationOf(const TComponent& component);

}  // namespace kalvero
