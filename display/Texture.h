// CTexture: an image sprite drawn as one textured, alpha-blended quad over the camera picture.
// It is loaded once, from a PNG file or from the banner bitmap inside the executable, kept as
// a power-of-two buffer and uploaded again at every draw. Position and size are given in
// camera-image pixels; Draw maps them with the camera picture's origin and scale.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "display/TextureImage.h"
#include "platform/ResultCodes.h"
#include "platform/Shell.h"

struct SpriteTransform {
  float x = 0.0f;
  float y = 0.0f;
  float pivotX = 0.0f;
  float pivotY = 0.0f;
  float rotation = 0.0f;
  float scaleX = 1.0f;
  float scaleY = 1.0f;
};

class CTexture {
 public:
  CTexture() = default;
  virtual ~CTexture() = default;
  CTexture(const CTexture&) = delete;
  CTexture& operator=(const CTexture&) = delete;

  // Loads the picture once; later calls return S_OK and keep the first picture. Failures are
  // told to the operator through shell and leave the sprite empty. A GL context must be
  // current.
  HRESULT CreateFromFile(const std::string& path, platform::Shell& shell);
  // The banner compiled into the executable.
  HRESULT CreateFromResource(platform::Shell& shell);
  // The same from the bytes of a BMP file.
  HRESULT CreateFromBitmap(std::span<const std::uint8_t> bmpFile, platform::Shell& shell);

  // Writes the position and the scale of both transforms alike.
  void Place(float x, float y, float scale);

  // Draws the sprite centred on (x + m_draw.x * scale, y + m_draw.y * scale) in the window's
  // pixel projection, at its native size times scale times m_draw's scale. E_FAIL, with no GL
  // call, for an empty sprite.
  HRESULT Draw(int x, int y, float scale);

  SpriteTransform m_base;
  SpriteTransform m_draw;
  float m_alpha = 1.0f;
  std::uint32_t m_reserved[5] = {};
  std::unique_ptr<TextureImage> m_pImage;

 private:
  HRESULT LoadImageFile(const std::string& path, platform::Shell& shell);
  HRESULT LoadBitmap(std::span<const std::uint8_t> bmpFile);
  // Runs a loading step on a fresh record; an empty sprite again when it fails.
  template <typename Load>
  HRESULT Create(platform::Shell& shell, Load load);
};
