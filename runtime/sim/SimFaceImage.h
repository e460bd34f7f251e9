// The simulated face-tracking image: remembers the buffer its holder attached, reading it in
// place (nothing is copied). An attachment with a null buffer, an unknown format or a row
// stride shorter than a row leaves the image detached. Released by its holder.
#pragma once

#include <cstdint>

#include "runtime/FaceTrack.h"

namespace sim {

class SimFaceImage final : public runtime::IFTImage {
 public:
  ~SimFaceImage() = default;

  HRESULT Attach(std::uint32_t width, std::uint32_t height, void* data,
                 runtime::FTIMAGEFORMAT format, std::uint32_t stride) override;
  void Release() override { delete this; }

  bool IsAttached() const { return m_data != nullptr; }
  std::uint32_t Width() const { return m_width; }
  std::uint32_t Height() const { return m_height; }
  runtime::FTIMAGEFORMAT Format() const { return m_format; }

 private:
  std::uint32_t m_width = 0;
  std::uint32_t m_height = 0;
  void* m_data = nullptr;
  runtime::FTIMAGEFORMAT m_format{};
};

}  // namespace sim
