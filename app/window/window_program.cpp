#include "app/window/window_program.h"

#include "app/window/form1.h"
#include "app/window/main_window_description.h"
#include "components/native_controls.h"
#include "components/window_builder.h"
#include "localisation/multilanguage.h"
#include "ui/secondary_window_classes.h"
#include "ui/secondary_windows.h"
#include "ui/ui_registry.h"

namespace kalvero {

TClassRegistry WindowClasses(const TWindowServices& services) {
  TClassRegistry classes;
  RegisterNativeControls(classes);
  RegisterUiControls(classes);
  RegisterLanguageClasses(classes);
  RegisterSecondaryWindows(classes);
  classes.Add("TForm1", [services] { return std::make_unique<TForm1>(services.fileSystem, services.clock, services.environment); });
  return classes;
}

TForm1& CreateWindows(TApplication& application, const TClassRegistry& classes) {
  application.SetTitle("Kalvero 1.3");
  auto& main = static_cast<TForm1&>(BuildWindow(application, MainWindowDescription(), classes));
  for (const TWindowDescription& window :
       {AboutWindowDescription(), FolderHelpWindowDescription(), FileHelpWindowDescription()})
    BuildWindow(application, window, classes);
  return main;
}

}  // namespace kalvero
