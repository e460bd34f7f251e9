// Reader for a device-independent bitmap file (BMP): an uncompressed picture of 24 or 32
// bits per pixel, rows bottom-up (positive height) or top-down (negative height), each row
// padded to 4 bytes. Anything else, and anything that does not add up, is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// A decoded bitmap addressed from its top row: the pixel at (column c, row r) starts at
// top + r * pitch + c * bitsPerPixel / 8, bytes blue, green, red (and one more with 32 bits).
struct DibImage {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bitsPerPixel = 0;
  std::ptrdiff_t pitch = 0;
  const std::uint8_t* top = nullptr;
};

// Reads the bitmap in file; the result points into file. maxSide caps width and height.
std::optional<DibImage> ReadDib(std::span<const std::uint8_t> file, std::int32_t maxSide);
