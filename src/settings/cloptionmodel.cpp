#include "settings/cloptionmodel.h"

#include <algorithm>
#include <cstdint>

#include "settings/clcalledwindialog.h"
#include "settings/clclipboardform.h"
#include "settings/clrelatedansistring.h"
#include "settings/clusertexts.h"

void clOptionModel::FormShow(const clSoftOption& option) {
  chkIsSubForder = option.GetSubFolder();
  chkIsWinFolder = option.GetWinFolder();
  chkIsHiddenFolder = option.GetHideFile();
  chkIsReadOnlyFolder = option.GetReadOnlyFile();
  chkOutputFolderListCSV = option.GetOutputCsv();
  chkOutputFolderListTXT = option.GetOutputTxt();
  chkDispPreserveDialogWhenOutput = option.GetPreserveDialog();
  edtFolderListOutputFolder = option.GetOutputFolderPath();
  chkCopyClipBoardFolderList = option.GetOutputClipboard();
  chkCopyClipBoardFolderListClick();
  chkShortText = option.GetTxtShort();
  chkMsg = option.GetOutputMsg();
  chkOpenLocate = option.GetOutputLocate();
  chkOpenCsv = option.GetOpenCsvFile();
  chkOpenTxt = option.GetOpenTxtFile();
  rgbFormatCB = std::clamp(option.GetClipboardMode(), -1, clClipboardMode(clClipboardForm::Table));
  chkTimeout = option.GetTimeout();
  // The whole number, even beyond the four digits that can be typed.
  edtTimeout = std::to_string(option.GetTimeoutSeconds());
}

void clOptionModel::btnOkClick(clSoftOption& option) const {
  option.SetSubFolder(chkIsSubForder);
  option.SetWinFolder(chkIsWinFolder);
  option.SetHideFile(chkIsHiddenFolder);
  option.SetReadOnlyFile(chkIsReadOnlyFolder);
  option.SetOutputCsv(chkOutputFolderListCSV);
  option.SetOutputTxt(chkOutputFolderListTXT);
  option.SetPreserveDialog(chkDispPreserveDialogWhenOutput);
  option.SetOutputFolderPath(edtFolderListOutputFolder);  // as typed: not trimmed, maybe empty
  option.SetOutputClipboard(chkCopyClipBoardFolderList);
  option.SetTxtShort(chkShortText);
  option.SetOutputMsg(chkMsg);
  option.SetOutputLocate(chkOpenLocate);
  option.SetOpenCsvFile(chkOpenCsv);
  option.SetOpenTxtFile(chkOpenTxt);
  option.SetClipboardMode(rgbFormatCB);  // also while the group is disabled
  option.SetTimeout(chkTimeout);
  // Empty or non-numeric text stores 0: a read then runs without a time-out.
  int32_t seconds = 0;
  clRelatedAnsiString converter;
  if (!converter.ToInt(edtTimeout, seconds)) seconds = 0;
  option.SetTimeoutSeconds(seconds);
}

void clOptionModel::chkCopyClipBoardFolderListClick() {
  rgbFormatCBEnabled = chkCopyClipBoardFolderList;
}

std::string clOptionModel::btnCallSelectFileDialogClick(const clSoftOption& option,
                                                        clFolderChooser& chooser) {
  clCalledWinDialog dialog;
  dialog.SetTitle(clUserTexts::kOutputFolderTitle);
  dialog.SetInitialFolder(option.GetOutputFolderPath());
  dialog.Execute(chooser);
  return dialog.GetFolderPath();
}
