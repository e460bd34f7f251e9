// Ownership of the objects a runtime hands out. Every object (sensor, texture, mapper,
// background-removal stream, face tracker, result, image) is released exactly once by its
// holder through Release(); after that the holder does not touch it. ReleasePtr does this
// on reset or destruction, so a holder releases in the order it resets its pointers.
#pragma once

#include <memory>

namespace runtime {

struct ReleaseDeleter {
  template <class T>
  void operator()(T* object) const {
    object->Release();
  }
};

template <class T>
using ReleasePtr = std::unique_ptr<T, ReleaseDeleter>;

}  // namespace runtime
