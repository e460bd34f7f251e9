#include "platform/qt/ProgramIcon.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QString>

namespace platform::qt {

namespace {

// A measuring rod: a dark tile with a light scale and a few tick marks.
QPixmap DrawStandInIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x20, 0x40, 0x70));
  painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
  const qreal rodLeft = size * 0.35;
  const qreal rodWidth = size * 0.3;
  painter.setBrush(QColor(0xf0, 0xd0, 0x40));
  painter.drawRect(QRectF(rodLeft, size * 0.1, rodWidth, size * 0.8));
  painter.setPen(QPen(QColor(0x20, 0x20, 0x20), size / 32.0 + 0.5));
  for (int tick = 1; tick < 8; ++tick) {
    const qreal y = size * 0.1 + tick * size * 0.1;
    const qreal length = (tick % 2 == 0) ? rodWidth * 0.7 : rodWidth * 0.4;
    painter.drawLine(QPointF(rodLeft, y), QPointF(rodLeft + length, y));
  }
  return pixmap;
}

}  // namespace

QIcon LoadProgramIconFrom(const std::string& moduleDirectory) {
  if (!moduleDirectory.empty()) {
    const QPixmap file(QString::fromStdString(moduleDirectory + "image/icon.png"));
    if (!file.isNull()) {
      return QIcon(file);
    }
  }
  QIcon icon;
  for (int size : {16, 32, 48}) {
    icon.addPixmap(DrawStandInIcon(size));
  }
  return icon;
}

}  // namespace platform::qt
