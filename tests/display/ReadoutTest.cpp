// The height readout: the height from depth and row, the digit rules, which sprite lands in
// which cell for each user, and the users skipped for unusable input. Each digit and unit
// sprite is a solid colour of its own, so the drawn row tells which sprites were drawn where.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "DisplayFixture.h"
#include "display/BannerResource.h"
#include "display/HeightReadout.h"

namespace {

using displaytest::Frame;
using displaytest::Rgba;

struct HeightCase {
  const char* name;
  std::int32_t row;
  std::uint32_t depthMm;
  float sensorHeightCm;
  std::optional<std::int32_t> height;
};

class HeightFromDepthTest : public ::testing::TestWithParam<HeightCase> {};

TEST_P(HeightFromDepthTest, TruncatesTheSinglePrecisionResult) {
  const HeightCase& c = GetParam();
  EXPECT_EQ(HeightFromDepth(c.row, c.depthMm, c.sensorHeightCm), c.height);
}

constexpr float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Examples, HeightFromDepthTest,
    ::testing::Values(HeightCase{"NoDepth", 320, 0, 75.5f, 85},
                      HeightCase{"Row100At2m", 100, 2000, 75.5f, 134},
                      HeightCase{"Row0At2500mm", 0, 2500, 75.5f, 190},
                      HeightCase{"Row479At800mm", 479, 800, 75.5f, 52},
                      HeightCase{"NegativeTruncatesTowardZero", 240, 0, -14.5f, -4},
                      HeightCase{"HugeInstallationHeight", 100, 2000, 1e30f, std::nullopt},
                      HeightCase{"HugeNegative", 100, 2000, -1e30f, std::nullopt},
                      HeightCase{"Infinite", 100, 2000, kInf, std::nullopt},
                      HeightCase{"NotANumber", 100, 2000, std::nanf(""), std::nullopt}),
    [](const auto& info) { return info.param.name; });

Rgba DigitColour(int set, int digit) {
  return {static_cast<std::uint8_t>(20 + 20 * digit), static_cast<std::uint8_t>(set == 0 ? 0 : 255),
          200};
}
const Rgba kUnitColour[2] = {{255, 128, 0}, {0, 128, 255}};
const Rgba kCamera{40, 40, 40};

// One drawn sprite: which one, and its centre relative to the anchor.
struct Drawn {
  std::string sprite;  // "d<set><digit>" or "u<set>"
  float offset;
  bool operator==(const Drawn& o) const {
    return sprite == o.sprite && std::abs(offset - o.offset) <= 1.0f;
  }
};

void PrintTo(const Drawn& d, std::ostream* os) {
  *os << d.sprite << "@" << d.offset;
}

class ReadoutTest : public displaytest::DisplayTest {
 protected:
  void SetUp() override {
    DisplayTest::SetUp();
    std::filesystem::create_directories(m_dir.path() / "image");
    for (int set = 0; set < 2; ++set) {
      for (int digit = 0; digit < 10; ++digit) {
        displaytest::WriteSolidPng((m_dir.path() / "image" /
                                    ("num" + std::to_string(set) + std::to_string(digit) + ".png"))
                                       .string(),
                                   40, 60, DigitColour(set, digit));
      }
      displaytest::WriteSolidPng(
          (m_dir.path() / "image" / ("cm" + std::to_string(set + 1) + ".png")).string(), 40, 60,
          kUnitColour[set]);
    }
    m_dialog.LoadSprites();
    OpenFrames();
    FillColour([](int, int) { return kCamera; });
    m_dialog.m_sensorHeightCm = 75.5f;
  }

  // Puts user u's face point at (px, py), mapped to depth pixel (dx, dy) holding depthMm.
  void Track(int u, float px, float py, std::int32_t dx, std::int32_t dy, std::uint32_t depthMm) {
    m_points[u].assign(87, runtime::FT_VECTOR2D{});
    m_points[u][15] = {px, py};
    TrackedUser& user = m_dialog.m_users[u];
    user.skeletonSlot = u + 1;
    user.faceTracked = true;
    user.shapePoints = m_points[u].data();
    user.shapePointCount = static_cast<std::uint32_t>(m_points[u].size());
    const auto colourIndex = static_cast<std::size_t>(py) * 640 + static_cast<std::size_t>(px);
    m_dialog.m_pDepthPoints[colourIndex] = {dx, dy, static_cast<std::int32_t>(depthMm), 0};
    if (dx >= 0 && dy >= 0 && dx < 640 && dy < 480) {
      m_dialog.m_depthPixels[static_cast<std::size_t>(dy) * 640 + dx] =
          static_cast<std::uint16_t>(depthMm << 3 | 2);  // player index 2 below the depth
    }
  }

  // The sprites found along the label row of a face point at (px, py), left to right.
  std::vector<Drawn> DrawnAt(const Frame& frame, float px, float py) {
    const float labelX = px - 50.0f;
    const int row = static_cast<int>(py - 80.0f);
    std::vector<Drawn> found;
    int x = 0;
    while (x < frame.width) {
      const Rgba c = frame.At(x, row);
      if (c == kCamera) {
        ++x;
        continue;
      }
      int end = x;
      while (end < frame.width && frame.At(end, row) == c) {
        ++end;
      }
      // A lone column of mixed colour is a sprite's soft edge (the clamped border is
      // filtered in); anything wider must be a sprite.
      if (end - x > 1 || Name(c)[0] != '?') {
        found.push_back({Name(c), (x + end) / 2.0f - labelX});
      }
      x = end;
    }
    return found;
  }

  static std::string Name(Rgba c) {
    for (int set = 0; set < 2; ++set) {
      for (int digit = 0; digit < 10; ++digit) {
        if (c == DigitColour(set, digit)) {
          return "d" + std::to_string(set) + std::to_string(digit);
        }
      }
      if (c == kUnitColour[set]) {
        return "u" + std::to_string(set);
      }
    }
    return "?" + displaytest::Describe(c);
  }

  std::vector<runtime::FT_VECTOR2D> m_points[2];
};

// The banner is compiled in only once res/banner.bmp is in the tree; until then its load
// fails with the create message.
std::vector<std::string> StartUpMessages() {
  if (BannerResource().empty()) {
    return {"テクスチャの作成に失敗しました。"};
  }
  return {};
}

TEST_F(ReadoutTest, SpritesLoadInTheStartUpOrderWithoutMessages) {
  EXPECT_EQ(m_shell.messages, StartUpMessages());
  EXPECT_EQ(m_dialog.m_digitSprites[12].m_pImage->pixels[1], 255);  // num12: set 1's green
  EXPECT_EQ(m_dialog.m_digitSprites[7].m_pImage->pixels[0], DigitColour(0, 7).r);
  EXPECT_EQ(m_dialog.m_unitSprites[1].m_pImage->pixels[2], kUnitColour[1].b);
}

struct ExampleCase {
  const char* name;
  std::int32_t dy;
  std::uint32_t depthMm;
  float sensorHeightCm;
  std::vector<Drawn> drawn;
};

class ReadoutExampleTest : public ReadoutTest, public ::testing::WithParamInterface<ExampleCase> {};

TEST_P(ReadoutExampleTest, DrawsTheDigitsInCellsFiftyPixelsApart) {
  const ExampleCase& c = GetParam();
  m_dialog.m_sensorHeightCm = c.sensorHeightCm;
  Track(0, 200.5f, 300.5f, 330, c.dy, c.depthMm);
  const Frame frame = Render();
  EXPECT_EQ(DrawnAt(frame, 200.5f, 300.5f), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Heights, ReadoutExampleTest,
    ::testing::Values(
        ExampleCase{"H85", 240, 0, 75.5f, {{"d08", -0.1f}, {"d05", 49.9f}, {"u0", 104.9f}}},
        ExampleCase{"H134",
                    100,
                    2000,
                    75.5f,
                    {{"d01", -0.1f}, {"d03", 49.9f}, {"d04", 99.9f}, {"u0", 154.9f}}},
        ExampleCase{"H190",
                    0,
                    2500,
                    75.5f,
                    {{"d01", -0.1f}, {"d09", 49.9f}, {"d00", 99.9f}, {"u0", 154.9f}}},
        ExampleCase{"H52", 479, 800, 75.5f, {{"d05", -0.1f}, {"d02", 49.9f}, {"u0", 104.9f}}},
        // The thousands digit is dropped.
        ExampleCase{"H1234",
                    240,
                    0,
                    1224.0f,
                    {{"d02", -0.1f}, {"d03", 49.9f}, {"d04", 99.9f}, {"u0", 154.9f}}},
        ExampleCase{"H100",
                    240,
                    0,
                    90.0f,
                    {{"d01", -0.1f}, {"d00", 49.9f}, {"d00", 99.9f}, {"u0", 154.9f}}},
        // A zero tens digit is drawn when the hundreds are suppressed.
        ExampleCase{"H7", 240, 0, -3.0f, {{"d00", -0.1f}, {"d07", 49.9f}, {"u0", 104.9f}}},
        // Negative ones are not drawn.
        ExampleCase{"HMinus5", 240, 0, -15.0f, {{"d00", -0.1f}, {"u0", 54.9f}}},
        ExampleCase{"HMinus15", 240, 0, -25.0f, {{"u0", 4.9f}}}),
    [](const auto& info) { return info.param.name; });

TEST_F(ReadoutTest, SecondUserDrawsTheSecondSetOverTheCameraToo) {
  Track(0, 200.5f, 150.5f, 330, 240, 0);     // 85
  Track(1, 400.5f, 400.5f, 100, 100, 2000);  // 134
  const Frame frame = Render();
  EXPECT_EQ(DrawnAt(frame, 200.5f, 150.5f),
            (std::vector<Drawn>{{"d08", -0.1f}, {"d05", 49.9f}, {"u0", 104.9f}}));
  EXPECT_EQ(DrawnAt(frame, 400.5f, 400.5f),
            (std::vector<Drawn>{{"d11", -0.1f}, {"d13", 49.9f}, {"d14", 99.9f}, {"u1", 154.9f}}));
}

// Every drawn readout is reported with what it was measured from; a skipped user is not.
TEST_F(ReadoutTest, ReportsEachDrawnHeightToTheSink) {
  struct Recorder : MeasurementSink {
    void OnMeasurement(const Measurement& m) override { seen.push_back(m); }
    std::vector<Measurement> seen;
  } recorder;
  m_dialog.m_pMeasurementSink = &recorder;
  Track(0, 200.5f, 150.5f, 330, 240, 0);
  Track(1, 400.5f, 400.5f, 100, 100, 2000);
  m_dialog.m_users[0].faceTracked = false;
  Render();
  ASSERT_EQ(recorder.seen.size(), 1u);
  const Measurement& m = recorder.seen[0];
  EXPECT_EQ(m.userIndex, 1);
  EXPECT_EQ(m.skeletonSlot, 2);
  EXPECT_EQ(m.faceX, 400.5f);
  EXPECT_EQ(m.faceY, 400.5f);
  EXPECT_EQ(m.depthMm, 2000u);
  EXPECT_EQ(m.heightCm, 134);
}

TEST_F(ReadoutTest, SpritesFollowTheImageScaleAndOrigin) {
  Resize(800, 780);  // image scale 1.625, origin (-120, 0)
  Track(0, 200.5f, 300.5f, 330, 240, 0);
  const Frame frame = Render();
  // Window position of camera-image x: -120 + x * 1.625.
  const float labelWindowX = -120.0f + (200.5f - 50.0f) * 1.625f;
  const int row = static_cast<int>((300.5f - 80.0f) * 1.625f);
  const auto windowX = [&](float offset) {
    return static_cast<int>(labelWindowX + offset * 1.625f);
  };
  EXPECT_EQ(frame.At(windowX(-0.1f), row), DigitColour(0, 8));
  EXPECT_EQ(frame.At(windowX(49.9f), row), DigitColour(0, 5));
  EXPECT_EQ(frame.At(windowX(104.9f), row), kUnitColour[0]);
  // Each sprite is half its 40 pixels times 1.625: trunc(65) x 0.5 = 32.5 wide.
  EXPECT_EQ(frame.At(windowX(-0.1f) - 14, row), DigitColour(0, 8));
  EXPECT_EQ(frame.At(windowX(-0.1f) - 18, row), kCamera);
}

struct SkipCase {
  const char* name;
  std::function<void(CMeziroDlg&, std::vector<runtime::FT_VECTOR2D>&)> spoil;
};

class ReadoutSkipTest : public ReadoutTest, public ::testing::WithParamInterface<SkipCase> {};

TEST_P(ReadoutSkipTest, DrawsNothingForThatUser) {
  Track(0, 200.5f, 300.5f, 330, 240, 0);
  GetParam().spoil(m_dialog, m_points[0]);
  const Frame frame = Render();
  EXPECT_TRUE(DrawnAt(frame, 200.5f, 300.5f).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ReadoutSkipTest,
    ::testing::Values(
        SkipCase{"NoSkeleton", [](CMeziroDlg& d, auto&) { d.m_users[0].skeletonSlot = -1; }},
        SkipCase{"FaceNotTracked", [](CMeziroDlg& d, auto&) { d.m_users[0].faceTracked = false; }},
        SkipCase{"FifteenShapePoints",
                 [](CMeziroDlg& d, auto&) { d.m_users[0].shapePointCount = 15; }},
        SkipCase{"NoShapePoints", [](CMeziroDlg& d, auto&) { d.m_users[0].shapePoints = nullptr; }},
        SkipCase{"FacePointLeftOfTheImage", [](CMeziroDlg&, auto& p) { p[15].x = -1.0f; }},
        SkipCase{"FacePointBelowTheImage", [](CMeziroDlg&, auto& p) { p[15].y = 480.0f; }},
        SkipCase{"FacePointHuge", [](CMeziroDlg&, auto& p) { p[15].x = 1e30f; }},
        SkipCase{"FacePointNaN", [](CMeziroDlg&, auto& p) { p[15].y = std::nanf(""); }},
        SkipCase{"DepthPointOutside",
                 [](CMeziroDlg& d, auto&) { d.m_pDepthPoints[300 * 640 + 200].x = 640; }},
        SkipCase{"DepthPointNegative",
                 [](CMeziroDlg& d, auto&) { d.m_pDepthPoints[300 * 640 + 200].y = -1; }},
        SkipCase{"NoDepthMap", [](CMeziroDlg& d, auto&) { d.m_pDepthPoints.reset(); }},
        SkipCase{"AbsurdInstallationHeight",
                 [](CMeziroDlg& d, auto&) { d.m_sensorHeightCm = 1e30f; }}),
    [](const auto& info) { return info.param.name; });

// A whole frame as the operator sees it, written beside the test binary for a look: a camera
// gradient, two readouts in digit pictures drawn from a small pixel font, the banner. The
// readouts are read back glyph by glyph from the saved picture.
TEST_F(ReadoutTest, WritesAFullFrameForInspection) {
  static const char* kGlyphs[11][7] = {
      {"01110", "10001", "10011", "10101", "11001", "10001", "01110"},
      {"00100", "01100", "00100", "00100", "00100", "00100", "01110"},
      {"01110", "10001", "00001", "00010", "00100", "01000", "11111"},
      {"11111", "00010", "00100", "00010", "00001", "10001", "01110"},
      {"00010", "00110", "01010", "10010", "11111", "00010", "00010"},
      {"11111", "10000", "11110", "00001", "00001", "10001", "01110"},
      {"00110", "01000", "10000", "11110", "10001", "10001", "01110"},
      {"11111", "00001", "00010", "00100", "01000", "01000", "01000"},
      {"01110", "10001", "10001", "01110", "10001", "10001", "01110"},
      {"01110", "10001", "10001", "01111", "00001", "00010", "01100"},
      {"00000", "00000", "01101", "10010", "10010", "10010", "01101"}};  // "cm", roughly
  const auto glyphPicture = [&](int glyph, Rgba ink) {
    return [=](int x, int y) {
      const int gx = x / 8, gy = y / 8;
      if (gx < 5 && gy < 7 && kGlyphs[glyph][gy][gx] == '1') return ink;
      // A dark outline around the ink keeps the digits readable on any picture.
      for (int oy = -1; oy <= 1; ++oy) {
        for (int ox = -1; ox <= 1; ++ox) {
          const int nx = (x + ox * 3) / 8, ny = (y + oy * 3) / 8;
          if (x + ox * 3 >= 0 && y + oy * 3 >= 0 && nx < 5 && ny < 7 &&
              kGlyphs[glyph][ny][nx] == '1') {
            return Rgba{0, 0, 0, 255};
          }
        }
      }
      return Rgba{0, 0, 0, 0};
    };
  };
  CMeziroDlg& d = m_dialog;
  for (int set = 0; set < 2; ++set) {
    const Rgba ink = set == 0 ? Rgba{255, 220, 40} : Rgba{120, 255, 140};
    for (int digit = 0; digit < 10; ++digit) {
      d.m_digitSprites[10 * set + digit].m_pImage.reset();
      displaytest::WritePng((m_dir.path() / "glyph.png").string(), 40, 56, PNG_FORMAT_RGBA,
                            glyphPicture(digit, ink));
      d.m_digitSprites[10 * set + digit].CreateFromFile((m_dir.path() / "glyph.png").string(),
                                                        m_shell);
    }
    d.m_unitSprites[set].m_pImage.reset();
    displaytest::WritePng((m_dir.path() / "glyph.png").string(), 40, 56, PNG_FORMAT_RGBA,
                          glyphPicture(10, ink));
    d.m_unitSprites[set].CreateFromFile((m_dir.path() / "glyph.png").string(), m_shell);
  }
  const auto banner = displaytest::MakeBmp(640, 89, 24, false, [](int x, int y) {
    const bool stripe = (x / 40 + y / 30) % 2 == 0;
    return stripe ? Rgba{230, 60, 90} : Rgba{250, 250, 250};
  });
  ASSERT_EQ(d.m_bannerSprite.CreateFromBitmap(banner, m_shell), S_OK);
  FillColour([](int x, int y) {
    return Rgba{static_cast<std::uint8_t>(x * 255 / 640), static_cast<std::uint8_t>(y * 255 / 480),
                static_cast<std::uint8_t>(128 + ((x / 32 + y / 32) % 2) * 60)};
  });
  Track(0, 220.0f, 200.0f, 330, 100, 2000);  // 134
  Track(1, 470.0f, 260.0f, 100, 479, 800);   // 52
  Resize(1280, 720);                         // image scale 2, origin (0, -120)
  const Frame frame = Render();
  EXPECT_EQ(m_shell.messages, StartUpMessages());

  // Which glyph of the given ink the sprite centred at camera-image (x, y) shows: at this
  // scale a sprite is 40 x 56 window pixels and each of its 5 x 7 cells 8 x 8, and a cell's
  // centre is ink exactly where the glyph has a dot. -1 when no glyph matches.
  const auto glyphAt = [&](float x, float y, Rgba ink) {
    const int left = static_cast<int>(x * 2.0f) - 20;
    const int top = static_cast<int>(y * 2.0f) - 120 - 28;
    for (int glyph = 0; glyph < 11; ++glyph) {
      bool matches = true;
      for (int gy = 0; gy < 7; ++gy) {
        for (int gx = 0; gx < 5; ++gx) {
          const bool inked =
              displaytest::Near(frame.At(left + 8 * gx + 4, top + 8 * gy + 4), ink, 8);
          matches = matches && inked == (kGlyphs[glyph][gy][gx] == '1');
        }
      }
      if (matches) {
        return glyph;
      }
    }
    return -1;
  };
  // The glyphs along a readout's cells, 50 image pixels left of and 80 above the face point.
  const auto readout = [&](float px, float py, Rgba ink, std::vector<float> offsets) {
    std::vector<int> glyphs;
    for (const float offset : offsets) {
      glyphs.push_back(glyphAt(px - 50.0f + offset, py - 80.0f, ink));
    }
    return glyphs;
  };
  constexpr int kUnit = 10;
  EXPECT_EQ(readout(220.0f, 200.0f, Rgba{255, 220, 40}, {-0.1f, 49.9f, 99.9f, 154.9f}),
            (std::vector<int>{1, 3, 4, kUnit}));
  EXPECT_EQ(readout(470.0f, 260.0f, Rgba{120, 255, 140}, {-0.1f, 49.9f, 104.9f}),
            (std::vector<int>{5, 2, kUnit}));

  const std::filesystem::path path =
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / "display_full_frame.png";
  frame.Save(path.string());
  EXPECT_TRUE(std::filesystem::exists(path));
  std::cout << "full frame written to " << path << "\n";
}

}  // namespace
