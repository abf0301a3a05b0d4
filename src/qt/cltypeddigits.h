#pragma once

#include <QObject>

class QLineEdit;

// Limits what the user can put into an edit box to digits, at most a given number of
// them, typed without the input method; no paste, no drop. Text set by the program is
// not limited, so a stored number is shown whole whatever its length or sign.
class clTypedDigits : public QObject {
 public:
  // Applies the limit to `edit`; the object lives as the edit box's child.
  static void Apply(QLineEdit* edit, int maxDigits);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  clTypedDigits(QLineEdit* edit, int maxDigits);
  bool InsertAllowed(const QString& text) const;

  QLineEdit* edit;
  int maxDigits;
};
