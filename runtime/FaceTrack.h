// The face-tracking library: tracker, result and image objects and their records. A
// negative HRESULT is a failure. The tracker uses its own depth-to-colour mapping and its
// built-in face model; tracking always runs over the whole image.
#pragma once

#include <array>
#include <cstdint>

#include "platform/ResultCodes.h"

namespace runtime {

// A camera: image size in pixels and focal length in pixels.
struct FT_CAMERA_CONFIG {
  std::uint32_t width;
  std::uint32_t height;
  float focalLength;
};

struct FT_VECTOR2D {
  float x;
  float y;
};

struct FT_VECTOR3D {
  float x;
  float y;
  float z;
};

// Two head hints in camera space (metres): [0] the neck, [1] the head centre.
using FTHeadHints = std::array<FT_VECTOR3D, 2>;

enum FTIMAGEFORMAT : std::int32_t {
  FTIMAGEFORMAT_UINT8_B8G8R8X8 = 5,  // 4 bytes per pixel: blue, green, red, unused
  FTIMAGEFORMAT_UINT16_D13P3 = 8,    // 16 bits: millimetres << 3 | player index
};

// An image that reads a buffer of its holder in place.
class IFTImage {
 public:
  // From now on the image reads width x height pixels at data, stride bytes per row. The
  // buffer stays the holder's; nothing is copied.
  virtual HRESULT Attach(std::uint32_t width, std::uint32_t height, void* data,
                         FTIMAGEFORMAT format, std::uint32_t stride) = 0;
  virtual void Release() = 0;

 protected:
  ~IFTImage() = default;
};

struct FT_POINT {
  std::int32_t x;
  std::int32_t y;
};

// What one tracking step looks at.
struct FT_SENSOR_DATA {
  IFTImage* pVideoFrame;
  IFTImage* pDepthFrame;
  float zoomFactor;
  FT_POINT viewOffset;
};

class IFTResult {
 public:
  // Non-negative while a face is tracked.
  virtual HRESULT GetStatus() = 0;
  // Clears the result for a fresh start.
  virtual HRESULT Reset() = 0;
  // The face's 2-D shape points in colour-image pixels. They belong to the result and stay
  // valid until its next update.
  virtual HRESULT Get2DShapePoints(FT_VECTOR2D** points, std::uint32_t* pointCount) = 0;
  virtual void Release() = 0;

 protected:
  ~IFTResult() = default;
};

class IFTFaceTracker {
 public:
  virtual HRESULT Initialize(const FT_CAMERA_CONFIG* videoCameraConfig,
                             const FT_CAMERA_CONFIG* depthCameraConfig) = 0;
  virtual HRESULT CreateFTResult(IFTResult** result) = 0;
  // headHints is null when no hint is given.
  virtual HRESULT StartTracking(const FT_SENSOR_DATA* sensorData, const FTHeadHints* headHints,
                                IFTResult* result) = 0;
  virtual HRESULT ContinueTracking(const FT_SENSOR_DATA* sensorData, const FTHeadHints* headHints,
                                   IFTResult* result) = 0;
  virtual void Release() = 0;

 protected:
  ~IFTFaceTracker() = default;
};

}  // namespace runtime
