#include "app/window/window_program.h"

#include <QApplication>
#include <QIcon>

#include "app/window/form1.h"
#include "app/window/main_window_description.h"
#include "components/qt/qt_registry.h"
#include "components/qt/qt_values.h"
#include "components/window_builder.h"
#include "localisation/multilanguage.h"
#include "platform/qt/program_fonts.h"
#include "ui/qt/qt_secondary_windows.h"
#include "ui/qt/ui_registry.h"
#include "ui/secondary_windows.h"

namespace kalvero {

void PrepareQtApplication() {
  QApplication::setStyle("Fusion");
  QApplication::setWindowIcon(QIcon(ArtworkPixmap("logo-96")));
  AddProgramFonts();
}

TClassRegistry WindowClasses(const TWindowServices& services) {
  TClassRegistry classes;
  RegisterQtControls(classes);
  RegisterUiControls(classes);
  RegisterLanguageClasses(classes);
  RegisterSecondaryWindows(classes);
  classes.Add("TForm1", [services] { return std::make_unique<TForm1>(services.fileSystem, services.clock, services.environment); });
  return classes;
}

TForm1& CreateWindows(TQtApplication& application, const TClassRegistry& classes) {
  application.SetTitle("Kalvero 1.3");
  auto& main = static_cast<TForm1&>(BuildWindow(application, MainWindowDescription(), classes));
  for (const TWindowDescription& window :
       {AboutWindowDescription(), FolderHelpWindowDescription(), FileHelpWindowDescription()})
    BuildWindow(application, window, classes);
  return main;
}

}  // namespace kalvero
