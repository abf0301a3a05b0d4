#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <cstdlib>
#include <exception>

#include "platform/posix/clposixprocess.h"
#include "qt/clkdxapplication.h"
#include "qt/feasyopt.h"
#include "qt/fmain.h"
#include "qt/foption.h"
#include "qt/fversioninfo.h"
#include "qt/kdxresources.h"

int main(int argc, char** argv) {
  // A logout, a closed terminal or Ctrl+C from here on is a close of the main window.
  clPosixProcess::CatchEndSignals();
  clKdxApplication application(argc, argv);
  try {
    InitKdxResources();
    clPosixProcess process(argc, argv);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty())
      process.SetDocumentsFolder(QFile::encodeName(documents).toStdString());
    // The four forms, in this order; the main window's create handler runs inside the
    // first creation, so a read named on the command line starts there.
    auto* mainWindow = new TfrmMain(DefaultFilePlatform(), process);
    frmVersionInfo = new TfrmVersionInfo(mainWindow);
    frmOption = new TfrmOption(mainWindow->control.Option(), mainWindow);
    frmEasyOpt = new TfrmEasyOpt(mainWindow->control.Option(), mainWindow);
    // Qt ends the process from inside its event loop when the display connection is lost
    // (the X server ended): the settings are saved first.
    std::atexit([] {
      if (frmMain != nullptr) frmMain->control.SaveAtAbruptExit();
    });
    // A second instance has shown its refusal and asked to end: its window stays hidden.
    if (!mainWindow->control.IsSecondInstance()) mainWindow->show();
    application.exec();
    // The dialogs are the main window's children and go with it, after its destroy
    // handler has saved the settings and stopped a running read.
    delete mainWindow;
    frmVersionInfo = nullptr;
    frmOption = nullptr;
    frmEasyOpt = nullptr;
  } catch (...) {
    clKdxApplication::ShowException(nullptr, std::current_exception());
  }
  return 0;
}
