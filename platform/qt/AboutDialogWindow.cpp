#include "platform/qt/AboutDialogWindow.h"

#include <QLabel>
#include <QPushButton>

#include "app/Resources.h"
#include "platform/Shell.h"
#include "platform/qt/DialogLabel.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

namespace {

// Template: 170 x 62 dialog units in a 9 pt font.
constexpr int kFontPointSize = 9;

}  // namespace

AboutDialogWindow::AboutDialogWindow(const QIcon& icon, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
  setWindowTitle(ToQString(resources::kAboutCaption));
  setFont(DialogFont(kFontPointSize));
  const DialogUnits dlu(font());
  setFixedSize(dlu.Size(170, 62));

  // An icon control takes the size of the icon it shows.
  auto* picture = new QLabel(this);
  picture->setPixmap(icon.pixmap(kIconSize, kIconSize));
  picture->setGeometry(dlu.X(14), dlu.Y(14), kIconSize, kIconSize);

  for (const auto& [text, top] :
       {std::pair{resources::kAboutVersion, 14}, std::pair{resources::kAboutSecondLine, 26}}) {
    MakeStaticText(text, this)->setGeometry(dlu.Rect(42, top, 114, 8));
  }

  auto* ok = new QPushButton(ToQString(resources::kOkText), this);
  ok->setGeometry(dlu.Rect(113, 41, 50, 14));
  ok->setDefault(true);
  ok->setFocus();
  connect(ok, &QPushButton::clicked, this, &AboutDialogWindow::accept);
}

void AboutDialogWindow::accept() {
  done(IDOK);
}

void AboutDialogWindow::reject() {
  done(IDCANCEL);
}

}  // namespace platform::qt
