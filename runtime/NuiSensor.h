// The sensor as the runtime hands it out: streams, skeleton tracking, frame textures and the
// colour-to-depth mapper. A negative HRESULT is a failure.
//
// Threads: the program calls every operation from its user-interface thread. A provider
// produces frames on threads of its own and signals the events it was given when a frame is
// ready; it resets an event when the frame is taken and nothing else is waiting. Frame data
// handed out by NuiImageStreamGetNextFrame (the texture and its pixels) stays valid and
// unchanged until NuiImageStreamReleaseFrame, whatever the producer does meanwhile.
#pragma once

#include <cstdint>

#include "platform/ResultCodes.h"
#include "runtime/NuiTypes.h"

namespace runtime {

// The pixels of one frame. LockRect always locks the whole texture.
class INuiFrameTexture {
 public:
  virtual HRESULT LockRect(std::uint32_t level, NUI_LOCKED_RECT* lockedRect,
                           std::uint32_t flags) = 0;
  virtual HRESULT UnlockRect(std::uint32_t level) = 0;
  // Only textures the holder obtained on its own (the extended-depth texture) are released;
  // a frame's own texture goes with the frame.
  virtual void Release() = 0;

 protected:
  ~INuiFrameTexture() = default;
};

// Maps between the colour and depth images of the sensor.
class INuiCoordinateMapper {
 public:
  // For each colour pixel, row by row, the depth-image point that lands on it. Reads
  // depthPixelCount extended depth pixels and writes depthPointCount points.
  virtual HRESULT MapColorFrameToDepthFrame(NUI_IMAGE_TYPE colorType,
                                            NUI_IMAGE_RESOLUTION colorResolution,
                                            NUI_IMAGE_RESOLUTION depthResolution,
                                            std::uint32_t depthPixelCount,
                                            const NUI_DEPTH_IMAGE_PIXEL* depthPixels,
                                            std::uint32_t depthPointCount,
                                            NUI_DEPTH_IMAGE_POINT* depthPoints) = 0;
  virtual void Release() = 0;

 protected:
  ~INuiCoordinateMapper() = default;
};

class INuiSensor {
 public:
  // Non-negative when the sensor is usable.
  virtual HRESULT NuiStatus() = 0;
  // flags: NUI_INITIALIZE_FLAG_* of the streams to run.
  virtual HRESULT NuiInitialize(std::uint32_t flags) = 0;
  // Stops every stream; no event is signalled afterwards.
  virtual void NuiShutdown() = 0;

  // Opens an image stream. nextFrameEvent is set while a frame is ready.
  virtual HRESULT NuiImageStreamOpen(NUI_IMAGE_TYPE imageType, NUI_IMAGE_RESOLUTION resolution,
                                     std::uint32_t frameFlags, std::uint32_t frameLimit,
                                     EventHandle nextFrameEvent, NuiStreamHandle* stream) = 0;
  // Takes the next frame, waiting at most waitMilliseconds. frame must be zeroed; its
  // texture stays null when no frame came.
  virtual HRESULT NuiImageStreamGetNextFrame(NuiStreamHandle stream, std::uint32_t waitMilliseconds,
                                             NUI_IMAGE_FRAME* frame) = 0;
  virtual HRESULT NuiImageStreamReleaseFrame(NuiStreamHandle stream,
                                             const NUI_IMAGE_FRAME* frame) = 0;
  // The extended depth pixels of a depth frame (one NUI_DEPTH_IMAGE_PIXEL per pixel) as a
  // texture of its own, which the caller releases; nearMode receives whether the depth
  // stream runs in near mode.
  virtual HRESULT NuiImageFrameGetDepthImagePixelFrameTexture(NuiStreamHandle stream,
                                                              const NUI_IMAGE_FRAME* frame,
                                                              bool* nearMode,
                                                              INuiFrameTexture** texture) = 0;

  // Starts skeleton tracking; nextSkeletonEvent is set per skeleton frame.
  virtual HRESULT NuiSkeletonTrackingEnable(EventHandle nextSkeletonEvent, std::uint32_t flags) = 0;
  // Takes the next skeleton frame into a zeroed frame, waiting at most waitMilliseconds.
  virtual HRESULT NuiSkeletonGetNextFrame(std::uint32_t waitMilliseconds,
                                          NUI_SKELETON_FRAME* frame) = 0;
  // Smooths the frame in place with the runtime's default parameters.
  virtual HRESULT NuiTransformSmooth(NUI_SKELETON_FRAME* frame) = 0;

  virtual HRESULT NuiCameraElevationSetAngle(std::int32_t degrees) = 0;
  // A mapper the caller releases.
  virtual HRESULT NuiGetCoordinateMapper(INuiCoordinateMapper** mapper) = 0;

  virtual void Release() = 0;

 protected:
  ~INuiSensor() = default;
};

}  // namespace runtime
