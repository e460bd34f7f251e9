// CMeziroApp: the application object. It runs the main dialog modally and lets the process
// end when the dialog closes.
#pragma once

#include "display/MeasurementSink.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "runtime/NuiRuntime.h"

class CMeziroApp {
 public:
  // Constructs the main dialog, runs it, and returns false once it has closed: the program
  // has no message pump of its own. Drawn heights go to measurements when given.
  bool InitInstance(platform::Shell& shell, platform::Canvas& canvas, platform::Clock& clock,
                    runtime::NuiRuntime& runtime, MeasurementSink* measurements = nullptr);
};
