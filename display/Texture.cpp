#include "display/Texture.h"

#include <GL/gl.h>

#include <cstring>

#include "display/BannerResource.h"
#include "display/DibReader.h"
#include "display/DisplayMessages.h"
#include "display/PngReader.h"
#include "display/Truncate.h"

namespace {

// The largest picture side the GL accepts; pictures claiming more are refused before any
// memory is taken for them. Without a current context the query leaves 0: then the floor
// every GL 1.1 implementation must reach is no help, so a generous fixed cap stands in.
std::int32_t MaxTextureSide() {
  GLint side = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
  return side > 0 ? side : 4096;
}

// Sizes the record for a picture and allocates its texture: the smallest power-of-two
// texture that holds the picture. The extents are the loader's own.
void AllocateForImage(TextureImage& image, std::int32_t width, std::int32_t height,
                      std::int32_t bytesPerPixel) {
  image.imageWidth = width;
  image.imageHeight = height;
  image.textureWidth = width;
  image.textureHeight = height;
  image.textureName =
      AllocateTextureImage(image.pixels, image.textureWidth, image.textureHeight, bytesPerPixel);
}

}  // namespace

template <typename Load>
HRESULT CTexture::Create(platform::Shell& shell, Load load) {
  if (m_pImage) {
    return S_OK;
  }
  const HRESULT hr = FailOnAllocationError([&] {
    m_pImage = std::make_unique<TextureImage>();
    return load();
  });
  if (FAILED(hr)) {
    // A record without a picture would be drawn from an unfilled buffer: drop it, so the
    // sprite stays empty and Draw refuses it.
    m_pImage.reset();
    shell.MessageBox(display::kMsgTextureCreateFailed);
    return E_FAIL;
  }
  return S_OK;
}

HRESULT CTexture::CreateFromFile(const std::string& path, platform::Shell& shell) {
  return Create(shell, [&] { return LoadImageFile(path, shell); });
}

HRESULT CTexture::CreateFromResource(platform::Shell& shell) {
  return CreateFromBitmap(BannerResource(), shell);
}

HRESULT CTexture::CreateFromBitmap(std::span<const std::uint8_t> bmpFile, platform::Shell& shell) {
  return Create(shell, [&] { return LoadBitmap(bmpFile); });
}

HRESULT CTexture::LoadImageFile(const std::string& path, platform::Shell& shell) {
  const std::optional<PngPicture> picture = ReadPng(path, MaxTextureSide());
  if (!picture) {
    shell.MessageBox(display::kMsgImageLoadFailed);
    return E_FAIL;
  }
  TextureImage& image = *m_pImage;
  const std::int32_t bytesPerPixel = picture->bytesPerPixel;
  AllocateForImage(image, picture->width, picture->height, bytesPerPixel);
  image.uExtent = static_cast<float>(image.imageWidth - 1) / static_cast<float>(image.textureWidth);
  image.vExtent =
      static_cast<float>(image.imageHeight - 1) / static_cast<float>(image.textureHeight);

  // The decoder already gives red, green, blue (and alpha): rows copy as they are.
  const std::size_t rowBytes = static_cast<std::size_t>(image.imageWidth) * bytesPerPixel;
  const std::size_t textureRowBytes = static_cast<std::size_t>(image.textureWidth) * bytesPerPixel;
  for (std::int32_t row = 0; row < image.imageHeight; ++row) {
    std::memcpy(image.pixels.get() + row * textureRowBytes, picture->pixels.data() + row * rowBytes,
                rowBytes);
  }
  image.bytesPerPixel = bytesPerPixel;
  return S_OK;
}

HRESULT CTexture::LoadBitmap(std::span<const std::uint8_t> bmpFile) {
  const std::optional<DibImage> dib = ReadDib(bmpFile, MaxTextureSide());
  if (!dib) {
    return E_FAIL;
  }
  TextureImage& image = *m_pImage;
  const std::int32_t bytesPerPixel = dib->bitsPerPixel / 8;
  AllocateForImage(image, dib->width, dib->height, bytesPerPixel);
  image.uExtent = static_cast<float>(image.imageWidth) / static_cast<float>(image.textureWidth);
  image.vExtent = static_cast<float>(image.imageHeight) / static_cast<float>(image.textureHeight);

  // The bitmap stores blue, green, red: swap into red, green, blue.
  for (std::int32_t row = 0; row < image.imageHeight; ++row) {
    const std::uint8_t* source = dib->top + row * dib->pitch;
    std::uint8_t* target =
        image.pixels.get() + static_cast<std::size_t>(row) * image.textureWidth * bytesPerPixel;
    for (std::int32_t column = 0; column < image.imageWidth; ++column) {
      target[0] = source[2];
      target[1] = source[1];
      target[2] = source[0];
      if (bytesPerPixel == 4) {
        target[3] = source[3];
      }
      source += bytesPerPixel;
      target += bytesPerPixel;
    }
  }
  image.bytesPerPixel = bytesPerPixel;
  return S_OK;
}

void CTexture::Place(float x, float y, float scale) {
  m_base.x = m_draw.x = x;
  m_base.y = m_draw.y = y;
  m_base.scaleX = m_draw.scaleX = scale;
  m_base.scaleY = m_draw.scaleY = scale;
}

HRESULT CTexture::Draw(int x, int y, float scale) {
  if (!m_pImage || !m_pImage->pixels) {
    return E_FAIL;
  }
  const TextureImage& image = *m_pImage;
  glPushMatrix();

  UploadTextureImage(image);

  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  // The quad's size in whole window pixels. A product beyond the integer range (absurd scale)
  // gives no quad rather than an undefined conversion.
  const std::int32_t w = TruncateToInt32(static_cast<float>(image.imageWidth) * scale).value_or(0);
  const std::int32_t h = TruncateToInt32(static_cast<float>(image.imageHeight) * scale).value_or(0);
  const float halfW = static_cast<float>(w) * 0.5f;
  const float halfH = static_cast<float>(h) * 0.5f;

  glTranslatef(static_cast<float>(x) + m_draw.x * scale, static_cast<float>(y) + m_draw.y * scale,
               0.0f);
  glTranslatef(halfW * m_draw.pivotX * m_base.scaleX, m_draw.pivotY * halfH * m_base.scaleY, 0.0f);
  glRotatef(m_draw.rotation, 0.0f, 0.0f, 1.0f);
  glScalef(m_draw.scaleX, m_draw.scaleY, 1.0f);
  glTranslatef(-(halfW * m_draw.pivotX), -(m_draw.pivotY * halfH), 0.0f);

  glColor4f(1.0f, 1.0f, 1.0f, m_alpha);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2d(-halfW, -halfH);
  glTexCoord2f(image.uExtent, 0.0f);
  glVertex2d(halfW, -halfH);
  glTexCoord2f(image.uExtent, image.vExtent);
  glVertex2d(halfW, halfH);
  glTexCoord2f(0.0f, image.vExtent);
  glVertex2d(-halfW, halfH);
  glEnd();

  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  return S_OK;
}
