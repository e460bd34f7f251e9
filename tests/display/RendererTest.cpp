// The frame renderer and the canvas: placement of the camera picture, its colours and
// orientation, the banner's corner, the clear colour, the first-frame texture, the failure
// path, frames without a sensor, and opening and closing the canvas.
#include <gtest/gtest.h>

#include "DisplayFixture.h"
#include "display/ImagePlacement.h"

namespace {

using displaytest::Frame;
using displaytest::Rgba;

struct PlacementCase {
  const char* name;
  int canvasWidth, canvasHeight;
  float scale;
  int originX, originY, drawnWidth, drawnHeight;
};

const PlacementCase kPlacements[] = {
    {"Wide1280x720", 1280, 720, 2.0f, 0, -120, 1280, 960},
    {"Tall800x780", 800, 780, 1.625f, -120, 0, 1040, 780},
    {"OddOverflow801x780", 801, 780, 1.625f, -119, 0, 1040, 780},
    {"Native640x480", 640, 480, 1.0f, 0, 0, 640, 480},
    {"Empty0x0", 0, 0, 0.0f, 0, 0, 0, 0},
};

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, CoversTheCanvasCentred) {
  const PlacementCase& c = GetParam();
  const std::optional<ImagePlacement> p = PlaceCameraImage(c.canvasWidth, c.canvasHeight, 640, 480);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->scale, c.scale);
  EXPECT_EQ(p->originX, c.originX);
  EXPECT_EQ(p->originY, c.originY);
  EXPECT_EQ(p->drawnWidth, c.drawnWidth);
  EXPECT_EQ(p->drawnHeight, c.drawnHeight);
}

INSTANTIATE_TEST_SUITE_P(Canvases, PlacementTest, ::testing::ValuesIn(kPlacements),
                         [](const auto& info) { return info.param.name; });

TEST(PlacementLimitsTest, NoPictureSizeOrNoIntegerSizeGivesNoPlacement) {
  EXPECT_FALSE(PlaceCameraImage(1280, 720, 0, 480).has_value());
  EXPECT_FALSE(PlaceCameraImage(1280, 720, 640, 0).has_value());
  // A picture 2^31 times wider than high on a tall canvas: its drawn width has no integer.
  EXPECT_FALSE(PlaceCameraImage(1, 2000000000, 0x80000000u, 1).has_value());
}

// The camera picture encodes each pixel's position: red = column / 3, green = row / 2.
Rgba PositionColour(int x, int y) {
  return {static_cast<std::uint8_t>(x / 3), static_cast<std::uint8_t>(y / 2), 90};
}

class RendererTest : public displaytest::DisplayTest {};

class RenderedPlacementTest : public RendererTest,
                              public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(RenderedPlacementTest, EveryWindowPixelShowsTheCameraPixelBeneathIt) {
  const PlacementCase& c = GetParam();
  OpenFrames();
  FillColour(PositionColour);
  Resize(c.canvasWidth, c.canvasHeight);
  const Frame frame = Render();
  ASSERT_EQ(frame.pixels.size(), std::size_t(c.canvasWidth) * c.canvasHeight * 4);
  // Sample a grid away from the banner in the lower right, and off the first window row and
  // column, where the enlarged picture's edge texel is filtered with the texture's far side.
  for (int wy = 2; wy < c.canvasHeight - 120; wy += 37) {
    for (int wx = 2; wx < c.canvasWidth; wx += 41) {
      const float cx = (wx + 0.5f - c.originX) / c.scale;
      const float cy = (wy + 0.5f - c.originY) / c.scale;
      const Rgba expected = PositionColour(static_cast<int>(cx), static_cast<int>(cy));
      // Linear filtering may mix in the neighbouring camera pixel.
      ASSERT_TRUE(displaytest::Near(frame.At(wx, wy), expected, 1))
          << "window (" << wx << ", " << wy << ") " << displaytest::Describe(frame.At(wx, wy))
          << " expected " << displaytest::Describe(expected);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Canvases, RenderedPlacementTest,
                         ::testing::ValuesIn(kPlacements, kPlacements + 4),
                         [](const auto& info) { return info.param.name; });

TEST_F(RendererTest, CameraBytesBecomeOpaqueRedGreenBlue) {
  OpenFrames();
  FillColour([](int, int) { return Rgba{30, 20, 10, 40}; });  // stored as 10, 20, 30, 40
  EXPECT_EQ(m_dialog.m_colorPixels[0], 10);
  const Frame frame = Render();
  EXPECT_EQ(frame.At(320, 240), (Rgba{30, 20, 10, 255}));
  EXPECT_EQ(frame.At(0, 0), (Rgba{30, 20, 10, 255}));
  const std::uint8_t* texel = m_dialog.m_pCameraTexture->pixels.get();
  EXPECT_EQ((Rgba{texel[0], texel[1], texel[2], texel[3]}), (Rgba{30, 20, 10, 255}));
}

TEST_F(RendererTest, EveryPixelOfAnOddWidthFrameIsConverted) {
  OpenFrames(7, 3);
  FillColour([](int x, int y) {
    return Rgba{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 99, 0};
  });
  Render();
  const TextureImage& texture = *m_dialog.m_pCameraTexture;
  ASSERT_EQ(texture.textureWidth, 8);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      const std::uint8_t* t = texture.pixels.get() + (y * 8 + x) * 4;
      EXPECT_EQ((Rgba{t[0], t[1], t[2], t[3]}),
                (Rgba{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 99, 255}))
          << x << "," << y;
    }
  }
  // The column beyond the picture stays as allocated.
  EXPECT_EQ(texture.pixels[7 * 4 + 3], 0);
}

TEST_F(RendererTest, CameraPictureIsUprightAndUnmirrored) {
  OpenFrames();
  FillColour([](int x, int y) {
    return y < 240 ? (x < 320 ? Rgba{255, 0, 0} : Rgba{0, 255, 0})
                   : (x < 320 ? Rgba{0, 0, 255} : Rgba{255, 255, 255});
  });
  const Frame frame = Render();
  EXPECT_EQ(frame.At(5, 5), (Rgba{255, 0, 0}));
  EXPECT_EQ(frame.At(634, 5), (Rgba{0, 255, 0}));
  EXPECT_EQ(frame.At(5, 474), (Rgba{0, 0, 255}));
  EXPECT_EQ(frame.At(300, 474), (Rgba{0, 0, 255}));
}

TEST_F(RendererTest, BannerSitsCentredOn950x666At1280x720) {
  OpenFrames();
  FillColour([](int, int) { return Rgba{60, 60, 60}; });
  const Rgba tl{255, 0, 0}, tr{0, 255, 0}, bl{0, 0, 255}, br{255, 255, 0};
  const auto bmp = displaytest::MakeBmp(640, 89, 24, false, [&](int x, int y) {
    return y < 44 ? (x < 320 ? tl : tr) : (x < 320 ? bl : br);
  });
  ASSERT_EQ(m_dialog.m_bannerSprite.CreateFromBitmap(bmp, m_shell), S_OK);
  Resize(1280, 720);
  const Frame frame = Render();
  // The quad spans x 630 to 1270 and y 621.5 to 710.5.
  EXPECT_EQ(frame.At(640, 630), tl);
  EXPECT_EQ(frame.At(1260, 630), tr);
  EXPECT_EQ(frame.At(640, 700), bl);
  EXPECT_EQ(frame.At(1260, 700), br);
  EXPECT_EQ(frame.At(629, 640), (Rgba{60, 60, 60}));
  EXPECT_EQ(frame.At(1270, 640), (Rgba{60, 60, 60}));
  EXPECT_EQ(frame.At(950, 620), (Rgba{60, 60, 60}));
  EXPECT_EQ(frame.At(950, 711), (Rgba{60, 60, 60}));
  EXPECT_NE(frame.At(950, 622), (Rgba{60, 60, 60}));
  EXPECT_NE(frame.At(950, 709), (Rgba{60, 60, 60}));
  // Half its native size times the image scale 2: 640 x 89 window pixels.
  EXPECT_EQ(m_dialog.m_bannerSprite.m_draw.scaleX, 0.5f);
}

TEST_F(RendererTest, ClearColourTakesEffectFromTheSecondFrame) {
  // No sensor: the frame is only cleared.
  const Frame first = Render();
  EXPECT_TRUE(displaytest::Near(first.At(320, 240), {0, 0, 0}, 0));
  const Frame second = Render();
  EXPECT_EQ(second.At(320, 240), (Rgba{76, 176, 227, 255}));
  EXPECT_EQ(m_dialog.m_pCameraTexture, nullptr);
  EXPECT_TRUE(m_shell.messages.empty());
  // Each presented frame ends with the 1 ms pause.
  EXPECT_EQ(m_clock.sleeps, (std::vector<std::uint32_t>{1, 1}));
}

TEST_F(RendererTest, CameraTextureIsMadeOnceForFourBytesEvenBeforeTheFirstColourFrame) {
  OpenFrames();
  m_dialog.m_colorPitch = 0;  // no colour frame taken yet
  const Frame first = Render();
  ASSERT_NE(m_dialog.m_pCameraTexture, nullptr);
  const TextureImage* record = m_dialog.m_pCameraTexture.get();
  EXPECT_EQ(record->bytesPerPixel, 4);
  EXPECT_EQ(record->textureWidth, 1024);
  EXPECT_EQ(record->textureHeight, 512);
  // The first colour frame arrives; the same record shows it.
  m_dialog.m_colorPitch = 2560;
  FillColour([](int, int) { return Rgba{1, 2, 3}; });
  const Frame second = Render();
  EXPECT_EQ(m_dialog.m_pCameraTexture.get(), record);
  EXPECT_EQ(second.At(320, 240), (Rgba{1, 2, 3, 255}));
}

TEST_F(RendererTest, ColourFrameShorterThanItsRowsIsNotCopied) {
  OpenFrames();
  FillColour([](int, int) { return Rgba{9, 9, 9}; });
  Render();
  m_dialog.m_colorPixels.resize(100);  // a buffer that does not hold 480 rows
  const Frame frame = Render();
  EXPECT_EQ(frame.At(320, 240), (Rgba{9, 9, 9, 255}));
}

TEST_F(RendererTest, TextureFailureShowsTheMessageClosesAndPresentsNothing) {
  // A picture too wide for any texture: creating its record fails.
  m_dialog.m_colorWidth = 0x40000001u;
  m_dialog.m_colorHeight = 0x40000000u;
  EXPECT_EQ(m_dialog.RenderFrame(), E_FAIL);
  EXPECT_EQ(m_shell.messages, std::vector<std::string>{"画像テクスチャの作成に失敗しました。"});
  EXPECT_EQ(m_shell.calls.back(), "CloseMainWindow");
  // The context stays current, no pause, and the record that was stored is kept.
  EXPECT_TRUE(m_canvas.IsCurrent());
  EXPECT_TRUE(m_clock.sleeps.empty());
  ASSERT_NE(m_dialog.m_pCameraTexture, nullptr);
  EXPECT_EQ(m_dialog.m_pCameraTexture->pixels, nullptr);
}

TEST_F(RendererTest, ResizeTakesEffectAtTheNextFrame) {
  OpenFrames();
  FillColour([](int, int) { return Rgba{5, 6, 7}; });
  Resize(320, 200);
  const Frame small = Render();
  EXPECT_EQ(small.width, 320);
  EXPECT_EQ(small.At(319, 2), (Rgba{5, 6, 7, 255}));
  Resize(0, 0);  // minimised
  EXPECT_EQ(m_dialog.RenderFrame(), S_OK);
  Resize(800, 600);
  // The outermost column and row are left out: enlarged, they are filtered with the texels
  // beyond the picture.
  EXPECT_EQ(Render().At(797, 2), (Rgba{5, 6, 7, 255}));
}

TEST_F(RendererTest, WithoutAContextAFrameDrawsNothing) {
  m_dialog.ReleaseOpenGL();
  OpenFrames();
  EXPECT_EQ(m_dialog.RenderFrame(), S_OK);
  EXPECT_EQ(m_dialog.m_pCameraTexture, nullptr);
  EXPECT_FALSE(m_canvas.IsCurrent());
}

// A dialog on a canvas of its own instead of the display fixture's.
template <typename Canvas>
class DialogOnCanvasTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessShell m_shell{{}};
  Canvas m_canvas;
  testsupport::ManualClock m_clock;
  runtime::NoSensorRuntime m_runtime;
  CMeziroDlg m_dialog{m_shell, m_canvas, m_clock, m_runtime};
};

class SmallCanvas : public platform::headless::EglCanvas {
 public:
  SmallCanvas() : EglCanvas({64, 48}) {}
};

// A canvas on which no pixel format can be set.
class NoFormatCanvas : public platform::headless::EglCanvas {
 public:
  NoFormatCanvas() : EglCanvas({640, 480}) {}
  bool SetupPixelFormat() override { return false; }
};

using CanvasTest = DialogOnCanvasTest<SmallCanvas>;
using NoFormatCanvasTest = DialogOnCanvasTest<NoFormatCanvas>;

TEST_F(NoFormatCanvasTest, GivesEFailAndNoContextAndReleasesCleanly) {
  EXPECT_EQ(m_dialog.InitOpenGL(), E_FAIL);
  EXPECT_FALSE(m_dialog.m_hGLRC);
  EXPECT_EQ(m_dialog.m_pDC, &m_canvas);
  EXPECT_FALSE(m_canvas.IsCurrent());
  m_dialog.ReleaseOpenGL();
  EXPECT_EQ(m_dialog.m_pDC, nullptr);
  m_dialog.ReleaseOpenGL();
}

TEST_F(CanvasTest, ReleaseOfANeverOpenedCanvasDoesNothing) {
  m_dialog.ReleaseOpenGL();
  EXPECT_EQ(m_dialog.m_pDC, nullptr);
  EXPECT_FALSE(m_dialog.m_hGLRC);
}

TEST_F(CanvasTest, OpenCanvasIsCurrentWithTheDeepestDepthBufferOffered) {
  ASSERT_EQ(m_dialog.InitOpenGL(), S_OK);
  EXPECT_TRUE(m_canvas.IsCurrent());
  EXPECT_GE(m_canvas.DepthBits(), 24);
  m_dialog.ReleaseOpenGL();
  EXPECT_FALSE(m_canvas.IsCurrent());
}

TEST_F(CanvasTest, SizeBeforeTheCanvasIsAttachedLeavesItAlone) {
  m_canvas.attached = false;
  m_dialog.OnSize(0, 1280, 720);
  EXPECT_EQ(m_canvas.GetClientSize().width, 64);
  m_canvas.attached = true;
  m_dialog.OnSize(0, 1280, 720);
  EXPECT_EQ(m_canvas.GetClientSize().width, 1280);
}

}  // namespace
