// Cost of the display: converting the colour frame into the camera texture (against a plain
// copy of the same bytes) and one whole frame at 1280 x 720 on the headless EGL canvas.
#include <benchmark/benchmark.h>
#include <png.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "SteppingClock.h"
#include "app/MeziroDlg.h"
#include "platform/headless/EglCanvas.h"
#include "platform/headless/HeadlessShell.h"
#include "runtime/NoSensorRuntime.h"

namespace {

// A dialog on a headless canvas with a 640 x 480 colour frame of varied bytes.
struct Display {
  explicit Display(platform::ClientSize size)
      : shell(platform::headless::Script{}), canvas(size), dialog(shell, canvas, clock, runtime) {
    dialog.InitOpenGL();
    dialog.m_colorWidth = dialog.m_depthWidth = 640;
    dialog.m_colorHeight = dialog.m_depthHeight = 480;
    dialog.m_colorPitch = 2560;
    dialog.m_colorPixels.resize(640 * 480 * 4);
    for (std::size_t i = 0; i < dialog.m_colorPixels.size(); ++i) {
      dialog.m_colorPixels[i] = static_cast<std::uint8_t>(i * 7);
    }
    dialog.m_depthPixels.assign(640 * 480, 2000 << 3);
    dialog.m_depthPointCount = 640 * 480;
    dialog.m_pDepthPoints = std::make_unique<runtime::NUI_DEPTH_IMAGE_POINT[]>(640 * 480);
  }
  ~Display() { dialog.ReleaseOpenGL(); }

  platform::headless::HeadlessShell shell;
  platform::headless::EglCanvas canvas;
  SteppingClock clock;
  runtime::NoSensorRuntime runtime;
  CMeziroDlg dialog;
};

void BM_FillCameraTexture(benchmark::State& state) {
  Display display({640, 480});
  display.dialog.RenderFrame();  // creates the camera texture
  for (auto _ : state) {
    display.dialog.FillCameraTexture();
    benchmark::DoNotOptimize(display.dialog.m_pCameraTexture->pixels.get());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 4);
}
BENCHMARK(BM_FillCameraTexture);

// The floor FillCameraTexture is measured against: the same 1,228,800 bytes copied as is.
void BM_CopySameBytes(benchmark::State& state) {
  std::vector<std::uint8_t> source(640 * 480 * 4, 3);
  std::vector<std::uint8_t> target(1024 * 512 * 4);
  for (auto _ : state) {
    for (std::size_t row = 0; row < 480; ++row) {
      std::memcpy(target.data() + row * 4096, source.data() + row * 2560, 2560);
    }
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 4);
}
BENCHMARK(BM_CopySameBytes);

void BM_CopySameBytesOneBlock(benchmark::State& state) {
  std::vector<std::uint8_t> source(640 * 480 * 4, 3);
  std::vector<std::uint8_t> target(640 * 480 * 4);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), source.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 4);
}
BENCHMARK(BM_CopySameBytesOneBlock);

void WriteSolidPng(const std::string& path, std::uint8_t shade) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = 48;
  image.height = 64;
  image.format = PNG_FORMAT_RGBA;
  std::vector<std::uint8_t> pixels(48 * 64 * 4, shade);
  png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr);
}

std::vector<std::uint8_t> BannerBmp() {
  const std::uint32_t stride = 640 * 3;
  std::vector<std::uint8_t> bmp(54 + stride * 89, 0x80);
  const auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(10, 54);
  put32(14, 40);
  put32(18, 640);
  put32(22, 89);
  put32(26, 1 | 24 << 16);  // one plane, 24 bits
  put32(30, 0);
  return bmp;
}

// A whole frame as the idle loop draws it: camera picture, two readouts of three digits and a
// unit each, the banner; swap included (the EGL canvas waits for the picture there).
void BM_RenderFrame1280x720(benchmark::State& state) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vantolu_bench_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "image");
  Display display({1280, 720});
  for (int set = 0; set < 2; ++set) {
    for (int digit = 0; digit < 10; ++digit) {
      const std::string name = "num" + std::to_string(set) + std::to_string(digit) + ".png";
      WriteSolidPng((dir / "image" / name).string(), static_cast<std::uint8_t>(digit * 20));
      display.dialog.m_digitSprites[10 * set + digit].CreateFromFile(
          (dir / "image" / name).string(), display.shell);
    }
    const std::string unit = "cm" + std::to_string(set + 1) + ".png";
    WriteSolidPng((dir / "image" / unit).string(), 200);
    display.dialog.m_unitSprites[set].CreateFromFile((dir / "image" / unit).string(),
                                                     display.shell);
  }
  display.dialog.m_bannerSprite.CreateFromBitmap(BannerBmp(), display.shell);
  std::filesystem::remove_all(dir);

  static runtime::FT_VECTOR2D points[2][87];
  display.dialog.m_sensorHeightCm = 75.5f;
  for (int u = 0; u < 2; ++u) {
    points[u][15] = {200.0f + 200.0f * u, 200.0f};
    TrackedUser& user = display.dialog.m_users[u];
    user.skeletonSlot = u + 1;
    user.faceTracked = true;
    user.shapePoints = points[u];
    user.shapePointCount = 87;
    display.dialog.m_pDepthPoints[200 * 640 + 200 + 200 * u] = {320, 100, 2000, 0};
  }

  display.dialog.RenderFrame();  // the first frame creates the camera texture
  const std::uint64_t allocationsBefore = bench::AllocationCount();
  for (auto _ : state) {
    display.dialog.RenderFrame();
  }
  state.counters["allocations_per_frame"] =
      static_cast<double>(bench::AllocationCount() - allocationsBefore) /
      static_cast<double>(state.iterations());
}
BENCHMARK(BM_RenderFrame1280x720)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
