#include "platform/qt/HeightDialogWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/Resources.h"
#include "platform/Shell.h"
#include "platform/qt/DialogLabel.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

namespace {

// Template: 201 x 65 dialog units in an 8 pt font.
constexpr int kFontPointSize = 8;

}  // namespace

HeightDialogWindow::HeightDialogWindow(HeightDialogHandlers& handlers, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      m_handlers(handlers) {
  setWindowTitle(ToQString(resources::kHeightCaption));
  setFont(DialogFont(kFontPointSize));
  const DialogUnits dlu(font());
  setFixedSize(dlu.Size(201, 65));

  // Created in template order, which is also the tab order.
  m_ok = new QPushButton(ToQString(resources::kOkText), this);
  m_ok->setGeometry(dlu.Rect(49, 44, 50, 14));
  m_ok->setDefault(true);
  m_cancel = new QPushButton(ToQString(resources::kCancelText), this);
  m_cancel->setGeometry(dlu.Rect(101, 44, 50, 14));
  MakeStaticText(resources::kHeightPrompt, this)->setGeometry(dlu.Rect(33, 7, 134, 8));
  m_edit = new QLineEdit(ToQString(m_handlers.InitialText()), this);
  m_edit->setGeometry(dlu.Rect(64, 22, 67, 12));
  MakeStaticText(resources::kHeightUnit, this)->setGeometry(dlu.Rect(135, 25, 10, 8));

  setTabOrder(m_ok, m_cancel);
  setTabOrder(m_cancel, m_edit);
  connect(m_ok, &QPushButton::clicked, this, &HeightDialogWindow::accept);
  connect(m_cancel, &QPushButton::clicked, this, &HeightDialogWindow::reject);
  // The first tab stop has the focus when the dialog opens, so Enter confirms at once.
  m_ok->setFocus();
}

void HeightDialogWindow::accept() {
  if (m_handlers.OnOK(m_edit->text().toStdString())) {
    done(IDOK);
    return;
  }
  // The message box has just closed: take the activation back so the focus really lands.
  activateWindow();
  m_edit->setFocus();
  m_edit->selectAll();
}

void HeightDialogWindow::reject() {
  done(IDCANCEL);
}

}  // namespace platform::qt
