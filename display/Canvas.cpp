#include "app/MeziroDlg.h"

// The OpenGL canvas is filled in with the display; until then the canvas only follows the
// dialog's size.
HRESULT CMeziroDlg::InitOpenGL() {
  return S_OK;
}

void CMeziroDlg::ReleaseOpenGL() {}

void CMeziroDlg::OnSize(std::uint32_t, int, int) {
  if (!m_canvas.IsAttached()) {
    return;
  }
  const platform::ClientSize client = m_shell.GetClientSize();
  m_canvas.MoveWindow(0, 0, client.width, client.height);
}
