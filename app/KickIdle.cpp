#include "app/MeziroDlg.h"

// One idle pass: take ready frames, draw when more than 33 ms have passed since the last
// picture, track both faces, restart the sensor after a failed fetch, then sleep 1 ms.
std::intptr_t CMeziroDlg::OnKickIdle(std::uintptr_t, std::intptr_t) {
  if (m_lastRenderTime == 0) {
    m_lastRenderTime = m_clock.TimeGetTime();
  }
  const std::uint32_t now = m_clock.TimeGetTime();
  const std::uint32_t elapsed = now - m_lastRenderTime;

  const bool acquireFailed = AcquireFrames() < 0;

  if (elapsed > 33) {
    RenderFrame();
    m_lastRenderTime = now;
  }

  TrackFace(0);
  TrackFace(1);

  if (acquireFailed) {
    CloseSensor();
    OpenSensor();
  }

  m_clock.Sleep(1);
  return 1;
}
