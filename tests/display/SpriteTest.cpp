// Sprites: loading PNG files of every kind and the banner bitmap, the messages of a failed
// load, and drawing read back from the canvas (placement, size, blending, empty sprites).
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "DisplayFixture.h"
#include "display/BannerResource.h"
#include "display/Texture.h"

namespace {

using displaytest::Rgba;
using displaytest::WritePng;

const std::vector<std::string> kLoadFailed = {"画像の読み込みに失敗しました。",
                                              "テクスチャの作成に失敗しました。"};

class SpriteTest : public displaytest::DisplayTest {
 protected:
  std::string Path(const std::string& name) { return (m_dir.path() / name).string(); }

  // Sets up the frame projection of a 640 x 480 canvas over a grey camera picture.
  void BeginFrame() {
    OpenFrames();
    FillColour([](int, int) { return Rgba{0, 0, 255}; });
    ASSERT_EQ(m_dialog.RenderFrame(), S_OK);
    ASSERT_TRUE(m_canvas.MakeCurrent());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glOrtho(0.0, 640.0, 480.0, 0.0, -1.0, 1.0);
  }
  displaytest::Frame EndFrame() {
    m_canvas.SwapBuffers();
    return Presented();
  }

  CTexture m_sprite;
};

std::string FileBytes(const std::string& path) {
  return testsupport::ReadFile(path);
}

struct FormatCase {
  const char* name;
  std::uint32_t format;
  int bytesPerPixel;
  Rgba pixel;     // written
  Rgba expected;  // texel read back (alpha only checked with 4 bytes)
};

class SpriteFormatTest : public SpriteTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(SpriteFormatTest, DecodesToRgbOrRgbaTexels) {
  const FormatCase& c = GetParam();
  const std::string path = Path("picture.png");
  WritePng(path, 3, 2, c.format, [&](int, int) { return c.pixel; });
  ASSERT_EQ(m_sprite.CreateFromFile(path, m_shell), S_OK);
  EXPECT_TRUE(m_shell.messages.empty());
  const TextureImage& image = *m_sprite.m_pImage;
  EXPECT_EQ(image.bytesPerPixel, c.bytesPerPixel);
  EXPECT_EQ(image.imageWidth, 3);
  EXPECT_EQ(image.imageHeight, 2);
  EXPECT_EQ(image.textureWidth, 4);
  EXPECT_EQ(image.textureHeight, 2);
  // Last pixel of the picture: row 1, column 2, in a 4-texel-wide buffer.
  const std::uint8_t* texel = image.pixels.get() + (1 * 4 + 2) * c.bytesPerPixel;
  const Rgba got{texel[0], texel[1], texel[2], c.bytesPerPixel == 4 ? texel[3] : std::uint8_t{255}};
  // A fully transparent pixel's colour is the encoder's choice.
  if (c.expected.a != 0) {
    EXPECT_TRUE(displaytest::Near(got, c.expected, 1)) << displaytest::Describe(got);
  }
  EXPECT_EQ(got.a, c.expected.a);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SpriteFormatTest,
    ::testing::Values(
        FormatCase{"Rgb", PNG_FORMAT_RGB, 3, {10, 20, 30, 255}, {10, 20, 30, 255}},
        FormatCase{"Rgba", PNG_FORMAT_RGBA, 4, {10, 20, 30, 40}, {10, 20, 30, 40}},
        FormatCase{"Palette", PNG_FORMAT_RGB_COLORMAP, 3, {255, 0, 255, 255}, {255, 0, 255, 255}},
        FormatCase{
            "PaletteWithTransparency", PNG_FORMAT_RGBA_COLORMAP, 4, {0, 255, 0, 0}, {0, 255, 0, 0}},
        FormatCase{"Grey", PNG_FORMAT_GRAY, 3, {100, 100, 100, 255}, {100, 100, 100, 255}}),
    [](const auto& info) { return info.param.name; });

TEST_F(SpriteTest, PaletteFixtureReallyIsAPalettePicture) {
  const std::string path = Path("palette.png");
  WritePng(path, 3, 2, PNG_FORMAT_RGB_COLORMAP, [](int, int) { return Rgba{255, 0, 255}; });
  EXPECT_EQ(FileBytes(path)[25], 3);  // IHDR colour type: palette
}

TEST_F(SpriteTest, ExtentsStopOnePixelShortOfTheSize) {
  const std::string path = Path("square.png");
  displaytest::WriteSolidPng(path, 100, 100, {1, 2, 3, 4});
  ASSERT_EQ(m_sprite.CreateFromFile(path, m_shell), S_OK);
  EXPECT_EQ(m_sprite.m_pImage->textureWidth, 128);
  EXPECT_EQ(m_sprite.m_pImage->uExtent, 99.0f / 128.0f);
  EXPECT_EQ(m_sprite.m_pImage->vExtent, 0.7734375f);
}

TEST_F(SpriteTest, SecondCreateKeepsTheFirstPicture) {
  displaytest::WriteSolidPng(Path("a.png"), 5, 5, {1, 2, 3, 4});
  displaytest::WriteSolidPng(Path("b.png"), 9, 9, {5, 6, 7, 8});
  ASSERT_EQ(m_sprite.CreateFromFile(Path("a.png"), m_shell), S_OK);
  EXPECT_EQ(m_sprite.CreateFromFile(Path("b.png"), m_shell), S_OK);
  EXPECT_EQ(m_sprite.m_pImage->imageWidth, 5);
  EXPECT_EQ(m_sprite.m_pImage->pixels[0], 1);
}

// The CRC of a chunk: type and data.
void FixChunkCrc(std::string& png, std::size_t chunkStart, std::size_t dataLength) {
  const auto* bytes = reinterpret_cast<const Bytef*>(png.data() + chunkStart + 4);
  const uLong crc = crc32(0, bytes, static_cast<uInt>(dataLength + 4));
  for (int i = 0; i < 4; ++i) {
    png[chunkStart + 8 + dataLength + i] = static_cast<char>(crc >> (24 - 8 * i));
  }
}

void SetBigEndian(std::string& png, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    png[at + i] = static_cast<char>(v >> (24 - 8 * i));
  }
}

struct BadFileCase {
  const char* name;
  // Turns a valid 64 x 64 noisy RGB picture into the bad file; empty content = no file.
  std::function<void(std::string& png, std::int32_t maxTextureSide)> spoil;
};

class SpriteBadFileTest : public SpriteTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(SpriteBadFileTest, ShowsBothMessagesAndStaysEmpty) {
  const std::string path = Path("bad.png");
  WritePng(path, 64, 64, PNG_FORMAT_RGB, [](int x, int y) {
    return Rgba{static_cast<std::uint8_t>(x * 37 + y * 11), static_cast<std::uint8_t>(x * y),
                static_cast<std::uint8_t>(x ^ y)};
  });
  std::string png = FileBytes(path);
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  GetParam().spoil(png, maxSide);
  std::filesystem::remove(path);
  if (!png.empty()) {
    testsupport::WriteFile(path, png);
  }
  EXPECT_EQ(m_sprite.CreateFromFile(path, m_shell), E_FAIL);
  EXPECT_EQ(m_shell.messages, kLoadFailed);
  EXPECT_EQ(m_sprite.m_pImage, nullptr);
  // An empty sprite is refused by Draw as one never created.
  EXPECT_EQ(m_sprite.Draw(0, 0, 1.0f), E_FAIL);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SpriteBadFileTest,
    ::testing::Values(BadFileCase{"Missing", [](std::string& png, std::int32_t) { png.clear(); }},
                      BadFileCase{
                          "NotAPicture",
                          [](std::string& png, std::int32_t) { png = "this is not a PNG file"; }},
                      BadFileCase{"Truncated", [](std::string& png,
                                                  std::int32_t) { png.resize(png.size() / 2); }},
                      BadFileCase{"CorruptData",
                                  [](std::string& png, std::int32_t) {
                                    // Bytes inside the compressed data, whose chunk CRC then fails.
                                    for (std::size_t i = 100; i < 140; ++i)
                                      png[i] = static_cast<char>(~png[i]);
                                  }},
                      BadFileCase{"HugeHeaderSize",
                                  [](std::string& png, std::int32_t) {
                                    SetBigEndian(png, 16, 1000000);
                                    SetBigEndian(png, 20, 1000000);
                                    FixChunkCrc(png, 8, 13);
                                  }},
                      BadFileCase{"OneBeyondTheTextureLimit",
                                  [](std::string& png, std::int32_t maxSide) {
                                    SetBigEndian(png, 16, static_cast<std::uint32_t>(maxSide) + 1);
                                    FixChunkCrc(png, 8, 13);
                                  }}),
    [](const auto& info) { return info.param.name; });

TEST_F(SpriteTest, SixteenBitPictureIsRefused) {
  const std::string path = Path("deep.png");
  WritePng(path, 4, 4, PNG_FORMAT_LINEAR_RGB_ALPHA, [](int, int) { return Rgba{128, 64, 32}; });
  ASSERT_EQ(FileBytes(path)[24], 16);  // IHDR bit depth
  EXPECT_EQ(m_sprite.CreateFromFile(path, m_shell), E_FAIL);
  EXPECT_EQ(m_shell.messages, kLoadFailed);
}

TEST_F(SpriteTest, BannerBitmapGivesFullSizeExtentsAndRgbTexels) {
  const auto bmp = displaytest::MakeBmp(640, 89, 24, false, [](int x, int y) {
    return Rgba{static_cast<std::uint8_t>(x < 320 ? 200 : 10), static_cast<std::uint8_t>(y), 33};
  });
  ASSERT_EQ(m_sprite.CreateFromBitmap(bmp, m_shell), S_OK);
  const TextureImage& image = *m_sprite.m_pImage;
  EXPECT_EQ(image.textureWidth, 1024);
  EXPECT_EQ(image.textureHeight, 128);
  EXPECT_EQ(image.bytesPerPixel, 3);
  EXPECT_EQ(image.uExtent, 0.625f);
  EXPECT_EQ(image.vExtent, 0.6953125f);
  // Row 0 of the buffer is the picture's top row; red, green, blue order.
  const std::uint8_t* top = image.pixels.get();
  EXPECT_EQ(top[0], 200);
  EXPECT_EQ(top[1], 0);
  EXPECT_EQ(top[2], 33);
  const std::uint8_t* lastRight = image.pixels.get() + (88 * 1024 + 639) * 3;
  EXPECT_EQ(lastRight[0], 10);
  EXPECT_EQ(lastRight[1], 88);
}

TEST_F(SpriteTest, MalformedBitmapShowsTheCreateMessage) {
  auto bmp = displaytest::MakeBmp(8, 8, 24, false, [](int, int) { return Rgba{}; });
  bmp.resize(bmp.size() - 1);
  EXPECT_EQ(m_sprite.CreateFromBitmap(bmp, m_shell), E_FAIL);
  EXPECT_EQ(m_shell.messages, std::vector<std::string>{"テクスチャの作成に失敗しました。"});
  EXPECT_EQ(m_sprite.Draw(0, 0, 1.0f), E_FAIL);
}

TEST_F(SpriteTest, CompiledInBannerIs640x89At24Bits) {
  if (BannerResource().empty()) {
    GTEST_SKIP() << "res/banner.bmp is not in the tree yet";
  }
  ASSERT_EQ(m_sprite.CreateFromResource(m_shell), S_OK);
  EXPECT_EQ(m_sprite.m_pImage->imageWidth, 640);
  EXPECT_EQ(m_sprite.m_pImage->imageHeight, 89);
  EXPECT_EQ(m_sprite.m_pImage->bytesPerPixel, 3);
}

TEST_F(SpriteTest, StraightAlphaBlendsOverTheCameraPicture) {
  displaytest::WriteSolidPng(Path("half.png"), 40, 40, {255, 0, 0, 128});
  displaytest::WriteSolidPng(Path("opaque.png"), 40, 40, {0, 255, 0, 255});
  CTexture faded;
  ASSERT_EQ(m_sprite.CreateFromFile(Path("half.png"), m_shell), S_OK);
  ASSERT_EQ(faded.CreateFromFile(Path("opaque.png"), m_shell), S_OK);
  faded.m_alpha = 0.5f;
  BeginFrame();
  m_sprite.Place(100.0f, 100.0f, 1.0f);
  faded.Place(300.0f, 100.0f, 1.0f);
  EXPECT_EQ(m_sprite.Draw(0, 0, 1.0f), S_OK);
  EXPECT_EQ(faded.Draw(0, 0, 1.0f), S_OK);
  const displaytest::Frame frame = EndFrame();
  // 128/255 of the sprite's own colour, the rest of the blue below: not premultiplied twice.
  EXPECT_TRUE(displaytest::Near(frame.At(100, 100), {128, 0, 127}, 2))
      << displaytest::Describe(frame.At(100, 100));
  EXPECT_TRUE(displaytest::Near(frame.At(300, 100), {0, 128, 127}, 2))
      << displaytest::Describe(frame.At(300, 100));
}

TEST_F(SpriteTest, PicturesStandUprightAndUnmirrored) {
  const Rgba topLeft{255, 0, 0}, topRight{0, 255, 0}, bottomLeft{255, 255, 0},
      bottomRight{255, 255, 255};
  WritePng(Path("quad.png"), 40, 40, PNG_FORMAT_RGB, [&](int x, int y) {
    return y < 20 ? (x < 20 ? topLeft : topRight) : (x < 20 ? bottomLeft : bottomRight);
  });
  ASSERT_EQ(m_sprite.CreateFromFile(Path("quad.png"), m_shell), S_OK);
  BeginFrame();
  m_sprite.Place(200.0f, 200.0f, 2.0f);
  m_sprite.Draw(0, 0, 1.0f);
  const displaytest::Frame frame = EndFrame();
  EXPECT_EQ(frame.At(170, 170), topLeft);
  EXPECT_EQ(frame.At(230, 170), topRight);
  EXPECT_EQ(frame.At(170, 230), bottomLeft);
  EXPECT_EQ(frame.At(230, 230), bottomRight);
  // 24-bit pictures are opaque: the blue camera picture is fully covered.
  EXPECT_EQ(frame.At(170, 170).b, 0);
}

struct TransformCase {
  const char* name;
  float scale;  // Draw's scale
  SpriteTransform base;
  SpriteTransform draw;
  float left;  // expected horizontal extent of the quad in window pixels
  float right;
};

class SpriteTransformTest : public SpriteTest,
                            public ::testing::WithParamInterface<TransformCase> {};

TEST_P(SpriteTransformTest, CoversExactlyTheExpectedColumns) {
  const TransformCase& c = GetParam();
  displaytest::WriteSolidPng(Path("bar.png"), 101, 21, {255, 255, 0, 255});
  ASSERT_EQ(m_sprite.CreateFromFile(Path("bar.png"), m_shell), S_OK);
  BeginFrame();
  m_sprite.m_base = c.base;
  m_sprite.m_draw = c.draw;
  ASSERT_EQ(m_sprite.Draw(0, 0, c.scale), S_OK);
  const displaytest::Frame frame = EndFrame();
  // Columns whose centres lie inside [left, right), on the row through the sprite's centre.
  const int row = static_cast<int>(c.draw.y * c.scale);
  int first = -1, last = -1;
  for (int x = 0; x < frame.width; ++x) {
    // Yellow over the blue camera picture; the clamped border may tint the first column.
    const Rgba pixel = frame.At(x, row);
    if (pixel.r > 128 && pixel.g > 128 && pixel.b < 128) {
      first = first < 0 ? x : first;
      last = x;
    }
  }
  int expectedFirst = -1, expectedLast = -1;
  for (int x = 0; x < frame.width; ++x) {
    if (x + 0.5f >= c.left && x + 0.5f < c.right) {
      expectedFirst = expectedFirst < 0 ? x : expectedFirst;
      expectedLast = x;
    }
  }
  EXPECT_EQ(first, expectedFirst);
  EXPECT_EQ(last, expectedLast);
}

SpriteTransform At(float x, float y, float scaleX = 1.0f, float pivotX = 0.0f,
                   float rotation = 0.0f) {
  SpriteTransform t;
  t.x = x;
  t.y = y;
  t.scaleX = scaleX;
  t.pivotX = pivotX;
  t.rotation = rotation;
  return t;
}

INSTANTIATE_TEST_SUITE_P(
    Transforms, SpriteTransformTest,
    ::testing::Values(
        // trunc(101 x 0.75) = 75 pixels wide, centred on 134 x 0.75 = 100.5.
        TransformCase{"ScaleTruncatesTheSize", 0.75f, At(0, 0), At(134.0f, 200.0f), 63.0f, 138.0f},
        TransformCase{"NativeSize", 1.0f, At(0, 0), At(300.25f, 200.0f), 249.75f, 350.75f},
        // Pivot on the right edge, shrunk to half by m_draw only: the right edge stays put.
        TransformCase{"PivotRightKeepsTheRightEdge", 1.0f, At(0, 0, 1.0f),
                      At(200.25f, 200.0f, 0.5f, 1.0f), 200.25f, 250.75f},
        TransformCase{"PivotLeftKeepsTheLeftEdge", 1.0f, At(0, 0, 1.0f),
                      At(200.25f, 200.0f, 0.5f, -1.0f), 149.75f, 200.25f},
        // Equal base and draw scales cancel the pivot: the quad stays centred.
        TransformCase{"EqualScalesCancelThePivot", 1.0f, At(0, 0, 0.5f),
                      At(200.0f, 200.0f, 0.5f, 1.0f), 174.75f, 225.25f},
        // A quarter turn stands the 101 x 21 bar on end: 21 columns wide.
        TransformCase{"QuarterTurn", 1.0f, At(0, 0), At(300.25f, 200.0f, 1.0f, 0.0f, 90.0f),
                      289.75f, 310.75f}),
    [](const auto& info) { return info.param.name; });

// Drawing with texturing on and blending off beforehand: an empty sprite is refused and
// touches nothing; a created one draws and leaves both off. The matrix stack stays balanced
// either way.
struct DrawStateCase {
  const char* name;
  bool created;
  HRESULT result;
  bool texturingAfter;
};

class SpriteDrawStateTest : public SpriteTest,
                            public ::testing::WithParamInterface<DrawStateCase> {};

TEST_P(SpriteDrawStateTest, LeavesTheStackBalancedAndBlendingOff) {
  const DrawStateCase& c = GetParam();
  if (c.created) {
    displaytest::WriteSolidPng(Path("dot.png"), 3, 3, {1, 2, 3, 255});
    ASSERT_EQ(m_sprite.CreateFromFile(Path("dot.png"), m_shell), S_OK);
  }
  ASSERT_TRUE(m_canvas.MakeCurrent());
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  GLint depthBefore = 0, depthAfter = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
  EXPECT_EQ(m_sprite.Draw(10, 10, 1.0f), c.result);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
  EXPECT_EQ(depthAfter, depthBefore);
  EXPECT_EQ(glIsEnabled(GL_TEXTURE_2D) == GL_TRUE, c.texturingAfter);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

INSTANTIATE_TEST_SUITE_P(
    Sprites, SpriteDrawStateTest,
    ::testing::Values(DrawStateCase{"EmptyIsRefusedAndTouchesNothing", false, E_FAIL, true},
                      DrawStateCase{"CreatedTurnsTexturingOff", true, S_OK, false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
