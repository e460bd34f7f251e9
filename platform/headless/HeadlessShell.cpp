#include "platform/headless/HeadlessShell.h"

#include <cstdio>

namespace platform::headless {

int HeadlessShell::RunMainDialog(MainDialogHandlers& dialog) {
  calls.push_back("RunMainDialog");
  dialog.OnInitDialog();
  dialog.OnSize(0, clientSize.width, clientSize.height);
  int result = IDOK;
  for (int pass = 0;; ++pass) {
    // A close request is honoured as soon as the dialog's own loop runs again.
    if (m_closeRequested) {
      result = IDCANCEL;
      break;
    }
    if (pass >= m_script.idlePasses || (m_script.finished && m_script.finished())) {
      break;  // Enter: the dialog ends with IDOK
    }
    if (m_script.beforeIdlePass) {
      m_script.beforeIdlePass(pass);
    }
    dialog.OnKickIdle(0, pass);
    ++idlePassesRun;
  }
  dialog.OnDestroy();
  calls.push_back(result == IDOK ? "EndDialog:IDOK" : "EndDialog:IDCANCEL");
  return result;
}

void HeadlessShell::CloseMainWindow() {
  calls.push_back("CloseMainWindow");
  m_closeRequested = true;
}

void HeadlessShell::MessageBox(std::string_view text) {
  calls.push_back("MessageBox:" + std::string(text));
  messages.emplace_back(text);
}

int HeadlessShell::RunHeightDialog(HeightDialogHandlers& dialog) {
  calls.push_back("HeightDialog");
  if (m_script.heightAnswer == Script::HeightAnswer::kCannotCreate) {
    return -1;
  }
  heightDialogInitialTexts.push_back(dialog.InitialText());
  switch (m_script.heightAnswer) {
    case Script::HeightAnswer::kAcceptProposal:
      if (dialog.OnOK(dialog.InitialText())) {
        return IDOK;
      }
      ++editFocusedWithSelection;
      return IDCANCEL;
    case Script::HeightAnswer::kEnterTexts:
      for (const std::string& text : m_script.heightTexts) {
        if (dialog.OnOK(text)) {
          return IDOK;
        }
        ++editFocusedWithSelection;
      }
      return IDCANCEL;
    case Script::HeightAnswer::kCancel:
    case Script::HeightAnswer::kCannotCreate:
      break;
  }
  return IDCANCEL;
}

int HeadlessShell::RunAboutDialog() {
  calls.push_back("AboutDialog");
  return IDOK;
}

void HeadlessShell::SetIcon(IconHandle icon, bool big) {
  calls.push_back(std::string("SetIcon:") + (big ? "big:" : "small:") + std::to_string(icon));
}

void HeadlessShell::AppendSystemMenuSeparator() {
  calls.push_back("SystemMenu:separator");
}

void HeadlessShell::AppendSystemMenuItem(std::uint32_t id, std::string_view text) {
  calls.push_back("SystemMenu:" + std::to_string(id) + ":" + std::string(text));
}

void HeadlessShell::DrawIcon(int x, int y, IconHandle icon) {
  calls.push_back("DrawIcon:" + std::to_string(x) + "," + std::to_string(y) + ":" +
                  std::to_string(icon));
}

void HeadlessShell::OutputDebugString(std::string_view text) {
  debugOutput.emplace_back(text);
  std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace platform::headless
