#include "app/HeightText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace heighttext {
namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string ToChars(double value, std::chars_format format, int precision) {
  std::array<char, 400> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format, precision);
  return std::string(buffer.data(), result.ptr);
}

// Whether an out-of-range number underflows (negative exponent) rather than overflows.
bool IsTinyExponent(const char* first, const char* last) {
  for (const char* p = first; p != last; ++p) {
    if (*p == 'e' || *p == 'E') {
      return p + 1 != last && p[1] == '-';
    }
  }
  return false;
}

}  // namespace

ScanResult ScanHeight(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // from_chars takes no sign of its own here: a second sign is not a number.
  if (pos == text.size() || text[pos] == '+' || text[pos] == '-') {
    return {};
  }
  double value = 0.0;
  const char* first = text.data() + pos;
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large for a double ("1e999"): the C conversion gives infinity. Too small rounds to
    // zero, which is a number like any other.
    return IsTinyExponent(first, result.ptr) ? ScanResult{ScanResult::Kind::kNumber, 0.0f}
                                             : ScanResult{ScanResult::Kind::kNotFinite, 0.0f};
  }
  if (result.ec != std::errc()) {
    return {};
  }
  if (negative) {
    value = -value;
  }
  const float narrowed = static_cast<float>(value);
  if (!std::isfinite(value) || !std::isfinite(narrowed)) {
    return {ScanResult::Kind::kNotFinite, 0.0f};
  }
  return {ScanResult::Kind::kNumber, narrowed};
}

std::string FormatForEdit(float value) {
  return ToChars(static_cast<double>(value), std::chars_format::general, 6);
}

std::string FormatFixed(float value) {
  return ToChars(static_cast<double>(value), std::chars_format::fixed, 6);
}

}  // namespace heighttext
