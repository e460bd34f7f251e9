#include "display/PngReader.h"

#include <png.h>

#include <new>

namespace {

// Frees the decoder's state on every way out.
class PngImage {
 public:
  PngImage() { m_image.version = PNG_IMAGE_VERSION; }
  ~PngImage() { png_image_free(&m_image); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image* operator->() { return &m_image; }
  png_image* get() { return &m_image; }

 private:
  png_image m_image{};
};

}  // namespace

std::optional<PngPicture> ReadPng(const std::string& path, std::int32_t maxSide) {
  PngImage image;
  if (png_image_begin_read_from_file(image.get(), path.c_str()) == 0) {
    return std::nullopt;
  }
  if ((image->format & PNG_FORMAT_FLAG_LINEAR) != 0 || image->width == 0 || image->height == 0 ||
      image->width > static_cast<png_uint_32>(maxSide) ||
      image->height > static_cast<png_uint_32>(maxSide)) {
    return std::nullopt;
  }

  PngPicture picture;
  const bool alpha = (image->format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image->format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  picture.width = static_cast<std::int32_t>(image->width);
  picture.height = static_cast<std::int32_t>(image->height);
  picture.bytesPerPixel = alpha ? 4 : 3;
  try {
    picture.pixels.resize(std::size_t{image->width} * image->height *
                          static_cast<std::size_t>(picture.bytesPerPixel));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  if (png_image_finish_read(image.get(), nullptr, picture.pixels.data(), 0, nullptr) == 0) {
    return std::nullopt;
  }
  return picture;
}
