#pragma once

// The component that gives a window's hints formatted text: placed on a window (one at most), it
// makes the rich hint window the application's hint window and takes part in every hint before it
// shows: it sets the hint's colour and maximum width and runs its own OnShowHint. The hint window
// draws the text with the rich hint's font, margins and style.

#include <memory>
#include <string>

#include "components/application.h"
#include "components/font.h"
#include "components/image_controls.h"
#include "components/string_list.h"
#include "ui/rich_hint/hint_renderer.h"

namespace kalvero {

class ERichHintError : public EComponentError {
 public:
  using EComponentError::EComponentError;
};

enum class THintStyle { hsRectangle, hsRounded };

// Named pictures for the hint text's image tag: each line of Pictures is the name of one of the
// program's built-in pictures (components/picture.h), found by that name.
class TPictureContainer : public TComponent {
 public:
  TPictureContainer();
  // Adds Pictures.
  const TPropertyTable& Properties() const override;
  TStringList& Pictures() const { return *pictures_; }
  void SetPictures(TStringList* pictures);

 private:
  std::unique_ptr<TStringList> pictures_;
};

class TRichHint : public TComponent {
 public:
  TRichHint();
  ~TRichHint() override;

  // Publishes Ellipsis, HintColor, HintColorTo, HintFont, HintStyle, Images, MaxWidth,
  // PictureContainer, ShadowColor, ShadowOffset, URLColor, XMargin and YMargin.
  const TPropertyTable& Properties() const override;

  // true: no word wrap; a line that does not fit is cut with an ellipsis.
  bool Ellipsis() const { return ellipsis_; }
  void SetEllipsis(bool ellipsis) { ellipsis_ = ellipsis; }
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor color) { hintColor_ = color; }
  // clNone: a plain background; another colour: a vertical gradient from HintColor to it.
  TColor HintColorTo() const { return hintColorTo_; }
  void SetHintColorTo(TColor color) { hintColorTo_ = color; }
  TFont& HintFont() const { return *hintFont_; }
  void SetHintFont(TFont* font);
  THintStyle HintStyle() const { return hintStyle_; }
  void SetHintStyle(THintStyle style) { hintStyle_ = style; }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // 0: the application's maximum hint width (the screen's width).
  std::int32_t MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(std::int32_t width) { maxWidth_ = width; }
  TPictureContainer* PictureContainer() const { return pictureContainer_; }
  void SetPictureContainer(TPictureContainer* container);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor color) { shadowColor_ = color; }
  std::int32_t ShadowOffset() const { return shadowOffset_; }
  void SetShadowOffset(std::int32_t offset) { shadowOffset_ = offset; }
  TColor URLColor() const { return urlColor_; }
  void SetURLColor(TColor color) { urlColor_ = color; }
  std::int32_t XMargin() const { return xMargin_; }
  void SetXMargin(std::int32_t margin) { xMargin_ = margin; }
  std::int32_t YMargin() const { return yMargin_; }
  void SetYMargin(std::int32_t margin) { yMargin_ = margin; }

  // Lets the owner change the hint (its text, whether it may show) before it shows.
  TShowHintEvent OnShowHint;

  // The application's show-hint notification: the hint's colour, its maximum width when MaxWidth
  // is set, then OnShowHint.
  void ShowHintNotification(std::string& hint, bool& canShow, THintInfo& info);

 protected:
  // Refuses an owner that is no window and a second rich hint on one window; then makes the
  // application show its hints in this component's hint window.
  void Inserted() override;
  void Notification(TComponent& destroyed) override;
  // The application's hint window for this component's hints; none here, the Qt layer's in its
  // class.
  virtual THintWindowClass HintWindowClass() const { return {}; }

 private:
  bool ellipsis_ = false;
  TColor hintColor_ = clInfoBk;
  TColor hintColorTo_ = clNone;
  std::unique_ptr<TFont> hintFont_;
  THintStyle hintStyle_ = THintStyle::hsRectangle;
  TImageList* images_ = nullptr;
  std::int32_t maxWidth_ = 0;
  TPictureContainer* pictureContainer_ = nullptr;
  TColor shadowColor_ = RgbColor(128, 128, 128);
  std::int32_t shadowOffset_ = 1;
  TColor urlColor_ = clBlack;
  std::int32_t xMargin_ = 0;
  std::int32_t yMargin_ = 0;
  bool subscribed_ = false;
};

// The options the hint window measures the text with by the rich hint's settings: the base font
// and its colour, word wrap unless Ellipsis, the link and shadow colours and the shadow's offset.
THintOptions HintOptionsOf(const TRichHint& hint);

// The rich hint of the application's main window (the first in its list); null when it has none.
TRichHint* MainWindowRichHint(const TApplication& application);

// The window of `window` moved, as little as needed, to end 2 pixels inside the right and bottom
// edges of `monitor` where it reaches past them.
TPoint KeepHintOnMonitor(const TRect& window, const TRect& monitor);

}  // namespace kalvero
