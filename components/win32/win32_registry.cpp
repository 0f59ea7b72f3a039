#include "components/win32/win32_registry.h"

#include "components/win32/win32_controls.h"
#include "components/win32/win32_edit.h"
#include "components/win32/win32_form.h"
#include "components/win32/win32_status_bar.h"

namespace kalvero {

void RegisterWin32Controls(TClassRegistry& registry) {
  RegisterStandardControls(registry);
  registry.Register<TWin32Form>("TForm");
  registry.Register<TWin32Label>("TLabel");
  registry.Register<TWin32Edit>("TEdit");
  registry.Register<TWin32CheckBox>("TCheckBox");
  registry.Register<TWin32Button>("TButton");
  registry.Register<TWin32SpeedButton>("TSpeedButton");
  registry.Register<TWin32GroupBox>("TGroupBox");
  registry.Register<TWin32Panel>("TPanel");
  registry.Register<TWin32StatusBar>("TStatusBar");
  registry.Register<TWin32StatusBar>("TPanelStatusBar");
  registry.Register<TWin32Image>("TImage");
  registry.Register<TWin32ProgressBar>("TProgressBar");
}

}  // namespace kalvero
