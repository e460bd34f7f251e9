// The handlers a host delivers to the main dialog, the way a message map would: the host
// turns its own events (start, idle, resize, paint, menu command, end) into these calls.
#pragma once

#include <cstdint>

namespace platform {

class MainDialogHandlers {
 public:
  virtual ~MainDialogHandlers() = default;
  // Runs once before the dialog is shown. The result only says whether the first control
  // should get the focus; it does not end the dialog.
  virtual bool OnInitDialog() = 0;
  // Runs whenever the dialog's own loop is idle and no other modal loop runs.
  virtual std::intptr_t OnKickIdle(std::uintptr_t wParam, std::intptr_t lParam) = 0;
  virtual void OnSysCommand(std::uint32_t id, std::intptr_t lParam) = 0;
  virtual void OnPaint() = 0;
  virtual void OnSize(std::uint32_t type, int cx, int cy) = 0;
  // Runs once, on every way the dialog ends, before the host's window goes away.
  virtual void OnDestroy() = 0;
};

}  // namespace platform
