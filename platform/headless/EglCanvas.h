// The headless canvas: an OpenGL compatibility context on an offscreen EGL pbuffer of Mesa's
// surfaceless platform, so the display draws without any window system. The pbuffer has the
// canvas's size and follows MoveWindow (it is made anew at the next MakeCurrent). A pbuffer
// is single buffered: SwapBuffers waits until the picture is complete, and
// ReadPresentedPixels then gives it back.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Canvas.h"

namespace platform::headless {

class EglCanvas : public Canvas {
 public:
  explicit EglCanvas(ClientSize size);
  ~EglCanvas() override;
  EglCanvas(const EglCanvas&) = delete;
  EglCanvas& operator=(const EglCanvas&) = delete;

  bool IsAttached() override { return attached; }
  // Opens the surfaceless display.
  void GetDeviceContext() override;
  void ReleaseDeviceContext() override;
  // Chooses an RGB config of 8 bits per channel for desktop OpenGL on a pbuffer with the
  // deepest depth buffer offered, up to 32 bits. False without a display or such a config.
  bool SetupPixelFormat() override;
  void CreateContext() override;
  void DeleteContext() override;
  bool MakeCurrent() override;
  void DoneCurrent() override;
  void SwapBuffers() override;
  ClientSize GetClientSize() override { return m_size; }
  void MoveWindow(int x, int y, int width, int height) override;

  // The last presented picture as RGBA rows from the top, width x height x 4 bytes. Makes
  // the context current for the read and restores whatever was current before.
  std::vector<std::uint8_t> ReadPresentedPixels();
  // Whether this canvas's context is current on the calling thread.
  bool IsCurrent() const;
  // The depth bits of the chosen config; 0 before SetupPixelFormat.
  int DepthBits() const;

  bool attached = true;

 private:
  struct State;
  std::unique_ptr<State> m_state;
  ClientSize m_size;
};

}  // namespace platform::headless
