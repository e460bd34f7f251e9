// One OpenGL texture with its power-of-two pixel buffer: the camera picture and every sprite.
#pragma once

#include <cstdint>
#include <memory>

struct TextureImage {
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
