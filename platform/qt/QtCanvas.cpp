#include "platform/qt/QtCanvas.h"

#include <QOpenGLContext>
#include <cmath>

namespace platform::qt {

QtCanvas::QtCanvas() = default;

QtCanvas::~QtCanvas() {
  Detach();
}

QSurfaceFormat QtCanvas::RequestedFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  format.setDepthBufferSize(32);
  return format;
}

QWidget* QtCanvas::Attach(QWidget* owner) {
  Detach();
  auto* window = new QWindow;
  window->setSurfaceType(QSurface::OpenGLSurface);
  window->setFormat(RequestedFormat());
  // Mouse and keyboard go to the dialog underneath: its context menu, Enter and Esc must
  // work wherever the pointer is.
  window->setFlags(window->flags() | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
  QWidget* container = QWidget::createWindowContainer(window, owner);
  container->setFocusPolicy(Qt::NoFocus);
  m_window = window;
  m_container = container;
  return container;
}

void QtCanvas::Detach() {
  DeleteContext();
  m_hasDeviceContext = false;
  m_window = nullptr;
  m_container = nullptr;
}

bool QtCanvas::IsAttached() {
  return !m_window.isNull();
}

void QtCanvas::GetDeviceContext() {
  m_hasDeviceContext = IsAttached();
}

void QtCanvas::ReleaseDeviceContext() {
  m_hasDeviceContext = false;
}

bool QtCanvas::SetupPixelFormat() {
  if (!m_window) {
    return false;
  }
  // The format can only be chosen before the native window exists.
  if (!m_window->handle()) {
    m_window->setFormat(RequestedFormat());
    m_window->create();
  }
  return m_window->handle() != nullptr;
}

void QtCanvas::CreateContext() {
  DeleteContext();
  if (!m_window || !m_window->handle()) {
    return;
  }
  auto context = std::make_unique<QOpenGLContext>();
  context->setFormat(m_window->requestedFormat());
  if (context->create()) {
    m_context = std::move(context);
  }
}

void QtCanvas::DeleteContext() {
  if (!m_context) {
    return;
  }
  if (QOpenGLContext::currentContext() == m_context.get()) {
    m_context->doneCurrent();
  }
  m_context.reset();
}

bool QtCanvas::MakeCurrent() {
  if (!m_context || !m_window || !m_window->handle()) {
    return false;
  }
  return m_context->makeCurrent(m_window);
}

void QtCanvas::DoneCurrent() {
  if (m_context) {
    m_context->doneCurrent();
  }
}

void QtCanvas::SwapBuffers() {
  // Swapping a window that is not on screen (minimised, not yet mapped) is not allowed.
  if (m_context && m_window && m_window->isExposed()) {
    m_context->swapBuffers(m_window);
  }
}

ClientSize QtCanvas::GetClientSize() {
  if (!m_window) {
    return {};
  }
  const qreal ratio = m_window->devicePixelRatio();
  return {static_cast<int>(std::lround(m_window->width() * ratio)),
          static_cast<int>(std::lround(m_window->height() * ratio))};
}

void QtCanvas::MoveWindow(int x, int y, int width, int height) {
  if (m_container) {
    m_container->setGeometry(x, y, width, height);
  }
}

}  // namespace platform::qt
