#pragma once

// Repaints windows whose keyboard cues (underlined access keys, focus rectangles) changed, which
// some versions of Windows with visual styles fail to do. Active only on Windows Vista or later
// with visual styles; elsewhere it does nothing at all. Each time the application is idle it
// tracks the program's windows it does not track yet, watches each for a change of its cues, and
// repaints those that changed, with every control in them. A window is forgotten when it is
// destroyed.

#include <memory>
#include <vector>

#include "components/component.h"
#include "platform/windows_version.h"

namespace kalvero {

class TApplication;
class TForm;

class TKeyboardCueFix : public TComponent {
 public:
  explicit TKeyboardCueFix(TWindowsVersion version = RunningWindowsVersion())
      : active_(version.VistaOrLater() && version.visualStyles) {}

  // Adds RepaintAll.
  const TPropertyTable& Properties() const override;

  bool RepaintAll() const { return repaintAll_; }
  void SetRepaintAll(bool repaintAll) { repaintAll_ = repaintAll; }
  bool Active() const { return active_; }
  std::size_t TrackedCount() const { return entries_.size(); }

 protected:
  // Asks for the application's idle notification when active.
  void Inserted() override;
  // Forgets a tracked window that is destroyed.
  void Notification(TComponent& destroyed) override;

 private:
  struct TEntry {
    TForm* window = nullptr;
    bool needsRepaint = false;
  };

  // One idle call of the application: tracks the windows new since the last, repaints.
  void Idle(const TApplication& application);
  bool Tracks(const TForm& window) const;
  void Track(TForm& window);

  bool active_;
  bool repaintAll_ = true;
  std::vector<std::shared_ptr<TEntry>> entries_;
};

}  // namespace kalvero
