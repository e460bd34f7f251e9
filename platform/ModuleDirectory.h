// Where the running executable lives: the base of setup.ini and of the image folder.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The directory part of an absolute file path, with a trailing "/"; empty when the path has
// no directory part.
std::string DirectoryOf(std::string_view filePath);

// The running executable's directory with a trailing "/" (from /proc/self/exe), or an empty
// string when it cannot be found.
std::string GetModuleDirectory();

}  // namespace platform
