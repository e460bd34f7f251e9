// The headless host: runs the main dialog without a display. Dialogs are answered from a
// script and every request is recorded, so tests and the snapshot mode can drive the whole
// program and check what an operator would have seen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace platform::headless {

struct Script {
  // How the installation-height dialog is answered. With kEnterTexts each text in
  // heightTexts is typed and confirmed in turn until one is accepted; when they run out the
  // dialog is cancelled.
  enum class HeightAnswer { kAcceptProposal, kEnterTexts, kCancel, kCannotCreate };
  HeightAnswer heightAnswer = HeightAnswer::kAcceptProposal;
  std::vector<std::string> heightTexts;

  // Idle passes before the operator presses Enter in the main window.
  int idlePasses = 0;
  // Asked before each idle pass: true ends the dialog as Enter would (IDOK).
  std::function<bool()> finished;
  // Runs before each idle pass with the pass's number (from 0); may call the dialog's
  // handlers as the operator would (the About item, a resize).
  std::function<void(int pass)> beforeIdlePass;

  std::string moduleDirectory;
};

class HeadlessShell : public Shell {
 public:
  explicit HeadlessShell(Script script) : m_script(std::move(script)) {}

  int RunMainDialog(MainDialogHandlers& dialog) override;
  void CloseMainWindow() override;
  void MessageBox(std::string_view text) override;
  int RunHeightDialog(HeightDialogHandlers& dialog) override;
  int RunAboutDialog() override;
  IconHandle LoadProgramIcon() override { return kIcon; }
  void SetIcon(IconHandle icon, bool big) override;
  bool HasSystemMenu() override { return true; }
  void AppendSystemMenuSeparator() override;
  void AppendSystemMenuItem(std::uint32_t id, std::string_view text) override;
  bool IsMinimised() override { return minimised; }
  ClientSize GetClientSize() override { return clientSize; }
  ClientSize GetIconMetrics() override { return {32, 32}; }
  void DrawIcon(int x, int y, IconHandle icon) override;
  void OutputDebugString(std::string_view text) override;
  std::string ModuleDirectory() override { return m_script.moduleDirectory; }

  static constexpr IconHandle kIcon = 128;

  // Everything asked of the shell, in order, one line each ("MessageBox:<text>", ...).
  std::vector<std::string> calls;
  // The texts of the message boxes, in order.
  std::vector<std::string> messages;
  // The text each height dialog opened with, and the selection state after a refused entry.
  std::vector<std::string> heightDialogInitialTexts;
  int editFocusedWithSelection = 0;
  std::vector<std::string> debugOutput;
  int idlePassesRun = 0;
  bool minimised = false;
  ClientSize clientSize{1280, 720};

 private:
  Script m_script;
  bool m_closeRequested = false;
};

}  // namespace platform::headless
