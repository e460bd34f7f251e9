// The installation-height dialog's window: caption, prompt, edit field with its unit, OK and
// Cancel, laid out from the dialog template's dialog units. The entered text goes to the
// dialog's logic (platform::HeightDialogHandlers), which accepts or refuses it.
#pragma once

#include <QDialog>

#include "platform/HeightDialogHandlers.h"

class QLineEdit;
class QPushButton;

namespace platform::qt {

class HeightDialogWindow final : public QDialog {
  Q_OBJECT

 public:
  HeightDialogWindow(HeightDialogHandlers& handlers, QWidget* owner);

  // OK (also Enter while OK is the default button) offers the edit's text to the logic.
  void accept() override;
  // Cancel, Esc and the close box: IDCANCEL, the edit's text unread.
  void reject() override;

  QLineEdit* Edit() const { return m_edit; }
  QPushButton* OkButton() const { return m_ok; }
  QPushButton* CancelButton() const { return m_cancel; }

 private:
  HeightDialogHandlers& m_handlers;
  QPushButton* m_ok;
  QPushButton* m_cancel;
  QLineEdit* m_edit;
};

}  // namespace platform::qt
