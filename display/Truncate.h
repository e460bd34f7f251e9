// Truncation of a single-precision value toward zero into a signed 32-bit integer, refusing
// values that have no such integer (NaN, infinities, out of range) instead of leaving the
// conversion undefined.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

inline std::optional<std::int32_t> TruncateToInt32(float value) {
  // 2^31 is exactly representable; every float below it in magnitude truncates into range.
  constexpr float kLimit = 2147483648.0f;
  if (!std::isfinite(value) || value >= kLimit || value < -kLimit) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}
