#pragma once

#include <optional>
#include <string>

#include "settings/clsettingslocation.h"

class clFilePlatform;

// What the main window takes from the running process: where the executable lives and
// what it is called (the settings file and the single-instance lock depend on both),
// the raw command-line argument, and the file-system services. The program takes them
// from the process; tests give their own.
struct clAppEnvironment {
  std::string exeFolder;                // the executable's folder, raw bytes
  std::string exeName;                  // the executable's file name, without folder
  std::string lockFolder;               // where the single-instance lock file lives
  std::optional<std::string> argument;  // the first command-line argument, raw bytes
  clFilePlatform* platform = nullptr;   // null: the platform of the running program
  // Where the settings live; the default is a portable copy's: beside the executable.
  bool exeFolderWritable = true;
  std::string configHome, documentsFolder;

  clSettingsLocation SettingsLocation() const;

  // Built from the running application (create the QApplication first) and its argv.
  static clAppEnvironment FromProcess(int argc, char** argv);

  // The user's runtime folder: $XDG_RUNTIME_DIR, or a private per-user folder.
  static std::string UserRuntimeFolder();
};
