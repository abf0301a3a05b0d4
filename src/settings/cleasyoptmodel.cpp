#include "settings/cleasyoptmodel.h"

#include <cstdint>

#include "settings/clclipboardform.h"
#include "settings/clsettingstable.h"

namespace {

constexpr int32_t kClipboardText = clClipboardMode(clClipboardForm::Text);
constexpr int32_t kClipboardTable = clClipboardMode(clClipboardForm::Table);

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
  // What the dialog does not show goes back to the defaults of a fresh installation.
  for (const clSetting& setting : clSettingsTable::Keys()) {
    if (setting.easyResets) clSettingsTable::SetDefault(option, setting);
  }
}

void clEasyOptModel::chkEasyCBTClick() {
  if (chkEasyCBT) chkEasyCBE = false;
}

void clEasyOptModel::chkEasyCBEClick() {
  if (chkEasyCBE) chkEasyCBT = false;
}
