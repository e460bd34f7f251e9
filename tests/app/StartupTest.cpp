// Start-up and tear-down of the main dialog through the headless host: the order of every
// step, each failure path, and what is left untouched after a cancelled height dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MeziroApp.h"
#include "platform/headless/EglCanvas.h"
#include "runtime/NoSensorRuntime.h"
#include "support/FakeCanvas.h"
#include "support/ManualClock.h"
#include "support/RecordingDialog.h"
#include "support/TempDir.h"

namespace {

using platform::headless::HeadlessShell;
using platform::headless::Script;
using Calls = std::vector<std::string>;

const std::string kExit = "MessageBox:アプリケーションを終了します。";
const std::string kSensorFailed = "MessageBox:キネクトの初期化に失敗しました。";
const std::string kOpenGLFailed = "MessageBox:OpenGLの初期化に失敗しました。";

// One recording main dialog over the headless host, in a folder of its own (setup.ini and the
// images live there).
struct Rig {
  explicit Rig(Script script) : shell(InFolder(std::move(script), dir)) {}

  static Script InFolder(Script script, const testsupport::TempDir& folder) {
    script.moduleDirectory = folder.WithSlash();
    return script;
  }
  std::string SetupIni() const { return testsupport::ReadFile(dir.path() / "setup.ini"); }

  testsupport::TempDir dir;
  HeadlessShell shell;
  testsupport::FakeCanvas canvas;
  testsupport::ManualClock clock;
  runtime::NoSensorRuntime runtime;
  testsupport::RecordingDialog dialog{shell, canvas, clock, runtime};
};

struct DialogRun {
  Calls calls;
  int result = 0;
  std::string setupIni;
};

// Runs the dialog start to end with the given script and step results.
DialogRun RunDialog(Script script, HRESULT openSensor = S_OK, HRESULT initOpenGL = S_OK) {
  Rig rig(std::move(script));
  rig.dialog.openSensorResult = openSensor;
  rig.dialog.initOpenGLResult = initOpenGL;
  const int result = rig.dialog.DoModal();
  return {rig.shell.calls, result, rig.SetupIni()};
}

// The log without the shell's start entries (menu, icons), which every run shares.
Calls AfterIcons(const Calls& calls) {
  const auto it = std::find(calls.begin(), calls.end(), "SetIcon:small:128");
  return Calls(it == calls.end() ? calls.begin() : it + 1, calls.end());
}

TEST(StartupTest, StartsMenuAndIconsFirst) {
  const DialogRun run = RunDialog({});
  const Calls head(run.calls.begin(), run.calls.begin() + 5);
  const Calls expected = {"RunMainDialog", "SystemMenu:separator",
                          "SystemMenu:16:バージョン情報 Meziro(&A)...", "SetIcon:big:128",
                          "SetIcon:small:128"};
  EXPECT_EQ(head, expected);
}

struct StartupCase {
  const char* name;
  Script::HeightAnswer answer;
  HRESULT openSensor;
  HRESULT initOpenGL;
  Calls expected;
  int result;
};

void PrintTo(const StartupCase& c, std::ostream* os) {
  *os << c.name;
}

class StartupPathTest : public ::testing::TestWithParam<StartupCase> {};

TEST_P(StartupPathTest, RunsTheStepsInOrderAndTearsDownOnce) {
  const StartupCase& c = GetParam();
  Script script;
  script.heightAnswer = c.answer;
  script.idlePasses = 1;
  const DialogRun run = RunDialog(script, c.openSensor, c.initOpenGL);
  EXPECT_EQ(AfterIcons(run.calls), c.expected);
  EXPECT_EQ(run.result, c.result);
  // Settings are written on every way out.
  EXPECT_EQ(run.setupIni, "[KINECT]\nHEIGHT=75.500000\n");
}

const Calls kTearDown = {"CloseSensor", "ReleaseOpenGL"};

Calls Join(Calls a, const Calls& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StartupPathTest,
    ::testing::Values(
        StartupCase{"Normal", Script::HeightAnswer::kAcceptProposal, S_OK, S_OK,
                    Join({"HeightDialog", "OpenSensor", "InitOpenGL", "LoadSprites",
                          "AcquireFrames", "TrackFace:0", "TrackFace:1"},
                         Join(kTearDown, {"EndDialog:IDOK"})),
                    platform::IDOK},
        StartupCase{"HeightCancelled", Script::HeightAnswer::kCancel, S_OK, S_OK,
                    Join({"HeightDialog", kExit, "CloseMainWindow"},
                         Join(kTearDown, {"EndDialog:IDCANCEL"})),
                    platform::IDCANCEL},
        StartupCase{"HeightDialogCannotOpen", Script::HeightAnswer::kCannotCreate, S_OK, S_OK,
                    Join({"HeightDialog", kExit, "CloseMainWindow"},
                         Join(kTearDown, {"EndDialog:IDCANCEL"})),
                    platform::IDCANCEL},
        StartupCase{"SensorFails", Script::HeightAnswer::kAcceptProposal, E_FAIL, S_OK,
                    Join({"HeightDialog", "OpenSensor", kSensorFailed, "CloseMainWindow",
                          "InitOpenGL", "LoadSprites"},
                         Join(kTearDown, {"EndDialog:IDCANCEL"})),
                    platform::IDCANCEL},
        StartupCase{"OpenGLFails", Script::HeightAnswer::kAcceptProposal, S_OK, E_FAIL,
                    Join({"HeightDialog", "OpenSensor", "InitOpenGL", kOpenGLFailed,
                          "CloseMainWindow", "LoadSprites"},
                         Join(kTearDown, {"EndDialog:IDCANCEL"})),
                    platform::IDCANCEL},
        StartupCase{"BothFail", Script::HeightAnswer::kAcceptProposal, E_FAIL, E_FAIL,
                    Join({"HeightDialog", "OpenSensor", kSensorFailed, "CloseMainWindow",
                          "InitOpenGL", kOpenGLFailed, "CloseMainWindow", "LoadSprites"},
                         Join(kTearDown, {"EndDialog:IDCANCEL"})),
                    platform::IDCANCEL}),
    [](const ::testing::TestParamInfo<StartupCase>& info) { return info.param.name; });

TEST(StartupTest, CancelShowsExactlyOneMessageAndKeepsTheLoadedHeight) {
  Script script;
  script.heightAnswer = Script::HeightAnswer::kCancel;
  Rig rig(script);
  testsupport::WriteFile(rig.dir.path() / "setup.ini", "[KINECT]\nHEIGHT=120.25\n");
  rig.dialog.DoModal();
  EXPECT_EQ(rig.shell.messages, std::vector<std::string>{"アプリケーションを終了します。"});
  EXPECT_EQ(rig.shell.heightDialogInitialTexts, std::vector<std::string>{"120.25"});
  EXPECT_FLOAT_EQ(rig.dialog.m_sensorHeightCm, 120.25f);
  EXPECT_EQ(rig.SetupIni(), "[KINECT]\nHEIGHT=120.250000\n");
}

TEST(StartupTest, ConfirmedHeightIsUsedAndWrittenAtExit) {
  Script script;
  script.heightAnswer = Script::HeightAnswer::kEnterTexts;
  script.heightTexts = {"abc", "", "170.3"};
  Rig rig(script);
  EXPECT_EQ(rig.dialog.DoModal(), platform::IDOK);
  EXPECT_EQ(rig.shell.messages, std::vector<std::string>(2, "数字を入力してください。"));
  EXPECT_EQ(rig.shell.editFocusedWithSelection, 2);
  EXPECT_EQ(rig.SetupIni(), "[KINECT]\nHEIGHT=170.300003\n");
}

TEST(StartupTest, AboutItemOpensTheAboutBoxAndOtherCommandsDoNot) {
  Script script;
  script.idlePasses = 1;
  Rig* rig = nullptr;
  script.beforeIdlePass = [&](int) {
    rig->dialog.OnSysCommand(0xF060, 0);  // close, as the window system sends it
    rig->dialog.OnSysCommand(0x0010 | 0x0003, 0);
    rig->shell.calls.push_back("-");
  };
  Rig about(script);
  rig = &about;
  about.dialog.DoModal();
  const Calls& calls = about.shell.calls;
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "AboutDialog"), 1);
  const auto opened = std::find(calls.begin(), calls.end(), "AboutDialog");
  ASSERT_NE(opened, calls.end());
  EXPECT_EQ(*(opened + 1), "-");
}

TEST(StartupTest, MinimisedWindowDrawsTheIconCentred) {
  Rig rig({});
  rig.shell.minimised = true;
  rig.shell.clientSize = {161, 40};
  rig.dialog.OnPaint();
  rig.shell.minimised = false;
  rig.dialog.OnPaint();
  // (161 - 32 + 1) / 2 = 65, (40 - 32 + 1) / 2 = 4; nothing when not minimised.
  EXPECT_EQ(rig.shell.calls, std::vector<std::string>{"DrawIcon:65,4:128"});
  EXPECT_EQ(rig.dialog.OnQueryDragIcon(), HeadlessShell::kIcon);
}

// The real dialog with no sensor attached: the sensor's own message, then the start-up's;
// OpenGL and the sprites are still set up, and the window closes as cancelled.
TEST(StartupTest, ApplicationWithoutSensorReportsItAndEnds) {
  testsupport::TempDir dir;
  testsupport::InstallImages(dir.path());
  Script script;
  script.moduleDirectory = dir.WithSlash();
  HeadlessShell shell(script);
  platform::headless::EglCanvas canvas({640, 480});
  testsupport::ManualClock clock;
  runtime::NoSensorRuntime runtime;
  CMeziroApp app;
  EXPECT_FALSE(app.InitInstance(shell, canvas, clock, runtime));
  EXPECT_EQ(shell.calls.front(), "RunMainDialog");
  EXPECT_EQ(shell.calls.back(), "EndDialog:IDCANCEL");
  EXPECT_EQ(shell.messages, (std::vector<std::string>{"Kinectが接続されていません",
                                                      "キネクトの初期化に失敗しました。"}));
  EXPECT_EQ(testsupport::ReadFile(dir.path() / "setup.ini"), "[KINECT]\nHEIGHT=75.500000\n");
}

}  // namespace
