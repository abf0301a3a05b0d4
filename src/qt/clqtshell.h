#pragma once

#include <QByteArray>
#include <string>

#include "output/cloutputseams.h"
#include "qt/cluihooks.h"

// Opens a file or folder with the desktop's associated application.
class clQtShell : public clShell {
 public:
  void Open(const std::string& path) override {
    clUiHooks::openPath(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
  }
};
