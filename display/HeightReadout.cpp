#include "display/HeightReadout.h"

#include "app/MeziroDlg.h"
#include "display/Truncate.h"

std::optional<std::int32_t> HeightFromDepth(std::int32_t depthRow, std::uint32_t depthMm,
                                            float sensorHeightCm) {
  const float z = static_cast<float>(depthMm) / 1000.0f;
  // Vertical part of the depth camera's pixel-to-space transform for a 640 x 480 image.
  const float y = ((static_cast<float>(depthRow) - 240.0f) * 0.5f) * -0.003501f * z;
  return TruncateToInt32(y * 100.0f + sensorHeightCm + 10.0f);
}

namespace {

// The face-tracker shape point the height is measured at.
constexpr std::uint32_t kFacePoint = 15;

}  // namespace

// For each tracked user with a tracked face: the height over the face, in digit sprites of
// the user's set and the user's unit sprite, in cells 50 camera-image pixels apart starting
// 50 pixels left of and 80 above the face point. A user whose face point or depth point lies
// outside its image, or whose height has no integer, is skipped for the frame.
void CMeziroDlg::DrawHeightReadout(int originX, int originY, float scale) {
  for (std::uint32_t u = 0; u < m_users.size(); ++u) {
    const TrackedUser& user = m_users[u];
    if (user.skeletonSlot == -1 || !user.faceTracked || user.shapePoints == nullptr ||
        user.shapePointCount <= kFacePoint) {
      continue;
    }
    const float px = user.shapePoints[kFacePoint].x;
    const float py = user.shapePoints[kFacePoint].y;
    const std::optional<std::int32_t> cx = TruncateToInt32(px);
    const std::optional<std::int32_t> cy = TruncateToInt32(py);
    if (!cx || !cy || *cx < 0 || *cy < 0 || static_cast<std::uint32_t>(*cx) >= m_colorWidth ||
        static_cast<std::uint32_t>(*cy) >= m_colorHeight || !m_pDepthPoints) {
      continue;
    }
    const std::size_t pointIndex = std::size_t(*cy) * m_colorWidth + std::size_t(*cx);
    if (pointIndex >= m_depthPointCount) {
      continue;
    }
    const runtime::NUI_DEPTH_IMAGE_POINT& point = m_pDepthPoints[pointIndex];
    if (point.x < 0 || point.y < 0 || static_cast<std::uint32_t>(point.x) >= m_depthWidth ||
        static_cast<std::uint32_t>(point.y) >= m_depthHeight) {
      continue;
    }
    const std::size_t depthIndex = std::size_t(point.y) * m_depthWidth + std::size_t(point.x);
    if (depthIndex >= m_depthPixels.size()) {
      continue;
    }
    const std::uint32_t depthMm = m_depthPixels[depthIndex] >> 3u;
    const std::optional<std::int32_t> height = HeightFromDepth(point.y, depthMm, m_sensorHeightCm);
    if (!height) {
      continue;
    }
    if (m_pMeasurementSink != nullptr) {
      m_pMeasurementSink->OnMeasurement(
          {static_cast<std::int32_t>(u), user.skeletonSlot, px, py, depthMm, *height});
    }

    // No thousands digit; negative heights give negative digits, which are not drawn.
    const std::int32_t hundreds = (*height % 1000) / 100;
    const std::int32_t tens = (*height % 100) / 10;
    const std::int32_t ones = *height % 10;
    const float labelX = px - 50.0f;
    const float labelY = py - 80.0f;
    const auto drawDigit = [&](std::int32_t digit, float x) {
      CTexture& sprite = m_digitSprites[10 * u + static_cast<std::uint32_t>(digit)];
      sprite.Place(x, labelY, 0.5f);
      sprite.Draw(originX, originY, scale);
    };

    float advance = -0.1f;
    if (hundreds >= 1 && hundreds <= 9) {
      drawDigit(hundreds, labelX - 0.1f);
      advance = 49.9f;
    }
    if (tens >= 0 && tens <= 9) {
      drawDigit(tens, advance + labelX);
      advance = advance + 50.0f;
    }
    if (ones >= 0 && ones <= 9) {
      drawDigit(ones, advance + labelX);
      advance = advance + 50.0f;
    }
    CTexture& unit = m_unitSprites[u];
    unit.Place((advance + labelX) + 5.0f, labelY, 0.5f);
    unit.Draw(originX, originY, scale);
  }
}
