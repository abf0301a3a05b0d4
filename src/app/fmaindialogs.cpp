// The main window's dialogs: the settings dialogs, the about box and the folder chooser.
#include <unistd.h>

#include <QDialog>
#include <climits>
#include <vector>

#include "app/cluihooks.h"
#include "app/fmain.h"

#if __has_include("settings/clcalledwindialog.h")
#include "settings/clcalledwindialog.h"
#include "settings/feasyopt.h"
#include "settings/foption.h"
#include "settings/fversioninfo.h"
#define KDX_HAVE_DIALOGS 1
#endif

void TfrmMain::mnuEasyClick() {
#ifdef KDX_HAVE_DIALOGS
  if (frmEasyOpt != nullptr) clUiHooks::execDialog(frmEasyOpt);
#endif
}

void TfrmMain::mnuSettingClick() {
#ifdef KDX_HAVE_DIALOGS
  if (frmOption != nullptr) clUiHooks::execDialog(frmOption);
#endif
}

void TfrmMain::mnuAboutClick() {
#ifdef KDX_HAVE_DIALOGS
  if (frmVersionInfo != nullptr) clUiHooks::execDialog(frmVersionInfo);
#endif
}

std::string TfrmMain::ChooseFolder(const char* title, const std::string& initialFolder,
                                   bool setInitialFolder) {
#ifdef KDX_HAVE_DIALOGS
  clCalledWinDialog dialog;
  dialog.SetTitle(title);
  if (setInitialFolder) dialog.SetInitialFolder(initialFolder);
  if (!dialog.Execute(this)) return std::string();
  return dialog.GetFolderPath();
#else
  const QByteArray chosen = clUiHooks::chooseFolder(
      this, QString::fromUtf8(title),
      setInitialFolder ? QByteArray::fromStdString(initialFolder) : QByteArray("/"));
  return chosen.toStdString();
#endif
}

std::string TfrmMain::CurrentFolder() {
  std::vector<char> buffer(PATH_MAX);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return ".";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}
