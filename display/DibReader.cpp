#include "display/DibReader.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
         std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

}  // namespace

std::optional<DibImage> ReadDib(std::span<const std::uint8_t> file, std::int32_t maxSide) {
  if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') {
    return std::nullopt;
  }
  const std::uint32_t pixelOffset = ReadU32(file, 10);
  const std::uint32_t infoSize = ReadU32(file, 14);
  if (infoSize < kInfoHeaderSize || infoSize > file.size() - kFileHeaderSize) {
    return std::nullopt;
  }
  // Width and height are signed; a negative height means rows top-down.
  const auto width = static_cast<std::int32_t>(ReadU32(file, 18));
  const auto rawHeight = static_cast<std::int32_t>(ReadU32(file, 22));
  const std::uint16_t planes = ReadU16(file, 26);
  const std::uint16_t bitsPerPixel = ReadU16(file, 28);
  const std::uint32_t compression = ReadU32(file, 30);
  if (planes != 1 || (bitsPerPixel != 24 && bitsPerPixel != 32) || compression != kUncompressed) {
    return std::nullopt;
  }
  // Compared as 64-bit values so that the most negative height cannot overflow.
  const std::int64_t height = rawHeight < 0 ? -std::int64_t{rawHeight} : rawHeight;
  if (width <= 0 || height <= 0 || width > maxSide || height > maxSide) {
    return std::nullopt;
  }

  const std::uint64_t stride =
      (std::uint64_t{static_cast<std::uint32_t>(width)} * bitsPerPixel / 8 + 3) / 4 * 4;
  const std::uint64_t dataSize = stride * static_cast<std::uint64_t>(height);
  if (pixelOffset < kFileHeaderSize + infoSize || pixelOffset > file.size() ||
      dataSize > file.size() - pixelOffset) {
    return std::nullopt;
  }

  DibImage image;
  image.width = width;
  image.height = static_cast<std::int32_t>(height);
  image.bitsPerPixel = bitsPerPixel;
  const std::uint8_t* data = file.data() + pixelOffset;
  if (rawHeight > 0) {
    image.top = data + stride * static_cast<std::uint64_t>(height - 1);
    image.pitch = -static_cast<std::ptrdiff_t>(stride);
  } else {
    image.top = data;
    image.pitch = static_cast<std::ptrdiff_t>(stride);
  }
  return image;
}
