#include "settings/clsettingstable.h"

#include <stdexcept>

#include "settings/clclipboardform.h"

namespace {

using O = clSoftOption;

// Whether OK in the easy dialog puts a key back to its default: all that the dialog does
// not show, but the output folder and the short text form.
constexpr bool kEasyResets = true;
constexpr bool kEasyKeeps = false;

constexpr clSetting Bool(const char* key, bool byDefault, bool easy, bool (O::*get)() const,
                         void (O::*set)(bool)) {
  return clSetting{key, clSettingKind::Bool, byDefault ? 1 : 0, easy, get, set};
}

constexpr clSetting Integer(const char* key, int32_t byDefault, bool easy,
                            int32_t (O::*get)() const, void (O::*set)(int32_t)) {
  clSetting setting{key, clSettingKind::Integer, byDefault, easy};
  setting.getInteger = get;
  setting.setInteger = set;
  return setting;
}

constexpr clSetting String(const char* key, std::string (O::*get)() const,
                           void (O::*set)(std::string)) {
  clSetting setting{key, clSettingKind::String};
  setting.getString = get;
  setting.setString = set;
  return setting;
}

const std::array<clSetting, 17> kKeys = {
    Bool("IS_SUB_FOLDER", true, kEasyResets, &O::GetSubFolder, &O::SetSubFolder),
    Bool("IS_WIN_FOLDER", false, kEasyResets, &O::GetWinFolder, &O::SetWinFolder),
    Bool("IS_HIDE_FILE", false, kEasyResets, &O::GetHideFile, &O::SetHideFile),
    Bool("IS_READ_ONLY_FILE", false, kEasyResets, &O::GetReadOnlyFile, &O::SetReadOnlyFile),
    Bool("IS_FOLDER_LIST_OUTPUT_CSV", true, kEasyKeeps, &O::GetOutputCsv, &O::SetOutputCsv),
    Bool("IS_FOLDER_LIST_OUTPUT_TXT", true, kEasyKeeps, &O::GetOutputTxt, &O::SetOutputTxt),
    Bool("IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT", false, kEasyResets, &O::GetPreserveDialog,
         &O::SetPreserveDialog),
    String("IS_FOLDER_LIST_OUTPUT_FOLDER_PATH", &O::GetOutputFolderPath, &O::SetOutputFolderPath),
    Bool("IS_FOLDER_LIST_OUTPUT_CLIPBOARD", false, kEasyKeeps, &O::GetOutputClipboard,
         &O::SetOutputClipboard),
    Bool("IS_FOLDER_LIST_OUTPUT_TXT_SHT", false, kEasyKeeps, &O::GetTxtShort, &O::SetTxtShort),
    Bool("IS_FOLDER_LIST_OUTPUTMSG", true, kEasyKeeps, &O::GetOutputMsg, &O::SetOutputMsg),
    Bool("IS_FOLDER_LIST_OUTPUTLOCATE", true, kEasyResets, &O::GetOutputLocate,
         &O::SetOutputLocate),
    Bool("IS_FOLDER_LIST_OUTPUTCSVFILE", false, kEasyKeeps, &O::GetOpenCsvFile, &O::SetOpenCsvFile),
    // Two underscores after LIST: the text files hold.
    Bool("IS_FOLDER_LIST__OUTPUTTXTFILE", false, kEasyKeeps, &O::GetOpenTxtFile,
         &O::SetOpenTxtFile),
    Integer("IS_FOLDER_LIST_OUTPUTCBMODE", clClipboardMode(clClipboardForm::Text), kEasyKeeps,
            &O::GetClipboardMode, &O::SetClipboardMode),
    Bool("IS_FOLDER_LIST_OUTPUTTIMEOUT", true, kEasyResets, &O::GetTimeout, &O::SetTimeout),
    Integer("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", 10, kEasyResets, &O::GetTimeoutSeconds,
            &O::SetTimeoutSeconds),
};

}  // namespace

const std::array<clSetting, 17>& clSettingsTable::Keys() { return kKeys; }

const clSetting& clSettingsTable::Find(const std::string& key) {
  for (const clSetting& setting : kKeys) {
    if (key == setting.key) return setting;
  }
  throw std::out_of_range("no setting " + key);
}

void clSettingsTable::SetDefault(clSoftOption& option, const clSetting& setting) {
  if (setting.kind == clSettingKind::Bool) (option.*setting.setBool)(setting.numberDefault != 0);
  if (setting.kind == clSettingKind::Integer) (option.*setting.setInteger)(setting.numberDefault);
}

clSoftOption clSettingsTable::Defaults(const std::string& outputFolder) {
  clSoftOption option;
  for (const clSetting& setting : kKeys) {
    SetDefault(option, setting);
    if (setting.kind == clSettingKind::String) (option.*setting.setString)(outputFolder);
  }
  return option;
}

std::string clSettingsTable::Text(const clSoftOption& option, const clSetting& setting) {
  switch (setting.kind) {
    case clSettingKind::Bool:
      return (option.*setting.getBool)() ? "1" : "0";
    case clSettingKind::Integer:
      return std::to_string((option.*setting.getInteger)());
    case clSettingKind::String:
      break;
  }
  return (option.*setting.getString)();
}
