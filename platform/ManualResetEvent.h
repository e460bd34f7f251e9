// A manual-reset event: once set it stays set until reset. The sensor runtime sets it from
// its own threads; the user-interface thread polls it with a zero time-out.
#pragma once

#include <atomic>

namespace platform {

class ManualResetEvent {
 public:
  explicit ManualResetEvent(bool initiallySet = false) : m_set(initiallySet) {}
  ManualResetEvent(const ManualResetEvent&) = delete;
  ManualResetEvent& operator=(const ManualResetEvent&) = delete;

  void Set() { m_set.store(true, std::memory_order_release); }
  void Reset() { m_set.store(false, std::memory_order_release); }
  // Zero time-out wait: true when the event is signalled. Never blocks.
  bool IsSet() const { return m_set.load(std::memory_order_acquire); }

 private:
  std::atomic<bool> m_set;
};

}  // namespace platform
