#include <GL/gl.h>

#include <algorithm>

#include "app/MeziroDlg.h"
#include "display/DisplayMessages.h"
#include "display/ImagePlacement.h"
#include "display/TextureImage.h"
#include "display/Truncate.h"

// Draws one picture: the camera image covering the canvas, the height readout over it, the
// banner in the lower-right corner; then presents it and leaves no context current.
HRESULT CMeziroDlg::RenderFrame() {
  // Without a rendering context there is nothing to draw on.
  if (!m_hGLRC || !m_pDC->MakeCurrent()) {
    return S_OK;
  }
  HRESULT result = S_OK;
  // The clear colour set below takes effect from the next frame on.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  const platform::ClientSize client = m_pDC->GetClientSize();
  const std::int32_t cw = std::max(client.width, 0);
  const std::int32_t ch = std::max(client.height, 0);

  glDisable(GL_LIGHTING);
  glDisable(GL_LIGHT0);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  glClearColor(76.0f / 255.0f, 176.0f / 255.0f, 227.0f / 255.0f, 1.0f);
  glViewport(0, 0, cw, ch);

  // No placement without a camera picture size (no sensor opened): the frame is cleared and
  // presented with the banner only, and nothing divides by a zero size.
  const std::optional<ImagePlacement> placement =
      PlaceCameraImage(cw, ch, m_colorWidth, m_colorHeight);
  const float scale = placement ? placement->scale : 0.0f;

  // Window pixels, origin top-left, y down; the orthographic matrix sits on the modelview
  // stack and the sprites push and pop on top of it.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glOrtho(0.0, cw, ch, 0.0, -1.0, 1.0);

  if (placement) {
    if (!m_pCameraTexture) {
      // Made for the colour stream's pixel size from the first frame on, also when no colour
      // frame (and so no pitch) has arrived yet.
      result = FailOnAllocationError([&] {
        m_pCameraTexture = std::make_unique<TextureImage>();
        return m_pCameraTexture->Create(m_colorWidth, m_colorHeight, kCameraBytesPerPixel);
      });
      if (FAILED(result)) {
        m_shell.MessageBox(display::kMsgCameraTextureFailed);
        CloseMainWindow();
        return E_FAIL;
      }
    }
    FillCameraTexture();
    DrawCameraTexture(placement->originX, placement->originY, placement->drawnWidth,
                      placement->drawnHeight);
    DrawHeightReadout(placement->originX, placement->originY, scale);
  }

  // The banner at half its size times the image scale, its lower-right corner about 10 window
  // pixels inside the canvas's.
  m_bannerSprite.Place(0.0f, 0.0f, 0.5f);
  if (m_bannerSprite.m_pImage) {
    const TextureImage& banner = *m_bannerSprite.m_pImage;
    const std::int32_t halfW =
        TruncateToInt32(static_cast<float>(banner.imageWidth) * 0.5f).value_or(0);
    const std::int32_t halfH =
        TruncateToInt32(static_cast<float>(banner.imageHeight) * 0.5f).value_or(0);
    const std::optional<std::int32_t> x = TruncateToInt32(
        (static_cast<float>(cw) - (static_cast<float>(halfW) * scale) * 0.5f) - 10.0f);
    const std::optional<std::int32_t> y = TruncateToInt32(
        (static_cast<float>(ch) - (static_cast<float>(halfH) * scale) * 0.5f) - 10.0f);
    if (x && y) {
      m_bannerSprite.Draw(*x, *y, scale);
    }
  }

  m_pDC->SwapBuffers();
  m_pDC->DoneCurrent();
  m_clock.Sleep(1);
  return result;
}
