#include "app/clappenvironment.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>

clAppEnvironment clAppEnvironment::FromProcess(int argc, char** argv) {
  clAppEnvironment environment;
  environment.exeFolder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  environment.exeName =
      QFile::encodeName(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
          .toStdString();
  environment.lockFolder = UserRuntimeFolder();
  // argv keeps the argument's bytes as the system gave them; Qt's argument list would
  // decode them.
  if (argc > 1 && argv[1] != nullptr) environment.argument = std::string(argv[1]);
  return environment;
}

std::string clAppEnvironment::UserRuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return runtime;
  // A folder of this user's own, so that other users' instances neither see nor block
  // this one.
  const std::string folder = QFile::encodeName(QDir::tempPath()).toStdString() + "/kdx-runtime-" +
                             std::to_string(static_cast<unsigned long>(getuid()));
  mkdir(folder.c_str(), 0700);
  return folder;
}
