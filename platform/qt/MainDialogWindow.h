// The main dialog's window: a resizable QDialog whose client area is covered by the canvas.
// It turns Qt's events into the handler calls of platform::MainDialogHandlers, the way the
// dialog's message map would: start-up before the window shows, an idle pass whenever the
// dialog's own loop is idle, resizes, painting, the About item of its context menu (the
// system menu's stand-in) and, once, the tear-down before the window goes away.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <vector>

#include "platform/MainDialogHandlers.h"

class QPainter;

namespace platform::qt {

class QtCanvas;

class MainDialogWindow final : public QDialog {
  Q_OBJECT

 public:
  MainDialogWindow(MainDialogHandlers& handlers, QtCanvas& canvas);
  ~MainDialogWindow() override;

  // Start-up, show, the dialog's loop, tear-down. IDOK or IDCANCEL.
  int Run();
  // Ends the dialog with IDCANCEL as soon as its own loop gets control again; the caller's
  // handler finishes first. A request made during start-up ends the dialog when its loop
  // starts.
  void RequestClose();

  void AppendMenuSeparator();
  void AppendMenuItem(std::uint32_t id, const QString& text);
  // Draws the icon; only has an effect while OnPaint runs inside a paint event.
  void DrawIcon(int x, int y, const QIcon& icon);

  void accept() override;
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  struct MenuEntry {
    bool separator = false;
    std::uint32_t id = 0;
    QString text;
  };

  void OnIdleTimer();
  void DeliverSize();
  void Destroy();

  MainDialogHandlers& m_handlers;
  QtCanvas& m_canvas;
  std::vector<MenuEntry> m_menuEntries;
  QTimer m_idleTimer;
  std::intptr_t m_idleCount = 0;
  bool m_inIdlePass = false;
  bool m_closeRequested = false;
  bool m_destroyed = false;
  QPainter* m_activePainter = nullptr;
};

}  // namespace platform::qt
