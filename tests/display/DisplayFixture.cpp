#include "DisplayFixture.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace displaytest {

namespace {

platform::headless::Script ScriptFor(const testsupport::TempDir& dir) {
  platform::headless::Script script;
  script.moduleDirectory = dir.WithSlash();
  return script;
}

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

}  // namespace

void WritePng(const std::string& path, int width, int height, std::uint32_t format,
              const std::function<Rgba(int x, int y)>& pixel) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  // Pixels are handed over as 8-bit RGBA, or 16-bit linear RGBA for the linear formats.
  const bool linear = (format & PNG_FORMAT_FLAG_LINEAR) != 0;
  std::vector<std::uint8_t> rgba8;
  std::vector<std::uint16_t> rgba16;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgba c = pixel(x, y);
      for (std::uint8_t v : {c.r, c.g, c.b, c.a}) {
        rgba8.push_back(v);
        rgba16.push_back(static_cast<std::uint16_t>(v * 257));
      }
    }
  }
  png_image source{};
  source.version = PNG_IMAGE_VERSION;
  source.width = image.width;
  source.height = image.height;
  source.format = linear ? PNG_FORMAT_LINEAR_RGB_ALPHA : PNG_FORMAT_RGBA;
  // Convert to the target format in memory first, then write.
  std::vector<std::uint8_t> encoded;
  png_alloc_size_t size = 0;
  const void* buffer = linear ? static_cast<const void*>(rgba16.data()) : rgba8.data();
  ASSERT_NE(png_image_write_get_memory_size(source, size, 0, buffer, 0, nullptr), 0)
      << source.message;
  encoded.resize(size);
  ASSERT_NE(png_image_write_to_memory(&source, encoded.data(), &size, 0, buffer, 0, nullptr), 0);
  if (format == source.format) {
    testsupport::WriteFile(path, std::string(encoded.begin(), encoded.end()));
    return;
  }
  png_image reader{};
  reader.version = PNG_IMAGE_VERSION;
  ASSERT_NE(png_image_begin_read_from_memory(&reader, encoded.data(), size), 0);
  reader.format = format;
  std::vector<std::uint8_t> converted(PNG_IMAGE_SIZE(reader));
  std::vector<std::uint8_t> colormap(PNG_IMAGE_COLORMAP_SIZE(reader));
  // Pictures without alpha are composed over black.
  const png_color black{0, 0, 0};
  ASSERT_NE(png_image_finish_read(&reader, &black, converted.data(), 0, colormap.data()), 0)
      << reader.message;
  ASSERT_NE(png_image_write_to_file(&reader, path.c_str(), 0, converted.data(), 0, colormap.data()),
            0)
      << reader.message;
}

void WriteSolidPng(const std::string& path, int width, int height, Rgba colour) {
  WritePng(path, width, height, PNG_FORMAT_RGBA, [&](int, int) { return colour; });
}

std::vector<std::uint8_t> MakeBmp(int width, int height, int bitsPerPixel, bool topDown,
                                  const std::function<Rgba(int x, int y)>& pixel) {
  const int bytesPerPixel = bitsPerPixel / 8;
  const std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) / 4 * 4;
  const std::size_t offset = 14 + 40;
  std::vector<std::uint8_t> b(offset + stride * height);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, offset);
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<std::uint32_t>(width));
  Put32(b, 22, static_cast<std::uint32_t>(topDown ? -height : height));
  Put16(b, 26, 1);
  Put16(b, 28, static_cast<std::uint32_t>(bitsPerPixel));
  for (int y = 0; y < height; ++y) {
    const std::size_t fileRow = topDown ? y : height - 1 - y;
    for (int x = 0; x < width; ++x) {
      const Rgba c = pixel(x, y);
      std::uint8_t* p = b.data() + offset + fileRow * stride + x * bytesPerPixel;
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
      if (bytesPerPixel == 4) {
        p[3] = c.a;
      }
    }
  }
  return b;
}

Rgba Frame::At(int x, int y) const {
  const std::uint8_t* p = pixels.data() + (static_cast<std::size_t>(y) * width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

void Frame::Save(const std::string& path) const {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  // Blending leaves the destination alpha below 255 in places: write colour only.
  std::vector<std::uint8_t> rgb;
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    rgb.insert(rgb.end(), pixels.begin() + i, pixels.begin() + i + 3);
  }
  ASSERT_NE(png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr), 0);
}

bool Near(Rgba a, Rgba b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

std::string Describe(Rgba c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
         ", " + std::to_string(c.a) + ")";
}

DisplayTest::DisplayTest()
    : m_shell(ScriptFor(m_dir)),
      m_canvas({640, 480}),
      m_dialog(m_shell, m_canvas, m_clock, m_runtime) {}

void DisplayTest::SetUp() {
  ASSERT_EQ(m_dialog.InitOpenGL(), S_OK);
  ASSERT_TRUE(m_canvas.IsCurrent());
}

void DisplayTest::TearDown() {
  m_dialog.ReleaseOpenGL();
}

void DisplayTest::OpenFrames(std::uint32_t width, std::uint32_t height) {
  m_dialog.m_colorWidth = m_dialog.m_depthWidth = width;
  m_dialog.m_colorHeight = m_dialog.m_depthHeight = height;
  m_dialog.m_colorPitch = static_cast<std::int32_t>(width * 4);
  m_dialog.m_colorPixels.assign(std::size_t{width} * height * 4, 0);
  m_dialog.m_depthPixels.assign(std::size_t{width} * height, 0);
  m_dialog.m_depthPointCount = std::size_t{width} * height;
  m_dialog.m_pDepthPoints =
      std::make_unique<runtime::NUI_DEPTH_IMAGE_POINT[]>(m_dialog.m_depthPointCount);
}

void DisplayTest::FillColour(const std::function<Rgba(int x, int y)>& pixel) {
  for (std::uint32_t y = 0; y < m_dialog.m_colorHeight; ++y) {
    for (std::uint32_t x = 0; x < m_dialog.m_colorWidth; ++x) {
      const Rgba c = pixel(static_cast<int>(x), static_cast<int>(y));
      std::uint8_t* p = m_dialog.m_colorPixels.data() + y * m_dialog.m_colorPitch + x * 4;
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
      p[3] = c.a;
    }
  }
}

void DisplayTest::Resize(int width, int height) {
  m_shell.clientSize = {width, height};
  m_dialog.OnSize(0, width, height);
}

Frame DisplayTest::Render() {
  EXPECT_EQ(m_dialog.RenderFrame(), S_OK);
  EXPECT_FALSE(m_canvas.IsCurrent());
  return Presented();
}

Frame DisplayTest::Presented() {
  const platform::ClientSize size = m_canvas.GetClientSize();
  return {size.width, size.height, m_canvas.ReadPresentedPixels()};
}

}  // namespace displaytest
