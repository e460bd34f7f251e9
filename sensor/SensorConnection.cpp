#include "app/MeziroDlg.h"

// The sensor connection is filled in with the sensor subsystem; until then there is nothing
// to open or close.
HRESULT CMeziroDlg::OpenSensor() {
  return S_OK;
}

void CMeziroDlg::CloseSensor() {}
