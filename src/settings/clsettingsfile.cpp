#include "settings/clsettingsfile.h"

#include "platform/clpath.h"
#include "settings/clinifile.h"
#include "settings/clsettingstable.h"

std::string clSettingsFile::PathIn(const std::string& exeFolder) {
  return clPath::JoinInside(exeFolder, kSettingFileName);
}

bool clSettingsFile::Load(clSoftOption& option, clFilePlatform& platform,
                          const std::string& iniPath, const std::string& exeFolder) {
  std::string text;
  if (platform.ReadWholeFile(iniPath, text) != clFileRead::Read) text.clear();
  const clIniFile ini(text);
  const char* const section = clSettingsTable::kSection;
  for (const clSetting& setting : clSettingsTable::Keys()) {
    switch (setting.kind) {
      case clSettingKind::Bool:
        (option.*setting.setBool)(ini.ReadBool(section, setting.key, setting.numberDefault != 0));
        break;
      case clSettingKind::Integer:
        (option.*setting.setInteger)(ini.ReadInteger(section, setting.key, setting.numberDefault));
        break;
      case clSettingKind::String:
        // The default output folder, beside the executable.
        (option.*setting.setString)(
            ini.ReadString(section, setting.key, clPath::JoinInside(exeFolder, kFolderListOutput)));
        break;
    }
  }
  return true;
}

bool clSettingsFile::Save(const clSoftOption& option, clFilePlatform& platform,
                          const std::string& iniPath) {
  const clSettingsWriteError failure(clPath::ForDisplay(iniPath) + " に書き込めません");
  std::string text;
  // Never overwrite what could not be read.
  if (platform.ReadWholeFile(iniPath, text) == clFileRead::Failed) throw failure;

  clIniFile ini(text);
  const char* const section = clSettingsTable::kSection;
  bool allStored = true;
  for (const clSetting& setting : clSettingsTable::Keys()) {
    switch (setting.kind) {
      case clSettingKind::Bool:
        ini.WriteBool(section, setting.key, (option.*setting.getBool)());
        break;
      case clSettingKind::Integer:
        ini.WriteInteger(section, setting.key, (option.*setting.getInteger)());
        break;
      case clSettingKind::String:
        // The one value an INI line may refuse: a folder path with a line break. The key
        // keeps the value it has in the file; every other key is still saved.
        if (!ini.WriteString(section, setting.key, (option.*setting.getString)())) {
          allStored = false;
        }
        break;
    }
  }

  // A file marked read-only, or one we may not write, keeps its settings.
  if (!platform.ReplaceFile(iniPath, ini.GetText())) throw failure;
  return allStored;
}
