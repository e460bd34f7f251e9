// The simulated face tracker. It does not look at the pixels of the images it is handed: it
// takes the faces of the colour frame the program took last (the frame its attached colour
// buffer holds) from the simulator's ground truth.
//
// Which face: with a head hint, the person whose head centre is nearest the hinted head
// (the hint's second point), provided it lies within half a metre; without a hint, when
// continuing, the person followed in the previous step, else the nearest visible face. The
// step succeeds (result status S_OK, the face's shape points) when that face is visible, and
// fails (status SimFaceResult::kNoFace) when it is turned away, partly outside either
// picture, hidden behind someone, or no person qualifies. A step also fails when the tracker
// was not initialised, or the sensor data lacks attached 640 x 480 colour (B8G8R8X8) and
// depth (D13P3) images of this runtime. Released by its holder.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "runtime/FaceTrack.h"
#include "runtime/sim/SimDevice.h"

namespace sim {

class SimFaceTracker final : public runtime::IFTFaceTracker {
 public:
  explicit SimFaceTracker(std::shared_ptr<SimDevice> device) : m_device(std::move(device)) {}
  ~SimFaceTracker() = default;

  HRESULT Initialize(const runtime::FT_CAMERA_CONFIG* videoCameraConfig,
                     const runtime::FT_CAMERA_CONFIG* depthCameraConfig) override;
  HRESULT CreateFTResult(runtime::IFTResult** result) override;
  HRESULT StartTracking(const runtime::FT_SENSOR_DATA* sensorData,
                        const runtime::FTHeadHints* headHints, runtime::IFTResult* result) override;
  HRESULT ContinueTracking(const runtime::FT_SENSOR_DATA* sensorData,
                           const runtime::FTHeadHints* headHints,
                           runtime::IFTResult* result) override;
  void Release() override { delete this; }

 private:
  HRESULT Track(const runtime::FT_SENSOR_DATA* sensorData, const runtime::FTHeadHints* headHints,
                runtime::IFTResult* result);
  bool SensorDataUsable(const runtime::FT_SENSOR_DATA* sensorData) const;

  std::shared_ptr<SimDevice> m_device;
  bool m_initialized = false;
  std::optional<int> m_followedPlayer;  // player index of the face tracked last step
  std::vector<PersonView> m_people;     // of the colour frame taken last
  std::uint64_t m_peopleSeen = 0;       // colour frames taken when m_people was copied
};

}  // namespace sim
