// Conversion of the program's UTF-8 texts to Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace platform::qt {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace platform::qt
