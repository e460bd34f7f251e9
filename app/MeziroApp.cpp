#include "app/MeziroApp.h"

#include "app/MeziroDlg.h"

bool CMeziroApp::InitInstance(platform::Shell& shell, platform::Canvas& canvas,
                              platform::Clock& clock, runtime::NuiRuntime& runtime,
                              MeasurementSink* measurements) {
  CMeziroDlg dialog(shell, canvas, clock, runtime);
  dialog.m_pMeasurementSink = measurements;
  dialog.DoModal();
  return false;
}
