#include "settings/clcalledwindialog.h"

#include <QByteArray>
#include <QString>

#include "app/cluihooks.h"

namespace {
// The chooser accepts only folders of the file system.
constexpr uint32_t kOnlyFileSystemFolders = 1;
}  // namespace

clCalledWinDialog::clCalledWinDialog()
    : title("フォルダを選択してください。"),
      initialFolder("/"),
      browseFlags(kOnlyFileSystemFolders) {}

void clCalledWinDialog::SetTitle(const std::string& title) { this->title = title; }

void clCalledWinDialog::SetInitialFolder(const std::string& folder) { initialFolder = folder; }

bool clCalledWinDialog::Execute(QWidget* owner) {
  // The chooser shows folders only (browseFlags); an empty initial folder means
  // no pre-selection. A cancel returns an empty path, which overwrites any folder
  // an earlier Execute had chosen.
  const QByteArray chosen =
      clUiHooks::chooseFolder(owner, QString::fromStdString(title),
                              QByteArray(initialFolder.data(), qsizetype(initialFolder.size())));
  folderPath.assign(chosen.constData(), size_t(chosen.size()));
  return true;
}

std::string clCalledWinDialog::GetFolderPath() const { return folderPath; }
