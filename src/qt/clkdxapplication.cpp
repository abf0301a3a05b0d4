#include "qt/clkdxapplication.h"

#include <QFileInfo>
#include <QString>
#include <exception>

#include "qt/cluihooks.h"

namespace {
const char* const kUnknownErrorText = "不明な例外が発生しました";
}

clKdxApplication::clKdxApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The application title, the caption of the plain message boxes and the standard error
  // box, is the executable's file name without its extension ("KDX.bin" is titled "KDX").
  setApplicationName(QFileInfo(applicationFilePath()).completeBaseName());
}

bool clKdxApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ShowException(nullptr, std::current_exception());
  }
  return false;
}

void clKdxApplication::ShowException(QWidget* owner, const std::exception_ptr& error) {
  QString text;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& exception) {
    text = QString::fromUtf8(exception.what());
  } catch (...) {
    text = QString::fromUtf8(kUnknownErrorText);
  }
  clUiHooks::errorBox(owner, text);
}
