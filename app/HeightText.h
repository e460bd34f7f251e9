// Decimal text of heights, independent of the C library's locale: "." is always the decimal
// point, whatever LC_NUMERIC says.
#pragma once

#include <string>
#include <string_view>

namespace heighttext {

struct ScanResult {
  enum class Kind {
    kNumber,     // value holds the number, narrowed to float
    kNoNumber,   // the text does not begin with a number
    kNotFinite,  // "nan", "inf", or a number too large for a float such as "1e39"
  };
  Kind kind = Kind::kNoNumber;
  float value = 0.0f;
};

// Reads one decimal number the way "%lf" does: leading white space skipped, optional sign,
// digits, "." as the decimal point, optional exponent; whatever follows is ignored.
ScanResult ScanHeight(std::string_view text);

// The value with at most six significant digits and no trailing zeros ("%.*g", precision 6).
std::string FormatForEdit(float value);

// The value with six digits after the decimal point ("%f").
std::string FormatFixed(float value);

}  // namespace heighttext
