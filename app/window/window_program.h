#pragma once

// The window program's windows, built in their order over the services of a platform, so that the
// program's main function and the tests build exactly the same program.

#include "components/application.h"
#include "components/class_registry.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/file_system.h"

namespace kalvero {

class TForm1;

// What the windows work on: the file system, the clock and the environment (the settings folder).
struct TWindowServices {
  TFileSystem& fileSystem;
  const TClock& clock;
  const TEnvironment& environment;
};

// Every class the windows' descriptions name, over the backend this build uses; TForm1 made over
// `services`.
TClassRegistry WindowClasses(const TWindowServices& services);

// Titles the application "Kalvero 1.3", the caption of its error boxes, and creates the windows
// once each, in this order: Form1 (which loads the settings), Form2, Form3, Form4. Answers the main
// window.
TForm1& CreateWindows(TApplication& application, const TClassRegistry& classes);

}  // namespace kalvero
