#include "settings/cleasyoptmodel.h"

#include <cstdint>

#include "settings/clsettingstable.h"

namespace {

constexpr int32_t kClipboardText = 0;
constexpr int32_t kClipboardTable = 1;

// What OK puts back to the defaults of a fresh installation.
const char* const kResetKeys[] = {
    "IS_SUB_FOLDER",
    "IS_WIN_FOLDER",
    "IS_HIDE_FILE",
    "IS_READ_ONLY_FILE",
    "IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT",
    "IS_FOLDER_LIST_OUTPUTLOCATE",
    "IS_FOLDER_LIST_OUTPUTTIMEOUT",
    "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM",
};

}  // namespace

void clEasyOptModel::FormShow(const clSoftOption& option) {
  chkEasyCsv = option.GetOutputCsv();
  chkEasyText = option.GetOutputTxt();
  // Any clipboard form other than text or table checks neither box.
  const bool clipboard = option.GetOutputClipboard();
  chkEasyCBT = clipboard && option.GetClipboardMode() == kClipboardText;
  chkEasyCBTClick();
  chkEasyCBE = clipboard && option.GetClipboardMode() == kClipboardTable;
  chkEasyCBEClick();
  chkOpenMsg = option.GetOutputMsg();
  chkOpenFile = option.GetOpenCsvFile() || option.GetOpenTxtFile();
}

void clEasyOptModel::btnOkClick(clSoftOption& option) const {
  option.SetOutputCsv(chkEasyCsv);
  option.SetOutputTxt(chkEasyText);
  if (chkEasyCBT) {
    option.SetOutputClipboard(true);
    option.SetClipboardMode(kClipboardText);
  } else if (chkEasyCBE) {
    option.SetOutputClipboard(true);
    option.SetClipboardMode(kClipboardTable);
  } else {
    // The form is kept, so the detailed dialog still shows it.
    option.SetOutputClipboard(false);
  }
  option.SetOutputMsg(chkOpenMsg);
  option.SetOpenCsvFile(chkOpenFile);
  option.SetOpenTxtFile(chkOpenFile);
  for (const char* key : kResetKeys) clSettingsTable::SetDefault(option, key);
}

void clEasyOptModel::chkEasyCBTClick() {
  if (chkEasyCBT) chkEasyCBE = false;
}

void clEasyOptModel::chkEasyCBEClick() {
  if (chkEasyCBE) chkEasyCBT = false;
}
