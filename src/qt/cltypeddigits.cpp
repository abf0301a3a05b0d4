#include "qt/cltypeddigits.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

bool IsDigits(const QString& text) {
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  return true;
}

}  // namespace

clTypedDigits::clTypedDigits(QLineEdit* edit, int maxDigits)
    : QObject(edit), edit(edit), maxDigits(maxDigits) {}

void clTypedDigits::Apply(QLineEdit* edit, int maxDigits) {
  edit->setAttribute(Qt::WA_InputMethodEnabled, false);
  edit->setInputMethodHints(Qt::ImhDigitsOnly);
  edit->installEventFilter(new clTypedDigits(edit, maxDigits));
  // Text reaches it only through the keyboard filter: no drops, no context-menu paste.
  edit->setAcceptDrops(false);
  edit->setContextMenuPolicy(Qt::NoContextMenu);
}

bool clTypedDigits::InsertAllowed(const QString& text) const {
  // Digits only, and no more than maxDigits characters in the box after the insert.
  const qsizetype after = edit->text().size() - edit->selectedText().size() + text.size();
  return IsDigits(text) && after <= maxDigits;
}

bool clTypedDigits::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) return true;  // pasted text could be anything
    const QString typed = key->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !InsertAllowed(typed)) return true;
  }
  if (watched == edit && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
    return true;  // the selection paste of X11
  }
  return QObject::eventFilter(watched, event);
}
