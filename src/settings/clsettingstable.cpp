#include "settings/clsettingstable.h"

#include <stdexcept>

namespace {

using O = clSoftOption;

constexpr clSetting Bool(const char* key, bool byDefault, bool (O::*get)() const,
                         void (O::*set)(bool)) {
  return clSetting{key, clSettingKind::Bool, byDefault ? 1 : 0, get, set};
}

constexpr clSetting Integer(const char* key, int32_t byDefault, int32_t (O::*get)() const,
                            void (O::*set)(int32_t)) {
  clSetting setting{key, clSettingKind::Integer, byDefault};
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
    Bool("IS_SUB_FOLDER", true, &O::GetSubFolder, &O::SetSubFolder),
    Bool("IS_WIN_FOLDER", false, &O::GetWinFolder, &O::SetWinFolder),
    Bool("IS_HIDE_FILE", false, &O::GetHideFile, &O::SetHideFile),
    Bool("IS_READ_ONLY_FILE", false, &O::GetReadOnlyFile, &O::SetReadOnlyFile),
    Bool("IS_FOLDER_LIST_OUTPUT_CSV", true, &O::GetOutputCsv, &O::SetOutputCsv),
    Bool("IS_FOLDER_LIST_OUTPUT_TXT", true, &O::GetOutputTxt, &O::SetOutputTxt),
    Bool("IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT", false, &O::GetPreserveDialog,
         &O::SetPreserveDialog),
    String("IS_FOLDER_LIST_OUTPUT_FOLDER_PATH", &O::GetOutputFolderPath, &O::SetOutputFolderPath),
    Bool("IS_FOLDER_LIST_OUTPUT_CLIPBOARD", false, &O::GetOutputClipboard, &O::SetOutputClipboard),
    Bool("IS_FOLDER_LIST_OUTPUT_TXT_SHT", false, &O::GetTxtShort, &O::SetTxtShort),
    Bool("IS_FOLDER_LIST_OUTPUTMSG", true, &O::GetOutputMsg, &O::SetOutputMsg),
    Bool("IS_FOLDER_LIST_OUTPUTLOCATE", true, &O::GetOutputLocate, &O::SetOutputLocate),
    Bool("IS_FOLDER_LIST_OUTPUTCSVFILE", false, &O::GetOpenCsvFile, &O::SetOpenCsvFile),
    // Two underscores after LIST: the text files hold.
    Bool("IS_FOLDER_LIST__OUTPUTTXTFILE", false, &O::GetOpenTxtFile, &O::SetOpenTxtFile),
    Integer("IS_FOLDER_LIST_OUTPUTCBMODE", 0, &O::GetClipboardMode, &O::SetClipboardMode),
    Bool("IS_FOLDER_LIST_OUTPUTTIMEOUT", true, &O::GetTimeout, &O::SetTimeout),
    Integer("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", 10, &O::GetTimeoutSeconds, &O::SetTimeoutSeconds),
};

}  // namespace

const std::array<clSetting, 17>& clSettingsTable::Keys() { return kKeys; }

const clSetting& clSettingsTable::Find(const std::string& key) {
  for (const clSetting& setting : kKeys) {
    if (key == setting.key) return setting;
  }
  throw std::out_of_range("no setting " + key);
}

void clSettingsTable::SetDefault(clSoftOption& option, const std::string& key) {
  const clSetting& setting = Find(key);
  if (setting.kind == clSettingKind::Bool) (option.*setting.setBool)(setting.numberDefault != 0);
  if (setting.kind == clSettingKind::Integer) (option.*setting.setInteger)(setting.numberDefault);
}
