#include "platform/windows_version.h"

namespace kalvero {

TWindowsVersion RunningWindowsVersion() { return {}; }

}  // namespace kalvero
