#include "app/HeightDlg.h"

#include "app/HeightText.h"
#include "app/Resources.h"

namespace {
// The edit field's text is read up to this many characters.
constexpr std::size_t kMaxEditText = 399;
}  // namespace

std::string CHeightDlg::InitialText() const {
  return heighttext::FormatForEdit(m_heightCm);
}

bool CHeightDlg::OnOK(std::string_view editText) {
  // A height that is not a finite number is treated like text without a number.
  const auto scan = heighttext::ScanHeight(editText.substr(0, kMaxEditText));
  if (scan.kind != heighttext::ScanResult::Kind::kNumber) {
    m_shell.MessageBox(resources::kMsgEnterNumber);
    return false;
  }
  m_heightCm = scan.value;
  return true;
}
