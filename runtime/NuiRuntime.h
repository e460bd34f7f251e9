// The sensor runtime a provider supplies: the library entry points the sensor code calls.
// A provider (the simulator, the real sensor, a test fake) is chosen by the entry point and
// handed to the main dialog at construction.
#pragma once

namespace runtime {

class NuiRuntime {
 public:
  virtual ~NuiRuntime() = default;
};

}  // namespace runtime
