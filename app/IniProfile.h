// A small profile (INI) file reader and writer with the semantics the settings rely on:
// sections in square brackets holding key=value lines, section and key names matched
// without regard to case, every other line kept as it is, and the file, section or key
// created when missing.
#pragma once

#include <string>
#include <string_view>

namespace ini {

// The value of key in section, with surrounding blanks removed, or fallback when the file,
// the section or the key is missing.
std::string GetProfileString(std::string_view section, std::string_view key,
                             std::string_view fallback, const std::string& path);

// Sets key in section to value. The file is replaced as a whole: the new content goes to a
// temporary file beside it, which is then renamed over it, so a failure never leaves a
// truncated file. Returns false when the file could not be written; the old file is intact.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path);

}  // namespace ini
