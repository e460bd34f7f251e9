// The simulated sensor runtime: a provider of every runtime interface the program uses,
// delivering the frames the simulator renders from a scene. One sensor is attached.
//
// Timing: with Timing::kRealTime a producer thread, started when the sensor is initialised
// and stopped (joined) by NuiShutdown, by releasing the sensor or by destroying the runtime,
// renders frame k when it is due, k * 1000 / 30 ms after the runtime was made, and sets the
// events of the open streams. With Timing::kManual nothing moves until AdvanceTo is called,
// so the same scene gives the same bytes on every run.
//
// Ownership: every object handed out (sensor, mapper, extended-depth texture,
// background-removal stream, face tracker, result, image) is released by its holder and
// shares the simulated device with the runtime. The runtime may therefore be destroyed
// before or after the program's dialog: objects still held keep working, but no frame
// arrives once the runtime is gone.
//
//   sim::SimRuntime runtime(sim::DemoScene(), sim::SimRuntime::Timing::kManual);
//   CMeziroDlg dialog(shell, canvas, clock, runtime);
//   ...
//   runtime.AdvanceTo(1000);  // frame 30 is ready on the open streams
#pragma once

#include <cstdint>
#include <memory>

#include "runtime/NuiRuntime.h"
#include "runtime/sim/Scene.h"
#include "runtime/sim/SimDevice.h"

namespace sim {

class SimRuntime : public runtime::NuiRuntime {
 public:
  enum class Timing { kRealTime, kManual };

  // Throws SceneError for an unusable scene.
  SimRuntime(Scene scene, Timing timing);
  ~SimRuntime() override;
  SimRuntime(const SimRuntime&) = delete;
  SimRuntime& operator=(const SimRuntime&) = delete;

  // Manual timing only: time since the start, in ms. Makes the newest frame set due by then
  // ready (frame k is due at k * 1000 / 30 ms, k from 0): renders it once, sets the colour,
  // depth and skeleton events of the open streams. Calls with an earlier or equal time, or a
  // time at which no newer frame is due, do nothing. Safe to call whether or not a sensor was
  // created or opened.
  void AdvanceTo(std::uint32_t milliseconds);

  // What the background-removal stream was asked.
  BackgroundRemovalRecord BackgroundRemoval() const;

  HRESULT NuiGetSensorCount(int* count) override;
  // Index 0 only.
  HRESULT NuiCreateSensorByIndex(int index, runtime::INuiSensor** sensor) override;
  // For an initialised sensor of this runtime.
  HRESULT NuiCreateBackgroundRemovedColorStream(
      runtime::INuiSensor* sensor, runtime::INuiBackgroundRemovedColorStream** stream) override;
  runtime::IFTFaceTracker* FTCreateFaceTracker() override;
  runtime::IFTImage* FTCreateImage() override;

 private:
  std::shared_ptr<SimDevice> m_device;
};

}  // namespace sim
