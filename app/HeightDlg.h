// CHeightDlg: the modal dialog in which the operator confirms or corrects the installation
// height in centimetres. The host shows the window; this class owns the value and decides
// whether the entered text is accepted.
#pragma once

#include <string>
#include <string_view>

#include "platform/HeightDialogHandlers.h"
#include "platform/Shell.h"

class CHeightDlg : public platform::HeightDialogHandlers {
 public:
  explicit CHeightDlg(platform::Shell& shell) : m_shell(shell) {}

  // IDOK after a valid number was confirmed, IDCANCEL, or -1 when the dialog cannot open.
  int DoModal() { return m_shell.RunHeightDialog(*this); }

  std::string InitialText() const override;
  bool OnOK(std::string_view editText) override;

  float m_heightCm = 0.0f;

 private:
  platform::Shell& m_shell;
};
