#pragma once

#include <string>
#include <vector>

// Where Setting.ini and the default output folder live, decided from plain facts about
// the running copy.
//
// A portable copy, one in a folder the user can write that is no install location,
// keeps both beside the executable. An installed copy (in an install location such as
// /usr/bin or /usr/local/bin, or in any folder the user cannot write) keeps Setting.ini
// in <config home>/KDX and writes to <documents>/FolderListOutput. The install
// locations are named, not guessed from the write permission alone: root may write
// /usr/bin, and its copy there is still an installed one.
class clSettingsLocation {
 public:
  struct Facts {
    std::string exeFolder;                    // the executable's folder
    bool exeFolderWritable = true;            // whether this user may create files in it
    std::string configHome;                   // $XDG_CONFIG_HOME, or ~/.config
    std::string documentsFolder;              // the user's documents folder, or the home folder
    std::vector<std::string> installFolders;  // further install locations (the build's
                                              // own install prefix's bin folder)
  };

  explicit clSettingsLocation(Facts facts);

  bool IsPortable() const { return portable; }

  // The folder that holds Setting.ini (to be created before a save), and the file.
  const std::string& SettingFolder() const { return settingFolder; }
  std::string SettingPath() const;

  // The folder the default output folder "FolderListOutput" is made in, and that folder.
  const std::string& OutputParent() const { return outputParent; }
  std::string DefaultOutputFolder() const;

  // Whether `folder` is one of the system's install locations or one of `extra`.
  static bool IsInstallFolder(const std::string& folder, const std::vector<std::string>& extra);

 private:
  bool portable;
  std::string settingFolder;
  std::string outputParent;
};
