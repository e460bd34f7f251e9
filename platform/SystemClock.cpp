#include "platform/SystemClock.h"

#include <chrono>
#include <thread>

namespace platform {

std::uint32_t SystemClock::TimeGetTime() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

void SystemClock::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace platform
