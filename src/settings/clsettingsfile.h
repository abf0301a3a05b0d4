#pragma once

#include <stdexcept>
#include <string>

#include "platform/clfileplatform.h"
#include "settings/clsoftoption.h"

// The default output folder's name, beside the executable.
inline constexpr const char* kFolderListOutput = "FolderListOutput";
inline constexpr const char* kSettingFileName = "Setting.ini";

// A save that could not be completed; what() is the file's path followed by
// " に書き込めません". The file on disk is then unchanged.
class clSettingsWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Loading and saving the settings record in Setting.ini, section SETTING.
class clSettingsFile {
 public:
  // exeFolder + "/" + "Setting.ini".
  static std::string PathIn(const std::string& exeFolder);

  // Reads the seventeen keys in order, each missing or unreadable key taking its
  // default; the default output folder is exeFolder + "/" + "FolderListOutput".
  // Creates no file. Always returns true.
  static bool Load(clSoftOption& option, clFilePlatform& platform, const std::string& iniPath,
                   const std::string& exeFolder);

  // Writes the seventeen keys in order, keeping every other line and section. The new
  // file replaces the old one in one step; on failure throws clSettingsWriteError.
  // Returns false when a value could not be stored as one line (an output folder with a
  // line break): the file then holds every other key, and that key its previous value.
  static bool Save(const clSoftOption& option, clFilePlatform& platform,
                   const std::string& iniPath);
};
