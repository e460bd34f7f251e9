// A scriptable sensor runtime for tests and benchmarks. It records every call with its
// arguments, can refuse any of them, and serves frames a test (or a producer thread) pushes.
//
// Records: one line per call, "Name(arg,arg,...)", e.g. "NuiInitialize(0xb)",
// "NuiImageStreamOpen(depth,2,0x20000,2)", "Attach(image1,640,480,5,2560)",
// "Release(result1)". Objects are named by kind and a number counted per kind from 1:
// sensor, brstream, tracker, result, image, mapper; a depth frame's extended-depth texture
// is "extended"; stream handles print as "color" and "depth". Calls() returns the lines.
//
// Refusals: Refuse(prefix, hr, times) makes every call whose line starts with prefix fail
// with hr (times -1: always; otherwise that many times). A refused creation hands out
// nothing (null); a refused NuiImageStreamGetNextFrame serves no frame; a refused
// Get2DShapePoints gives no points. Refusing "FTCreateFaceTracker" or "FTCreateImage" makes
// them return null.
//
// Frames: PushColorFrame / PushDepthFrame / PushSkeletonFrame queue a frame and set the
// stream's event (once the stream is open). They are safe to call from any thread. Taking a
// frame pops it and resets the event when nothing else waits; with repeatFrames set the
// same frame is served again and again (for benchmarks). Served pixels stay valid and
// unchanged until the frame is released. NuiShutdown stops signalling.
//
// Objects are owned by the fake and live as long as it does: it must outlive the dialog.
// LiveObjects() counts objects handed out and not yet released.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "runtime/NuiRuntime.h"

namespace testsupport {

struct FakeColorFrame {
  std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(640 * 480 * 4);
  std::int32_t pitch = 640 * 4;
  // The runtime hands out a frame without a texture.
  bool noTexture = false;
};

struct FakeDepthFrame {
  std::vector<std::uint16_t> pixels = std::vector<std::uint16_t>(640 * 480);
  std::vector<runtime::NUI_DEPTH_IMAGE_PIXEL> extended =
      std::vector<runtime::NUI_DEPTH_IMAGE_PIXEL>(640 * 480);
  bool nearMode = false;
  bool noTexture = false;
  bool noExtendedTexture = false;
};

class FakeNuiRuntime : public runtime::NuiRuntime {
 public:
  FakeNuiRuntime();
  ~FakeNuiRuntime() override;
  FakeNuiRuntime(const FakeNuiRuntime&) = delete;
  FakeNuiRuntime& operator=(const FakeNuiRuntime&) = delete;

  // ---- Script ----
  int sensorCount = 1;
  // Face tracking: each GetStatus takes the next of faceStatuses, or faceStatus when none
  // is left. A tracking step that succeeds copies shapePoints into the result.
  std::deque<HRESULT> faceStatuses;
  HRESULT faceStatus = E_FAIL;
  std::vector<runtime::FT_VECTOR2D> shapePoints;
  // The mapper writes, for colour pixel i, the point (i % 640, i / 640, depth of extended
  // pixel i, 0); when false it writes nothing.
  bool fillPointMap = true;
  // Serve the front frame of each queue on every request without popping it.
  bool repeatFrames = false;
  // Keep call records (benchmarks turn this off).
  bool recordCalls = true;

  void Refuse(const std::string& prefix, HRESULT hr = E_FAIL, int times = -1);

  // ---- Frames (any thread) ----
  void PushColorFrame(FakeColorFrame frame);
  void PushDepthFrame(FakeDepthFrame frame);
  void PushSkeletonFrame(const runtime::NUI_SKELETON_FRAME& frame);

  // ---- Inspection ----
  std::vector<std::string> Calls() const;
  void ClearCalls();
  int LiveObjects() const;
  // The events handed to the streams, skeleton tracking and background removal.
  runtime::EventHandle ColorEvent() const;
  runtime::EventHandle DepthEvent() const;
  runtime::EventHandle SkeletonEvent() const;
  runtime::EventHandle BackgroundRemovedEvent() const;
  // The buffer each image was last attached to ("image1" -> data pointer).
  std::map<std::string, const void*> AttachedData() const;
  // Frames taken and not yet released.
  int OutstandingFrames() const;

  // ---- Entry points ----
  HRESULT NuiGetSensorCount(int* count) override;
  HRESULT NuiCreateSensorByIndex(int index, runtime::INuiSensor** sensor) override;
  HRESULT NuiCreateBackgroundRemovedColorStream(
      runtime::INuiSensor* sensor, runtime::INuiBackgroundRemovedColorStream** stream) override;
  runtime::IFTFaceTracker* FTCreateFaceTracker() override;
  runtime::IFTImage* FTCreateImage() override;

  struct State;

 private:
  std::unique_ptr<State> m_state;
};

}  // namespace testsupport
