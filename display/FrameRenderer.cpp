#include "app/MeziroDlg.h"

// Rendering is filled in with the display; until then nothing is drawn.
HRESULT CMeziroDlg::RenderFrame() {
  return S_OK;
}
