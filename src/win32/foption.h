#pragma once

#include "platform/win32/clwindows.h"

#include "settings/cloptionmodel.h"
#include "settings/clsoftoption.h"

// "詳細設定": every setting of the record in one dialog, from the program's dialog
// template. Opening it loads the controls from the record, OK stores them back; Cancel
// and the close box change nothing. The record is edited in memory only.
class TfrmOption {
 public:
  explicit TfrmOption(clSoftOption& option) : option(option) {}

  // Shows the dialog modally, owned by `owner`; returns once it is closed.
  void ShowModal(HWND owner);

  void FormCreate();
  void FormShow();
  void btnOkClick();
  void btnCallSelectFileDialogClick();
  void chkCopyClipBoardFolderListClick();

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam);
  void AddHints();
  bool Checked(int id) const;
  void Check(int id, bool checked);
  void ApplyEnableRule();

  clSoftOption& option;
  clOptionModel model;
  HWND handle = nullptr;
};
