#include "app/MeziroDlg.h"

// Face tracking is filled in with the sensor subsystem; until then no face is tracked.
HRESULT CMeziroDlg::TrackFace(int) {
  return S_OK;
}
