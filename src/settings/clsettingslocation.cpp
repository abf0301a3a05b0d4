#include "settings/clsettingslocation.h"

#include <algorithm>
#include <utility>

#include "platform/clpath.h"
#include "settings/clsettingsfile.h"

namespace {

// The folders programs are installed into on a Linux system.
const char* const kInstallFolders[] = {
    "/usr/bin", "/usr/sbin",  "/usr/local/bin",   "/usr/local/sbin", "/bin",
    "/sbin",    "/usr/games", "/usr/local/games", "/snap/bin",       "/app/bin",
};

std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

// Without the user's configuration folder (a profile folder that cannot be found), an
// installed copy keeps its settings beside itself as a portable one does, where a failed
// save is said, rather than at the root of whatever drive is current.
clSettingsLocation::clSettingsLocation(Facts facts)
    : portable(
          (facts.exeFolderWritable && !IsInstallFolder(facts.exeFolder, facts.installFolders)) ||
          facts.configHome.empty()) {
  if (portable) {
    settingFolder = facts.exeFolder;
    outputParent = std::move(facts.exeFolder);
  } else {
    settingFolder = clPath::JoinInside(facts.configHome, "KDX");
    outputParent = std::move(facts.documentsFolder);
  }
}

std::string clSettingsLocation::SettingPath() const {
  return clSettingsFile::PathIn(settingFolder);
}

std::string clSettingsLocation::DefaultOutputFolder() const {
  return clPath::JoinInside(outputParent, kFolderListOutput);
}

bool clSettingsLocation::IsInstallFolder(const std::string& folder,
                                         const std::vector<std::string>& extra) {
  const std::string plain = WithoutTrailingSlashes(folder);
  if (plain.empty()) return false;
  const auto matches = [&plain](const std::string& candidate) {
    return !candidate.empty() && WithoutTrailingSlashes(candidate) == plain;
  };
  return std::any_of(std::begin(kInstallFolders), std::end(kInstallFolders), matches) ||
         std::any_of(extra.begin(), extra.end(), matches);
}
