#include <gtest/gtest.h>

#include "runtime/sim/Simulator.h"
#include "sim/ReadHeight.h"
#include "sim/StandingScene.h"

namespace {

TEST(HeightAccuracyTest, AdultAtThreeAndAHalfMetresReadsTrueHeight) {
  sim::Simulator simulator(simtest::StandingScene(172.0, 0.0, 3.5));
  const sim::FrameSet& frames = simulator.Render(0.0);
  ASSERT_EQ(frames.people.size(), 1u);
  const sim::PersonView& person = frames.people[0];
  ASSERT_EQ(person.face.visibility, sim::FaceVisibility::Visible);
  const auto height = simtest::ReadHeightCm(frames, person, 75.5f);
  ASSERT_TRUE(height.has_value());
  EXPECT_GE(*height, 171);
  EXPECT_LE(*height, 172);
}

// One person who stands at each distance from 1 to 4 m in 0.25 m steps, one second apart.
sim::Scene DistanceSweep(int heightCm, double x, bool noise) {
  sim::Scene scene = simtest::StandingScene(heightCm, x, 1.0);
  scene.noise = noise;
  scene.loop = false;
  for (int i = 1; i <= 12; ++i) scene.people[0].path.push_back({double(i), x, 1.0 + 0.25 * i, 0.0});
  return scene;
}

// Every height from 90 to 210 cm at every distance from 1 to 4 m (and some off to the side) at
// which the face is in view reads within 1 cm of the truth without noise.
TEST(HeightAccuracyTest, WithinOneCentimetreNoiseFree) {
  int measured = 0;
  for (int heightCm = 90; heightCm <= 210; heightCm += 10) {
    for (double x : {0.0, -0.6}) {
      if (x != 0.0 && heightCm % 30 != 0) continue;  // off to the side: a few heights suffice
      sim::Simulator simulator(DistanceSweep(heightCm, x, false));
      for (int i = 0; i <= 12; ++i) {
        const sim::FrameSet& frames = simulator.Render(i);
        if (frames.people[0].face.visibility != sim::FaceVisibility::Visible) continue;
        const auto height = simtest::ReadHeightCm(frames, frames.people[0], 75.5f);
        ASSERT_TRUE(height.has_value()) << heightCm << " cm at " << 1.0 + 0.25 * i << " m";
        EXPECT_LE(std::abs(*height - heightCm), 1)
            << heightCm << " cm at x " << x << ", z " << 1.0 + 0.25 * i;
        ++measured;
      }
    }
  }
  // The face is in view for most of the grid: short people everywhere, tall ones further back.
  EXPECT_GT(measured, 150);
}

TEST(HeightAccuracyTest, SensorHeightShiftsTheFloor) {
  for (double sensorCm : {50.0, 120.0}) {
    sim::Scene scene = simtest::StandingScene(160.0, 0.2, 3.0);
    scene.sensorHeightCm = sensorCm;
    sim::Simulator simulator(scene);
    const sim::FrameSet& frames = simulator.Render(0.0);
    const auto height =
        simtest::ReadHeightCm(frames, frames.people[0], static_cast<float>(sensorCm));
    ASSERT_TRUE(height.has_value());
    EXPECT_LE(std::abs(*height - 160), 1) << "sensor at " << sensorCm;
  }
}

TEST(HeightAccuracyTest, MeanErrorWithNoiseStaysSmall) {
  double sumError = 0.0;
  int measured = 0;
  for (int heightCm = 90; heightCm <= 210; heightCm += 20) {
    sim::Simulator simulator(DistanceSweep(heightCm, 0.1, true));
    for (int i = 0; i <= 12; ++i) {
      const sim::FrameSet& frames = simulator.Render(i);
      if (frames.people[0].face.visibility != sim::FaceVisibility::Visible) continue;
      const auto height = simtest::ReadHeightCm(frames, frames.people[0], 75.5f);
      ASSERT_TRUE(height.has_value());
      sumError += std::abs(*height - heightCm);
      ++measured;
    }
  }
  ASSERT_GT(measured, 60);
  EXPECT_LE(sumError / measured, 1.5);
}

}  // namespace
