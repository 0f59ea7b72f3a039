#pragma once

// The model's values as Qt takes them: texts, colours, fonts, cursors, pictures.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <string>
#include <string_view>

#include "components/colors.h"
#include "components/controls.h"
#include "components/cursors.h"
#include "components/events.h"
#include "components/font.h"
#include "components/picture.h"

namespace kalvero {

// Our texts are UTF-8; bytes that are no UTF-8 show as U+FFFD.
inline QString ToQt(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string FromQt(const QString& text) { return text.toStdString(); }

// A rectangle of the model ends before its right and bottom, one of Qt on them.
inline TRect ToRect(const QRect& rect) {
  return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}
inline QRect ToQRect(const TRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

// An explicit colour as it stands; a system colour as the application's palette has it now.
QColor ToQColor(TColor color);

// Height in pixels: negative for the characters' height (Qt's pixel size), positive for the cell. A
// bold without a bold face of its own gets its letters spaced (WithBoldSpacing).
QFont ToQFont(const TFont& font);

QCursor ToQCursor(TCursor cursor);

// The horizontal part of Qt's alignment for `alignment`; the caller adds the vertical part.
Qt::Alignment ToQtHorizontalAlignment(TAlignment alignment);

// The program's built-in picture of that name, e.g. "flag-en": the Qt resource
// ":/artwork/<name>.png" that ui/artwork draws and embeds; a null pixmap for the empty name or an
// unknown one. A program that links kalvero_artwork has the resources from its start.
QPixmap ArtworkPixmap(std::string_view name);

// The built-in picture that `picture` names (ArtworkPixmap).
QPixmap ToQPixmap(const TPicture& picture);

}  // namespace kalvero
