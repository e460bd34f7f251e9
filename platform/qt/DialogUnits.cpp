#include "platform/qt/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

namespace platform::qt {

namespace {

// Scales and rounds to the nearest pixel, as the window system's dialog mapping does.
int Scale(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}

}  // namespace

QFont DialogFont(int pointSize) {
  QFont font;
  font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"),
                    QStringLiteral("IPAGothic"), QStringLiteral("sans-serif")});
  font.setPointSize(pointSize);
  return font;
}

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width is taken over the 52 Latin letters, rounded half up.
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_baseWidth = (letters / 26 + 1) / 2;
  m_baseHeight = metrics.height();
  if (m_baseWidth < 1) {
    m_baseWidth = 1;
  }
  if (m_baseHeight < 1) {
    m_baseHeight = 1;
  }
}

int DialogUnits::X(int dluX) const {
  return Scale(dluX, m_baseWidth, 4);
}

int DialogUnits::Y(int dluY) const {
  return Scale(dluY, m_baseHeight, 8);
}

QSize DialogUnits::Size(int dluWidth, int dluHeight) const {
  return {X(dluWidth), Y(dluHeight)};
}

QRect DialogUnits::Rect(int dluX, int dluY, int dluWidth, int dluHeight) const {
  return {X(dluX), Y(dluY), X(dluWidth), Y(dluHeight)};
}

}  // namespace platform::qt
