// The desktop Shell: the main dialog, the height dialog, the About box and message boxes as
// Qt widgets. The main dialog's window exists only while RunMainDialog runs; requests about
// it made at other times do nothing.
#pragma once

#include <QIcon>

#include "platform/Shell.h"

namespace platform::qt {

class MainDialogWindow;
class QtCanvas;

class QtShell final : public Shell {
 public:
  explicit QtShell(QtCanvas& canvas) : m_canvas(canvas) {}

  int RunMainDialog(MainDialogHandlers& dialog) override;
  void CloseMainWindow() override;
  void MessageBox(std::string_view text) override;
  int RunHeightDialog(HeightDialogHandlers& dialog) override;
  int RunAboutDialog() override;
  IconHandle LoadProgramIcon() override;
  void SetIcon(IconHandle icon, bool big) override;
  bool HasSystemMenu() override;
  void AppendSystemMenuSeparator() override;
  void AppendSystemMenuItem(std::uint32_t id, std::string_view text) override;
  bool IsMinimised() override;
  ClientSize GetClientSize() override;
  ClientSize GetIconMetrics() override;
  void DrawIcon(int x, int y, IconHandle icon) override;
  void OutputDebugString(std::string_view text) override;
  std::string ModuleDirectory() override;

  // The handle LoadProgramIcon gives out (the icon's resource number).
  static constexpr IconHandle kProgramIcon = 128;

 private:
  const QIcon& ProgramIcon();

  QtCanvas& m_canvas;
  QIcon m_programIcon;
  MainDialogWindow* m_mainDialog = nullptr;
};

}  // namespace platform::qt
