#pragma once

#include "platform/win32/clwindows.h"

#include "settings/cloptionmodel.h"
#include "settings/clsoftoption.h"
#include "win32/clmodaldialog.h"

// "詳細設定": every setting of the record in one dialog, from the program's dialog
// template. Opening it loads the controls from the record, OK stores them back; Cancel
// and the close box change nothing. The record is edited in memory only.
class TfrmOption : public clModalDialog {
 public:
  explicit TfrmOption(clSoftOption& option);

  void FormCreate();
  void FormShow();
  void btnOkClick();
  void btnCallSelectFileDialogClick();
  void chkCopyClipBoardFolderListClick();

 private:
  void OnOpen() override;
  void OnOk() override;
  bool OnCommand(int id, int code) override;
  void AddHints();
  bool Checked(int id) const;
  void Check(int id, bool checked);
  void ApplyEnableRule();

  clSoftOption& option;
  clOptionModel model;
};
