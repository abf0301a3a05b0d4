#pragma once

#include "platform/win32/clwindows.h"

#include "settings/cleasyoptmodel.h"
#include "settings/clsoftoption.h"
#include "win32/clmodaldialog.h"

// "簡単設定": six check boxes that set the common output choices in one step. OK also
// puts every setting the dialog does not show, apart from the output folder and the
// short text form, back to its default. The record is edited in memory.
class TfrmEasyOpt : public clModalDialog {
 public:
  explicit TfrmEasyOpt(clSoftOption& option);

  void FormShow();
  void btnOkClick();
  void chkEasyCBTClick();
  void chkEasyCBEClick();

 private:
  void OnOpen() override;
  void OnOk() override;
  bool OnCommand(int id, int code) override;
  void TakeControls();
  void Check(int id, bool checked);

  clSoftOption& option;
  clEasyOptModel model;
};
