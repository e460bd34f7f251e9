#include "platform/qt/MainDialogWindow.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

#include "app/Resources.h"
#include "platform/Shell.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

namespace {

// Size types of a resize, as the handler expects them.
constexpr std::uint32_t kSizeRestored = 0;
constexpr std::uint32_t kSizeMinimized = 1;
constexpr std::uint32_t kSizeMaximized = 2;

// The main dialog's template: 330 x 228 dialog units in a 9 pt font.
constexpr int kFontPointSize = 9;
constexpr int kWidthDlu = 330;
constexpr int kHeightDlu = 228;

}  // namespace

MainDialogWindow::MainDialogWindow(MainDialogHandlers& handlers, QtCanvas& canvas)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_handlers(handlers),
      m_canvas(canvas) {
  setWindowTitle(ToQString(resources::kMainCaption));
  setFont(DialogFont(kFontPointSize));
  resize(DialogUnits(font()).Size(kWidthDlu, kHeightDlu));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_canvas.Attach(this));

  m_idleTimer.setInterval(0);
  connect(&m_idleTimer, &QTimer::timeout, this, &MainDialogWindow::OnIdleTimer);
}

MainDialogWindow::~MainDialogWindow() {
  m_canvas.Detach();
}

int MainDialogWindow::Run() {
  // The native window exists (hidden) before start-up so the canvas can be set up on it.
  winId();
  m_handlers.OnInitDialog();
  setModal(true);
  show();
  DeliverSize();
  m_idleTimer.start();
  const int result = exec();
  m_idleTimer.stop();
  Destroy();
  return result;
}

void MainDialogWindow::RequestClose() {
  m_closeRequested = true;
}

void MainDialogWindow::AppendMenuSeparator() {
  m_menuEntries.push_back({true, 0, {}});
}

void MainDialogWindow::AppendMenuItem(std::uint32_t id, const QString& text) {
  m_menuEntries.push_back({false, id, text});
}

void MainDialogWindow::DrawIcon(int x, int y, const QIcon& icon) {
  if (m_activePainter) {
    icon.paint(m_activePainter, QRect(x, y, kIconSize, kIconSize));
  }
}

void MainDialogWindow::accept() {
  done(IDOK);
}

void MainDialogWindow::reject() {
  done(IDCANCEL);
}

void MainDialogWindow::keyPressEvent(QKeyEvent* event) {
  // The dialog has no buttons: Enter ends it as OK, Esc (in the base class) as Cancel.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void MainDialogWindow::contextMenuEvent(QContextMenuEvent* event) {
  // The window manager owns the real system menu; this menu carries the window commands
  // and the items the program appends to it.
  QMenu menu(this);
  QAction* restore = menu.addAction(QStringLiteral("元のサイズに戻す(&R)"));
  restore->setEnabled(isMaximized() || isMinimized());
  QAction* minimise = menu.addAction(QStringLiteral("最小化(&N)"));
  QAction* maximise = menu.addAction(QStringLiteral("最大化(&X)"));
  maximise->setEnabled(!isMaximized());
  QAction* close = menu.addAction(QStringLiteral("閉じる(&C)"));
  std::vector<std::pair<QAction*, std::uint32_t>> appended;
  for (const MenuEntry& entry : m_menuEntries) {
    if (entry.separator) {
      menu.addSeparator();
    } else {
      appended.emplace_back(menu.addAction(entry.text), entry.id);
    }
  }

  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == nullptr) {
    return;
  }
  if (chosen == restore) {
    showNormal();
  } else if (chosen == minimise) {
    showMinimized();
  } else if (chosen == maximise) {
    showMaximized();
  } else if (chosen == close) {
    QDialog::close();
  } else {
    for (const auto& [action, id] : appended) {
      if (chosen == action) {
        m_handlers.OnSysCommand(id, 0);
      }
    }
  }
}

void MainDialogWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  // Resizes before the window shows belong to its construction; Run delivers the first.
  if (isVisible()) {
    DeliverSize();
  }
}

void MainDialogWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  m_activePainter = &painter;
  m_handlers.OnPaint();
  m_activePainter = nullptr;
}

void MainDialogWindow::OnIdleTimer() {
  // The timer also fires inside nested loops (height dialog, About box, message boxes, the
  // context menu); the idle pass belongs to this dialog's own loop only.
  QWidget* modal = QApplication::activeModalWidget();
  if (m_inIdlePass || (modal != nullptr && modal != this) ||
      QApplication::activePopupWidget() != nullptr) {
    return;
  }
  if (m_closeRequested) {
    m_closeRequested = false;
    done(IDCANCEL);
    return;
  }
  m_inIdlePass = true;
  m_handlers.OnKickIdle(0, m_idleCount++);
  m_inIdlePass = false;
}

void MainDialogWindow::DeliverSize() {
  std::uint32_t type = kSizeRestored;
  if (isMinimized()) {
    type = kSizeMinimized;
  } else if (isMaximized()) {
    type = kSizeMaximized;
  }
  m_handlers.OnSize(type, width(), height());
}

void MainDialogWindow::Destroy() {
  if (m_destroyed) {
    return;
  }
  m_destroyed = true;
  m_idleTimer.stop();
  m_handlers.OnDestroy();
}

}  // namespace platform::qt
