#pragma once

#include <QLabel>
#include <QString>
#include <string>

#include "output/cloutputseams.h"

// The main window's status label, for the output run's final text.
class clQtStatusLabel : public clStatusLabel {
 public:
  explicit clQtStatusLabel(QLabel*& label) : label(label) {}
  void SetText(const std::string& text) override {
    if (label != nullptr) label->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
  }

 private:
  QLabel*& label;
};
