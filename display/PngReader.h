// Reader for the sprite pictures: a PNG file decoded to 8-bit red, green, blue and, when the
// picture has transparency, straight alpha. Palette and greyscale pictures are converted;
// 16-bit pictures are refused, because the decoder would reinterpret them as linear light
// and shift their colours.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PngPicture {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bytesPerPixel = 0;    // 3 (R, G, B) or 4 (R, G, B, A)
  std::vector<std::uint8_t> pixels;  // rows from the top, tightly packed
};

// Decodes the file at path. Pictures wider or higher than maxSide are refused from their
// header, before any pixel memory is taken.
std::optional<PngPicture> ReadPng(const std::string& path, std::int32_t maxSide);
