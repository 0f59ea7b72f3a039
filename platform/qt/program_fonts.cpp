#include "platform/qt/program_fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

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

}  // namespace

void AddProgramFonts(const std::string& wineFontFolder) {
  const QString folder = QFile::decodeName(QByteArray::fromStdString(wineFontFolder));
  for (const char* file : {"tahoma.ttf", "tahomabd.ttf"})
    QFontDatabase::addApplicationFont(folder + u'/' + QLatin1String(file));
  SubstituteLiberationSans(kTahoma);
  SubstituteLiberationSans(kArial);
}

}  // namespace kalvero
