// One rendered moment of the simulated sensor: the colour picture, the depth image with player
// indices, the extended depth pixels, the colour-to-depth point map, six skeleton slots and,
// per person, the face as the face tracker would see it together with the ground truth.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "runtime/NuiTypes.h"
#include "runtime/sim/Body.h"
#include "runtime/sim/Vec3.h"

namespace sim {

inline constexpr int kSkeletonSlots = 6;

// One extended depth pixel: the player index (0 none, 1..6) and the unshifted depth in mm. The
// simulator keeps its images in the runtime's own records, so textures hand them out as they are.
using DepthImagePixel = runtime::NUI_DEPTH_IMAGE_PIXEL;

// A colour pixel's place in the depth image: the depth pixel (x, y) the scene point it sees
// projects to, and that point's depth in mm. Points beside the depth camera's narrower view
// give x or y outside 0..639 / 0..479; users must check.
using DepthImagePoint = runtime::NUI_DEPTH_IMAGE_POINT;

struct Vector4 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  float w = 0.0f;
};

enum SkeletonTrackingState {
  kSkeletonNotTracked = 0,
  kSkeletonPositionOnly = 1,
  kSkeletonTracked = 2
};
enum JointTrackingState { kJointNotTracked = 0, kJointInferred = 1, kJointTracked = 2 };

// One skeleton slot. Slot s holds the person with player index s + 1. Joints and position are
// in camera space with w = 1; a joint whose point lies outside the depth image is not tracked.
struct SkeletonData {
  int trackingState = kSkeletonNotTracked;
  std::uint32_t trackingId = 0;  // stable per person, 0 when not tracked
  Vector4 position;
  std::array<Vector4, kJointCount> joints{};
  std::array<int, kJointCount> jointStates{};
};

enum class FaceVisibility {
  Visible,
  TurnedAway,      // the face points more than 40 degrees away from the colour camera
  OutsidePicture,  // a face point lies outside the colour picture or the depth image
  Hidden,          // something else is in front of the glabella
};

struct FaceView {
  FaceVisibility visibility = FaceVisibility::TurnedAway;
  // Colour-picture coordinates of the face points (pixel u covers [u, u + 1)); index
  // kGlabellaPoint is the glabella. Filled whatever the visibility.
  std::array<Vec2, kShapePointCount> shapePoints{};
};

// A person in the frame, with the ground truth tests and benchmarks compare against.
struct PersonView {
  int playerIndex = 0;  // 1..6; skeleton slot playerIndex - 1
  float heightCm = 0.0f;
  Vec3 headCentre;
  Vec3 headTop;
  Vec3 glabella;
  FaceView face;
};

struct FrameSet {
  double sceneTime = 0.0;                      // seconds into the scene
  std::vector<std::uint8_t> color;             // 640 x 480 x 4: blue, green, red, unused
  std::vector<std::uint16_t> depth;            // 640 x 480: mm << 3 | player index
  std::vector<DepthImagePixel> extendedDepth;  // 640 x 480
  std::vector<DepthImagePoint> pointMap;       // 640 x 480, one per colour pixel, row by row
  std::array<SkeletonData, kSkeletonSlots> skeletons{};
  std::vector<PersonView> people;  // in scene order
};

}  // namespace sim
