// A main dialog drawing on a headless EGL canvas, with helpers to make camera frames, test
// pictures (PNG files, BMP bytes) and to read the presented picture back.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/MeziroDlg.h"
#include "platform/headless/EglCanvas.h"
#include "platform/headless/HeadlessShell.h"
#include "runtime/NoSensorRuntime.h"
#include "support/ManualClock.h"
#include "support/TempDir.h"

namespace displaytest {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Rgba&) const = default;
};

// Writes a PNG of width x height with libpng; format is one of libpng's PNG_FORMAT_* values.
void WritePng(const std::string& path, int width, int height, std::uint32_t format,
              const std::function<Rgba(int x, int y)>& pixel);
// A solid RGBA picture.
void WriteSolidPng(const std::string& path, int width, int height, Rgba colour);

// The bytes of a BMP file: 24 or 32 bits, rows bottom-up unless topDown.
std::vector<std::uint8_t> MakeBmp(int width, int height, int bitsPerPixel, bool topDown,
                                  const std::function<Rgba(int x, int y)>& pixel);

// A presented picture: RGBA rows from the top.
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  Rgba At(int x, int y) const;
  // Writes the picture as an opaque PNG.
  void Save(const std::string& path) const;
};

// Whether two colours differ by at most tolerance in each of red, green and blue.
bool Near(Rgba a, Rgba b, int tolerance);
std::string Describe(Rgba c);

class DisplayTest : public ::testing::Test {
 protected:
  DisplayTest();
  void SetUp() override;
  void TearDown() override;

  // Opens a "sensor" of 640 x 480 colour and depth with an all-zero depth map.
  void OpenFrames(std::uint32_t width = 640, std::uint32_t height = 480);
  // Fills the colour frame, given per pixel as red, green, blue (stored blue first).
  void FillColour(const std::function<Rgba(int x, int y)>& pixel);
  void Resize(int width, int height);
  Frame Render();
  Frame Presented();

  testsupport::TempDir m_dir;
  platform::headless::HeadlessShell m_shell;
  platform::headless::EglCanvas m_canvas;
  testsupport::ManualClock m_clock;
  runtime::NoSensorRuntime m_runtime;
  CMeziroDlg m_dialog;
};

}  // namespace displaytest
