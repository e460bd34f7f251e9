#include "platform/headless/EglCanvas.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstring>

namespace platform::headless {

struct EglCanvas::State {
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLConfig config = nullptr;
  EGLContext context = EGL_NO_CONTEXT;
  EGLSurface surface = EGL_NO_SURFACE;
  // Size of the pbuffer; it is made anew when the canvas's size differs.
  ClientSize surfaceSize;
  int depthBits = 0;
};

namespace {

EGLSurface CreatePbuffer(EGLDisplay display, EGLConfig config, ClientSize size) {
  // An empty canvas still needs a surface to be current on.
  const EGLint attributes[] = {EGL_WIDTH, std::max(size.width, 1), EGL_HEIGHT,
                               std::max(size.height, 1), EGL_NONE};
  return eglCreatePbufferSurface(display, config, attributes);
}

}  // namespace

EglCanvas::EglCanvas(ClientSize size) : m_state(std::make_unique<State>()), m_size(size) {}

EglCanvas::~EglCanvas() {
  DeleteContext();
}

void EglCanvas::GetDeviceContext() {
  const auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr) {
    return;
  }
  EGLDisplay display =
      getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
    return;
  }
  m_state->display = display;
}

// The display is shared by every canvas of the process, so it is not terminated; it stays
// known for deleting a context that is still alive.
void EglCanvas::ReleaseDeviceContext() {
  m_state->config = nullptr;
}

bool EglCanvas::SetupPixelFormat() {
  if (m_state->display == EGL_NO_DISPLAY || eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
    return false;
  }
  const EGLint wanted[] = {EGL_SURFACE_TYPE,
                           EGL_PBUFFER_BIT,
                           EGL_RENDERABLE_TYPE,
                           EGL_OPENGL_BIT,
                           EGL_RED_SIZE,
                           8,
                           EGL_GREEN_SIZE,
                           8,
                           EGL_BLUE_SIZE,
                           8,
                           EGL_NONE};
  EGLConfig configs[64];
  EGLint count = 0;
  if (eglChooseConfig(m_state->display, wanted, configs, 64, &count) != EGL_TRUE || count == 0) {
    return false;
  }
  // Closest to the asked-for format: exactly 8 bits per colour channel, then the deepest
  // depth buffer up to 32 bits.
  int bestDepth = -1;
  for (EGLint i = 0; i < count; ++i) {
    EGLint red = 0, green = 0, blue = 0, depth = 0;
    eglGetConfigAttrib(m_state->display, configs[i], EGL_RED_SIZE, &red);
    eglGetConfigAttrib(m_state->display, configs[i], EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(m_state->display, configs[i], EGL_BLUE_SIZE, &blue);
    eglGetConfigAttrib(m_state->display, configs[i], EGL_DEPTH_SIZE, &depth);
    if (red == 8 && green == 8 && blue == 8 && depth <= 32 && depth > bestDepth) {
      bestDepth = depth;
      m_state->config = configs[i];
    }
  }
  m_state->depthBits = std::max(bestDepth, 0);
  return bestDepth >= 0;
}

void EglCanvas::CreateContext() {
  if (m_state->config == nullptr) {
    return;
  }
  const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  m_state->context =
      eglCreateContext(m_state->display, m_state->config, EGL_NO_CONTEXT, attributes);
}

// A current EGL context would only be marked for deletion and stay current on the thread,
// so it is released first.
void EglCanvas::DeleteContext() {
  State& s = *m_state;
  if (s.context != EGL_NO_CONTEXT) {
    if (eglGetCurrentContext() == s.context) {
      eglMakeCurrent(s.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    eglDestroyContext(s.display, s.context);
    s.context = EGL_NO_CONTEXT;
  }
  if (s.surface != EGL_NO_SURFACE) {
    eglDestroySurface(s.display, s.surface);
    s.surface = EGL_NO_SURFACE;
  }
}

bool EglCanvas::MakeCurrent() {
  State& s = *m_state;
  if (s.context == EGL_NO_CONTEXT) {
    return false;
  }
  if (s.surface == EGL_NO_SURFACE || s.surfaceSize.width != m_size.width ||
      s.surfaceSize.height != m_size.height) {
    EGLSurface surface = CreatePbuffer(s.display, s.config, m_size);
    if (surface == EGL_NO_SURFACE) {
      return false;
    }
    if (s.surface != EGL_NO_SURFACE) {
      if (eglGetCurrentSurface(EGL_DRAW) == s.surface) {
        eglMakeCurrent(s.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
      }
      eglDestroySurface(s.display, s.surface);
    }
    s.surface = surface;
    s.surfaceSize = m_size;
  }
  return eglMakeCurrent(s.display, s.surface, s.surface, s.context) == EGL_TRUE;
}

void EglCanvas::DoneCurrent() {
  if (m_state->display != EGL_NO_DISPLAY) {
    eglMakeCurrent(m_state->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  }
}

void EglCanvas::SwapBuffers() {
  if (eglGetCurrentContext() == m_state->context && m_state->context != EGL_NO_CONTEXT) {
    glFinish();
  }
}

void EglCanvas::MoveWindow(int, int, int width, int height) {
  m_size = {std::max(width, 0), std::max(height, 0)};
}

std::vector<std::uint8_t> EglCanvas::ReadPresentedPixels() {
  State& s = *m_state;
  if (s.context == EGL_NO_CONTEXT || s.surface == EGL_NO_SURFACE) {
    return {};
  }
  const EGLDisplay previousDisplay = eglGetCurrentDisplay();
  const EGLContext previousContext = eglGetCurrentContext();
  const EGLSurface previousDraw = eglGetCurrentSurface(EGL_DRAW);
  const EGLSurface previousRead = eglGetCurrentSurface(EGL_READ);
  eglMakeCurrent(s.display, s.surface, s.surface, s.context);

  const int width = s.surfaceSize.width;
  const int height = s.surfaceSize.height;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> bottomUp(rowBytes * static_cast<std::size_t>(height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<std::uint8_t> topDown(bottomUp.size());
  for (int row = 0; row < height; ++row) {
    std::memcpy(topDown.data() + static_cast<std::size_t>(row) * rowBytes,
                bottomUp.data() + static_cast<std::size_t>(height - 1 - row) * rowBytes, rowBytes);
  }

  if (previousContext == EGL_NO_CONTEXT) {
    eglMakeCurrent(s.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  } else {
    eglMakeCurrent(previousDisplay, previousDraw, previousRead, previousContext);
  }
  return topDown;
}

bool EglCanvas::IsCurrent() const {
  return m_state->context != EGL_NO_CONTEXT && eglGetCurrentContext() == m_state->context;
}

int EglCanvas::DepthBits() const {
  return m_state->depthBits;
}

}  // namespace platform::headless
