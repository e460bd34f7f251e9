#include "platform/ModuleDirectory.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::string DirectoryOf(std::string_view filePath) {
  const auto slash = filePath.rfind('/');
  if (slash == std::string_view::npos) {
    return {};
  }
  return std::string(filePath.substr(0, slash + 1));
}

std::string GetModuleDirectory() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return {};
  }
  return DirectoryOf(exe.string());
}

}  // namespace platform
