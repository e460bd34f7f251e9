// The headless snapshot mode: the whole program without a display. The height dialog is
// answered from the command line, the canvas is an offscreen EGL surface, and time is a
// manual clock that the idle loop's sleeps advance, so the same scene gives the same picture
// on every run.
#pragma once

#include <optional>
#include <string>

#include "entry/CommandLine.h"
#include "runtime/sim/Scene.h"

namespace entry {

// Runs the program until `options.frames` pictures are drawn and writes the last one to
// `options.snapshotPath`. With a scene the simulated sensor provides the frames; without
// one, the sensor attached to this machine. Returns the process exit code: 0 after writing
// the picture, 1 when no picture could be drawn or written (the reason on standard error).
// setup.ini and the image folder are looked for in moduleDirectory (with a trailing "/").
int RunSnapshot(const Options& options, const std::optional<sim::Scene>& scene,
                const std::string& moduleDirectory);

}  // namespace entry
