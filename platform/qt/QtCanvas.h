// The desktop canvas: a native OpenGL window embedded in the main dialog, covering its client
// area, with one QOpenGLContext as the rendering context. The window exists while the main
// dialog exists (Attach/Detach); the context from CreateContext to DeleteContext.
#pragma once

#include <QPointer>
#include <QSurfaceFormat>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "platform/Canvas.h"

class QOpenGLContext;

namespace platform::qt {

class QtCanvas final : public Canvas {
 public:
  QtCanvas();
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  // Creates the GL window as a child of `owner` and returns the widget that holds it, for
  // the owner's layout. The owner takes ownership of that widget.
  QWidget* Attach(QWidget* owner);
  // Deletes the rendering context and forgets the window; the owner deletes the widget.
  void Detach();

  // The surface asked for: RGBA with 8 bits per colour, 32 depth bits, double buffered,
  // compatibility profile (the fixed-function pipeline).
  static QSurfaceFormat RequestedFormat();

  bool IsAttached() override;
  void GetDeviceContext() override;
  void ReleaseDeviceContext() override;
  bool SetupPixelFormat() override;
  void CreateContext() override;
  void DeleteContext() override;
  bool MakeCurrent() override;
  void DoneCurrent() override;
  void SwapBuffers() override;
  ClientSize GetClientSize() override;
  void MoveWindow(int x, int y, int width, int height) override;

 private:
  QPointer<QWindow> m_window;
  QPointer<QWidget> m_container;
  std::unique_ptr<QOpenGLContext> m_context;
  bool m_hasDeviceContext = false;
};

}  // namespace platform::qt
