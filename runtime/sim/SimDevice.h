// The simulated sensor device behind every object the simulated runtime hands out: the
// scene renderer, the frame clock, the open streams with their events, the frames ready on
// each stream and those the program holds, and what the background-removal stream was told.
//
// Frames: frame k is due k * 1000 / 30 ms after the device was made. With real-time timing a
// producer thread, started by Initialize and stopped by Shutdown, renders each frame when it
// is due; with manual timing AdvanceTo renders the newest frame due by the given time. A
// rendered frame becomes the one ready on every open stream (a newer frame replaces an
// older one not yet taken) and their events are set. Taking a frame resets its stream's
// event. A taken frame is held by its texture and stays unchanged until released.
//
// Thread safety: every member function may be called from any thread; the producer thread
// and the program's thread meet only under the device's mutex (rendering has a lock of its
// own, so taking frames never waits for a render).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "runtime/NuiSensor.h"
#include "runtime/sim/DeliveredFrame.h"
#include "runtime/sim/FramePool.h"
#include "runtime/sim/Simulator.h"

namespace sim {

class SimFrameTexture;

// What the program asked of the background-removal stream.
struct BackgroundRemovalRecord {
  bool enabled = false;
  runtime::NUI_IMAGE_RESOLUTION colorResolution{};
  runtime::NUI_IMAGE_RESOLUTION depthResolution{};
  bool eventGiven = false;
  std::uint32_t trackedPlayer = 0;  // last id handed to SetTrackedPlayer; 0 none
  int trackedPlayerCalls = 0;
};

class SimDevice : public std::enable_shared_from_this<SimDevice> {
 public:
  inline static constexpr runtime::NuiStreamHandle kColorStream = 1;
  inline static constexpr runtime::NuiStreamHandle kDepthStream = 2;

  // Throws SceneError for an unusable scene.
  SimDevice(Scene scene, bool realTime);
  ~SimDevice();
  SimDevice(const SimDevice&) = delete;
  SimDevice& operator=(const SimDevice&) = delete;

  // ---- Frame clock ----
  // Manual timing: renders the newest frame due by `milliseconds` unless it was rendered
  // already. Ignored with real-time timing.
  void AdvanceTo(std::uint32_t milliseconds);

  // ---- Sensor ----
  HRESULT Initialize(std::uint32_t flags);
  // Stops the producer and closes the streams, dropping frames not taken and resetting
  // their events; no event is set afterwards. Frames the program holds stay valid.
  void Shutdown();
  HRESULT OpenStream(runtime::NUI_IMAGE_TYPE type, runtime::NUI_IMAGE_RESOLUTION resolution,
                     std::uint32_t frameFlags, runtime::EventHandle event,
                     runtime::NuiStreamHandle* stream);
  HRESULT EnableSkeletonTracking(runtime::EventHandle event);
  // Takes the frame ready on an image stream into a zeroed frame record; E_FAIL and no
  // texture when none is ready.
  HRESULT TakeImageFrame(runtime::NuiStreamHandle stream, runtime::NUI_IMAGE_FRAME* frame);
  HRESULT ReleaseImageFrame(runtime::NuiStreamHandle stream, const runtime::NUI_IMAGE_FRAME* frame);
  // A new extended-depth texture of a depth frame the program holds.
  HRESULT ExtendedDepthTexture(runtime::NuiStreamHandle stream,
                               const runtime::NUI_IMAGE_FRAME* frame, bool* nearMode,
                               runtime::INuiFrameTexture** texture);
  void ForgetExtendedTexture(const SimFrameTexture* texture);
  HRESULT TakeSkeletonFrame(runtime::NUI_SKELETON_FRAME* frame);
  bool IsInitialized() const;

  // ---- Mapper and face tracker ----
  // The frame whose extended depth pixels start at `pixels`, while an extended-depth texture
  // of it exists; null otherwise.
  std::shared_ptr<const DeliveredFrame> FrameOfExtendedPixels(const void* pixels) const;
  // Writes the first `count` points (at most one image) of a frame's point map to `out`.
  void CopyPointMap(const DeliveredFrame& frame, runtime::NUI_DEPTH_IMAGE_POINT* out,
                    std::size_t count) const;
  // Brings `people` up to the people (ground truth) of the colour frame the program took
  // last. `seen` is the number of colour frames taken when `people` was last brought up to
  // date; the people are copied (reusing the storage of `people`) only when colour frames
  // were taken since, and `seen` is updated. False, and both untouched, before the first.
  bool LastTakenColorPeople(std::vector<PersonView>& people, std::uint64_t& seen) const;

  // ---- Background removal ----
  void RecordBackgroundRemovalEnable(runtime::NUI_IMAGE_RESOLUTION colorResolution,
                                     runtime::NUI_IMAGE_RESOLUTION depthResolution,
                                     bool eventGiven);
  void RecordTrackedPlayer(std::uint32_t trackingId);
  BackgroundRemovalRecord BackgroundRemoval() const;

 private:
  struct Stream {
    runtime::EventHandle event;
    bool open = false;
    std::shared_ptr<const DeliveredFrame> ready;
  };

  void RenderAndPublish(std::uint64_t frameNumber);
  void RunProducer();
  void StopProducer();
  Stream* StreamOf(runtime::NuiStreamHandle handle);

  const bool m_realTime;
  const std::chrono::steady_clock::time_point m_start;

  std::mutex m_renderMutex;  // guards m_simulator
  Simulator m_simulator;
  std::shared_ptr<FramePool> m_pool;

  mutable std::mutex m_mutex;  // guards everything below
  std::condition_variable m_wake;
  bool m_stopProducer = false;
  std::thread m_producer;
  std::optional<std::uint64_t> m_lastRendered;
  bool m_initialized = false;
  bool m_nearMode = false;
  Stream m_color;
  Stream m_depth;
  Stream m_skeleton;
  std::map<const runtime::INuiFrameTexture*, std::unique_ptr<SimFrameTexture>> m_heldFrames;
  std::map<const SimFrameTexture*, std::shared_ptr<const DeliveredFrame>> m_extendedTextures;
  std::uint64_t m_colorFramesTaken = 0;
  std::vector<PersonView> m_lastTakenPeople;
  BackgroundRemovalRecord m_backgroundRemoval;
};

}  // namespace sim
