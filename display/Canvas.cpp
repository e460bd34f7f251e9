#include "app/MeziroDlg.h"

// Opens the canvas: takes its device context, sets the pixel format and creates a rendering
// context, which stays current for the sprite loading that follows. Without a pixel format
// there is no rendering context and the result is E_FAIL.
HRESULT CMeziroDlg::InitOpenGL() {
  m_canvas.GetDeviceContext();
  m_pDC = &m_canvas;
  if (!m_pDC->SetupPixelFormat()) {
    return E_FAIL;
  }
  m_pDC->CreateContext();
  m_hGLRC = true;
  m_pDC->MakeCurrent();
  return S_OK;
}

// Closes the canvas; accepts a canvas that was never opened or opened without a context.
// The members are cleared so that a second release does nothing.
void CMeziroDlg::ReleaseOpenGL() {
  if (m_hGLRC) {
    m_pDC->DeleteContext();
    m_hGLRC = false;
  }
  if (m_pDC != nullptr) {
    m_pDC->ReleaseDeviceContext();
    m_pDC = nullptr;
  }
}

// The canvas covers the dialog's client area. The renderer reads the new size at the next
// frame; nothing else changes here.
void CMeziroDlg::OnSize(std::uint32_t, int, int) {
  if (!m_canvas.IsAttached()) {
    return;
  }
  const platform::ClientSize client = m_shell.GetClientSize();
  m_canvas.MoveWindow(0, 0, client.width, client.height);
}
