#include "qt/clqtdirectorydialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "qt/clnamedfileiconprovider.h"

namespace {

// Shared by every chooser; the dialog keeps a pointer to it and never owns it.
clNamedFileIconProvider& IconProvider() {
  static clNamedFileIconProvider provider;
  return provider;
}

}  // namespace

std::unique_ptr<QFileDialog> clQtDirectoryDialog::Make(QWidget* owner, const QString& title,
                                                       const QString& startFolder) {
  // The dialog starts listing the folder it is made in at once, still with Qt's own
  // provider: it is made in the root folder, whose files are harmless to read, and only
  // goes to the start folder once the provider is set. Custom folder icons (read from
  // a file in each folder) stay off.
  auto dialog = std::make_unique<QFileDialog>(owner, title, QDir::rootPath());
  dialog->setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseCustomDirectoryIcons);
  dialog->setIconProvider(&IconProvider());
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setDirectory(startFolder);
  return dialog;
}

QByteArray clQtDirectoryDialog::Choose(QWidget* owner, const QString& title,
                                       const QString& startFolder) {
  const std::unique_ptr<QFileDialog> dialog = Make(owner, title, startFolder);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return {};
  return QFile::encodeName(dialog->selectedFiles().constFirst());
}
