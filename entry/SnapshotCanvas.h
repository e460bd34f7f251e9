// The canvas of a headless snapshot run: an offscreen EGL canvas that keeps the picture
// presented by the given swap, so it can be written out after the run.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/headless/EglCanvas.h"

namespace entry {

class SnapshotCanvas : public platform::headless::EglCanvas {
 public:
  SnapshotCanvas(platform::ClientSize size, int captureAtSwap)
      : EglCanvas(size), m_captureAtSwap(captureAtSwap) {}

  void SwapBuffers() override;

  bool Captured() const { return !m_picture.empty(); }
  // RGBA rows from the top, width x height x 4 bytes; empty until captured.
  const std::vector<std::uint8_t>& Picture() const { return m_picture; }
  int Swaps() const { return m_swaps; }

 private:
  int m_captureAtSwap;
  int m_swaps = 0;
  std::vector<std::uint8_t> m_picture;
};

}  // namespace entry
