#include "ui/rich_hint/win32/win32_rich_hint_window.h"

#include "components/win32/win32_values.h"
#include "platform/win32/wide_text.h"
#include "ui/rich_hint/win32/win32_hint_canvas.h"

namespace kalvero {
namespace {

constexpr DWORD kExtendedStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;

void RegisterHintClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DROPSHADOW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = TWin32RichHintWindow::kClassName;
    return RegisterClassExW(&windowClass) != 0;
  }();
  static_cast<void>(registered);
}

// The pictures of the hint's image list, by their numbers.
std::vector<std::string> ImagesOf(const TRichHint& hint) {
  std::vector<std::string> names;
  if (const TImageList* images = hint.Images()) {
    TPicture picture;
    for (std::size_t i = 0; i < images->Count(); ++i) {
      images->GetPicture(i, picture);
      names.push_back(picture.Name());
    }
  }
  return names;
}

std::vector<std::string> PicturesOf(const TRichHint& hint) {
  if (const TPictureContainer* container = hint.PictureContainer()) return container->Pictures().Lines();
  return {};
}

TRect MonitorAt(POINT point) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcMonitor;
  return {area.left, area.top, area.right, area.bottom};
}

void Line(HDC dc, int fromX, int fromY, int toX, int toY) {
  MoveToEx(dc, fromX, fromY, nullptr);
  LineTo(dc, toX, toY);
}

}  // namespace

TWin32RichHintWindow::TWin32RichHintWindow(const TApplication& application) : application_(application) {
  RegisterHintClass(Procedure);
  window_ = CreateWindowExW(kExtendedStyle, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TWin32RichHintWindow::~TWin32RichHintWindow() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

TWin32RichHintWindow::TLook TWin32RichHintWindow::LookOf(const TRichHint& hint, const THintInfo& info) {
  return {HintOptionsOf(hint), info.hintColor, hint.HintColorTo(), hint.HintStyle(), hint.XMargin(), hint.YMargin(),
          ImagesOf(hint), PicturesOf(hint)};
}

void TWin32RichHintWindow::GivePictures(TWin32HintCanvas& canvas) const {
  canvas.SetImages(look_.images);
  canvas.SetPictures(look_.pictures);
}

void TWin32RichHintWindow::ActivateHint(const TRect& rect, const std::string& text, const THintInfo& info) {
  caption_ = text;
  SetWindowTextW(window_, WideText(text).c_str());
  const TRichHint* hint = MainWindowRichHint(application_);
  if (hint == nullptr) return HideHint();
  look_ = LookOf(*hint, info);
  THintSize measured;
  const HDC screen = GetDC(window_);
  {
    TWin32HintCanvas canvas(screen);
    GivePictures(canvas);
    const TRect measure{rect.left, rect.top, rect.right - 16, rect.top + 1};
    // Paint draws in the window's narrower rectangle but breaks the lines as measured here.
    look_.options.wrapWidth = measure.Width();
    measured = RenderHintHtml(canvas, caption_, measure, look_.options);
  }
  ReleaseDC(window_, screen);
  const int contentWidth = measured.width + 2 * look_.xMargin;
  contentHeight_ = measured.height + 2 * look_.yMargin;
  const int width = contentWidth + 16, height = contentHeight_ + 4;
  const TRect wanted{rect.left, rect.top, rect.left + width, rect.top + height};
  const TPoint corner = KeepHintOnMonitor(wanted, MonitorAt({rect.left, rect.top}));
  SetWindowPos(window_, HWND_TOPMOST, corner.x, corner.y, width, height, SWP_NOACTIVATE);
  // The system owns a region once it is the window's.
  SetWindowRgn(window_,
               look_.style == THintStyle::hsRounded
                   ? CreateRoundRectRgn(0, 0, width + 1, height + 1, kRoundedCorner, kRoundedCorner)
                   : nullptr,
               FALSE);
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  InvalidateRect(window_, nullptr, FALSE);
}

TRect TWin32RichHintWindow::TextRect() const {
  RECT client{};
  GetClientRect(window_, &client);
  const int top = (client.bottom - contentHeight_) / 2 + look_.yMargin;
  return {look_.xMargin + 4, top, client.right - 4, top + contentHeight_ + 8};
}

void TWin32RichHintWindow::Paint(HDC dc) const {
  RECT client{};
  GetClientRect(window_, &client);
  const TRect area{client.left, client.top, client.right, client.bottom};
  TWin32HintCanvas canvas(dc);
  GivePictures(canvas);
  if (look_.colorTo == clNone)
    canvas.FillBox(area, look_.color);
  else
    canvas.FillGradient(area, look_.color, look_.colorTo, true);

  const int saved = SaveDC(dc);
  SelectObject(dc, GetStockObject(DC_PEN));
  if (look_.style == THintStyle::hsRounded) {
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    SetDCPenColor(dc, RGB(128, 128, 128));
    RoundRect(dc, 0, 0, client.right - 1, client.bottom - 1, kRoundedCorner, kRoundedCorner);
  } else {
    const int right = client.right - 1, bottom = client.bottom - 1;
    SetDCPenColor(dc, ToColorRef(cl3DLight));
    Line(dc, 0, 0, client.right, 0);
    Line(dc, 0, 0, 0, client.bottom);
    SetDCPenColor(dc, ToColorRef(cl3DDkShadow));
    Line(dc, 0, bottom, client.right, bottom);
    Line(dc, right, 0, right, client.bottom);
  }
  RestoreDC(dc, saved);

  THintOptions options = look_.options;
  options.draw = true;
  RenderHintHtml(canvas, caption_, TextRect(), options);
}

void TWin32RichHintWindow::PaintBuffered(HDC dc) const {
  RECT client{};
  GetClientRect(window_, &client);
  PaintOffScreen(dc, client.right, client.bottom, [this](HDC memory) { Paint(memory); });
}

LRESULT CALLBACK TWin32RichHintWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* self = reinterpret_cast<const TWin32RichHintWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    // The pointer goes through to the window below; a click never activates the hint.
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      if (self != nullptr) self->PaintBuffered(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      if (self != nullptr) self->Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

THintWindowClass TWin32RichHint::HintWindowClass() const {
  const TApplication* application = ApplicationOf(*this);
  return [application] { return std::make_unique<TWin32RichHintWindow>(*application); };
}

}  // namespace kalvero
