#include "entry/DesktopMode.h"

#include <cstdio>
#include <memory>

#include "app/MeziroApp.h"
#include "entry/MeasurementLog.h"
#include "entry/Provider.h"
#include "platform/SystemClock.h"
#include "platform/qt/DesktopHost.h"

namespace entry {

int RunDesktop(int& argc, char** argv, const Options& options,
               const std::optional<sim::Scene>& scene) {
  platform::SystemClock clock;
  std::unique_ptr<MeasurementLog> log;
  if (!OpenRequestedLog(options.measurementsPath, clock, log)) {
    return 2;
  }
  // The provider outlives the host and the dialog: it owns what the dialog holds.
  const std::unique_ptr<runtime::NuiRuntime> provider =
      MakeProvider(scene, sim::SimRuntime::Timing::kRealTime);
  platform::qt::DesktopHost host(argc, argv);
  CMeziroApp app;
  app.InitInstance(host.GetShell(), host.GetCanvas(), clock, *provider, log.get());
  return 0;
}

}  // namespace entry
