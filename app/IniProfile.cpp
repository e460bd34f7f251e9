#include "app/IniProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace ini {
namespace {

struct Line {
  std::string text;  // without the line ending
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && IsBlank(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// The section name when the line is a section header.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') {
    return std::nullopt;
  }
  const auto close = t.find(']');
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  return Trim(t.substr(1, close - 1));
}

// The key name when the line is a key=value line.
std::optional<std::string_view> KeyName(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) {
    return std::nullopt;
  }
  return Trim(line.substr(0, eq));
}

std::string_view ValueOf(std::string_view line) {
  std::string_view value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

enum class ReadResult { kRead, kMissing, kFailed };

ReadResult ReadLines(const std::string& path, std::vector<std::string>& lines, bool& crlf) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  }
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) {
    return ReadResult::kFailed;
  }
  const std::string text = content.str();
  crlf = text.find("\r\n") != std::string::npos;
  std::size_t start = 0;
  while (start < text.size()) {
    auto end = text.find('\n', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return ReadResult::kRead;
}

bool WriteWhole(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Writes content to a temporary file beside path and renames it over path.
bool ReplaceFile(const std::string& path, const std::string& content) {
  std::string tempPath = path + ".XXXXXX";
  const int fd = ::mkstemp(tempPath.data());
  if (fd < 0) {
    return false;
  }
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  bool ok = ::fchmod(fd, mode) == 0 && WriteWhole(fd, content) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok && ::rename(tempPath.c_str(), path.c_str()) == 0) {
    return true;
  }
  ::unlink(tempPath.c_str());
  return false;
}

}  // namespace

std::string GetProfileString(std::string_view section, std::string_view key,
                             std::string_view fallback, const std::string& path) {
  std::vector<std::string> lines;
  bool crlf = false;
  if (ReadLines(path, lines, crlf) != ReadResult::kRead) {
    return std::string(fallback);
  }
  bool inSection = false;
  for (const std::string& line : lines) {
    if (const auto name = SectionName(line)) {
      inSection = EqualsNoCase(*name, section);
      continue;
    }
    if (inSection) {
      const auto name = KeyName(line);
      if (name && EqualsNoCase(*name, key)) {
        return std::string(ValueOf(line));
      }
    }
  }
  return std::string(fallback);
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
  std::vector<std::string> lines;
  bool crlf = false;
  if (ReadLines(path, lines, crlf) == ReadResult::kFailed) {
    return false;  // an unreadable file is not overwritten: its other lines would be lost
  }
  std::string entry = std::string(key) + "=" + std::string(value);

  bool inSection = false;
  bool sectionFound = false;
  std::size_t insertAt = lines.size();  // after the last non-blank line of the section
  bool written = false;
  for (std::size_t i = 0; i < lines.size() && !written; ++i) {
    if (const auto name = SectionName(lines[i])) {
      if (inSection) {
        break;
      }
      inSection = EqualsNoCase(*name, section);
      if (inSection) {
        sectionFound = true;
        insertAt = i + 1;
      }
      continue;
    }
    if (!inSection) {
      continue;
    }
    const auto name = KeyName(lines[i]);
    if (name && EqualsNoCase(*name, key)) {
      lines[i] = entry;
      written = true;
    } else if (!Trim(lines[i]).empty()) {
      insertAt = i + 1;
    }
  }
  if (!written) {
    if (sectionFound) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    } else {
      lines.push_back("[" + std::string(section) + "]");
      lines.push_back(entry);
    }
  }

  const std::string eol = crlf ? "\r\n" : "\n";
  std::string content;
  for (const std::string& line : lines) {
    content += line;
    content += eol;
  }
  return ReplaceFile(path, content);
}

}  // namespace ini
