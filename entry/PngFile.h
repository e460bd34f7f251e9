// Writing a picture as a PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace entry {

// Writes RGBA rows from the top as an RGB PNG (alpha dropped: blending leaves it arbitrary).
// The file is written beside its final name and renamed, so a failed write leaves no
// partial file. False on failure.
bool WriteRgbPng(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& rgba);

}  // namespace entry
