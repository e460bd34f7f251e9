// The static text control of a dialog template: plain text, aligned to the top-left corner of
// its rectangle.
#pragma once

#include <QLabel>
#include <QWidget>
#include <string_view>

namespace platform::qt {

// A label showing text as it is (no rich text), owned by parent; the caller places it.
QLabel* MakeStaticText(std::string_view text, QWidget* parent);

}  // namespace platform::qt
