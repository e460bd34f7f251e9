#include "platform/qt/DialogLabel.h"

#include "platform/qt/QtText.h"

namespace platform::qt {

QLabel* MakeStaticText(std::string_view text, QWidget* parent) {
  auto* label = new QLabel(ToQString(text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace platform::qt
