#include "components/colors.h"

#include <array>

namespace kalvero {
namespace {

constexpr auto kColorNames = std::to_array<TIdentEntry>({
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clWindow", SystemColor(TSystemColor::Window)},
    {"clWindowText", SystemColor(TSystemColor::WindowText)},
    {"clWindowFrame", SystemColor(TSystemColor::WindowFrame)},
    {"clBtnFace", SystemColor(TSystemColor::BtnFace)},
    {"clBtnText", SystemColor(TSystemColor::BtnText)},
    {"clBtnShadow", SystemColor(TSystemColor::BtnShadow)},
    {"clBtnHighlight", SystemColor(TSystemColor::BtnHighlight)},
    {"cl3DLight", SystemColor(TSystemColor::Light3D)},
    {"cl3DDkShadow", SystemColor(TSystemColor::DkShadow3D)},
    {"clHighlight", SystemColor(TSystemColor::Highlight)},
    {"clHighlightText", SystemColor(TSystemColor::HighlightText)},
    {"clGrayText", SystemColor(TSystemColor::GrayText)},
    {"clInfoBk", SystemColor(TSystemColor::InfoBk)},
    {"clInfoText", SystemColor(TSystemColor::InfoText)},
    {"clMenu", SystemColor(TSystemColor::Menu)},
    {"clMenuText", SystemColor(TSystemColor::MenuText)},
    {"clActiveCaption", SystemColor(TSystemColor::ActiveCaption)},
    {"clCaptionText", SystemColor(TSystemColor::CaptionText)},
    {"clInactiveCaption", SystemColor(TSystemColor::InactiveCaption)},
    {"clInactiveCaptionText", SystemColor(TSystemColor::InactiveCaptionText)},
    {"clActiveBorder", SystemColor(TSystemColor::ActiveBorder)},
    {"clInactiveBorder", SystemColor(TSystemColor::InactiveBorder)},
    {"clAppWorkSpace", SystemColor(TSystemColor::AppWorkSpace)},
    {"clBackground", SystemColor(TSystemColor::Background)},
    {"clScrollBar", SystemColor(TSystemColor::ScrollBar)},
    {"clNone", clNone},
});

}  // namespace

std::optional<TSystemColor> SystemColorOf(TColor color) {
  const TColor number = color - kSystemColorFlag;
  if (number < 0 || number >= kSystemColorCount) return std::nullopt;
  return static_cast<TSystemColor>(number);
}

TIdentTable ColorNames() { return kColorNames; }

}  // namespace kalvero
