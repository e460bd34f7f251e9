// The whole program headless over the simulated sensor: the displayed number against the
// people's true heights, which sprite set each user gets, and repeatable pictures.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "entry/MeasurementLog.h"
#include "entry/PngFile.h"
#include "entry/SnapshotMode.h"
#include "runtime/sim/DemoScene.h"
#include "sim/StandingScene.h"
#include "support/TempDir.h"

namespace {

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// Solid test sprites: the colour names the sprite.
Rgb DigitColour(int set, int digit) {
  return {static_cast<std::uint8_t>(set == 0 ? 255 : 0),
          static_cast<std::uint8_t>(set == 0 ? 0 : 255), static_cast<std::uint8_t>(10 * digit + 5)};
}
Rgb UnitColour(int set) {
  return {255, 255, static_cast<std::uint8_t>(set + 1)};
}

void WriteSolid(const std::filesystem::path& path, Rgb colour) {
  std::vector<std::uint8_t> rgba;
  for (int i = 0; i < 40 * 60; ++i) {
    rgba.insert(rgba.end(), {colour.r, colour.g, colour.b, 255});
  }
  ASSERT_TRUE(entry::WriteRgbPng(path.string(), 40, 60, rgba));
}

struct Row {
  std::uint32_t timeMs;
  int user;
  int slot;
  float faceX, faceY;
  std::uint32_t depthMm;
  int heightCm;
};

std::vector<Row> ReadLog(const std::filesystem::path& path) {
  std::istringstream in(testsupport::ReadFile(path));
  std::string line;
  std::getline(in, line);  // header
  std::vector<Row> rows;
  while (std::getline(in, line)) {
    const auto logged = entry::ParseMeasurementRow(line);
    EXPECT_TRUE(logged) << line;
    if (logged) {
      const Measurement& m = logged->measurement;
      rows.push_back(
          {logged->timeMs, m.userIndex, m.skeletonSlot, m.faceX, m.faceY, m.depthMm, m.heightCm});
    }
  }
  return rows;
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  Rgb At(float x, float y) const {
    const auto i = (static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

Picture ReadPng(const std::filesystem::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Picture picture;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    return picture;
  }
  image.format = PNG_FORMAT_RGB;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr);
  return picture;
}

// A run of the headless program in a folder of its own with solid test sprites.
class SnapshotTest : public ::testing::Test {
 protected:
  SnapshotTest() {
    std::filesystem::create_directories(dir.path() / "image");
    for (int set = 0; set < 2; ++set) {
      for (int digit = 0; digit < 10; ++digit) {
        WriteSolid(
            dir.path() / "image" / ("num" + std::to_string(set) + std::to_string(digit) + ".png"),
            DigitColour(set, digit));
      }
      WriteSolid(dir.path() / "image" / ("cm" + std::to_string(set + 1) + ".png"), UnitColour(set));
    }
  }

  int Run(const sim::Scene& scene, int frames, const std::string& name = "shot.png") {
    entry::Options options;
    options.source = entry::Options::Source::kScene;
    options.snapshotPath = (dir.path() / name).string();
    options.measurementsPath = (dir.path() / "log.csv").string();
    options.frames = frames;
    options.width = 640;
    options.height = 480;
    options.heightText = "75.5";
    return entry::RunSnapshot(options, scene, dir.WithSlash());
  }

  // The sprite drawn in readout cell `cell` (0 hundreds, 1 tens, 2 ones, 3 unit) of a face
  // point at (x, y): cells start 50 camera pixels left of the point, 50 apart, the unit 5
  // further, 80 pixels above; at 640 x 480 window and camera pixels coincide.
  static Rgb Cell(const Picture& picture, const Row& row, int cell) {
    const float x =
        row.faceX - 50.0f + 50.0f * static_cast<float>(cell) + (cell == 3 ? 5.0f : 0.0f);
    return picture.At(x, row.faceY - 80.0f);
  }

  testsupport::TempDir dir;
};

sim::Scene SceneOf(std::vector<sim::Person> people) {
  sim::Scene scene;
  scene.sensorHeightCm = 75.5;
  scene.durationS = 60.0;
  scene.loop = false;
  scene.people = std::move(people);
  return scene;
}

TEST_F(SnapshotTest, OnePersonReadsTheirHeightAboveTheFace) {
  ASSERT_EQ(Run(SceneOf({simtest::StandingPerson(172.0, 0.0, 3.5)}), 30), 0);
  const std::vector<Row> rows = ReadLog(dir.path() / "log.csv");
  ASSERT_FALSE(rows.empty());
  for (const Row& row : rows) {
    EXPECT_EQ(row.user, 0);
    EXPECT_EQ(row.slot, 1);
    EXPECT_TRUE(row.heightCm == 171 || row.heightCm == 172) << row.heightCm;
  }
  const Picture picture = ReadPng(dir.path() / "shot.png");
  ASSERT_EQ(picture.width, 640);
  const Row& last = rows.back();
  EXPECT_EQ(Cell(picture, last, 0), DigitColour(0, 1));
  EXPECT_EQ(Cell(picture, last, 1), DigitColour(0, 7));
  EXPECT_EQ(Cell(picture, last, 2), DigitColour(0, last.heightCm % 10));
  EXPECT_EQ(Cell(picture, last, 3), UnitColour(0));
}

TEST_F(SnapshotTest, TwoPeopleGetTheirOwnSetsAndTheSecondMovesUpWhenTheFirstLeaves) {
  sim::Person first = simtest::StandingPerson(150.0, -0.6, 3.0);
  first.path = {{0.0, -0.6, 3.0, 0.0},
                {2.0, -0.6, 3.0, 0.0},
                {2.3, -0.6, 3.0, -90.0},
                {4.0, -4.0, 3.0, -90.0}};
  const sim::Scene scene = SceneOf({first, simtest::StandingPerson(120.0, 0.6, 3.2)});

  ASSERT_EQ(Run(scene, 45, "both.png"), 0);
  std::vector<Row> rows = ReadLog(dir.path() / "log.csv");
  ASSERT_FALSE(rows.empty());
  const Picture both = ReadPng(dir.path() / "both.png");
  const Row* user0 = nullptr;
  const Row* user1 = nullptr;
  for (const Row& row : rows) {
    (row.user == 0 ? user0 : user1) = &row;
  }
  ASSERT_NE(user0, nullptr);
  ASSERT_NE(user1, nullptr);
  EXPECT_EQ(user0->slot, 1);
  EXPECT_NEAR(user0->heightCm, 150, 1);
  EXPECT_EQ(user1->slot, 2);
  EXPECT_NEAR(user1->heightCm, 120, 1);
  EXPECT_EQ(Cell(both, *user0, 0), DigitColour(0, 1));
  EXPECT_EQ(Cell(both, *user1, 0), DigitColour(1, 1));
  EXPECT_EQ(Cell(both, *user1, 3), UnitColour(1));

  ASSERT_EQ(Run(scene, 150, "second.png"), 0);
  rows = ReadLog(dir.path() / "log.csv");
  ASSERT_FALSE(rows.empty());
  const Row& last = rows.back();
  EXPECT_GT(last.timeMs, 4500u);
  EXPECT_EQ(last.user, 0);
  EXPECT_EQ(last.slot, 2);
  EXPECT_NEAR(last.heightCm, 120, 1);
  for (const Row& row : rows) {
    if (row.timeMs > 4500) {
      EXPECT_EQ(row.user, 0) << "only one person is left";
    }
  }
  const Picture second = ReadPng(dir.path() / "second.png");
  EXPECT_EQ(Cell(second, last, 0), DigitColour(0, 1));
}

TEST_F(SnapshotTest, NoReadoutForAPersonTurnedAwayOrOutsideThePicture) {
  ASSERT_EQ(Run(SceneOf({simtest::StandingPerson(170.0, 0.0, 3.0, 180.0),
                         simtest::StandingPerson(170.0, 6.0, 3.0)}),
                30),
            0);
  EXPECT_TRUE(ReadLog(dir.path() / "log.csv").empty());
}

TEST_F(SnapshotTest, TheSameSceneGivesTheSamePictureBytes) {
  ASSERT_EQ(Run(sim::DemoScene(), 40, "a.png"), 0);
  ASSERT_EQ(Run(sim::DemoScene(), 40, "b.png"), 0);
  const std::string a = testsupport::ReadFile(dir.path() / "a.png");
  EXPECT_GT(a.size(), 1000u);
  EXPECT_EQ(a, testsupport::ReadFile(dir.path() / "b.png"));
}

}  // namespace
