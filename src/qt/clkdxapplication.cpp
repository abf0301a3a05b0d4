#include "qt/clkdxapplication.h"

#include <QFileInfo>
#include <QString>
#include <exception>

#include "qt/clqttranslation.h"
#include "qt/cluihooks.h"
#include "settings/clusertexts.h"

clKdxApplication::clKdxApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // The application title, the caption of the plain message boxes and the standard error
  // box, is the executable's file name without its extension ("KDX.bin" is titled "KDX").
  setApplicationName(QFileInfo(applicationFilePath()).completeBaseName());
  // The desktop entry's id: window managers and docks match the window to its entry.
  setDesktopFileName(QStringLiteral("org.kdx.KDX"));
  clQtTranslation::Install(*this);
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
    text = QString::fromUtf8(clUserTexts::kUnknownError);
  }
  clUiHooks::errorBox(owner, text);
}
