// CTexture: an image sprite drawn as one textured, alpha-blended quad over the camera picture.
#pragma once

#include <memory>
#include <string>

#include "display/TextureImage.h"
#include "platform/ResultCodes.h"

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

  HRESULT CreateFromFile(const std::string& path);
  HRESULT CreateFromResource();

  SpriteTransform m_base;
  SpriteTransform m_draw;
  float m_alpha = 1.0f;
  std::unique_ptr<TextureImage> m_pImage;
};
