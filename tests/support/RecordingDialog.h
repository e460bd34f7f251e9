// A main dialog whose sensor and display steps are replaced by recorders, so the shell's
// order of calls can be checked without a sensor or a GL context. Every step appends its
// name to the headless shell's call log, between the shell's own entries.
#pragma once

#include <string>

#include "app/MeziroDlg.h"
#include "platform/headless/HeadlessShell.h"

namespace testsupport {

class RecordingDialog : public CMeziroDlg {
 public:
  RecordingDialog(platform::headless::HeadlessShell& shell, platform::Canvas& canvas,
                  platform::Clock& clock, runtime::NuiRuntime& runtime)
      : CMeziroDlg(shell, canvas, clock, runtime), m_log(shell) {}

  HRESULT OpenSensor() override {
    m_log.calls.push_back("OpenSensor");
    return openSensorResult;
  }
  void CloseSensor() override { m_log.calls.push_back("CloseSensor"); }
  HRESULT AcquireFrames() override {
    m_log.calls.push_back("AcquireFrames");
    return acquireResult;
  }
  HRESULT TrackFace(int userIndex) override {
    m_log.calls.push_back("TrackFace:" + std::to_string(userIndex));
    return S_OK;
  }
  HRESULT InitOpenGL() override {
    m_log.calls.push_back("InitOpenGL");
    return initOpenGLResult;
  }
  void ReleaseOpenGL() override { m_log.calls.push_back("ReleaseOpenGL"); }
  void LoadSprites() override { m_log.calls.push_back("LoadSprites"); }
  HRESULT RenderFrame() override {
    m_log.calls.push_back("RenderFrame");
    return S_OK;
  }

  HRESULT openSensorResult = S_OK;
  HRESULT initOpenGLResult = S_OK;
  HRESULT acquireResult = S_OK;

 private:
  platform::headless::HeadlessShell& m_log;
};

}  // namespace testsupport
