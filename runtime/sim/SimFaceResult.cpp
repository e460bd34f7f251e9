#include "runtime/sim/SimFaceResult.h"

namespace sim {

using namespace runtime;

HRESULT SimFaceResult::Reset() {
  m_status = kNoFace;
  m_points.clear();
  return S_OK;
}

HRESULT SimFaceResult::Get2DShapePoints(FT_VECTOR2D** points, std::uint32_t* pointCount) {
  if (points == nullptr || pointCount == nullptr) {
    return E_POINTER;
  }
  if (FAILED(m_status) || m_points.empty()) {
    *points = nullptr;
    *pointCount = 0;
    return E_FAIL;
  }
  *points = m_points.data();
  *pointCount = static_cast<std::uint32_t>(m_points.size());
  return S_OK;
}

void SimFaceResult::Update(HRESULT status, std::span<const FT_VECTOR2D> points) {
  m_status = status;
  if (FAILED(status)) {
    m_points.clear();
  } else {
    m_points.assign(points.begin(), points.end());
  }
}

}  // namespace sim
