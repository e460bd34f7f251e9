#include "runtime/sim/SimFaceTracker.h"

#include <array>
#include <vector>

#include "runtime/sim/Cameras.h"
#include "runtime/sim/SimFaceImage.h"
#include "runtime/sim/SimFaceResult.h"

namespace sim {

using namespace runtime;

namespace {

// How far (metres) the hinted head may lie from a person's head centre. Hints are re-derived
// from depth pixels on the head's surface, a head radius or so in front of its centre.
constexpr float kHintReachM = 0.5f;

bool ImageUsable(const IFTImage* image, FTIMAGEFORMAT format) {
  const auto* simImage = dynamic_cast<const SimFaceImage*>(image);
  return simImage != nullptr && simImage->IsAttached() && simImage->Format() == format &&
         simImage->Width() == static_cast<std::uint32_t>(kImageWidth) &&
         simImage->Height() == static_cast<std::uint32_t>(kImageHeight);
}

const PersonView* NearestToHint(const std::vector<PersonView>& people, const FT_VECTOR3D& head) {
  const PersonView* nearest = nullptr;
  float nearestDistance = kHintReachM;
  for (const PersonView& person : people) {
    const float distance = Length(person.headCentre - Vec3{head.x, head.y, head.z});
    if (distance <= nearestDistance) {
      nearest = &person;
      nearestDistance = distance;
    }
  }
  return nearest;
}

const PersonView* NearestVisible(const std::vector<PersonView>& people) {
  const PersonView* nearest = nullptr;
  for (const PersonView& person : people) {
    if (person.face.visibility == FaceVisibility::Visible &&
        (nearest == nullptr || person.headCentre.z < nearest->headCentre.z)) {
      nearest = &person;
    }
  }
  return nearest;
}

const PersonView* PersonWithPlayer(const std::vector<PersonView>& people, int playerIndex) {
  for (const PersonView& person : people) {
    if (person.playerIndex == playerIndex) {
      return &person;
    }
  }
  return nullptr;
}

}  // namespace

HRESULT SimFaceTracker::Initialize(const FT_CAMERA_CONFIG* videoCameraConfig,
                                   const FT_CAMERA_CONFIG* depthCameraConfig) {
  if (videoCameraConfig == nullptr || depthCameraConfig == nullptr) {
    return E_POINTER;
  }
  for (const FT_CAMERA_CONFIG* config : {videoCameraConfig, depthCameraConfig}) {
    if (config->width == 0 || config->height == 0 || !(config->focalLength > 0.0f)) {
      return E_FAIL;
    }
  }
  m_initialized = true;
  return S_OK;
}

HRESULT SimFaceTracker::CreateFTResult(IFTResult** result) {
  if (result == nullptr) {
    return E_POINTER;
  }
  *result = new SimFaceResult();
  return S_OK;
}

HRESULT SimFaceTracker::StartTracking(const FT_SENSOR_DATA* sensorData,
                                      const FTHeadHints* headHints, IFTResult* result) {
  m_followedPlayer.reset();
  return Track(sensorData, headHints, result);
}

HRESULT SimFaceTracker::ContinueTracking(const FT_SENSOR_DATA* sensorData,
                                         const FTHeadHints* headHints, IFTResult* result) {
  return Track(sensorData, headHints, result);
}

bool SimFaceTracker::SensorDataUsable(const FT_SENSOR_DATA* sensorData) const {
  return sensorData != nullptr &&
         ImageUsable(sensorData->pVideoFrame, FTIMAGEFORMAT_UINT8_B8G8R8X8) &&
         ImageUsable(sensorData->pDepthFrame, FTIMAGEFORMAT_UINT16_D13P3);
}

HRESULT SimFaceTracker::Track(const FT_SENSOR_DATA* sensorData, const FTHeadHints* headHints,
                              IFTResult* result) {
  auto* simResult = dynamic_cast<SimFaceResult*>(result);
  if (simResult == nullptr) {
    return E_POINTER;
  }
  const PersonView* person = nullptr;
  if (m_initialized && SensorDataUsable(sensorData) &&
      m_device->LastTakenColorPeople(m_people, m_peopleSeen)) {
    if (headHints != nullptr) {
      person = NearestToHint(m_people, (*headHints)[1]);
    } else if (m_followedPlayer) {
      person = PersonWithPlayer(m_people, *m_followedPlayer);
    } else {
      person = NearestVisible(m_people);
    }
  }
  if (person == nullptr || person->face.visibility != FaceVisibility::Visible) {
    m_followedPlayer.reset();
    simResult->Update(SimFaceResult::kNoFace);
    return SimFaceResult::kNoFace;
  }
  std::array<FT_VECTOR2D, kShapePointCount> points;
  for (int i = 0; i < kShapePointCount; ++i) {
    points[i] = {person->face.shapePoints[i].x, person->face.shapePoints[i].y};
  }
  m_followedPlayer = person->playerIndex;
  simResult->Update(S_OK, points);
  return S_OK;
}

}  // namespace sim
