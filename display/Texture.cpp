#include "display/Texture.h"

// Loading is filled in together with the OpenGL display; until then a sprite stays empty.
HRESULT CTexture::CreateFromFile(const std::string&) {
  return E_FAIL;
}

HRESULT CTexture::CreateFromResource() {
  return E_FAIL;
}
