// The main window's dialogs: the settings dialogs, the about box and the folder chooser.
#include <QDialog>
#include <filesystem>
#include <system_error>

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
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::current_path(error);
  return error ? std::string(".") : folder.string();
}
