// The command line: every option, and the mistakes an operator makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entry/CommandLine.h"

namespace {

using entry::Options;
using entry::ParseCommandLine;

TEST(CommandLineTest, NoArgumentsMeansTheSensorInAWindow) {
  const auto result = ParseCommandLine({});
  ASSERT_TRUE(result.options);
  EXPECT_EQ(result.options->source, Options::Source::kSensor);
  EXPECT_TRUE(result.options->snapshotPath.empty());
  EXPECT_TRUE(result.options->measurementsPath.empty());
}

TEST(CommandLineTest, ReadsEveryOption) {
  const auto result =
      ParseCommandLine({"--scene", "room.json", "--snapshot", "out.png", "--frames", "12", "--size",
                        "640x360", "--height", "80.5", "--measurements", "m.csv"});
  ASSERT_TRUE(result.options) << result.error;
  const Options& o = *result.options;
  EXPECT_EQ(o.source, Options::Source::kScene);
  EXPECT_EQ(o.sceneFile, "room.json");
  EXPECT_EQ(o.snapshotPath, "out.png");
  EXPECT_EQ(o.frames, 12);
  EXPECT_EQ(o.width, 640);
  EXPECT_EQ(o.height, 360);
  EXPECT_EQ(o.heightText, "80.5");
  EXPECT_EQ(o.measurementsPath, "m.csv");
}

TEST(CommandLineTest, DemoHelpAndVersion) {
  const auto result = ParseCommandLine({"--demo", "--help", "--version"});
  ASSERT_TRUE(result.options);
  EXPECT_EQ(result.options->source, Options::Source::kDemo);
  EXPECT_TRUE(result.options->showHelp);
  EXPECT_TRUE(result.options->showVersion);
}

struct BadCase {
  std::vector<std::string> arguments;
  const char* mentions;
};

class CommandLineErrorTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(CommandLineErrorTest, RefusesWithAMessageNamingTheProblem) {
  const auto result = ParseCommandLine(GetParam().arguments);
  EXPECT_FALSE(result.options);
  EXPECT_NE(result.error.find(GetParam().mentions), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineErrorTest,
    ::testing::Values(BadCase{{"--bogus"}, "--bogus"}, BadCase{{"--scene"}, "--scene"},
                      BadCase{{"--demo", "--scene", "x.json"}, "cannot be combined"},
                      BadCase{{"--snapshot"}, "--snapshot"},
                      BadCase{{"--snapshot", "a.png", "--frames", "0"}, "--frames"},
                      BadCase{{"--snapshot", "a.png", "--frames", "12x"}, "--frames"},
                      BadCase{{"--snapshot", "a.png", "--size", "1280"}, "--size"},
                      BadCase{{"--snapshot", "a.png", "--size", "0x720"}, "--size"},
                      BadCase{{"--snapshot", "a.png", "--size", "99999x720"}, "--size"},
                      BadCase{{"--size", "640x480"}, "--snapshot only"},
                      BadCase{{"--height", "80"}, "--snapshot only"},
                      BadCase{{"--snapshot", "a.png", "--height", "abc"}, "--height"},
                      BadCase{{"--snapshot", "a.png", "--height", "nan"}, "--height"},
                      BadCase{{"--measurements"}, "--measurements"}));

}  // namespace
