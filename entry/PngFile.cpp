#include "entry/PngFile.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace entry {

bool WriteRgbPng(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgba) {
  if (width <= 0 || height <= 0 ||
      rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
    return false;
  }
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  for (std::size_t i = 0, o = 0; i < rgba.size(); i += 4, o += 3) {
    rgb[o] = rgba[i];
    rgb[o + 1] = rgba[i + 1];
    rgb[o + 2] = rgba[i + 2];
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;

  const std::string temporary = path + ".part";
  if (png_image_write_to_file(&image, temporary.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    std::remove(temporary.c_str());
    return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace entry
