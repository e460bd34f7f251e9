// A clock that moves only when a test says so; sleeps are recorded, not slept.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Clock.h"

namespace testsupport {

class ManualClock : public platform::Clock {
 public:
  std::uint32_t TimeGetTime() override { return now; }
  void Sleep(std::uint32_t milliseconds) override { sleeps.push_back(milliseconds); }

  std::uint32_t now = 1000;
  std::vector<std::uint32_t> sleeps;
};

}  // namespace testsupport
