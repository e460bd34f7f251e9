#include "display/TextureImage.h"

#include <GL/gl.h>

#include <stdexcept>

std::uint32_t RoundUpToPowerOfTwo(std::uint32_t v) {
  constexpr std::uint32_t kLargest = 1u << 30;
  if (v > kLargest) {
    return 0;
  }
  std::uint32_t result = 2;
  while (result < v) {
    result *= 2;
  }
  return result;
}

std::uint32_t AllocateTextureImage(std::unique_ptr<std::uint8_t[]>& pixels, std::int32_t& width,
                                   std::int32_t& height, std::int32_t bytesPerPixel) {
  GLuint name = 0;
  glGenTextures(1, &name);

  const std::uint32_t roundedWidth = RoundUpToPowerOfTwo(static_cast<std::uint32_t>(width));
  const std::uint32_t roundedHeight = RoundUpToPowerOfTwo(static_cast<std::uint32_t>(height));
  if (width < 0 || height < 0 || bytesPerPixel <= 0 || roundedWidth == 0 || roundedHeight == 0) {
    throw std::length_error("texture size out of range");
  }
  width = static_cast<std::int32_t>(roundedWidth);
  height = static_cast<std::int32_t>(roundedHeight);

  // 64-bit product: 2^30 x 2^30 x 4 does not fit in 32 bits; new[] refuses what cannot be had.
  const std::uint64_t bytes =
      std::uint64_t{roundedWidth} * roundedHeight * static_cast<std::uint64_t>(bytesPerPixel);
  if (bytes > SIZE_MAX / 2) {
    throw std::length_error("texture buffer too large");
  }
  // Cleared once, so texels outside the picture never show stale memory through the
  // linear filter at the picture's edge.
  pixels = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(bytes));

  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return name;
}

HRESULT TextureImage::Create(std::uint32_t width, std::uint32_t height,
                             std::int32_t bytesPerPixel) {
  const std::uint32_t roundedWidth = RoundUpToPowerOfTwo(width);
  const std::uint32_t roundedHeight = RoundUpToPowerOfTwo(height);
  if (roundedWidth == 0 || roundedHeight == 0) {
    throw std::length_error("texture size out of range");
  }
  textureWidth = static_cast<std::int32_t>(roundedWidth);
  textureHeight = static_cast<std::int32_t>(roundedHeight);
  uExtent = static_cast<float>(width) / static_cast<float>(textureWidth);
  vExtent = static_cast<float>(height) / static_cast<float>(textureHeight);
  const std::uint32_t name =
      AllocateTextureImage(pixels, textureWidth, textureHeight, bytesPerPixel);
  this->bytesPerPixel = bytesPerPixel;
  textureName = name;
  return S_OK;
}

void UploadTextureImage(const TextureImage& image) {
  glBindTexture(GL_TEXTURE_2D, image.textureName);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.textureWidth, image.textureHeight, 0,
               image.bytesPerPixel == 3 ? GL_RGB : GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.get());
}
