// A fresh directory under the system's temporary directory, removed with the object.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  // The directory with a trailing "/", as the module directory is given.
  std::string WithSlash() const { return m_path.string() + "/"; }

 private:
  std::filesystem::path m_path;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& content);

// Copies the program's images (res/images) into directory/image, as the build installs them
// beside the executable.
void InstallImages(const std::filesystem::path& directory);

}  // namespace testsupport
