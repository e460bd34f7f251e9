#include "entry/Provider.h"

#include "runtime/NoSensorRuntime.h"

namespace entry {

std::unique_ptr<runtime::NuiRuntime> MakeProvider(const std::optional<sim::Scene>& scene,
                                                  sim::SimRuntime::Timing timing) {
  if (scene) {
    return std::make_unique<sim::SimRuntime>(*scene, timing);
  }
  return std::make_unique<runtime::NoSensorRuntime>();
}

}  // namespace entry
