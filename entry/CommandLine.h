// The program's command line: which frames to show (real sensor, built-in demo, a scene
// file), whether to run headless and write a snapshot, and where to log measurements.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace entry {

struct Options {
  enum class Source { kSensor, kDemo, kScene };
  Source source = Source::kSensor;
  std::string sceneFile;

  // Headless run writing the picture after `frames` pictures to this PNG; empty: a window.
  std::string snapshotPath;
  int frames = 150;
  int width = 1280;
  int height = 720;
  // The text typed into the height dialog in a headless run; empty: confirm the proposal.
  std::string heightText;

  // CSV file receiving one row per drawn height readout; empty: none.
  std::string measurementsPath;

  bool showHelp = false;
  bool showVersion = false;
};

struct ParseResult {
  std::optional<Options> options;
  std::string error;  // set when options is empty
};

// Parses the arguments after the program name.
ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// The text of --help.
std::string UsageText();

}  // namespace entry
