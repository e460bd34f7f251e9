#include <filesystem>
#include <string>
#include <system_error>

#include "app/HeightText.h"
#include "app/IniProfile.h"
#include "app/MeziroDlg.h"

namespace {

constexpr const char* kSection = "KINECT";
constexpr const char* kKey = "HEIGHT";
constexpr const char* kDefaultHeight = "75.5";
constexpr const char* kFileName = "setup.ini";
// The value is read into a buffer of 1024 characters: longer values are cut to 1023.
constexpr std::size_t kMaxValue = 1023;

// Both operations work in the executable's directory and leave it as the current directory.
std::string EnterDirectory(const std::string& directory) {
  std::error_code ignored;
  std::filesystem::current_path(directory, ignored);
  return directory + kFileName;
}

}  // namespace

int CMeziroDlg::LoadSettings() {
  const std::string path = EnterDirectory(GetModuleDirectory());
  std::string text = ini::GetProfileString(kSection, kKey, kDefaultHeight, path);
  if (text.size() > kMaxValue) {
    text.resize(kMaxValue);
  }
  // Text without a leading number reads as 0, like the C conversion. A value that is not a
  // finite number would make every reading wrong, so it falls back to the default.
  heighttext::ScanResult scan = heighttext::ScanHeight(text);
  if (scan.kind == heighttext::ScanResult::Kind::kNotFinite) {
    scan = heighttext::ScanHeight(kDefaultHeight);
  }
  m_sensorHeightCm = scan.value;
  return 0;
}

int CMeziroDlg::SaveSettings() {
  const std::string path = EnterDirectory(GetModuleDirectory());
  ini::WriteProfileString(kSection, kKey, heighttext::FormatFixed(m_sensorHeightCm), path);
  return 0;
}
