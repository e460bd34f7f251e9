// The desktop mode: the program in a window, with the sensor attached to this machine or a
// simulated one running in real time.
#pragma once

#include <optional>

#include "entry/CommandLine.h"
#include "runtime/sim/Scene.h"

namespace entry {

// Runs the program in a Qt window until the operator ends it. Returns the exit code.
int RunDesktop(int& argc, char** argv, const Options& options,
               const std::optional<sim::Scene>& scene);

}  // namespace entry
