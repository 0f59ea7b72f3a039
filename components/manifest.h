#pragma once

// The marker that the program carries an application manifest asking Windows for the common
// controls with visual styles. It has no behaviour; Qt draws with the desktop's style anyway.

#include "components/component.h"

namespace kalvero {

class TManifest : public TComponent {};

}  // namespace kalvero
