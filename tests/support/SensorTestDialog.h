// A main dialog whose canvas and drawing do nothing, so that the sensor side runs alone: in
// tests of the sensor subsystem and in benchmarks of acquisition.
#pragma once

#include "app/MeziroDlg.h"

namespace testsupport {

class SensorTestDialog : public CMeziroDlg {
 public:
  using CMeziroDlg::CMeziroDlg;
  HRESULT InitOpenGL() override { return S_OK; }
  HRESULT RenderFrame() override { return S_OK; }
};

}  // namespace testsupport
