#include "components/qt/qt_values.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>

#include <array>

#include "platform/qt/program_fonts.h"

namespace kalvero {
namespace {

QPalette::ColorRole RoleOf(TSystemColor color) {
  switch (color) {
    case TSystemColor::Window: return QPalette::Base;
    case TSystemColor::WindowText: return QPalette::Text;
    case TSystemColor::WindowFrame: return QPalette::Shadow;
    case TSystemColor::BtnFace: return QPalette::Button;
    case TSystemColor::BtnText: return QPalette::ButtonText;
    case TSystemColor::BtnShadow: return QPalette::Mid;
    case TSystemColor::BtnHighlight: return QPalette::Light;
    case TSystemColor::Light3D: return QPalette::Midlight;
    case TSystemColor::DkShadow3D: return QPalette::Shadow;
    case TSystemColor::Highlight: return QPalette::Highlight;
    case TSystemColor::HighlightText: return QPalette::HighlightedText;
    case TSystemColor::GrayText: return QPalette::PlaceholderText;
    case TSystemColor::InfoBk: return QPalette::ToolTipBase;
    case TSystemColor::InfoText: return QPalette::ToolTipText;
    case TSystemColor::Menu: return QPalette::Window;
    case TSystemColor::MenuText: return QPalette::WindowText;
    case TSystemColor::ActiveCaption: return QPalette::Highlight;
    case TSystemColor::CaptionText: return QPalette::HighlightedText;
    case TSystemColor::InactiveCaption: return QPalette::Mid;
    case TSystemColor::InactiveCaptionText: return QPalette::WindowText;
    case TSystemColor::ActiveBorder: return QPalette::Window;
    case TSystemColor::InactiveBorder: return QPalette::Window;
    case TSystemColor::AppWorkSpace: return QPalette::Dark;
    case TSystemColor::Background: return QPalette::Window;
    case TSystemColor::ScrollBar: return QPalette::Button;
  }
  return QPalette::Window;
}

}  // namespace

QColor ToQColor(TColor color) {
  if (const auto system = SystemColorOf(color)) return QApplication::palette().color(RoleOf(*system));
  return QColor::fromRgb((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

QFont ToQFont(const TFont& font) {
  QFont result(ToQt(font.Name()));
  const int height = font.Height();
  if (height < 0) {
    result.setPixelSize(-height);
  } else if (height > 0) {
    // The cell's height: the characters take what is left after the font's internal leading.
    result.setPixelSize(height);
    const QFontMetrics metrics(result);
    result.setPixelSize(std::max(1, height * height / std::max(1, metrics.height())));
  }
  const TFontStyles style = font.Style();
  result.setBold(style.Contains(TFontStyle::fsBold));
  result.setItalic(style.Contains(TFontStyle::fsItalic));
  result.setUnderline(style.Contains(TFontStyle::fsUnderline));
  result.setStrikeOut(style.Contains(TFontStyle::fsStrikeOut));
  return WithBoldSpacing(result);
}

QCursor ToQCursor(TCursor cursor) {
  static constexpr std::array<Qt::CursorShape, 20> kShapes = {
      Qt::ArrowCursor,   Qt::ArrowCursor,       Qt::IBeamCursor,      Qt::WaitCursor,      Qt::PointingHandCursor,
      Qt::CrossCursor,   Qt::BlankCursor,       Qt::SizeAllCursor,    Qt::SizeVerCursor,   Qt::SizeHorCursor,
      Qt::SizeBDiagCursor, Qt::SizeFDiagCursor, Qt::UpArrowCursor,    Qt::ForbiddenCursor, Qt::BusyCursor,
      Qt::WhatsThisCursor, Qt::DragMoveCursor,  Qt::ForbiddenCursor,  Qt::SplitHCursor,    Qt::SplitVCursor};
  return QCursor(cursor >= 0 && cursor < static_cast<TCursor>(kShapes.size()) ? kShapes[static_cast<std::size_t>(cursor)]
                                                                               : Qt::ArrowCursor);
}

Qt::Alignment ToQtHorizontalAlignment(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taLeftJustify: return Qt::AlignLeft;
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: return Qt::AlignHCenter;
  }
  return Qt::AlignLeft;
}

QPixmap ArtworkPixmap(std::string_view name) {
  if (name.empty()) return {};
  return QPixmap(":/artwork/" + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + ".png");
}

QPixmap ToQPixmap(const TPicture& picture) { return ArtworkPixmap(picture.Name()); }

}  // namespace kalvero
