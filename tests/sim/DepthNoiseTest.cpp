#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "runtime/sim/Cameras.h"
#include "runtime/sim/DepthNoise.h"
#include "runtime/sim/Simulator.h"
#include "sim/StandingScene.h"

namespace {

// The largest change of the reported depth over the next 3 % of true depths beyond z.
float StepNear(float z) {
  float step = 0.0f;
  float previous = sim::QuantisedDepthM(z);
  for (float t = z; t < z * 1.03f; t += 0.0002f) {
    const float q = sim::QuantisedDepthM(t);
    if (q != previous) step = std::max(step, q - previous);
    previous = q;
  }
  return step;
}

TEST(DepthNoiseTest, StepsGrowWithTheSquareOfTheDistance) {
  const float near = StepNear(1.0f);
  const float far = StepNear(4.0f);
  EXPECT_GT(near, 0.002f);
  EXPECT_LT(near, 0.006f);
  EXPECT_NEAR(far / near, 16.0f, 2.5f);
  EXPECT_NEAR(sim::QuantisedDepthM(2.0f), 2.0f, 0.01f);
}

int Holes(const sim::FrameSet& f) {
  int holes = 0;
  for (std::uint16_t d : f.depth) holes += d == 0;
  return holes;
}

TEST(DepthNoiseTest, HolesOnlyAlongSilhouettesAndOnlyWithNoise) {
  sim::Scene scene = simtest::StandingScene(172.0, 0.0, 2.5);
  sim::Simulator clean(scene);
  const std::vector<std::uint16_t> cleanDepth = clean.Render(0.0).depth;
  EXPECT_EQ(Holes(clean.Render(0.0)), 0);

  scene.noise = true;
  sim::Simulator noisy(scene);
  const sim::FrameSet& f = noisy.Render(0.0);
  EXPECT_GT(Holes(f), 100);
  // Each hole has a pixel of the person within two pixels of it.
  for (int y = 0; y < sim::kImageHeight; ++y) {
    for (int x = 0; x < sim::kImageWidth; ++x) {
      if (f.depth[y * sim::kImageWidth + x] != 0) continue;
      bool nearPerson = false;
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
          const int u = x + dx, v = y + dy;
          if (u >= 0 && v >= 0 && u < sim::kImageWidth && v < sim::kImageHeight)
            nearPerson = nearPerson || (cleanDepth[v * sim::kImageWidth + u] & 7);
        }
      ASSERT_TRUE(nearPerson) << x << ", " << y;
    }
  }
}

}  // namespace
