// The entry point: chooses the host and the sensor provider and runs the application.
#include "app/MeziroApp.h"
#include "platform/SystemClock.h"
#include "platform/qt/DesktopHost.h"
#include "runtime/NoSensorRuntime.h"

int main(int argc, char** argv) {
  platform::qt::DesktopHost host(argc, argv);
  platform::SystemClock clock;
  runtime::NoSensorRuntime runtime;
  CMeziroApp app;
  app.InitInstance(host.GetShell(), host.GetCanvas(), clock, runtime);
  return 0;
}
