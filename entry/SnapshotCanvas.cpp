#include "entry/SnapshotCanvas.h"

namespace entry {

void SnapshotCanvas::SwapBuffers() {
  EglCanvas::SwapBuffers();
  ++m_swaps;
  if (m_swaps == m_captureAtSwap) {
    m_picture = ReadPresentedPixels();
  }
}

}  // namespace entry
