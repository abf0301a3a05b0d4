#include "app/clappenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

clAppEnvironment clAppEnvironment::FromProcess(int argc, char** argv) {
  clAppEnvironment environment;
  environment.exeFolder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  environment.exeName =
      QFile::encodeName(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
          .toStdString();
  environment.lockFolder = UserRuntimeFolder();
  environment.exeFolderWritable = QFileInfo(QCoreApplication::applicationDirPath()).isWritable();
  environment.configHome =
      QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
          .toStdString();
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) documents = QDir::homePath();
  environment.documentsFolder = QFile::encodeName(documents).toStdString();
  // argv keeps the argument's bytes as the system gave them; Qt's argument list would
  // decode them.
  if (argc > 1 && argv[1] != nullptr) environment.argument = std::string(argv[1]);
  return environment;
}

clSettingsLocation clAppEnvironment::SettingsLocation() const {
  return clSettingsLocation(
      {exeFolder, exeFolderWritable, configHome, documentsFolder, {KDX_INSTALL_BINDIR}});
}

std::string clAppEnvironment::UserRuntimeFolder() {
  // $XDG_RUNTIME_DIR, or a folder of this user's own (created private, its owner and
  // permissions checked), so that other users' instances neither see nor block this one.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  return QFile::encodeName(folder).toStdString();
}
