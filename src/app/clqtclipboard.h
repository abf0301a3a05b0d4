#pragma once

#include <QByteArray>
#include <string>

#include "app/cluihooks.h"
#include "output/cloutputseams.h"

// The clipboard of the desktop: the exact bytes as plain text.
class clQtClipboard : public clClipboard {
 public:
  void SetAsText(const std::string& text) override {
    clUiHooks::setClipboard(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  }
};
