#pragma once

// The model of a window: a control that owns every component of the window in one flat list and
// publishes its caption and client size. Windows are built from their descriptions by
// BuildWindow (components/window_builder.h), which calls DoCreate last.

#include <cstdint>

#include "components/controls.h"

namespace kalvero {

class TForm : public TControl {
 public:
  // Adds Caption, ClientWidth and ClientHeight.
  const TPropertyTable& Properties() const override;

  std::int32_t ClientWidth() const { return clientWidth_; }
  virtual void SetClientWidth(std::int32_t width) { clientWidth_ = width; }
  std::int32_t ClientHeight() const { return clientHeight_; }
  virtual void SetClientHeight(std::int32_t height) { clientHeight_ = height; }

  // The window's create handler: runs once, after the window was built and every component of it
  // got its Loaded call. Does nothing unless a window class overrides it.
  virtual void DoCreate() {}

 private:
  std::int32_t clientWidth_ = 0;
  std::int32_t clientHeight_ = 0;
};

}  // namespace kalvero
