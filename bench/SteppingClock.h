// A clock for benchmarks: it advances 1 ms per reading and does not sleep, so an idle pass is
// measured without its 1 ms sleep.
#pragma once

#include <cstdint>

#include "platform/Clock.h"

class SteppingClock : public platform::Clock {
 public:
  std::uint32_t TimeGetTime() override { return ++m_now; }
  void Sleep(std::uint32_t) override {}

 private:
  std::uint32_t m_now = 1;
};
