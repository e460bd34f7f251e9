// The About box: the program icon, the name and version, a second line and OK, laid out from
// the dialog template's dialog units.
#pragma once

#include <QDialog>
#include <QIcon>

namespace platform::qt {

class AboutDialogWindow final : public QDialog {
  Q_OBJECT

 public:
  AboutDialogWindow(const QIcon& icon, QWidget* owner);

  void accept() override;
  void reject() override;
};

}  // namespace platform::qt
