#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "qt/cluihooks.h"
#include "settings/clfolderchooser.h"

class QWidget;

// The desktop's folder chooser, owned by a window; raw path bytes in and out.
class clQtFolderChooser : public clFolderChooser {
 public:
  explicit clQtFolderChooser(QWidget* owner) : owner(owner) {}

  // Without an initial folder the chooser opens in the home folder, nothing selected.
  std::string ChooseFolder(const std::string& title, const std::string& initialFolder,
                           bool preSelect) override {
    (void)preSelect;
    const QByteArray chosen = clUiHooks::chooseFolder(
        owner, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
        QByteArray(initialFolder.data(), static_cast<qsizetype>(initialFolder.size())));
    return std::string(chosen.constData(), static_cast<std::size_t>(chosen.size()));
  }

 private:
  QWidget* owner;
};
