#include "ui/artwork/artwork.h"

namespace kalvero {

QString LogoPath(int size) { return QStringLiteral(":/artwork/logo-%1.png").arg(size); }

QString FlagPath(std::string_view language) {
  return QStringLiteral(":/artwork/flag-%1.png")
      .arg(QString::fromUtf8(language.data(), static_cast<qsizetype>(language.size())));
}

QString StatusIconPath(TStatusIcon icon) {
  static constexpr std::array<const char*, kStatusIconCount> kNames = {
      ":/artwork/status-idle.png", ":/artwork/status-scanning.png",
      ":/artwork/status-folders.png", ":/artwork/status-copying.png"};
  return QString::fromLatin1(kNames.at(static_cast<std::size_t>(icon)));
}

QString HelpGlyphPath() { return QStringLiteral(":/artwork/help.png"); }

QString FolderGlyphPath() { return QStringLiteral(":/artwork/folder.png"); }

}  // namespace kalvero
