#include "ui/artwork/artwork.h"

namespace kalvero {

QString LogoPath(int size) { return QStringLiteral(":/artwork/logo-%1.png").arg(size); }

QString FlagPath(std::string_view language) {
  return QStringLiteral(":/artwork/flag-%1.png")
      .arg(QString::fromUtf8(language.data(), static_cast<qsizetype>(language.size())));
}

QString StatusIconPath(int index) {
  static constexpr std::array<const char*, kStatusIconCount> kNames = {"idle", "scanning", "folders", "copying"};
  if (index < 0 || index >= kStatusIconCount) return {};
  return QStringLiteral(":/artwork/status-%1.png").arg(QString::fromLatin1(kNames[static_cast<std::size_t>(index)]));
}

QString HelpGlyphPath() { return QStringLiteral(":/artwork/help.png"); }

QString FolderGlyphPath() { return QStringLiteral(":/artwork/folder.png"); }

}  // namespace kalvero
