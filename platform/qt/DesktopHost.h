// The desktop host: the program as a Qt 6 Widgets dialog application. Owns the
// QApplication, the Shell (main dialog window, height dialog, About box, message boxes) and
// the Canvas (a native OpenGL window covering the main dialog's client area). No Qt type
// appears here, so the entry point stays free of Qt headers.
#pragma once

#include <memory>

#include "platform/Canvas.h"
#include "platform/Shell.h"

namespace platform::qt {

class DesktopHost {
 public:
  DesktopHost(int& argc, char** argv);
  ~DesktopHost();
  DesktopHost(const DesktopHost&) = delete;
  DesktopHost& operator=(const DesktopHost&) = delete;

  Shell& GetShell();
  Canvas& GetCanvas();

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace platform::qt
