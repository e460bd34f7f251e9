// The entry point: reads the command line, chooses the frame provider (the attached sensor or
// a simulated scene) and the host (a desktop window or a headless snapshot), and runs the
// application.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "entry/CommandLine.h"
#include "entry/DesktopMode.h"
#include "entry/SnapshotMode.h"
#include "platform/ModuleDirectory.h"
#include "runtime/sim/DemoScene.h"
#include "runtime/sim/SceneJson.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const entry::ParseResult parsed = entry::ParseCommandLine(arguments);
  if (!parsed.options) {
    std::fprintf(stderr, "vantolu: %s\nTry 'vantolu --help'.\n", parsed.error.c_str());
    return 2;
  }
  entry::Options options = *parsed.options;
  // The program changes its working directory to its own at start (setup.ini lives there), so
  // the files named on the command line are taken relative to where it was started.
  for (std::string* path : {&options.sceneFile, &options.snapshotPath, &options.measurementsPath}) {
    if (!path->empty()) {
      *path = std::filesystem::absolute(*path).string();
    }
  }
  if (options.showHelp) {
    std::fputs(entry::UsageText().c_str(), stdout);
    return 0;
  }
  if (options.showVersion) {
    std::puts("vantolu 1.0");
    return 0;
  }

  std::optional<sim::Scene> scene;
  if (options.source == entry::Options::Source::kDemo) {
    scene = sim::DemoScene();
  } else if (options.source == entry::Options::Source::kScene) {
    try {
      scene = sim::LoadSceneFile(options.sceneFile);
    } catch (const sim::SceneError& error) {
      std::fprintf(stderr, "vantolu: %s\n", error.what());
      return 2;
    }
  }

  if (!options.snapshotPath.empty()) {
    return entry::RunSnapshot(options, scene, platform::GetModuleDirectory());
  }
  return entry::RunDesktop(argc, argv, options, scene);
}
