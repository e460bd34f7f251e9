#include <GL/gl.h>

#include <bit>
#include <cstring>

#include "app/MeziroDlg.h"
#include "display/TextureImage.h"

namespace {

// Blue, green, red, unused -> red, green, blue, 255, a pixel as one 32-bit word: bytes 0
// and 2 swapped, byte 3 set.
static_assert(std::endian::native == std::endian::little, "pixel words assume little-endian");

std::uint32_t ToOpaqueRgba(std::uint32_t bgrx) {
  return (bgrx >> 16 & 0xFFu) | (bgrx & 0xFF00u) | (bgrx & 0xFFu) << 16 | 0xFF000000u;
}

// One row, four pixels at a time so that the compiler converts them in one vector register;
// the rest one by one.
void ConvertRow(const std::uint8_t* __restrict source, std::uint8_t* __restrict target,
                std::size_t width) {
  std::size_t x = 0;
  for (; x + 4 <= width; x += 4) {
    std::uint32_t pixels[4];
    std::memcpy(pixels, source + 4 * x, sizeof pixels);
    for (std::uint32_t& pixel : pixels) {
      pixel = ToOpaqueRgba(pixel);
    }
    std::memcpy(target + 4 * x, pixels, sizeof pixels);
  }
  for (; x < width; ++x) {
    std::uint32_t pixel;
    std::memcpy(&pixel, source + 4 * x, sizeof pixel);
    pixel = ToOpaqueRgba(pixel);
    std::memcpy(target + 4 * x, &pixel, sizeof pixel);
  }
}

}  // namespace

// Copies the last colour frame (blue, green, red, unused) into the camera texture as red,
// green, blue and an opaque alpha. A frame that does not match the texture (no colour frame
// yet, a pitch too short for the width, a buffer too small for its rows) leaves the texture
// as it is.
void CMeziroDlg::FillCameraTexture() {
  TextureImage* texture = m_pCameraTexture.get();
  if (texture == nullptr || !texture->pixels || texture->bytesPerPixel != kCameraBytesPerPixel ||
      m_colorWidth > static_cast<std::uint32_t>(texture->textureWidth) ||
      m_colorHeight > static_cast<std::uint32_t>(texture->textureHeight) || m_colorHeight == 0 ||
      m_colorPitch <= 0) {
    return;
  }
  const std::size_t pitch = static_cast<std::size_t>(m_colorPitch);
  const std::size_t rowBytes = std::size_t{m_colorWidth} * kCameraBytesPerPixel;
  if (pitch < rowBytes || m_colorPixels.size() < (m_colorHeight - 1) * pitch + rowBytes) {
    return;
  }
  const std::size_t textureRowBytes = std::size_t(texture->textureWidth) * kCameraBytesPerPixel;
  for (std::uint32_t y = 0; y < m_colorHeight; ++y) {
    ConvertRow(m_colorPixels.data() + y * pitch, texture->pixels.get() + y * textureRowBytes,
               m_colorWidth);
  }
}

// Uploads the whole camera texture and draws its picture corner as one quad, replacing what
// lies below. In the window's y-down projection the frame's first row is at the top and its
// first column at the left.
void CMeziroDlg::DrawCameraTexture(int originX, int originY, int drawnWidth, int drawnHeight) {
  const TextureImage* texture = m_pCameraTexture.get();
  if (texture == nullptr || !texture->pixels) {
    return;
  }
  UploadTextureImage(*texture);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  // The origin is 0 or negative and the sizes are not: the sums stay in range.
  const int right = originX + drawnWidth;
  const int bottom = originY + drawnHeight;
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2i(originX, originY);
  glTexCoord2f(texture->uExtent, 0.0f);
  glVertex2i(right, originY);
  glTexCoord2f(texture->uExtent, texture->vExtent);
  glVertex2i(right, bottom);
  glTexCoord2f(0.0f, texture->vExtent);
  glVertex2i(originX, bottom);
  glEnd();

  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
}
