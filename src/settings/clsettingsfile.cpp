#include "settings/clsettingsfile.h"

#include "platform/clpath.h"
#include "settings/clinifile.h"

namespace {

constexpr const char* kSection = "SETTING";
constexpr const char* kSubFolder = "IS_SUB_FOLDER";
constexpr const char* kWinFolder = "IS_WIN_FOLDER";
constexpr const char* kHideFile = "IS_HIDE_FILE";
constexpr const char* kReadOnlyFile = "IS_READ_ONLY_FILE";
constexpr const char* kOutputCsv = "IS_FOLDER_LIST_OUTPUT_CSV";
constexpr const char* kOutputTxt = "IS_FOLDER_LIST_OUTPUT_TXT";
constexpr const char* kPreserveDialog = "IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT";
constexpr const char* kOutputFolderPath = "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH";
constexpr const char* kOutputClipboard = "IS_FOLDER_LIST_OUTPUT_CLIPBOARD";
constexpr const char* kTxtShort = "IS_FOLDER_LIST_OUTPUT_TXT_SHT";
constexpr const char* kOutputMsg = "IS_FOLDER_LIST_OUTPUTMSG";
constexpr const char* kOutputLocate = "IS_FOLDER_LIST_OUTPUTLOCATE";
constexpr const char* kOpenCsvFile = "IS_FOLDER_LIST_OUTPUTCSVFILE";
constexpr const char* kOpenTxtFile = "IS_FOLDER_LIST__OUTPUTTXTFILE";  // two underscores
constexpr const char* kClipboardMode = "IS_FOLDER_LIST_OUTPUTCBMODE";
constexpr const char* kTimeout = "IS_FOLDER_LIST_OUTPUTTIMEOUT";
constexpr const char* kTimeoutSeconds = "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM";

}  // namespace

std::string clSettingsFile::PathIn(const std::string& exeFolder) {
  return clPath::JoinInside(exeFolder, kSettingFileName);
}

bool clSettingsFile::Load(clSoftOption& option, clFilePlatform& platform,
                          const std::string& iniPath, const std::string& exeFolder) {
  std::string text;
  if (platform.ReadWholeFile(iniPath, text) != clFileRead::Read) text.clear();
  const clIniFile ini(text);
  option.SetSubFolder(ini.ReadBool(kSection, kSubFolder, true));
  option.SetWinFolder(ini.ReadBool(kSection, kWinFolder, false));
  option.SetHideFile(ini.ReadBool(kSection, kHideFile, false));
  option.SetReadOnlyFile(ini.ReadBool(kSection, kReadOnlyFile, false));
  option.SetOutputCsv(ini.ReadBool(kSection, kOutputCsv, true));
  option.SetOutputTxt(ini.ReadBool(kSection, kOutputTxt, true));
  option.SetPreserveDialog(ini.ReadBool(kSection, kPreserveDialog, false));
  const std::string defaultOutput = clPath::JoinInside(exeFolder, kFolderListOutput);
  option.SetOutputFolderPath(ini.ReadString(kSection, kOutputFolderPath, defaultOutput));
  option.SetOutputClipboard(ini.ReadBool(kSection, kOutputClipboard, false));
  option.SetTxtShort(ini.ReadBool(kSection, kTxtShort, false));
  option.SetOutputMsg(ini.ReadBool(kSection, kOutputMsg, true));
  option.SetOutputLocate(ini.ReadBool(kSection, kOutputLocate, true));
  option.SetOpenCsvFile(ini.ReadBool(kSection, kOpenCsvFile, false));
  option.SetOpenTxtFile(ini.ReadBool(kSection, kOpenTxtFile, false));
  option.SetClipboardMode(ini.ReadInteger(kSection, kClipboardMode, 0));
  option.SetTimeout(ini.ReadBool(kSection, kTimeout, true));
  option.SetTimeoutSeconds(ini.ReadInteger(kSection, kTimeoutSeconds, 10));
  return true;
}

bool clSettingsFile::Save(const clSoftOption& option, clFilePlatform& platform,
                          const std::string& iniPath) {
  const clSettingsWriteError failure(iniPath + " に書き込めません");
  std::string text;
  // Never overwrite what could not be read.
  if (platform.ReadWholeFile(iniPath, text) == clFileRead::Failed) throw failure;

  clIniFile ini(text);
  ini.WriteBool(kSection, kSubFolder, option.GetSubFolder());
  ini.WriteBool(kSection, kWinFolder, option.GetWinFolder());
  ini.WriteBool(kSection, kHideFile, option.GetHideFile());
  ini.WriteBool(kSection, kReadOnlyFile, option.GetReadOnlyFile());
  ini.WriteBool(kSection, kOutputCsv, option.GetOutputCsv());
  ini.WriteBool(kSection, kOutputTxt, option.GetOutputTxt());
  ini.WriteBool(kSection, kPreserveDialog, option.GetPreserveDialog());
  // The one value an INI line may refuse: a folder path with a line break.
  if (!ini.WriteString(kSection, kOutputFolderPath, option.GetOutputFolderPath())) throw failure;
  ini.WriteBool(kSection, kOutputClipboard, option.GetOutputClipboard());
  ini.WriteBool(kSection, kTxtShort, option.GetTxtShort());
  ini.WriteBool(kSection, kOutputMsg, option.GetOutputMsg());
  ini.WriteBool(kSection, kOutputLocate, option.GetOutputLocate());
  ini.WriteBool(kSection, kOpenCsvFile, option.GetOpenCsvFile());
  ini.WriteBool(kSection, kOpenTxtFile, option.GetOpenTxtFile());
  ini.WriteInteger(kSection, kClipboardMode, option.GetClipboardMode());
  ini.WriteBool(kSection, kTimeout, option.GetTimeout());
  ini.WriteInteger(kSection, kTimeoutSeconds, option.GetTimeoutSeconds());

  // A file marked read-only, or one we may not write, keeps its settings.
  if (!platform.ReplaceFile(iniPath, ini.GetText())) throw failure;
  return true;
}
