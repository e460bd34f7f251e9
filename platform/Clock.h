// The millisecond counter and the sleep the idle loop paces itself with. Injected so that
// tests can drive time by hand.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start, wrapping at 2^32 like the system counter.
  virtual std::uint32_t TimeGetTime() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace platform
