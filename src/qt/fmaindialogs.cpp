// The main window's dialogs: the settings dialogs, the about box and the folder chooser.
#include <QDialog>

#include "qt/clqtfolderchooser.h"
#include "qt/cluihooks.h"
#include "qt/feasyopt.h"
#include "qt/fmain.h"
#include "qt/foption.h"
#include "qt/fversioninfo.h"

void TfrmMain::mnuEasyClick() {
  if (frmEasyOpt != nullptr) clUiHooks::execDialog(frmEasyOpt);
}

void TfrmMain::mnuSettingClick() {
  if (frmOption != nullptr) clUiHooks::execDialog(frmOption);
}

void TfrmMain::mnuAboutClick() {
  if (frmVersionInfo != nullptr) clUiHooks::execDialog(frmVersionInfo);
}

std::string TfrmMain::ChooseFolder(const std::string& title, const std::string& initialFolder,
                                   bool preSelect) {
  return clQtFolderChooser(this).ChooseFolder(title, initialFolder, preSelect);
}
