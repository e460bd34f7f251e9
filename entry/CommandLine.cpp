#include "entry/CommandLine.h"

#include <charconv>

#include "app/HeightText.h"

namespace entry {
namespace {

bool ParseInt(const std::string& text, int minimum, int maximum, int& value) {
  int parsed = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || parsed < minimum ||
      parsed > maximum) {
    return false;
  }
  value = parsed;
  return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const auto x = text.find('x');
  if (x == std::string::npos) {
    return false;
  }
  return ParseInt(text.substr(0, x), 1, 8192, width) &&
         ParseInt(text.substr(x + 1), 1, 8192, height);
}

ParseResult Error(std::string message) {
  return {std::nullopt, std::move(message)};
}

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
  Options options;
  bool sizeGiven = false;
  bool framesGiven = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    const auto value = [&](std::string& out) {
      if (i + 1 >= arguments.size()) {
        return false;
      }
      out = arguments[++i];
      return true;
    };
    std::string text;
    if (option == "--help" || option == "-h") {
      options.showHelp = true;
    } else if (option == "--version") {
      options.showVersion = true;
    } else if (option == "--demo") {
      if (options.source == Options::Source::kScene) {
        return Error("--demo and --scene cannot be combined");
      }
      options.source = Options::Source::kDemo;
    } else if (option == "--scene") {
      if (options.source == Options::Source::kDemo) {
        return Error("--demo and --scene cannot be combined");
      }
      if (!value(options.sceneFile) || options.sceneFile.empty()) {
        return Error("--scene needs a file");
      }
      options.source = Options::Source::kScene;
    } else if (option == "--snapshot") {
      if (!value(options.snapshotPath) || options.snapshotPath.empty()) {
        return Error("--snapshot needs a PNG file");
      }
    } else if (option == "--frames") {
      if (!value(text) || !ParseInt(text, 1, 100000, options.frames)) {
        return Error("--frames needs a number of pictures from 1 to 100000");
      }
      framesGiven = true;
    } else if (option == "--size") {
      if (!value(text) || !ParseSize(text, options.width, options.height)) {
        return Error("--size needs WIDTHxHEIGHT, each from 1 to 8192, e.g. 1280x720");
      }
      sizeGiven = true;
    } else if (option == "--height") {
      if (!value(options.heightText) || heighttext::ScanHeight(options.heightText).kind !=
                                            heighttext::ScanResult::Kind::kNumber) {
        return Error("--height needs the installation height in centimetres, e.g. 75.5");
      }
    } else if (option == "--measurements") {
      if (!value(options.measurementsPath) || options.measurementsPath.empty()) {
        return Error("--measurements needs a CSV file");
      }
    } else {
      return Error("unknown option: " + option);
    }
  }
  if (options.snapshotPath.empty() && (sizeGiven || framesGiven || !options.heightText.empty())) {
    return Error("--frames, --size and --height apply to --snapshot only");
  }
  return {options, {}};
}

std::string UsageText() {
  return "Usage: vantolu [options]\n"
         "Shows the camera picture with the height of up to two people above their faces.\n"
         "\n"
         "Frames:\n"
         "  (none)               the sensor attached to this machine\n"
         "  --demo               the built-in simulated room with two people\n"
         "  --scene FILE         a simulated scene described in a JSON file\n"
         "\n"
         "Headless snapshot (no display needed):\n"
         "  --snapshot FILE.png  draw without a window and write the picture to FILE.png\n"
         "  --frames N           pictures to draw before the snapshot (default 150, 5 s)\n"
         "  --size WxH           canvas size in pixels (default 1280x720)\n"
         "  --height CM          answer the height dialog with CM (default: the proposal\n"
         "                       from setup.ini)\n"
         "\n"
         "  --measurements FILE.csv  log every drawn height: time ms, user index, skeleton\n"
         "                       slot, face point x, y, depth mm, height cm\n"
         "  --help               this text\n"
         "  --version            the program's version\n";
}

}  // namespace entry
