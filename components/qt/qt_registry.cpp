#include "components/qt/qt_registry.h"

#include "components/native_controls.h"
#include "components/qt/qt_controls.h"
#include "components/qt/qt_edit.h"
#include "components/qt/qt_form.h"
#include "components/qt/qt_status_bar.h"

namespace kalvero {

void RegisterQtControls(TClassRegistry& registry) {
  RegisterStandardControls(registry);
  registry.Register<TQtForm>("TForm");
  registry.Register<TQtLabel>("TLabel");
  registry.Register<TQtEdit>("TEdit");
  registry.Register<TQtCheckBox>("TCheckBox");
  registry.Register<TQtButton>("TButton");
  registry.Register<TQtSpeedButton>("TSpeedButton");
  registry.Register<TQtGroupBox>("TGroupBox");
  registry.Register<TQtPanel>("TPanel");
  registry.Register<TQtStatusBar>("TStatusBar");
  registry.Register<TQtStatusBar>("TPanelStatusBar");
  registry.Register<TQtImage>("TImage");
  registry.Register<TQtProgressBar>("TProgressBar");
}

void RegisterNativeControls(TClassRegistry& registry) { RegisterQtControls(registry); }

}  // namespace kalvero
