#include "qt/cldialogkeys.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

clDialogKeys::clDialogKeys(QDialog* dialog) : QObject(dialog), dialog(dialog) {}

void clDialogKeys::Apply(QDialog* dialog, std::initializer_list<QPushButton*> buttons) {
  auto* keys = new clDialogKeys(dialog);
  dialog->installEventFilter(keys);
  for (QPushButton* button : buttons) {
    button->setAutoDefault(false);
    button->setDefault(false);
    button->installEventFilter(keys);
  }
}

bool clDialogKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (watched == dialog) {
    // What reaches the dialog itself was not taken by a control: QDialog would press a
    // default button on Enter and close on Esc.
    return enter || key->key() == Qt::Key_Escape;
  }
  auto* button = qobject_cast<QPushButton*>(watched);
  if (enter && button && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    button->click();  // a focused button takes Enter
    return true;
  }
  return QObject::eventFilter(watched, event);
}
