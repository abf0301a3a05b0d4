#pragma once

#include <QObject>
#include <initializer_list>

class QDialog;
class QPushButton;

// The keys of the settings dialogs: neither button is the default or the cancel button.
// Enter presses a button only while that button has the focus; Enter elsewhere and Esc
// do nothing, so that only the buttons and the close box end the dialog.
class clDialogKeys : public QObject {
 public:
  // Applies the rule to `dialog` and its `buttons`; the object lives as the dialog's child.
  static void Apply(QDialog* dialog, std::initializer_list<QPushButton*> buttons);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit clDialogKeys(QDialog* dialog);
  QDialog* dialog;
};
