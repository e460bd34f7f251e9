#include "app/MeziroDlg.h"

// Frame acquisition is filled in with the sensor subsystem; until then no frame arrives.
HRESULT CMeziroDlg::AcquireFrames() {
  return S_OK;
}
