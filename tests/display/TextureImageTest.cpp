// Texture records: power-of-two rounding, the camera record's sizes and extents, and the
// allocation step's order (name first, then the sizes).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "DisplayFixture.h"
#include "display/TextureImage.h"

namespace {

struct RoundCase {
  std::uint32_t size;
  std::uint32_t rounded;
};

class RoundTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundTest, GivesTheSmallestPowerOfTwoOfAtLeastTwo) {
  EXPECT_EQ(RoundUpToPowerOfTwo(GetParam().size), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RoundTest,
                         ::testing::Values(RoundCase{0, 2}, RoundCase{1, 2}, RoundCase{2, 2},
                                           RoundCase{3, 4}, RoundCase{89, 128}, RoundCase{480, 512},
                                           RoundCase{512, 512}, RoundCase{640, 1024},
                                           RoundCase{1u << 30, 1u << 30},
                                           // No power of two to hold it: refused, not a hang.
                                           RoundCase{(1u << 30) + 1, 0},
                                           RoundCase{0xFFFFFFFFu, 0}));

using TextureImageTest = displaytest::DisplayTest;

TEST_F(TextureImageTest, CameraRecordFor640x480Is1024x512WithItsExtents) {
  TextureImage image;
  EXPECT_EQ(image.Create(640, 480, 4), S_OK);
  EXPECT_EQ(image.textureWidth, 1024);
  EXPECT_EQ(image.textureHeight, 512);
  EXPECT_EQ(image.uExtent, 0.625f);
  EXPECT_EQ(image.vExtent, 0.9375f);
  EXPECT_EQ(image.bytesPerPixel, 4);
  EXPECT_NE(image.textureName, 0u);
  EXPECT_TRUE(glIsTexture(image.textureName));
  // The buffer is there and its last byte (2,097,151) is addressable.
  ASSERT_NE(image.pixels, nullptr);
  image.pixels[1024 * 512 * 4 - 1] = 7;
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
}

TEST_F(TextureImageTest, AllocationGeneratesTheNameBeforeRefusingASize) {
  std::unique_ptr<std::uint8_t[]> pixels;
  std::int32_t width = 3;
  std::int32_t height = 89;
  const std::uint32_t first = AllocateTextureImage(pixels, width, height, 3);
  EXPECT_EQ(width, 4);
  EXPECT_EQ(height, 128);
  std::int32_t hugeWidth = (1 << 30) + 1;
  std::int32_t oneHigh = 1;
  std::unique_ptr<std::uint8_t[]> none;
  EXPECT_THROW(AllocateTextureImage(none, hugeWidth, oneHigh, 4), std::length_error);
  EXPECT_EQ(none, nullptr);
  // The refused call still took the next name.
  std::int32_t w = 2, h = 2;
  EXPECT_EQ(AllocateTextureImage(pixels, w, h, 4), first + 2);
}

}  // namespace
