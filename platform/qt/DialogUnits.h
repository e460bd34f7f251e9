// Dialog units: dialog templates give positions and sizes in units of the dialog font, a
// quarter of the average character width horizontally and an eighth of the character height
// vertically. This converts them to pixels for a Qt dialog using the same font.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace platform::qt {

// The font of a dialog template with the given point size. The templates name Windows fonts;
// the Japanese gothic faces stand in for them, then the system's sans-serif face.
QFont DialogFont(int pointSize);

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  int X(int dluX) const;
  int Y(int dluY) const;
  QSize Size(int dluWidth, int dluHeight) const;
  QRect Rect(int dluX, int dluY, int dluWidth, int dluHeight) const;

 private:
  int m_baseWidth;   // average character width in pixels
  int m_baseHeight;  // character height in pixels
};

}  // namespace platform::qt
