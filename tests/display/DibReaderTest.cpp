// The banner's bitmap reader: rows in either direction with their padding, and refusal of
// every header that does not add up.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "DisplayFixture.h"
#include "display/DibReader.h"

namespace {

using displaytest::MakeBmp;
using displaytest::Rgba;

Rgba Pattern(int x, int y) {
  return {static_cast<std::uint8_t>(10 * x + 1), static_cast<std::uint8_t>(10 * y + 2),
          static_cast<std::uint8_t>(x + y + 3), 200};
}

struct LayoutCase {
  const char* name;
  int bitsPerPixel;
  bool topDown;
};

class DibLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DibLayoutTest, AddressesThePictureFromItsTopRow) {
  const LayoutCase& c = GetParam();
  // 3 pixels of 3 bytes make a 9-byte row padded to 12.
  const std::vector<std::uint8_t> file = MakeBmp(3, 2, c.bitsPerPixel, c.topDown, Pattern);
  const std::optional<DibImage> dib = ReadDib(file, 4096);
  ASSERT_TRUE(dib.has_value());
  EXPECT_EQ(dib->width, 3);
  EXPECT_EQ(dib->height, 2);
  EXPECT_EQ(dib->bitsPerPixel, c.bitsPerPixel);
  const int bytesPerPixel = c.bitsPerPixel / 8;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const std::uint8_t* p = dib->top + y * dib->pitch + x * bytesPerPixel;
      const Rgba expected = Pattern(x, y);
      EXPECT_EQ(p[0], expected.b) << x << "," << y;
      EXPECT_EQ(p[1], expected.g) << x << "," << y;
      EXPECT_EQ(p[2], expected.r) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, DibLayoutTest,
                         ::testing::Values(LayoutCase{"BottomUp24", 24, false},
                                           LayoutCase{"TopDown24", 24, true},
                                           LayoutCase{"BottomUp32", 32, false}),
                         [](const auto& info) { return info.param.name; });

struct MalformedCase {
  const char* name;
  std::function<void(std::vector<std::uint8_t>&)> spoil;
};

void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
}

class DibMalformedTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(DibMalformedTest, IsRefused) {
  std::vector<std::uint8_t> file = MakeBmp(5, 4, 24, false, Pattern);
  ASSERT_TRUE(ReadDib(file, 4096).has_value());
  GetParam().spoil(file);
  EXPECT_FALSE(ReadDib(file, 4096).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Headers, DibMalformedTest,
    ::testing::Values(MalformedCase{"Empty", [](auto& b) { b.clear(); }},
                      MalformedCase{"ShorterThanHeaders", [](auto& b) { b.resize(53); }},
                      MalformedCase{"NotBM", [](auto& b) { b[1] = 'A'; }},
                      MalformedCase{"CoreHeader", [](auto& b) { Set32(b, 14, 12); }},
                      MalformedCase{"InfoHeaderPastEnd", [](auto& b) { Set32(b, 14, 0x7FFFFFFF); }},
                      MalformedCase{"ZeroWidth", [](auto& b) { Set32(b, 18, 0); }},
                      MalformedCase{"NegativeWidth", [](auto& b) { Set32(b, 18, 0xFFFFFFFB); }},
                      MalformedCase{"ZeroHeight", [](auto& b) { Set32(b, 22, 0); }},
                      MalformedCase{"MostNegativeHeight",
                                    [](auto& b) { Set32(b, 22, 0x80000000); }},
                      MalformedCase{"WiderThanTheCap", [](auto& b) { Set32(b, 18, 4097); }},
                      MalformedCase{"HugeWidth", [](auto& b) { Set32(b, 18, 0x7FFFFFFF); }},
                      MalformedCase{"TwoPlanes", [](auto& b) { b[26] = 2; }},
                      MalformedCase{"EightBits", [](auto& b) { b[28] = 8; }},
                      MalformedCase{"SixteenBits", [](auto& b) { b[28] = 16; }},
                      MalformedCase{"RunLengthCompressed", [](auto& b) { Set32(b, 30, 1); }},
                      MalformedCase{"PixelsPastEnd", [](auto& b) { Set32(b, 10, 0xFFFFFFF0); }},
                      MalformedCase{"PixelsInsideHeader", [](auto& b) { Set32(b, 10, 20); }},
                      MalformedCase{"LastRowCut", [](auto& b) { b.pop_back(); }}),
    [](const auto& info) { return info.param.name; });

}  // namespace
