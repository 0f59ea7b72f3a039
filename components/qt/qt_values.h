#pragma once

// The model's values as Qt takes them: texts, colours, fonts, cursors, pictures.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPixmap>
#include <QString>

#include <string>

#include "components/colors.h"
#include "components/cursors.h"
#include "components/font.h"
#include "components/picture.h"

namespace kalvero {

// Our texts are UTF-8; bytes that are no UTF-8 show as U+FFFD.
inline QString ToQt(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string FromQt(const QString& text) { return text.toStdString(); }

// An explicit colour as it stands; a system colour as the application's palette has it now.
QColor ToQColor(TColor color);

// Height in pixels: negative for the characters' height (Qt's pixel size), positive for the cell.
QFont ToQFont(const TFont& font);

QCursor ToQCursor(TCursor cursor);

// The built-in picture of that name; a null pixmap for the empty name or an unknown one.
QPixmap ToQPixmap(const TPicture& picture);

}  // namespace kalvero
