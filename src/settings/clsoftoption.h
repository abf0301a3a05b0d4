#pragma once

#include <cstdint>
#include <string>
#include <utility>

// The settings record: seventeen plain values, loaded from Setting.ini at start,
// edited by the settings dialogs and saved at exit. It enforces no invariant:
// whoever uses a value decides what an out-of-range value means. A new record holds
// false, 0 and an empty folder until it is loaded; the values of a fresh installation,
// and which key fills which member, are clSettingsTable's.
class clSoftOption {
 public:
  clSoftOption() = default;
  bool operator==(const clSoftOption&) const = default;

  bool GetSubFolder() const { return subFolder; }
  void SetSubFolder(bool value) { subFolder = value; }
  bool GetWinFolder() const { return winFolder; }
  void SetWinFolder(bool value) { winFolder = value; }
  bool GetHideFile() const { return hideFile; }
  void SetHideFile(bool value) { hideFile = value; }
  bool GetReadOnlyFile() const { return readOnlyFile; }
  void SetReadOnlyFile(bool value) { readOnlyFile = value; }
  bool GetOutputCsv() const { return outputCsv; }
  void SetOutputCsv(bool value) { outputCsv = value; }
  bool GetOutputTxt() const { return outputTxt; }
  void SetOutputTxt(bool value) { outputTxt = value; }
  bool GetPreserveDialog() const { return preserveDialog; }
  void SetPreserveDialog(bool value) { preserveDialog = value; }
  std::string GetOutputFolderPath() const { return outputFolderPath; }
  void SetOutputFolderPath(std::string value) { outputFolderPath = std::move(value); }
  bool GetOutputClipboard() const { return outputClipboard; }
  void SetOutputClipboard(bool value) { outputClipboard = value; }
  bool GetTxtShort() const { return txtShort; }
  void SetTxtShort(bool value) { txtShort = value; }
  bool GetOutputMsg() const { return outputMsg; }
  void SetOutputMsg(bool value) { outputMsg = value; }
  bool GetOutputLocate() const { return outputLocate; }
  void SetOutputLocate(bool value) { outputLocate = value; }
  bool GetOpenCsvFile() const { return openCsvFile; }
  void SetOpenCsvFile(bool value) { openCsvFile = value; }
  bool GetOpenTxtFile() const { return openTxtFile; }
  void SetOpenTxtFile(bool value) { openTxtFile = value; }
  int32_t GetClipboardMode() const { return clipboardMode; }
  void SetClipboardMode(int32_t value) { clipboardMode = value; }
  bool GetTimeout() const { return timeout; }
  void SetTimeout(bool value) { timeout = value; }
  int32_t GetTimeoutSeconds() const { return timeoutSeconds; }
  void SetTimeoutSeconds(int32_t value) { timeoutSeconds = value; }

 private:
  bool subFolder = false;
  bool winFolder = false;
  bool hideFile = false;
  bool readOnlyFile = false;
  bool outputCsv = false;
  bool outputTxt = false;
  bool preserveDialog = false;
  std::string outputFolderPath;
  bool outputClipboard = false;
  bool txtShort = false;
  bool outputMsg = false;
  bool outputLocate = false;
  bool openCsvFile = false;
  bool openTxtFile = false;
  int32_t clipboardMode = 0;
  bool timeout = false;
  int32_t timeoutSeconds = 0;
};
