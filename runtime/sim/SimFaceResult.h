// The simulated face-tracking result: the status of the last tracking step and, while a face
// is tracked, its 2-D shape points in colour-image pixels (index 15 the glabella). The points
// belong to the result and stay valid until its next update or reset. Released by its holder.
#pragma once

#include <span>
#include <vector>

#include "runtime/FaceTrack.h"

namespace sim {

class SimFaceResult final : public runtime::IFTResult {
 public:
  // The status of a result with no face: never tracked, reset, or the face was lost.
  static constexpr HRESULT kNoFace = E_FAIL;

  ~SimFaceResult() = default;

  HRESULT GetStatus() override { return m_status; }
  HRESULT Reset() override;
  // E_FAIL and no points while no face is tracked.
  HRESULT Get2DShapePoints(runtime::FT_VECTOR2D** points, std::uint32_t* pointCount) override;
  void Release() override { delete this; }

  // A tracking step found the face with these points, or (status negative) found none.
  void Update(HRESULT status, std::span<const runtime::FT_VECTOR2D> points = {});

 private:
  HRESULT m_status = kNoFace;
  std::vector<runtime::FT_VECTOR2D> m_points;
};

}  // namespace sim
