#include "settings/clcalledwindialog.h"

#include "platform/clpath.h"

clCalledWinDialog::clCalledWinDialog()
    : title("フォルダを選択してください。"), initialFolder(clPath::kDefaultRoot) {}

void clCalledWinDialog::SetTitle(const std::string& title) { this->title = title; }

void clCalledWinDialog::SetInitialFolder(const std::string& folder) { initialFolder = folder; }

bool clCalledWinDialog::Execute(clFolderChooser& owner) {
  // The chooser shows folders of the file system only; an empty initial folder means
  // no pre-selection. A cancel returns an empty path, which overwrites any folder an
  // earlier Execute had chosen.
  folderPath = owner.ChooseFolder(title, initialFolder, !initialFolder.empty());
  return true;
}

std::string clCalledWinDialog::GetFolderPath() const { return folderPath; }
