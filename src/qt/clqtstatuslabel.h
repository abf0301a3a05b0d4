#pragma once

#include <QLabel>
#include <QString>
#include <QTimer>
#include <string>

#include "output/cloutputseams.h"

// The main window's status label. A read sends a progress text for every entry it
// writes; the label keeps the latest one in a fixed buffer (no allocation) and shows it
// at display rate, so that a read of a million entries does not lay out and repaint the
// label a million times. Every other text is shown at once and replaces a progress text
// still waiting to be shown.
class clQtStatusLabel : public clStatusLabel {
 public:
  explicit clQtStatusLabel(QLabel*& label);

  // The output run's final text (UTF-8).
  void SetText(const std::string& text) override;
  void SetText(const QString& text);

  // A progress text: kept, and shown when the current display frame is over.
  void OfferProgress(const char* text);
  // Shows a progress text still waiting, so that the label ends on the last count.
  void FlushProgress();

 private:
  void Show(const QString& text);

  QLabel*& label;
  QTimer frameTimer;
  char pending[128] = {};
  bool hasPending = false;
};
