// The Shell port: everything the program asks of the desktop around it. The Qt host shows
// real windows; the headless host answers from a script and records what was asked.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/HeightDialogHandlers.h"
#include "platform/MainDialogHandlers.h"

namespace platform {

// Results of a modal dialog.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Opaque handle of the program icon; 0 is none.
using IconHandle = std::uintptr_t;

struct ClientSize {
  int width = 0;
  int height = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;

  // Runs the main dialog modally: OnInitDialog, then the dialog's loop with its idle
  // passes, then OnDestroy. Returns IDOK (Enter) or IDCANCEL (Esc, close, CloseMainWindow).
  virtual int RunMainDialog(MainDialogHandlers& dialog) = 0;
  // Asks the main dialog to close as if its close box had been pressed. The dialog ends with
  // IDCANCEL as soon as its loop runs; the caller's handler finishes first.
  virtual void CloseMainWindow() = 0;

  // Modal message box: warning icon, OK only, caption = the executable's file name.
  virtual void MessageBox(std::string_view text) = 0;
  // Modal installation-height dialog. IDOK, IDCANCEL, or -1 when it cannot be created.
  virtual int RunHeightDialog(HeightDialogHandlers& dialog) = 0;
  // Modal About box.
  virtual int RunAboutDialog() = 0;

  // The program icon and the main window's icons.
  virtual IconHandle LoadProgramIcon() = 0;
  virtual void SetIcon(IconHandle icon, bool big) = 0;

  // The main window's system menu (on Linux: its right-click context menu).
  virtual bool HasSystemMenu() = 0;
  virtual void AppendSystemMenuSeparator() = 0;
  virtual void AppendSystemMenuItem(std::uint32_t id, std::string_view text) = 0;

  // Painting of the minimised main window.
  virtual bool IsMinimised() = 0;
  virtual ClientSize GetClientSize() = 0;
  virtual ClientSize GetIconMetrics() = 0;
  virtual void DrawIcon(int x, int y, IconHandle icon) = 0;

  // One line for the developer, on standard error.
  virtual void OutputDebugString(std::string_view text) = 0;
  // The executable's directory with a trailing "/", or empty.
  virtual std::string ModuleDirectory() = 0;
};

}  // namespace platform
