#pragma once

#include <QByteArray>
#include <string>

#include "output/cloutputseams.h"
#include "qt/cluihooks.h"

// The clipboard of the desktop: the exact bytes as plain text.
class clQtClipboard : public clClipboard {
 public:
  void SetAsText(const std::string& text) override {
    clUiHooks::setClipboard(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  }
};
