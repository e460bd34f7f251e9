// Records and constants of the sensor runtime: frames, pixels, skeletons and the flags the
// program passes. Field meanings follow what the runtime delivers; values not listed here
// are a provider's own business.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/ManualResetEvent.h"

namespace runtime {

class INuiFrameTexture;

// A manual-reset event shared between the program and a provider. The provider keeps its
// copy while its threads may still signal it; null counts as no event.
using EventHandle = std::shared_ptr<platform::ManualResetEvent>;

// Handle of an open image stream; kInvalidStreamHandle when none.
using NuiStreamHandle = std::intptr_t;
inline constexpr NuiStreamHandle kInvalidStreamHandle = -1;

// Streams NuiInitialize is asked to run.
inline constexpr std::uint32_t NUI_INITIALIZE_FLAG_USES_DEPTH_AND_PLAYER_INDEX = 0x00000001;
inline constexpr std::uint32_t NUI_INITIALIZE_FLAG_USES_COLOR = 0x00000002;
inline constexpr std::uint32_t NUI_INITIALIZE_FLAG_USES_SKELETON = 0x00000008;

enum NUI_IMAGE_TYPE : std::int32_t {
  NUI_IMAGE_TYPE_DEPTH_AND_PLAYER_INDEX = 0,
  NUI_IMAGE_TYPE_COLOR = 1,
};

enum NUI_IMAGE_RESOLUTION : std::int32_t {
  NUI_IMAGE_RESOLUTION_640x480 = 2,
};

// Frame flags of NuiImageStreamOpen.
inline constexpr std::uint32_t NUI_IMAGE_STREAM_FLAG_ENABLE_NEAR_MODE = 0x00020000;
// Flags of NuiSkeletonTrackingEnable.
inline constexpr std::uint32_t NUI_SKELETON_TRACKING_FLAG_ENABLE_IN_NEAR_RANGE = 0x00000008;

// Depth pixels of the packed 16-bit format: millimetres in bits 3 to 15, player index in
// bits 0 to 2.
inline constexpr int NUI_IMAGE_PLAYER_INDEX_SHIFT = 3;

// One frame of an image stream. The texture is null when no frame came; otherwise it and
// its pixels stay valid and unchanged until the frame is released.
struct NUI_IMAGE_FRAME {
  std::int64_t timeStamp;
  std::uint32_t frameNumber;
  NUI_IMAGE_TYPE imageType;
  NUI_IMAGE_RESOLUTION resolution;
  INuiFrameTexture* pFrameTexture;
  std::uint32_t frameFlags;
};

// The pixels of a locked texture: bytes per row, byte count, first byte. Valid until unlock.
struct NUI_LOCKED_RECT {
  std::int32_t pitch;
  std::int32_t size;
  std::uint8_t* pBits;
};

// Extended depth pixel: player index (0 none) and depth in millimetres, unshifted.
struct NUI_DEPTH_IMAGE_PIXEL {
  std::uint16_t playerIndex;
  std::uint16_t depth;
};

// A point of the depth image: pixel column and row, depth in millimetres, unused field.
struct NUI_DEPTH_IMAGE_POINT {
  std::int32_t x;
  std::int32_t y;
  std::int32_t depth;
  std::int32_t reserved;
};

// A camera-space point in metres: x right, y up, z away from the sensor, w 1.
struct Vector4 {
  float x;
  float y;
  float z;
  float w;
};

inline constexpr int NUI_SKELETON_COUNT = 6;
inline constexpr int NUI_SKELETON_POSITION_COUNT = 20;

enum NUI_SKELETON_TRACKING_STATE : std::int32_t {
  NUI_SKELETON_NOT_TRACKED = 0,
  NUI_SKELETON_POSITION_ONLY = 1,
  NUI_SKELETON_TRACKED = 2,
};

enum NUI_SKELETON_POSITION_TRACKING_STATE : std::int32_t {
  NUI_SKELETON_POSITION_NOT_TRACKED = 0,
  NUI_SKELETON_POSITION_INFERRED = 1,
  NUI_SKELETON_POSITION_TRACKED = 2,
};

// Joint indices: 0 hip centre, 1 spine, 2 shoulder centre, 3 head, then the limbs.
enum NUI_SKELETON_POSITION_INDEX : std::int32_t {
  NUI_SKELETON_POSITION_HIP_CENTER = 0,
  NUI_SKELETON_POSITION_SPINE = 1,
  NUI_SKELETON_POSITION_SHOULDER_CENTER = 2,
  NUI_SKELETON_POSITION_HEAD = 3,
};

// One skeleton slot. trackingId is non-zero for a skeleton the runtime follows.
struct NUI_SKELETON_DATA {
  NUI_SKELETON_TRACKING_STATE trackingState;
  std::uint32_t trackingId;
  Vector4 position;
  std::array<Vector4, NUI_SKELETON_POSITION_COUNT> skeletonPositions;
  std::array<NUI_SKELETON_POSITION_TRACKING_STATE, NUI_SKELETON_POSITION_COUNT>
      skeletonPositionTrackingState;
};

struct NUI_SKELETON_FRAME {
  std::int64_t timeStamp;
  std::uint32_t frameNumber;
  std::array<NUI_SKELETON_DATA, NUI_SKELETON_COUNT> skeletonData;
};

}  // namespace runtime
