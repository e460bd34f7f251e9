#include "platform/qt/DesktopHost.h"

#include <QApplication>

#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtShell.h"

namespace platform::qt {

struct DesktopHost::Impl {
  Impl(int& argc, char** argv) : application(argc, argv), shell(canvas) {
    // The height dialog closes before the main window is shown; that must not end the
    // program.
    QApplication::setQuitOnLastWindowClosed(false);
  }

  // Destroyed in reverse order: windows and the GL context go before the application.
  QApplication application;
  QtCanvas canvas;
  QtShell shell;
};

DesktopHost::DesktopHost(int& argc, char** argv) : m_impl(std::make_unique<Impl>(argc, argv)) {}

DesktopHost::~DesktopHost() = default;

Shell& DesktopHost::GetShell() {
  return m_impl->shell;
}

Canvas& DesktopHost::GetCanvas() {
  return m_impl->canvas;
}

}  // namespace platform::qt
