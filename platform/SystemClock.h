// The real clock: steady_clock milliseconds truncated to 32 bits, and a thread sleep.
#pragma once

#include "platform/Clock.h"

namespace platform {

class SystemClock final : public Clock {
 public:
  std::uint32_t TimeGetTime() override;
  void Sleep(std::uint32_t milliseconds) override;
};

// Timer resolution requests. Linux sleeps already have sub-millisecond resolution, so
// these only mark where the program asks for 1 ms timing.
inline void TimeBeginPeriod(std::uint32_t) {}
inline void TimeEndPeriod(std::uint32_t) {}

}  // namespace platform
