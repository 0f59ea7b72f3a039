#include "platform/qt/qt_shell.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

namespace kalvero {

void TQtShell::Open(const std::string& target) {
  const QUrl url = target.find("://") != std::string::npos ? QUrl(QString::fromUtf8(target.c_str()))
                                                          : QUrl::fromLocalFile(QFile::decodeName(target.c_str()));
  QDesktopServices::openUrl(url);
}

}  // namespace kalvero
