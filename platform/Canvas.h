// The Canvas port: one OpenGL drawing surface covering the main window's client area, with
// one device context and at most one rendering context. The desktop host puts it on a
// native window; the headless host on an offscreen EGL surface.
#pragma once

#include "platform/Shell.h"

namespace platform {

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Whether the canvas control is attached to a window yet.
  virtual bool IsAttached() = 0;
  // Takes the canvas's device context; the counterpart of ReleaseDeviceContext.
  virtual void GetDeviceContext() = 0;
  virtual void ReleaseDeviceContext() = 0;
  // Chooses the pixel format closest to RGBA, 24 colour bits, 32 depth bits, double
  // buffered, and sets it. False when none can be set.
  virtual bool SetupPixelFormat() = 0;
  // Creates the rendering context on the device context; deletes it.
  virtual void CreateContext() = 0;
  virtual void DeleteContext() = 0;
  // Makes the rendering context current on this thread; makes no context current.
  virtual bool MakeCurrent() = 0;
  virtual void DoneCurrent() = 0;
  // Presents the back buffer.
  virtual void SwapBuffers() = 0;
  // The canvas's client rectangle size in window pixels.
  virtual ClientSize GetClientSize() = 0;
  // Moves the canvas to cover the given client rectangle.
  virtual void MoveWindow(int x, int y, int width, int height) = 0;
};

}  // namespace platform
