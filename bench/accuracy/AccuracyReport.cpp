// Accuracy report: the whole program, headless over the simulated sensor, measuring one
// person facing the sensor at every height from 90 to 210 cm (10 cm steps) and every distance
// from 1.0 to 4.0 m (0.25 m steps), without and with depth noise. Prints the error of the
// displayed number against the true height, and per height the distances at which a readout
// appears and at which its digits lie wholly inside the 640 x 480 camera picture.
//
// Usage: vantolu_accuracy [frames per case, default 12]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "entry/MeasurementLog.h"
#include "entry/SnapshotMode.h"
#include "platform/ModuleDirectory.h"
#include "sim/StandingScene.h"

namespace {

struct Reading {
  bool shown = false;
  int heightCm = 0;
  float faceX = 0.0f;
  float faceY = 0.0f;
};

// The last logged readout of a run, if any.
Reading LastReading(const std::filesystem::path& log) {
  std::ifstream in(log);
  std::string line;
  std::getline(in, line);
  Reading reading;
  while (std::getline(in, line)) {
    const auto logged = entry::ParseMeasurementRow(line);
    if (logged && logged->measurement.userIndex == 0) {
      reading.shown = true;
      reading.faceX = logged->measurement.faceX;
      reading.faceY = logged->measurement.faceY;
      reading.heightCm = logged->measurement.heightCm;
    }
  }
  return reading;
}

// Whether three digits and the unit, drawn at half the size of the 96 x 128 digit and
// 120 x 128 unit pictures, fit inside the camera picture.
bool WhollyInside(const Reading& r) {
  const float top = r.faceY - 80.0f - 32.0f;
  const float bottom = r.faceY - 80.0f + 32.0f;
  const float left = r.faceX - 50.0f - 24.0f;
  const float right = r.faceX + 105.0f + 30.0f;
  return top >= 0.0f && bottom <= 480.0f && left >= 0.0f && right <= 640.0f;
}

struct Range {
  double from = 0.0;
  double to = 0.0;
  bool any = false;
  void Add(double d) {
    if (!any) {
      from = d;
      any = true;
    }
    to = d;
  }
  std::string Text() const {
    if (!any) {
      return "never";
    }
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%.2f-%.2f m", from, to);
    return buffer;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 12;
  const std::filesystem::path work = std::filesystem::temp_directory_path() / "vantolu-accuracy";
  std::filesystem::create_directories(work);
  // The sprites are those installed beside this report's executable's program.
  const std::string moduleDirectory = platform::GetModuleDirectory() + "../";

  for (const bool noise : {false, true}) {
    std::printf("\nDepth noise %s\n\n", noise ? "on" : "off");
    std::printf("| true height | readout appears | digits wholly visible | errors (cm) |\n");
    std::printf("|---|---|---|---|\n");
    double sumAbs = 0.0;
    int count = 0;
    int maxAbs = 0;
    for (int height = 90; height <= 210; height += 10) {
      Range appears;
      Range visible;
      std::string errors;
      for (int step = 0; step <= 12; ++step) {
        const double distance = 1.0 + 0.25 * step;
        sim::Scene scene = simtest::StandingScene(height, 0.0, distance);
        scene.noise = noise;
        scene.loop = false;

        entry::Options options;
        options.source = entry::Options::Source::kScene;
        options.snapshotPath = (work / "shot.png").string();
        options.measurementsPath = (work / "log.csv").string();
        options.frames = frames;
        options.width = 640;
        options.height = 480;
        options.heightText = "75.5";
        if (entry::RunSnapshot(options, scene, moduleDirectory) != 0) {
          std::fprintf(stderr, "run failed at %d cm, %.2f m\n", height, distance);
          return 1;
        }
        const Reading reading = LastReading(work / "log.csv");
        if (!reading.shown) {
          continue;
        }
        appears.Add(distance);
        if (WhollyInside(reading)) {
          visible.Add(distance);
        }
        const int error = reading.heightCm - height;
        sumAbs += std::abs(error);
        maxAbs = std::max(maxAbs, std::abs(error));
        ++count;
        errors += (errors.empty() ? "" : " ") + std::to_string(error);
      }
      std::printf("| %d cm | %s | %s | %s |\n", height, appears.Text().c_str(),
                  visible.Text().c_str(), errors.c_str());
    }
    std::printf("\n%d readings: mean |error| %.2f cm, max |error| %d cm\n", count,
                count > 0 ? sumAbs / count : 0.0, maxAbs);
  }
  std::filesystem::remove_all(work);
  return 0;
}
