#include "app/MeziroDlg.h"

#include <string>

#include "app/HeightDlg.h"
#include "app/Resources.h"
#include "platform/SystemClock.h"

CMeziroDlg::CMeziroDlg(platform::Shell& shell, platform::Canvas& canvas, platform::Clock& clock,
                       runtime::NuiRuntime& runtime)
    : m_shell(shell), m_canvas(canvas), m_clock(clock), m_runtime(runtime) {
  m_hIcon = m_shell.LoadProgramIcon();
  platform::TimeBeginPeriod(1);
}

CMeziroDlg::~CMeziroDlg() = default;

int CMeziroDlg::DoModal() {
  return m_shell.RunMainDialog(*this);
}

bool CMeziroDlg::OnInitDialog() {
  if (m_shell.HasSystemMenu()) {
    m_shell.AppendSystemMenuSeparator();
    m_shell.AppendSystemMenuItem(resources::IDM_ABOUTBOX, resources::kAboutMenuText);
  }
  m_shell.SetIcon(m_hIcon, true);
  m_shell.SetIcon(m_hIcon, false);

  LoadSettings();

  {
    CHeightDlg heightDlg(m_shell);
    heightDlg.m_heightCm = m_sensorHeightCm;
    if (heightDlg.DoModal() != platform::IDOK) {
      m_shell.MessageBox(resources::kMsgExit);
      CloseMainWindow();
      return false;
    }
    m_sensorHeightCm = heightDlg.m_heightCm;
  }

  if (OpenSensor() < 0) {
    m_shell.MessageBox(resources::kMsgSensorInitFailed);
    CloseMainWindow();
  }
  if (InitOpenGL() < 0) {
    m_shell.MessageBox(resources::kMsgOpenGLInitFailed);
    CloseMainWindow();
  }
  LoadSprites();
  return true;
}

void CMeziroDlg::LoadSprites() {
  // Digits first by digit, then by set: num00, num10, num01, num11, ... num09, num19.
  for (int digit = 0; digit < 10; ++digit) {
    for (int set = 0; set < 2; ++set) {
      const std::string path =
          GetModuleDirectory() + "image/num" + std::to_string(set) + std::to_string(digit) + ".png";
      m_digitSprites[10 * set + digit].CreateFromFile(path, m_shell);
    }
  }
  // cm1.png is the first user's unit image, cm2.png the second's.
  for (int unit = 1; unit <= 2; ++unit) {
    const std::string path = GetModuleDirectory() + "image/cm" + std::to_string(unit) + ".png";
    m_unitSprites[unit - 1].CreateFromFile(path, m_shell);
  }
  m_bannerSprite.CreateFromResource(m_shell);
}

void CMeziroDlg::OnDestroy() {
  SaveSettings();
  CloseSensor();
  ReleaseOpenGL();
  m_pCameraTexture.reset();
  platform::TimeEndPeriod(1);
}

void CMeziroDlg::OnSysCommand(std::uint32_t id, std::intptr_t) {
  // Every other system command (move, size, minimise, close) is the window system's own.
  if ((id & 0xFFF0) == resources::IDM_ABOUTBOX) {
    m_shell.RunAboutDialog();
  }
}

void CMeziroDlg::OnPaint() {
  if (!m_shell.IsMinimised()) {
    return;
  }
  const platform::ClientSize client = m_shell.GetClientSize();
  const platform::ClientSize icon = m_shell.GetIconMetrics();
  const int x = (client.width - icon.width + 1) / 2;
  const int y = (client.height - icon.height + 1) / 2;
  m_shell.DrawIcon(x, y, m_hIcon);
}

std::string CMeziroDlg::GetModuleDirectory() {
  return m_shell.ModuleDirectory();
}

void CMeziroDlg::CloseMainWindow() {
  m_shell.CloseMainWindow();
}
