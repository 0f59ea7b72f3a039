#include "app/window/qt/qt_window_program.h"

#include <QApplication>
#include <QIcon>

#include "components/qt/qt_values.h"
#include "platform/qt/program_fonts.h"

namespace kalvero {

void PrepareQtApplication() {
  QApplication::setStyle("Fusion");
  QApplication::setWindowIcon(QIcon(ArtworkPixmap("logo-96")));
  AddProgramFonts();
}

}  // namespace kalvero
