#include "runtime/sim/SimFaceImage.h"

namespace sim {

using namespace runtime;

HRESULT SimFaceImage::Attach(std::uint32_t width, std::uint32_t height, void* data,
                             FTIMAGEFORMAT format, std::uint32_t stride) {
  const std::uint64_t bytesPerPixel = format == FTIMAGEFORMAT_UINT8_B8G8R8X8 ? 4
                                      : format == FTIMAGEFORMAT_UINT16_D13P3 ? 2
                                                                             : 0;
  m_data = nullptr;
  if (data == nullptr || width == 0 || height == 0 || bytesPerPixel == 0 ||
      stride < width * bytesPerPixel) {
    return E_FAIL;
  }
  m_width = width;
  m_height = height;
  m_data = data;
  m_format = format;
  return S_OK;
}

}  // namespace sim
