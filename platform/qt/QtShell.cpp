#include "platform/qt/QtShell.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <cstdio>

#include "app/Resources.h"
#include "platform/ModuleDirectory.h"
#include "platform/qt/AboutDialogWindow.h"
#include "platform/qt/HeightDialogWindow.h"
#include "platform/qt/MainDialogWindow.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

int QtShell::RunMainDialog(MainDialogHandlers& dialog) {
  MainDialogWindow window(dialog, m_canvas);
  m_mainDialog = &window;
  const int result = window.Run();
  m_mainDialog = nullptr;
  return result;
}

void QtShell::CloseMainWindow() {
  if (m_mainDialog) {
    m_mainDialog->RequestClose();
  }
}

void QtShell::MessageBox(std::string_view text) {
  // Named after the executable file, as the application has no name of its own.
  const QString caption = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  QMessageBox box(QMessageBox::Warning, caption, ToQString(text), QMessageBox::Ok, m_mainDialog);
  box.setTextFormat(Qt::PlainText);
  QAbstractButton* ok = box.button(QMessageBox::Ok);
  ok->setText(ToQString(resources::kOkText));
  ok->setIcon(QIcon());
  box.exec();
}

int QtShell::RunHeightDialog(HeightDialogHandlers& dialog) {
  HeightDialogWindow window(dialog, m_mainDialog);
  return window.exec();
}

int QtShell::RunAboutDialog() {
  AboutDialogWindow window(ProgramIcon(), m_mainDialog);
  return window.exec();
}

IconHandle QtShell::LoadProgramIcon() {
  ProgramIcon();
  return kProgramIcon;
}

void QtShell::SetIcon(IconHandle icon, bool) {
  // One QIcon carries both the big and the small picture.
  if (m_mainDialog && icon == kProgramIcon) {
    m_mainDialog->setWindowIcon(ProgramIcon());
  }
}

bool QtShell::HasSystemMenu() {
  return m_mainDialog != nullptr;
}

void QtShell::AppendSystemMenuSeparator() {
  if (m_mainDialog) {
    m_mainDialog->AppendMenuSeparator();
  }
}

void QtShell::AppendSystemMenuItem(std::uint32_t id, std::string_view text) {
  if (m_mainDialog) {
    m_mainDialog->AppendMenuItem(id, ToQString(text));
  }
}

bool QtShell::IsMinimised() {
  return m_mainDialog && m_mainDialog->isMinimized();
}

ClientSize QtShell::GetClientSize() {
  if (!m_mainDialog) {
    return {};
  }
  return {m_mainDialog->width(), m_mainDialog->height()};
}

ClientSize QtShell::GetIconMetrics() {
  return {kIconSize, kIconSize};
}

void QtShell::DrawIcon(int x, int y, IconHandle icon) {
  if (m_mainDialog && icon == kProgramIcon) {
    m_mainDialog->DrawIcon(x, y, ProgramIcon());
  }
}

void QtShell::OutputDebugString(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
}

std::string QtShell::ModuleDirectory() {
  return platform::GetModuleDirectory();
}

const QIcon& QtShell::ProgramIcon() {
  if (m_programIcon.isNull()) {
    m_programIcon = LoadProgramIconFrom(platform::GetModuleDirectory());
  }
  return m_programIcon;
}

}  // namespace platform::qt
