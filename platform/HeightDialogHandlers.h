// What the installation-height dialog's window asks of the dialog's logic.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class HeightDialogHandlers {
 public:
  virtual ~HeightDialogHandlers() = default;
  // The text the edit field shows when the dialog opens.
  virtual std::string InitialText() const = 0;
  // OK or Enter with the edit's text. True ends the dialog with IDOK; false keeps it open,
  // and the window then focuses the edit field with its whole text selected.
  virtual bool OnOK(std::string_view editText) = 0;
};

}  // namespace platform
