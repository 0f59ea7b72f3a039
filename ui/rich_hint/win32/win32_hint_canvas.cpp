#include "ui/rich_hint/win32/win32_hint_canvas.h"

#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "components/win32/win32_pictures.h"
#include "components/win32/win32_values.h"
#include "platform/ascii_text.h"
#include "platform/win32/api_path.h"
#include "platform/win32/wide_text.h"

namespace kalvero {
namespace {

constexpr int kTabStopChars = 8;
constexpr int kGradientBands = 48;
constexpr int kBulletSize = 5;
constexpr int kMaxZigzag = 100'000;
constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

int Length(const std::wstring& text) { return static_cast<int>(text.size()); }

// Restores what the canvas changes in the device context when a drawing call ends.
class TSavedDc {
 public:
  explicit TSavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  TSavedDc(const TSavedDc&) = delete;
  TSavedDc& operator=(const TSavedDc&) = delete;
  ~TSavedDc() { RestoreDC(dc_, saved_); }

 private:
  HDC dc_;
  int saved_;
};

// A pen or brush of its own selected into a device context while it lives, then deleted.
class TSelected {
 public:
  TSelected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;
  ~TSelected() {
    SelectObject(dc_, old_);
    DeleteObject(object_);
  }

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ old_;
};

void Fill(HDC dc, const RECT& box, COLORREF color) {
  const HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

RECT ToRect(const TRect& box) { return {box.left, box.top, box.right, box.bottom}; }

THintFont FullSize(THintFont font) {
  font.script = THintScript::Normal;
  return font;
}

// The GDI description of a font state: subscript and superscript at two thirds of the size, turned
// by lfEscapement and lfOrientation (tenths of a degree).
LOGFONTW LogFontOf(const THintFont& font) {
  LOGFONTW description{};
  const int points = std::max(1, font.script == THintScript::Normal ? font.size : font.size * 2 / 3);
  description.lfHeight = -MulDiv(points, kScreenDpi, kPointsPerInch);
  description.lfEscapement = description.lfOrientation = font.angle * 10;
  description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.italic ? TRUE : FALSE;
  description.lfUnderline = font.underline ? TRUE : FALSE;
  description.lfStrikeOut = font.strikeOut ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfQuality = DEFAULT_QUALITY;
  const std::wstring name = WideText(font.name);
  name.copy(description.lfFaceName, std::min<std::size_t>(name.size(), LF_FACESIZE - 1));
  return description;
}

}  // namespace

struct TWin32HintCanvas::TShownPicture {
  explicit TShownPicture(TWin32Picture resource)
      : picture(std::move(resource)), size{picture.Width(), picture.Height()} {}
  TShownPicture(HICON shown, int side) : icon(shown), size{side, side} {}
  TShownPicture(const TShownPicture&) = delete;
  TShownPicture& operator=(const TShownPicture&) = delete;
  TShownPicture(TShownPicture&& other) noexcept
      : picture(std::move(other.picture)), icon(std::exchange(other.icon, nullptr)), size(other.size) {}
  ~TShownPicture() {
    if (icon != nullptr) DestroyIcon(icon);
  }

  void Draw(HDC dc, const RECT& box) const {
    if (icon != nullptr)
      DrawIconEx(dc, box.left, box.top, icon, box.right - box.left, box.bottom - box.top, 0, nullptr, DI_NORMAL);
    else
      picture.Draw(dc, box);
  }

  TWin32Picture picture;
  HICON icon = nullptr;
  THintSize size;
};

TWin32HintCanvas::TWin32HintCanvas(HDC dc) : dc_(dc), originalFont_(GetCurrentObject(dc, OBJ_FONT)) {}

TWin32HintCanvas::~TWin32HintCanvas() {
  SelectObject(dc_, originalFont_);
  for (const auto& [font, handle] : fonts_) DeleteObject(handle);
}

HFONT TWin32HintCanvas::FontOf(const THintFont& font) {
  for (const auto& [made, handle] : fonts_)
    if (made == font) return handle;
  const LOGFONTW description = LogFontOf(font);
  return fonts_.emplace_back(font, CreateFontIndirectW(&description)).second;
}

TEXTMETRICW TWin32HintCanvas::Select(const THintFont& font) {
  SelectObject(dc_, FontOf(font));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  return metrics;
}

template <class Run>
int TWin32HintCanvas::WalkTabs(const std::wstring& text, int stop, Run run) {
  int x = 0;
  std::size_t from = 0;
  while (true) {
    const std::size_t tab = text.find(L'\t', from);
    const std::wstring piece = text.substr(from, tab == std::wstring::npos ? std::wstring::npos : tab - from);
    run(piece, x);
    SIZE extent{};
    GetTextExtentPoint32W(dc_, piece.c_str(), Length(piece), &extent);
    x += extent.cx;
    if (tab == std::wstring::npos) return x;
    x = (x / stop + 1) * stop;
    from = tab + 1;
  }
}

THintSize TWin32HintCanvas::TextExtent(const THintFont& font, std::string_view text) {
  const int height = Select(FullSize(font)).tmHeight;
  const TEXTMETRICW metrics = Select(font);
  const int stop = std::max(1, kTabStopChars * static_cast<int>(metrics.tmAveCharWidth));
  return {WalkTabs(WideText(text), stop, [](const std::wstring&, int) {}), height};
}

void TWin32HintCanvas::DrawTextPiece(const THintFont& font, std::string_view text, const TRect& box, TColor color,
                                     TColor background, bool ellipsis) {
  const TSavedDc saved(dc_);
  if (background != clNone) Fill(dc_, ToRect(box), ToColorRef(background));
  std::wstring shown = WideText(text);
  if (ellipsis && TextExtent(font, text).width > box.Width()) {
    // Tabs become blanks, and as many characters stay as fit before the "..." within the box.
    std::ranges::replace(shown, L'\t', L' ');
    Select(font);
    SIZE dots{};
    GetTextExtentPoint32W(dc_, L"...", 3, &dots);
    INT fit = 0;
    SIZE whole{};
    GetTextExtentExPointW(dc_, shown.c_str(), Length(shown), std::max(0, box.Width() - static_cast<int>(dots.cx)),
                          &fit, nullptr, &whole);
    shown = shown.substr(0, static_cast<std::size_t>(fit)) + L"...";
  }
  const TEXTMETRICW metrics = Select(font);
  const int baseline = font.script == THintScript::Superscript ? box.top + metrics.tmAscent
                                                                : box.bottom - metrics.tmDescent;
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, ToColorRef(color));
  SetTextAlign(dc_, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
  // Turned text goes on along its own direction after a tab.
  const double turn = font.angle * std::numbers::pi / 180;
  const int stop = std::max(1, kTabStopChars * static_cast<int>(metrics.tmAveCharWidth));
  WalkTabs(shown, stop, [&](const std::wstring& run, int x) {
    const int dx = static_cast<int>(std::lround(x * std::cos(turn)));
    const int dy = static_cast<int>(std::lround(-x * std::sin(turn)));
    ExtTextOutW(dc_, box.left + dx, baseline + dy, 0, nullptr, run.c_str(), static_cast<UINT>(run.size()), nullptr);
  });
}

void TWin32HintCanvas::DrawRule(int left, int right, int y, TColor color) {
  if (right > left) Fill(dc_, {left, y, right, y + 1}, ToColorRef(color));
}

void TWin32HintCanvas::FillBox(const TRect& box, TColor color) { Fill(dc_, ToRect(box), ToColorRef(color)); }

void TWin32HintCanvas::FillGradient(const TRect& box, TColor from, TColor to, bool vertical) {
  const COLORREF first = ToColorRef(from), last = ToColorRef(to);
  const int extent = vertical ? box.Height() : box.Width();
  for (int band = 0; band < kGradientBands; ++band) {
    const auto step = [band](int a, int b) { return a + (b - a) * band / (kGradientBands - 1); };
    const COLORREF color = RGB(step(GetRValue(first), GetRValue(last)), step(GetGValue(first), GetGValue(last)),
                               step(GetBValue(first), GetBValue(last)));
    const int start = extent * band / kGradientBands, end = extent * (band + 1) / kGradientBands;
    if (end <= start) continue;
    Fill(dc_,
         vertical ? RECT{box.left, box.top + start, box.right, box.top + end}
                  : RECT{box.left + start, box.top, box.left + end, box.bottom},
         color);
  }
}

std::optional<TWin32HintCanvas::TShownPicture> TWin32HintCanvas::Load(const THintPicture& picture) const {
  std::optional<TShownPicture> shown;
  switch (picture.source) {
    case THintPictureSource::ImageList:
      if (picture.index >= 0 && static_cast<std::size_t>(picture.index) < images_.size())
        shown.emplace(TWin32Picture(images_[static_cast<std::size_t>(picture.index)]));
      break;
    case THintPictureSource::SmallSystemIcon:
    case THintPictureSource::LargeSystemIcon: {
      const bool small = picture.source == THintPictureSource::SmallSystemIcon;
      SHFILEINFOW info{};
      const UINT flags = SHGFI_ICON | (small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
      if (SHGetFileInfoW(ApiPath(picture.name).c_str(), 0, &info, sizeof info, flags) != 0 && info.hIcon != nullptr)
        shown.emplace(info.hIcon, GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON));
      break;
    }
    case THintPictureSource::Container:
      for (const std::string& name : pictures_)
        if (SameTextAscii(name, picture.name)) {
          shown.emplace(TWin32Picture(name));
          break;
        }
      break;
  }
  if (shown && shown->icon == nullptr && shown->picture.Empty()) shown.reset();
  return shown;
}

std::optional<THintSize> TWin32HintCanvas::PictureSize(const THintPicture& picture) {
  const auto shown = Load(picture);
  if (!shown) return std::nullopt;
  return shown->size;
}

void TWin32HintCanvas::DrawPicture(const THintPicture& picture, const TRect& box) {
  if (const auto shown = Load(picture)) shown->Draw(dc_, ToRect(box));
}

void TWin32HintCanvas::TilePicture(const THintPicture& picture, const TRect& box) {
  const auto shown = Load(picture);
  if (!shown || shown->size.width <= 0 || shown->size.height <= 0) return;
  const TSavedDc saved(dc_);
  IntersectClipRect(dc_, box.left, box.top, box.right, box.bottom);
  for (int y = box.top; y < box.bottom; y += shown->size.height)
    for (int x = box.left; x < box.right; x += shown->size.width)
      shown->Draw(dc_, {x, y, x + shown->size.width, y + shown->size.height});
}

void TWin32HintCanvas::DrawBullet(const TRect& box, TColor color) {
  const COLORREF shade = ToColorRef(color);
  const TSelected brush(dc_, CreateSolidBrush(shade));
  const TSelected pen(dc_, CreatePen(PS_SOLID, 1, shade));
  const int left = box.left + (box.Width() - kBulletSize) / 2;
  const int top = box.top + (box.Height() - kBulletSize) / 2;
  Ellipse(dc_, left, top, left + kBulletSize, top + kBulletSize);
}

void TWin32HintCanvas::DrawZigzag(int left, int right, int bottom, TColor color) {
  if (right <= left) return;
  std::vector<POINT> line;
  const int end = std::min(right - 1, left + kMaxZigzag);
  for (int x = left, step = 0; x <= end; x += 2, ++step) line.push_back({x, step % 2 == 0 ? bottom - 1 : bottom - 3});
  if (line.size() < 2) return;
  const TSelected pen(dc_, CreatePen(PS_SOLID, 1, ToColorRef(color)));
  Polyline(dc_, line.data(), static_cast<int>(line.size()));
}

}  // namespace kalvero
