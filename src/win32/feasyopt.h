#pragma once

#include "platform/win32/clwindows.h"

#include "settings/cleasyoptmodel.h"
#include "settings/clsoftoption.h"

// "簡単設定": six check boxes that set the common output choices in one step. OK also
// puts every setting the dialog does not show, apart from the output folder and the
// short text form, back to its default. The record is edited in memory.
class TfrmEasyOpt {
 public:
  explicit TfrmEasyOpt(clSoftOption& option) : option(option) {}

  void ShowModal(HWND owner);

  void FormShow();
  void btnOkClick();
  void chkEasyCBTClick();
  void chkEasyCBEClick();

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam);
  void TakeControls();
  void Check(int id, bool checked);

  clSoftOption& option;
  clEasyOptModel model;
  HWND handle = nullptr;
};
