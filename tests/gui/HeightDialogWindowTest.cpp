// The installation-height dialog as the operator meets it: the real dialog logic behind the
// Qt window, answered through the window's own buttons and keys.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "app/HeightDlg.h"
#include "platform/qt/HeightDialogWindow.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtShell.h"
#include "tests/gui/ModalDriver.h"

namespace {

using platform::qt::HeightDialogWindow;

struct SeenMessage {
  QString caption;
  QString text;
  QMessageBox::Icon icon;
  QStringList buttons;
};

SeenMessage Describe(QMessageBox* box) {
  SeenMessage seen{box->windowTitle(), box->text(), box->icon(), {}};
  for (QAbstractButton* button : box->buttons()) {
    seen.buttons << button->text();
  }
  return seen;
}

class HeightDialogWindowTest : public testing::Test {
 protected:
  platform::qt::QtCanvas canvas;
  platform::qt::QtShell shell{canvas};
  CHeightDlg dialog{shell};
};

TEST_F(HeightDialogWindowTest, RefusedTextKeepsTheDialogOpenWithTheEditSelected) {
  dialog.m_heightCm = 75.5f;
  std::vector<SeenMessage> messages;
  bool editFocusedAndSelected = false;
  int step = 0;
  guitests::ModalDriver driver([&](QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      messages.push_back(Describe(box));
      box->button(QMessageBox::Ok)->click();
      return;
    }
    auto* window = guitests::Expect<HeightDialogWindow>(modal);
    if (window == nullptr) {
      return;
    }
    QLineEdit* edit = window->Edit();
    if (step == 0) {
      edit->setFocus();
      edit->selectAll();
      QTest::keyClicks(edit, "abc");
      QMetaObject::invokeMethod(window->OkButton(), &QPushButton::click, Qt::QueuedConnection);
      step = 1;
    } else if (step == 1 && messages.size() == 1) {
      editFocusedAndSelected =
          QApplication::focusWidget() == edit && edit->selectedText() == QStringLiteral("abc");
      edit->setText(QStringLiteral("80cm"));
      QMetaObject::invokeMethod(window->OkButton(), &QPushButton::click, Qt::QueuedConnection);
      step = 2;
    }
  });

  EXPECT_EQ(dialog.DoModal(), platform::IDOK);
  EXPECT_EQ(dialog.m_heightCm, 80.0f);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, QStringLiteral("数字を入力してください。"));
  EXPECT_EQ(messages[0].caption,
            QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
  EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
  EXPECT_EQ(messages[0].buttons, QStringList{QStringLiteral("OK")});
  EXPECT_TRUE(editFocusedAndSelected);
}

TEST_F(HeightDialogWindowTest, OpensWithTheProposalAndOkFocusedSoEnterConfirms) {
  dialog.m_heightCm = 170.3f;
  QString shownText;
  QWidget* focusAtOpen = nullptr;
  QPushButton* okButton = nullptr;
  guitests::ModalDriver driver([&](QWidget* modal) {
    auto* window = guitests::Expect<HeightDialogWindow>(modal);
    if (window == nullptr) {
      return;
    }
    shownText = window->Edit()->text();
    focusAtOpen = QApplication::focusWidget();
    okButton = window->OkButton();
    QTest::keyClick(focusAtOpen != nullptr ? focusAtOpen : window, Qt::Key_Return);
  });

  EXPECT_EQ(dialog.DoModal(), platform::IDOK);
  EXPECT_EQ(shownText, QStringLiteral("170.3"));
  EXPECT_EQ(focusAtOpen, okButton);
  EXPECT_EQ(dialog.m_heightCm, 170.3f);
}

TEST_F(HeightDialogWindowTest, TabOrderIsOkCancelEdit) {
  std::vector<QWidget*> focusChain;
  std::vector<QWidget*> expected;
  guitests::ModalDriver driver([&](QWidget* modal) {
    auto* window = guitests::Expect<HeightDialogWindow>(modal);
    if (window == nullptr) {
      return;
    }
    expected = {window->OkButton(), window->CancelButton(), window->Edit(), window->OkButton()};
    focusChain.push_back(QApplication::focusWidget());
    for (int i = 0; i < 3; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      focusChain.push_back(QApplication::focusWidget());
    }
    window->reject();
  });

  dialog.DoModal();
  EXPECT_EQ(focusChain, expected);
}

// Each way of cancelling ends with IDCANCEL and never reads the edit, even a valid number.
class HeightDialogCancelTest : public HeightDialogWindowTest,
                               public testing::WithParamInterface<const char*> {};

TEST_P(HeightDialogCancelTest, CancelLeavesTheProposal) {
  const std::string how = GetParam();
  dialog.m_heightCm = 75.5f;
  int messageBoxes = 0;
  guitests::ModalDriver driver([&](QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      ++messageBoxes;
      box->button(QMessageBox::Ok)->click();
      return;
    }
    auto* window = guitests::Expect<HeightDialogWindow>(modal);
    if (window == nullptr) {
      return;
    }
    window->Edit()->setText(QStringLiteral("123"));
    if (how == "Esc") {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    } else if (how == "close box") {
      window->close();
    } else {
      window->CancelButton()->click();
    }
  });

  EXPECT_EQ(dialog.DoModal(), platform::IDCANCEL);
  EXPECT_EQ(dialog.m_heightCm, 75.5f);
  EXPECT_EQ(messageBoxes, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, HeightDialogCancelTest,
                         testing::Values("Esc", "close box", "Cancel button"));

}  // namespace
