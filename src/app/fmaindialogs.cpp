// The main window's dialogs: the settings dialogs, the about box and the folder chooser.
#include <unistd.h>

#include <QDialog>
#include <cerrno>
#include <climits>
#include <vector>

#include "app/cluihooks.h"
#include "app/fmain.h"
#include "settings/clcalledwindialog.h"
#include "settings/feasyopt.h"
#include "settings/foption.h"
#include "settings/fversioninfo.h"

void TfrmMain::mnuEasyClick() {
  if (frmEasyOpt != nullptr) clUiHooks::execDialog(frmEasyOpt);
}

void TfrmMain::mnuSettingClick() {
  if (frmOption != nullptr) clUiHooks::execDialog(frmOption);
}

void TfrmMain::mnuAboutClick() {
  if (frmVersionInfo != nullptr) clUiHooks::execDialog(frmVersionInfo);
}

std::string TfrmMain::ChooseFolder(const char* title, const std::string& initialFolder,
                                   bool setInitialFolder) {
  clCalledWinDialog dialog;
  dialog.SetTitle(title);
  if (setInitialFolder) dialog.SetInitialFolder(initialFolder);
  if (!dialog.Execute(this)) return std::string();
  return dialog.GetFolderPath();
}

std::string TfrmMain::CurrentFolder() {
  std::vector<char> buffer(PATH_MAX);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return ".";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}
