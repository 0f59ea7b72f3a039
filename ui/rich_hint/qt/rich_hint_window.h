#pragma once

// The hint window of the rich hint: a top-level popup without a frame that measures its text with
// the hint renderer, takes the text's size plus 16 by 4 pixels, stays on the monitor, and paints
// its background, its border and the text; and the rich hint component that makes it the
// application's hint window.

#include <QWidget>

#include "components/application.h"
#include "ui/rich_hint/hint_renderer.h"
#include "ui/rich_hint/rich_hint.h"

namespace kalvero {

class TRichHintWindow final : public QWidget, public THintWindow {
 public:
  explicit TRichHintWindow(const TApplication& application);

  // Measures the text as the main window's rich hint says, sizes and places the window below the
  // pointer, held on its monitor, and shows it on top without taking the focus. Without a rich
  // hint on the main window no hint shows.
  void ActivateHint(const TRect& rect, const std::string& text, const THintInfo& info) override;
  void HideHint() override { hide(); }
  bool IsShowing() const override { return isVisible(); }

  // The size of the text with its margins, from the last ActivateHint.
  QSize ContentSize() const { return {contentWidth_, contentHeight_}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  THintOptions Options(const TRichHint& hint, bool draw) const;

  const TApplication& application_;
  std::string caption_;
  int contentWidth_ = 0;
  int contentHeight_ = 0;
};

// The rich hint whose hints the rich hint window shows.
class TQtRichHint final : public TRichHint {
 protected:
  THintWindowClass HintWindowClass() const override;
};

}  // namespace kalvero
