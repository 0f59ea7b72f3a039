#include "platform/qt/program_fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>

namespace kalvero {
namespace {

const QString kTahoma = QStringLiteral("Tahoma");
const QString kArial = QStringLiteral("Arial");
const QString kLiberationSans = QStringLiteral("Liberation Sans");

QString ResolvedFamily(const QString& family) {
  QFont font(family);
  font.setPixelSize(11);
  return QFontInfo(font).family();
}

// Maps `family` to Liberation Sans unless it already resolves to a font of its own name or to
// Liberation Sans. Qt looks a family's substitutes up before fontconfig's fallbacks.
void SubstituteLiberationSans(const QString& family) {
  const QString resolved = ResolvedFamily(family);
  if (resolved.compare(family, Qt::CaseInsensitive) == 0 || resolved == kLiberationSans) return;
  QFont::insertSubstitution(family, kLiberationSans);
}

bool HasBoldFace(const QString& family) {
  const QStringList styles = QFontDatabase::styles(family);
  return std::any_of(styles.begin(), styles.end(),
                     [&](const QString& style) { return QFontDatabase::weight(family, style) >= QFont::DemiBold; });
}

}  // namespace

void AddProgramFonts(const std::string& wineFontFolder) {
  const QString folder = QFile::decodeName(QByteArray::fromStdString(wineFontFolder));
  QFontDatabase::addApplicationFont(folder + QStringLiteral("/tahoma.ttf"));
  SubstituteLiberationSans(kTahoma);
  SubstituteLiberationSans(kArial);
}

QFont WithBoldSpacing(QFont font) {
  if (!font.bold()) return font;
  const QFontInfo resolved(font);
  if (HasBoldFace(resolved.family())) return font;
  font.setLetterSpacing(QFont::AbsoluteSpacing, resolved.pixelSize() / 24.0);
  return font;
}

}  // namespace kalvero
