// Receives every height the readout draws, with what it was measured from. The entry point
// hands one to the main dialog to log measurements; without one nothing is reported.
#pragma once

#include <cstdint>

struct Measurement {
  std::int32_t userIndex = 0;
  std::int32_t skeletonSlot = 0;  // counted from 1
  float faceX = 0.0f;             // the face point, colour-image pixels
  float faceY = 0.0f;
  std::uint32_t depthMm = 0;
  std::int32_t heightCm = 0;
};

class MeasurementSink {
 public:
  virtual ~MeasurementSink() = default;
  virtual void OnMeasurement(const Measurement& measurement) = 0;
};
