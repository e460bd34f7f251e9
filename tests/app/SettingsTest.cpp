// setup.ini beside the executable: loading, saving, and what other content survives.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "runtime/NoSensorRuntime.h"
#include "support/FakeCanvas.h"
#include "support/ManualClock.h"
#include "support/RecordingDialog.h"
#include "support/TempDir.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() {
    platform::headless::Script script;
    script.moduleDirectory = dir.WithSlash();
    shell = std::make_unique<platform::headless::HeadlessShell>(script);
    dialog = std::make_unique<testsupport::RecordingDialog>(*shell, canvas, clock, runtime);
  }
  ~SettingsTest() override { std::filesystem::current_path(m_startDirectory); }

  std::filesystem::path Ini() const { return dir.path() / "setup.ini"; }

  std::filesystem::path m_startDirectory = std::filesystem::current_path();
  testsupport::TempDir dir;
  testsupport::FakeCanvas canvas;
  testsupport::ManualClock clock;
  runtime::NoSensorRuntime runtime;
  std::unique_ptr<platform::headless::HeadlessShell> shell;
  std::unique_ptr<testsupport::RecordingDialog> dialog;
};

TEST_F(SettingsTest, MissingFileLoadsTheDefaultAndSavesAFreshFile) {
  EXPECT_EQ(dialog->LoadSettings(), 0);
  EXPECT_EQ(dialog->m_sensorHeightCm, 75.5f);
  EXPECT_EQ(dialog->SaveSettings(), 0);
  EXPECT_EQ(testsupport::ReadFile(Ini()), "[KINECT]\nHEIGHT=75.500000\n");
}

struct LoadCase {
  const char* file;
  float expected;
};

void PrintTo(const LoadCase& c, std::ostream* os) {
  *os << "expects " << c.expected;
}

class SettingsLoadTest : public SettingsTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(SettingsLoadTest, LoadsTheValue) {
  testsupport::WriteFile(Ini(), GetParam().file);
  dialog->LoadSettings();
  EXPECT_EQ(dialog->m_sensorHeightCm, GetParam().expected) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsLoadTest,
    ::testing::Values(
        LoadCase{"[KINECT]\nHEIGHT=abc\n", 0.0f}, LoadCase{"[KINECT]\nHEIGHT=80cm\n", 80.0f},
        LoadCase{"[KINECT]\nHEIGHT=1e2\n", 100.0f}, LoadCase{"[KINECT]\nHEIGHT=75,5\n", 75.0f},
        LoadCase{"[KINECT]\nHEIGHT=-20\n", -20.0f},
        LoadCase{"[kinect]\r\n  height = 90.25 \r\n", 90.25f},
        LoadCase{"[OTHER]\nHEIGHT=10\n[KINECT]\nWIDTH=3\nHEIGHT=140\n", 140.0f},
        LoadCase{"[OTHER]\nHEIGHT=10\n", 75.5f}, LoadCase{"[KINECT]\nHEIGHT=\n", 0.0f},
        LoadCase{"[KINECT]\nHEIGHT=nan\n", 75.5f}, LoadCase{"[KINECT]\nHEIGHT=inf\n", 75.5f},
        LoadCase{"[KINECT]\nHEIGHT=1e30\n", 1e30f},
        LoadCase{"garbage without sections\n\0\xff", 75.5f}));

TEST_F(SettingsTest, LongValueIsCutAt1023Characters) {
  testsupport::WriteFile(Ini(), "[KINECT]\nHEIGHT=" + std::string(1022, '0') + "75\n");
  dialog->LoadSettings();
  EXPECT_EQ(dialog->m_sensorHeightCm, 7.0f);
}

TEST_F(SettingsTest, OperatorEntryIsWrittenWithSixDecimals) {
  dialog->m_sensorHeightCm = 170.3f;
  dialog->SaveSettings();
  EXPECT_EQ(testsupport::ReadFile(Ini()), "[KINECT]\nHEIGHT=170.300003\n");
}

TEST_F(SettingsTest, OtherSectionsKeysAndLinesAreKept) {
  testsupport::WriteFile(Ini(),
                         "; operator notes\n[Display]\nMode=full\n\n[kinect]\nTilt=0\n"
                         "Height=80\nColor=1\n\n[Other]\nX=1\n");
  dialog->m_sensorHeightCm = 99.0f;
  dialog->SaveSettings();
  EXPECT_EQ(testsupport::ReadFile(Ini()),
            "; operator notes\n[Display]\nMode=full\n\n[kinect]\nTilt=0\n"
            "HEIGHT=99.000000\nColor=1\n\n[Other]\nX=1\n");
}

TEST_F(SettingsTest, MissingKeyGoesIntoTheExistingSectionAndMissingSectionAtTheEnd) {
  testsupport::WriteFile(Ini(), "[KINECT]\nTilt=0\n\n[Other]\nX=1\n");
  dialog->m_sensorHeightCm = 1.0f;
  dialog->SaveSettings();
  EXPECT_EQ(testsupport::ReadFile(Ini()), "[KINECT]\nTilt=0\nHEIGHT=1.000000\n\n[Other]\nX=1\n");

  testsupport::WriteFile(Ini(), "[Other]\r\nX=1\r\n");
  dialog->SaveSettings();
  EXPECT_EQ(testsupport::ReadFile(Ini()), "[Other]\r\nX=1\r\n[KINECT]\r\nHEIGHT=1.000000\r\n");
}

TEST_F(SettingsTest, ReadOnlyDirectoryIsSilentAndLeavesTheOldFile) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root writes into read-only directories";
  }
  testsupport::WriteFile(Ini(), "[KINECT]\nHEIGHT=120\n");
  std::filesystem::permissions(
      dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  dialog->m_sensorHeightCm = 50.0f;
  EXPECT_EQ(dialog->SaveSettings(), 0);
  EXPECT_TRUE(shell->messages.empty());
  EXPECT_EQ(testsupport::ReadFile(Ini()), "[KINECT]\nHEIGHT=120\n");
}

TEST_F(SettingsTest, FailedWriteLeavesTheOldFileIntactAndNoTemporaryBehind) {
  // A directory where the file should be: the rename fails, whoever runs the test.
  std::filesystem::create_directory(Ini());
  dialog->m_sensorHeightCm = 50.0f;
  EXPECT_EQ(dialog->SaveSettings(), 0);
  EXPECT_TRUE(std::filesystem::is_directory(Ini()));
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST_F(SettingsTest, WorksFromAnotherWorkingDirectoryAndEntersTheExecutablesDirectory) {
  testsupport::TempDir elsewhere;
  std::filesystem::current_path(elsewhere.path());
  testsupport::WriteFile(elsewhere.path() / "setup.ini", "[KINECT]\nHEIGHT=10\n");
  testsupport::WriteFile(Ini(), "[KINECT]\nHEIGHT=130\n");
  dialog->LoadSettings();
  EXPECT_EQ(dialog->m_sensorHeightCm, 130.0f);
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.path()));
  std::filesystem::current_path(elsewhere.path());
  dialog->SaveSettings();
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.path()));
  EXPECT_EQ(testsupport::ReadFile(elsewhere.path() / "setup.ini"), "[KINECT]\nHEIGHT=10\n");
  EXPECT_EQ(testsupport::ReadFile(Ini()), "[KINECT]\nHEIGHT=130.000000\n");
  std::filesystem::current_path(m_startDirectory);
}

TEST_F(SettingsTest, CommaLocaleStillWritesAndReadsAPoint) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup generates it)";
  }
  dialog->m_sensorHeightCm = 75.5f;
  dialog->SaveSettings();
  dialog->m_sensorHeightCm = 0.0f;
  dialog->LoadSettings();
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(testsupport::ReadFile(Ini()), "[KINECT]\nHEIGHT=75.500000\n");
  EXPECT_EQ(dialog->m_sensorHeightCm, 75.5f);
}

}  // namespace
