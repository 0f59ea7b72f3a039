#pragma once

// The hint window of the rich hint: a top-level popup without a frame that measures its text with
// the hint renderer, takes the text's size plus 16 by 4 pixels, stays on the monitor, and paints
// its background, its border and the text; and the rich hint component that makes it the
// application's hint window.

#include <QPixmap>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

#include "components/application.h"
#include "ui/rich_hint/hint_renderer.h"
#include "ui/rich_hint/rich_hint.h"

namespace kalvero {

class TQtHintCanvas;

class TRichHintWindow final : public QWidget, public THintWindow {
 public:
  explicit TRichHintWindow(const TApplication& application);

  // Measures the text as the main window's rich hint says, as wide as `rect` allows less the
  // window's 16 pixels, places the window at rect's top left corner, held on its monitor, and shows
  // it on top, in info.hintColor, without taking the focus. Without a rich hint on the main window
  // no hint shows.
  void ActivateHint(const TRect& rect, const std::string& text, const THintInfo& info) override;
  void HideHint() override { hide(); }
  bool IsShowing() const override { return isVisible(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // What the hint is drawn with: the rich hint's settings and pictures and the hint's colour, as
  // they were when it was activated.
  struct TLook {
    THintOptions options;
    TColor color = clInfoBk;
    TColor colorTo = clNone;
    THintStyle style = THintStyle::hsRectangle;
    int xMargin = 0;
    int yMargin = 0;
    std::vector<QPixmap> images;
    std::vector<std::pair<std::string, QPixmap>> pictures;
  };

  static TLook LookOf(const TRichHint& hint, const THintInfo& info);
  void GivePictures(TQtHintCanvas& canvas) const;

  const TApplication& application_;
  std::string caption_;
  TLook look_;
  int contentHeight_ = 0;
};

// The rich hint whose hints the rich hint window shows.
class TQtRichHint final : public TRichHint {
 protected:
  THintWindowClass HintWindowClass() const override;
};

}  // namespace kalvero
