// Plays the operator for code that opens modal windows: every few milliseconds the window
// that is modal and active at the moment is handed to a step function. A single zero-time-out shot
// would fire before the window is up; polling finds it whenever it appears. The step must
// not block: it ends windows directly or posts clicks, so the polling goes on inside any
// nested loop the click opens.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>

namespace guitests {

class ModalDriver : public QObject {
 public:
  explicit ModalDriver(std::function<void(QWidget* modal)> step) : m_step(std::move(step)) {
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      // Keys and focus only work once the window manager (here Qt's offscreen platform) has
      // made the window active.
      if (modal != nullptr && modal->isVisible() && QApplication::activeWindow() == modal) {
        m_step(modal);
      }
    });
    m_timer.start();
  }

 private:
  std::function<void(QWidget*)> m_step;
  QTimer m_timer;
};

// The modal window as the expected kind; anything else is a failure and is closed, so the
// code under test cannot hang on it.
template <typename Window>
Window* Expect(QWidget* modal) {
  auto* window = qobject_cast<Window*>(modal);
  if (window == nullptr) {
    ADD_FAILURE() << "unexpected modal window " << modal->metaObject()->className();
    modal->close();
  }
  return window;
}

}  // namespace guitests
