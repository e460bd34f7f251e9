#include "entry/SnapshotMode.h"

#include <cstdio>
#include <memory>

#include "app/MeziroApp.h"
#include "entry/MeasurementLog.h"
#include "entry/PngFile.h"
#include "entry/Provider.h"
#include "entry/SnapshotCanvas.h"
#include "platform/headless/HeadlessShell.h"

namespace entry {
namespace {

// Time moves only when the idle loop sleeps; the simulated sensor follows it.
class SteppedClock : public platform::Clock {
 public:
  explicit SteppedClock(sim::SimRuntime* simulator) : m_simulator(simulator) {}

  std::uint32_t TimeGetTime() override { return m_now; }
  void Sleep(std::uint32_t milliseconds) override {
    m_now += milliseconds;
    if (m_simulator != nullptr) {
      m_simulator->AdvanceTo(m_now - kStart);
    }
  }

 private:
  // The counter starts above 0, which the idle loop reads as "not started".
  static constexpr std::uint32_t kStart = 1;
  std::uint32_t m_now = kStart;
  sim::SimRuntime* m_simulator;
};

// Enough idle passes for the pictures asked for, with room for a slow start; a run that
// draws nothing (no sensor, no GL) ends after them.
int PassLimit(int frames) {
  return frames * 40 + 200;
}

}  // namespace

int RunSnapshot(const Options& options, const std::optional<sim::Scene>& scene,
                const std::string& moduleDirectory) {
  const std::unique_ptr<runtime::NuiRuntime> provider =
      MakeProvider(scene, sim::SimRuntime::Timing::kManual);
  // A simulated sensor follows the stepped clock; the attached sensor has its own time.
  SteppedClock clock(dynamic_cast<sim::SimRuntime*>(provider.get()));

  std::unique_ptr<MeasurementLog> log;
  if (!OpenRequestedLog(options.measurementsPath, clock, log)) {
    return 2;
  }

  SnapshotCanvas canvas({options.width, options.height}, options.frames);
  platform::headless::Script script;
  if (options.heightText.empty()) {
    script.heightAnswer = platform::headless::Script::HeightAnswer::kAcceptProposal;
  } else {
    script.heightAnswer = platform::headless::Script::HeightAnswer::kEnterTexts;
    script.heightTexts = {options.heightText};
  }
  script.idlePasses = PassLimit(options.frames);
  script.finished = [&canvas] { return canvas.Captured(); };
  script.moduleDirectory = moduleDirectory;
  platform::headless::HeadlessShell shell(script);
  // The main window's client area is the canvas: the dialog sizes the canvas to it.
  shell.clientSize = {options.width, options.height};

  CMeziroApp app;
  app.InitInstance(shell, canvas, clock, *provider, log.get());

  for (const std::string& message : shell.messages) {
    std::fprintf(stderr, "vantolu: message box: %s\n", message.c_str());
  }
  if (!canvas.Captured()) {
    std::fprintf(stderr, "vantolu: no picture was drawn (%d of %d)\n", canvas.Swaps(),
                 options.frames);
    return 1;
  }
  if (!WriteRgbPng(options.snapshotPath, options.width, options.height, canvas.Picture())) {
    std::fprintf(stderr, "vantolu: cannot write %s\n", options.snapshotPath.c_str());
    return 1;
  }
  return 0;
}

}  // namespace entry
