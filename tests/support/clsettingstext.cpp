#include "clsettingstext.h"

#include "settings/clsettingstable.h"

std::string SettingsText(const std::string& outputFolder,
                         const std::map<std::string, std::string>& overrides) {
  for (const auto& [key, value] : overrides) clSettingsTable::Find(key);
  const clSoftOption defaults = clSettingsTable::Defaults(outputFolder);
  std::string text = std::string("[") + clSettingsTable::kSection + "]\r\n";
  for (const clSetting& setting : clSettingsTable::Keys()) {
    const auto found = overrides.find(setting.key);
    text += std::string(setting.key) + "=" +
            (found != overrides.end() ? found->second : clSettingsTable::Text(defaults, setting)) +
            "\r\n";
  }
  return text;
}

std::string QuietSettingsText(const std::string& outputFolder,
                              const std::map<std::string, std::string>& overrides) {
  std::map<std::string, std::string> quiet = {
      {"IS_FOLDER_LIST_OUTPUTLOCATE", "0"},
      {"IS_FOLDER_LIST_OUTPUTTIMEOUT", "0"},
  };
  for (const auto& [key, value] : overrides) quiet[key] = value;
  return SettingsText(outputFolder, quiet);
}
