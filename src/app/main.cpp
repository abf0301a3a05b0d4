#include <QString>
#include <exception>

#include "app/clappenvironment.h"
#include "app/clkdxapplication.h"
#include "app/fmain.h"
#include "app/kdxresources.h"

#include "settings/feasyopt.h"
#include "settings/foption.h"
#include "settings/fversioninfo.h"

int main(int argc, char** argv) {
  clKdxApplication application(argc, argv);
  try {
    InitKdxResources();
    // The four forms, in this order; the main window's create handler runs inside the
    // first creation, so a read named on the command line starts there.
    auto* mainWindow = new TfrmMain(clAppEnvironment::FromProcess(argc, argv));
    frmVersionInfo = new TfrmVersionInfo(mainWindow);
    frmOption = new TfrmOption(mainWindow->option, mainWindow);
    frmEasyOpt = new TfrmEasyOpt(mainWindow->option, mainWindow);
    // A second instance has shown its refusal and asked to end: its window stays hidden.
    if (!mainWindow->IsSecondInstance()) mainWindow->show();
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
