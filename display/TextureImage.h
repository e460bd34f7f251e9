// One OpenGL texture with its power-of-two pixel buffer: the camera picture and every sprite.
// The image sits in the buffer's top-left corner, rows from the top, R, G, B (and A) bytes.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/ResultCodes.h"

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
