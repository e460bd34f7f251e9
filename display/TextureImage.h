// One OpenGL texture with its power-of-two pixel buffer: the camera picture and every sprite.
// The image sits in the buffer's top-left corner, rows from the top, R, G, B (and A) bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>

#include "platform/ResultCodes.h"

// The camera's colour frames are 4 bytes a pixel; the camera texture is made for that size.
inline constexpr std::int32_t kCameraBytesPerPixel = 4;

struct TextureImage {
  // Fills the record for a picture of width x height pixels of bytesPerPixel bytes: texture
  // sizes, extents (full size), buffer and texture name. Needs a current GL context. Throws
  // std::bad_alloc or std::length_error when the buffer cannot be had; returns S_OK.
  HRESULT Create(std::uint32_t width, std::uint32_t height, std::int32_t bytesPerPixel);

  std::uint32_t textureName = 0;
  std::unique_ptr<std::uint8_t[]> pixels;
  std::int32_t textureWidth = 0;
  std::int32_t textureHeight = 0;
  float uExtent = 0.0f;
  float vExtent = 0.0f;
  std::int32_t bytesPerPixel = 0;
  std::int32_t imageWidth = 0;
  std::int32_t imageHeight = 0;
};

// The smallest power of two that is at least v, and at least 2. Sizes above 2^30 have no
// texture size: the result is then 0.
std::uint32_t RoundUpToPowerOfTwo(std::uint32_t v);

// Generates a texture name, rounds width and height up in place, allocates the buffer
// (cleared once) and sets linear filtering on the texture. Needs a current GL context.
// Throws std::length_error for sizes without a power of two, std::bad_alloc when out of
// memory; the texture name is generated first either way.
std::uint32_t AllocateTextureImage(std::unique_ptr<std::uint8_t[]>& pixels, std::int32_t& width,
                                   std::int32_t& height, std::int32_t bytesPerPixel);

// Binds the image's texture and uploads its whole buffer as RGB or RGBA texels, rows byte
// aligned (rows of 3-byte texels are not always a multiple of 4 bytes long). Needs a
// current GL context.
void UploadTextureImage(const TextureImage& image);

// Runs make, which creates a texture and returns its result; a buffer that cannot be had
// (std::bad_alloc, std::length_error) comes back as E_FAIL.
template <typename Make>
HRESULT FailOnAllocationError(Make make) {
  try {
    return make();
  } catch (const std::bad_alloc&) {
    return E_FAIL;
  } catch (const std::length_error&) {
    return E_FAIL;
  }
}
