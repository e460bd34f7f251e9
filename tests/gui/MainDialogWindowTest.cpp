// The main dialog's window as a host of the dialog's handlers: start-up before the window
// shows, idle passes only in its own loop, close requests, Enter and Esc, the context menu.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Resources.h"
#include "platform/qt/AboutDialogWindow.h"
#include "platform/qt/MainDialogWindow.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtText.h"
#include "tests/gui/ModalDriver.h"

namespace {

using platform::qt::MainDialogWindow;

MainDialogWindow* FindMainDialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<MainDialogWindow*>(widget)) {
      return dialog;
    }
  }
  return nullptr;
}

// Handlers that log what the host delivers and run a test's script at start-up and on each
// idle pass.
class ScriptedDialog : public platform::MainDialogHandlers {
 public:
  bool OnInitDialog() override {
    MainDialogWindow* window = FindMainDialog();
    visibleDuringInit = window == nullptr || window->isVisible();
    log.push_back("Init");
    if (onInit) {
      onInit();
    }
    log.push_back("InitDone");
    return true;
  }
  std::intptr_t OnKickIdle(std::uintptr_t, std::intptr_t) override {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != FindMainDialog()) {
      ++passesUnderOtherModal;
    }
    if (sizesDelivered == 0) {
      ++passesBeforeFirstSize;
    }
    log.push_back("Idle");
    if (onIdle) {
      onIdle(passes);
    }
    ++passes;
    return 1;
  }
  void OnSysCommand(std::uint32_t id, std::intptr_t) override {
    log.push_back("SysCommand:" + std::to_string(id));
  }
  void OnPaint() override {}
  void OnSize(std::uint32_t, int cx, int cy) override {
    ++sizesDelivered;
    lastSize = {cx, cy};
  }
  void OnDestroy() override { log.push_back("Destroy"); }

  // The log without idle passes after the first, which come as fast as the loop allows.
  std::vector<std::string> Milestones() const {
    std::vector<std::string> result;
    for (const std::string& entry : log) {
      if (entry != "Idle" || result.empty() || result.back() != "Idle") {
        result.push_back(entry);
      }
    }
    return result;
  }

  std::function<void()> onInit;
  std::function<void(int pass)> onIdle;
  std::vector<std::string> log;
  int passes = 0;
  int passesUnderOtherModal = 0;
  int passesBeforeFirstSize = 0;
  int sizesDelivered = 0;
  platform::ClientSize lastSize;
  bool visibleDuringInit = true;
};

class MainDialogWindowTest : public testing::Test {
 protected:
  // Answers every message box with OK and counts them.
  guitests::ModalDriver AnswerMessageBoxes() {
    return guitests::ModalDriver([this](QWidget* modal) {
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages.push_back(box->text().toStdString());
        box->button(QMessageBox::Ok)->click();
      }
    });
  }

  platform::qt::QtCanvas canvas;
  platform::qt::QtShell shell{canvas};
  ScriptedDialog dialog;
  std::vector<std::string> messages;
};

TEST_F(MainDialogWindowTest, CloseRequestedDuringStartUpEndsTheDialogWhenItsLoopStarts) {
  // As after a failed sensor and a failed canvas: message, close, message, close. The
  // second message box's loop must not take the first request.
  dialog.onInit = [this] {
    shell.MessageBox("first");
    shell.CloseMainWindow();
    shell.MessageBox("second");
    shell.CloseMainWindow();
  };
  auto driver = AnswerMessageBoxes();

  EXPECT_EQ(shell.RunMainDialog(dialog), platform::IDCANCEL);
  EXPECT_EQ(messages, (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(dialog.log, (std::vector<std::string>{"Init", "InitDone", "Destroy"}));
  EXPECT_FALSE(dialog.visibleDuringInit);
}

TEST_F(MainDialogWindowTest, CloseRequestedInAPassLetsThePassFinishThenEnds) {
  dialog.onIdle = [this](int pass) {
    if (pass == 2) {
      shell.CloseMainWindow();
      shell.MessageBox("after the request");
      dialog.log.push_back("PassFinished");
    }
  };
  auto driver = AnswerMessageBoxes();

  EXPECT_EQ(shell.RunMainDialog(dialog), platform::IDCANCEL);
  EXPECT_EQ(dialog.Milestones(),
            (std::vector<std::string>{"Init", "InitDone", "Idle", "PassFinished", "Destroy"}));
  EXPECT_EQ(dialog.passes, 3);
  EXPECT_EQ(dialog.passesUnderOtherModal, 0);
}

TEST_F(MainDialogWindowTest, NoPassRunsWhileTheAboutBoxIsOpen) {
  int pollsWithAboutOpen = 0;
  bool aboutClosed = false;
  guitests::ModalDriver driver([&](QWidget* modal) {
    if (auto* about = qobject_cast<platform::qt::AboutDialogWindow*>(modal)) {
      // Keep it open long enough for many timer rounds.
      if (++pollsWithAboutOpen == 10) {
        about->accept();
        aboutClosed = true;
      }
    }
  });
  int passesAfterAbout = 0;
  dialog.onIdle = [&](int pass) {
    if (pass == 0) {
      // Opened from the event loop, as the context menu does, not from inside a pass.
      QTimer::singleShot(0, [this] { shell.RunAboutDialog(); });
    }
    if (aboutClosed && ++passesAfterAbout == 3) {
      QTest::keyClick(FindMainDialog(), Qt::Key_Return);
    }
  };

  EXPECT_EQ(shell.RunMainDialog(dialog), platform::IDOK);
  EXPECT_EQ(pollsWithAboutOpen, 10);
  EXPECT_EQ(dialog.passesUnderOtherModal, 0);
  EXPECT_EQ(passesAfterAbout, 3);
}

struct EndingCase {
  const char* name;
  std::function<void(MainDialogWindow*)> act;
  int expected;
};

void PrintTo(const EndingCase& ending, std::ostream* out) {
  *out << ending.name;
}

class MainDialogEndingTest : public MainDialogWindowTest,
                             public testing::WithParamInterface<EndingCase> {};

TEST_P(MainDialogEndingTest, EndsOnceWithTheRightResult) {
  dialog.onIdle = [](int pass) {
    if (pass == 3) {
      GetParam().act(FindMainDialog());
    }
  };

  EXPECT_EQ(shell.RunMainDialog(dialog), GetParam().expected);
  EXPECT_EQ(dialog.Milestones(), (std::vector<std::string>{"Init", "InitDone", "Idle", "Destroy"}));
  EXPECT_EQ(dialog.passes, 4);
  EXPECT_EQ(dialog.passesBeforeFirstSize, 0);
  EXPECT_GT(dialog.lastSize.width, 0);
  EXPECT_GT(dialog.lastSize.height, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, MainDialogEndingTest,
    testing::Values(
        EndingCase{"Return", [](MainDialogWindow* w) { QTest::keyClick(w, Qt::Key_Return); },
                   platform::IDOK},
        EndingCase{"Enter", [](MainDialogWindow* w) { QTest::keyClick(w, Qt::Key_Enter); },
                   platform::IDOK},
        EndingCase{"Escape", [](MainDialogWindow* w) { QTest::keyClick(w, Qt::Key_Escape); },
                   platform::IDCANCEL},
        EndingCase{"CloseBox", [](MainDialogWindow* w) { w->close(); }, platform::IDCANCEL}),
    [](const testing::TestParamInfo<EndingCase>& info) { return std::string(info.param.name); });

TEST_F(MainDialogWindowTest, ContextMenuEndsWithTheAboutItemAfterASeparator) {
  QStringList menuTexts;
  QTimer popupPoll;
  popupPoll.setInterval(5);
  QObject::connect(&popupPoll, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || !menuTexts.isEmpty()) {
      return;
    }
    for (QAction* action : menu->actions()) {
      menuTexts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    QTest::keyClick(menu, Qt::Key_A);  // the item's mnemonic
  });
  popupPoll.start();
  dialog.onInit = [this] {
    shell.AppendSystemMenuSeparator();
    shell.AppendSystemMenuItem(resources::IDM_ABOUTBOX, resources::kAboutMenuText);
  };
  dialog.onIdle = [this](int pass) {
    if (pass == 0) {
      QTimer::singleShot(0, [] {
        MainDialogWindow* window = FindMainDialog();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                window->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(window, &event);
      });
    }
    if (!dialog.log.empty() && dialog.log[dialog.log.size() - 2].starts_with("SysCommand")) {
      QTest::keyClick(FindMainDialog(), Qt::Key_Escape);
    }
  };

  EXPECT_EQ(shell.RunMainDialog(dialog), platform::IDCANCEL);
  ASSERT_GE(menuTexts.size(), 2);
  EXPECT_EQ(menuTexts.back(), platform::qt::ToQString(resources::kAboutMenuText));
  EXPECT_EQ(menuTexts[menuTexts.size() - 2], QStringLiteral("-"));
  EXPECT_NE(std::find(dialog.log.begin(), dialog.log.end(), "SysCommand:16"), dialog.log.end());
}

}  // namespace
