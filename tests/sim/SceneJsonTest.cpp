#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/sim/SceneJson.h"
#include "support/TempDir.h"

namespace {

TEST(SceneJsonTest, ReadsEveryField) {
  const sim::Scene scene = sim::ParseScene(R"({
    "sensor_height_cm": 90.5, "noise": true, "duration_s": 12, "loop": false,
    "people": [
      {"name": "a", "height_m": 1.8, "clothing": {"shirt": [1, 2, 3], "shoes": [255, 0, 9]},
       "path": [{"t": 0, "x": -1, "z": 3, "facing": 45}, {"t": 2.5, "x": 1, "z": 2.5}]},
      {"height_cm": 120, "path": [{"t": 1, "x": 0, "z": 2}]}
    ]})");
  EXPECT_DOUBLE_EQ(scene.sensorHeightCm, 90.5);
  EXPECT_TRUE(scene.noise);
  EXPECT_DOUBLE_EQ(scene.durationS, 12.0);
  EXPECT_FALSE(scene.loop);
  ASSERT_EQ(scene.people.size(), 2u);
  const sim::Person& a = scene.people[0];
  EXPECT_EQ(a.name, "a");
  EXPECT_DOUBLE_EQ(a.heightCm, 180.0);
  EXPECT_EQ(a.clothing.shirt.r, 1);
  EXPECT_EQ(a.clothing.shirt.b, 3);
  EXPECT_EQ(a.clothing.shoes.r, 255);
  EXPECT_EQ(a.clothing.trousers.r, sim::Clothing{}.trousers.r);
  ASSERT_EQ(a.path.size(), 2u);
  EXPECT_DOUBLE_EQ(a.path[0].facingDeg, 45.0);
  EXPECT_DOUBLE_EQ(a.path[1].time, 2.5);
  EXPECT_DOUBLE_EQ(a.path[1].z, 2.5);
  EXPECT_DOUBLE_EQ(a.path[1].facingDeg, 0.0);
  EXPECT_DOUBLE_EQ(scene.people[1].heightCm, 120.0);
}

TEST(SceneJsonTest, DefaultsForAnEmptyScene) {
  const sim::Scene scene = sim::ParseScene("{}");
  EXPECT_DOUBLE_EQ(scene.sensorHeightCm, 75.5);
  EXPECT_FALSE(scene.noise);
  EXPECT_TRUE(scene.loop);
  EXPECT_TRUE(scene.people.empty());
}

struct BadScene {
  const char* json;
  const char* messagePart;
};

class SceneJsonErrorTest : public testing::TestWithParam<BadScene> {};

TEST_P(SceneJsonErrorTest, ThrowsWithAMessageNamingTheFault) {
  try {
    sim::ParseScene(GetParam().json);
    FAIL() << "accepted " << GetParam().json;
  } catch (const sim::SceneError& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().messagePart), std::string::npos) << e.what();
  }
}

const char* const kPerson = R"("height_cm": 170, "path": [{"t": 0, "x": 0, "z": 2}])";

INSTANTIATE_TEST_SUITE_P(
    Cases, SceneJsonErrorTest,
    testing::Values(
        BadScene{"{\"people\": [", "invalid JSON"}, BadScene{"", "invalid JSON"},
        BadScene{"[1, 2]", "expected an object"},
        BadScene{R"({"sensor_hieght_cm": 80})", "unknown key \"sensor_hieght_cm\""},
        BadScene{R"({"sensor_height_cm": "high"})", "must be a number"},
        BadScene{R"({"sensor_height_cm": -3})", "sensor height"},
        BadScene{R"({"duration_s": 0})", "duration"}, BadScene{R"({"noise": 1})", "true or false"},
        BadScene{R"({"people": {}})", "must be an array"},
        BadScene{R"({"people": [{"path": [{"t": 0, "x": 0, "z": 2}]}]})", "exactly one"},
        BadScene{R"({"people": [{"height_cm": 170, "height_m": 1.7, "path": []}]})", "exactly one"},
        BadScene{R"({"people": [{"height_cm": 400, "path": [{"t": 0, "x": 0, "z": 2}]}]})",
                 "person 1: height"},
        BadScene{R"({"people": [{"height_cm": 170, "path": []}]})", "at least one key"},
        BadScene{R"({"people": [{"height_cm": 170}]})", "\"path\" must be an array"},
        BadScene{R"({"people": [{"height_cm": 170, "path": [{"t": 0, "x": 0}]}]})",
                 "people[0].path[0]: \"z\" is missing"},
        BadScene{R"({"people": [{"height_cm": 170, "path": [{"t": 1, "x": 0, "z": 2},
                                                            {"t": 1, "x": 1, "z": 2}]}]})",
                 "strictly increasing"},
        BadScene{R"({"people": [{"height_cm": 170, "clothing": {"shirt": [1, 2]},
                                 "path": [{"t": 0, "x": 0, "z": 2}]}]})",
                 "people[0].clothing.shirt"},
        BadScene{R"({"people": [{"height_cm": 170, "clothing": {"hair": [1, 2, 256]},
                                 "path": [{"t": 0, "x": 0, "z": 2}]}]})",
                 "0 to 255"},
        BadScene{R"({"people": [{"height_cm": 170, "clothing": {"hat": [1, 2, 3]},
                                 "path": [{"t": 0, "x": 0, "z": 2}]}]})",
                 "unknown key \"hat\""}));

TEST(SceneJsonTest, AtMostSixPeople) {
  std::string json = "{\"people\": [";
  for (int i = 0; i < 7; ++i) json += std::string(i ? ", {" : "{") + kPerson + "}";
  json += "]}";
  EXPECT_THROW(sim::ParseScene(json), sim::SceneError);
  const std::string six = json.substr(0, json.rfind(", {")) + "]}";
  EXPECT_EQ(sim::ParseScene(six).people.size(), 6u);
}

TEST(SceneJsonTest, FileErrorsNameTheFile) {
  testsupport::TempDir dir;
  const std::filesystem::path missing = dir.path() / "missing.json";
  try {
    sim::LoadSceneFile(missing);
    FAIL();
  } catch (const sim::SceneError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(missing.string() + ": ", 0), 0u) << e.what();
  }
  const std::filesystem::path bad = dir.path() / "bad.json";
  std::ofstream(bad) << "{\"loop\": tru}";
  try {
    sim::LoadSceneFile(bad);
    FAIL();
  } catch (const sim::SceneError& e) {
    EXPECT_NE(std::string(e.what()).find(bad.string() + ": invalid JSON"), std::string::npos);
  }
  const std::filesystem::path good = dir.path() / "good.json";
  std::ofstream(good) << "{\"sensor_height_cm\": 100}";
  EXPECT_DOUBLE_EQ(sim::LoadSceneFile(good).sensorHeightCm, 100.0);
}

}  // namespace
