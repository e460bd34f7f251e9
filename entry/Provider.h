// The sensor provider the command line asks for: a simulated scene, or the sensor attached to
// this machine (none yet on Linux: it reports that no sensor is connected).
#pragma once

#include <memory>
#include <optional>

#include "runtime/NuiRuntime.h"
#include "runtime/sim/Scene.h"
#include "runtime/sim/SimRuntime.h"

namespace entry {

// The provider must outlive the dialog that uses it: the dialog holds its objects.
std::unique_ptr<runtime::NuiRuntime> MakeProvider(const std::optional<sim::Scene>& scene,
                                                  sim::SimRuntime::Timing timing);

}  // namespace entry
