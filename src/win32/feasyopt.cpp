#include "win32/feasyopt.h"

#include "win32/clcheckfield.h"
#include "win32/cldialogframe.h"
#include "win32/kdxresource.h"

namespace {

// The check boxes and the model fields they show, copied both ways.
using clCheck = clCheckField<clEasyOptModel>;
constexpr clCheck kCheckFields[] = {
    {IDC_CHKEASYCSV, &clEasyOptModel::chkEasyCsv}, {IDC_CHKEASYTEXT, &clEasyOptModel::chkEasyText},
    {IDC_CHKEASYCBT, &clEasyOptModel::chkEasyCBT}, {IDC_CHKEASYCBE, &clEasyOptModel::chkEasyCBE},
    {IDC_CHKOPENMSG, &clEasyOptModel::chkOpenMsg}, {IDC_CHKOPENFILE, &clEasyOptModel::chkOpenFile},
};

}  // namespace

TfrmEasyOpt::TfrmEasyOpt(clSoftOption& option)
    : clModalDialog(IDD_EASYOPT, Keys::Ignored, IDC_BTNCANCEL), option(option) {}

void TfrmEasyOpt::OnOpen() {
  clDialogFrame::LayOutInPixels(handle);
  clDialogFrame::SetClientSize(handle, 283, 205);
  clDialogFrame::MoveTo(handle, 269, 106);  // a fixed place on the screen, not centred
  FormShow();
}

void TfrmEasyOpt::OnOk() { btnOkClick(); }

bool TfrmEasyOpt::OnCommand(int id, int code) {
  switch (id) {
    case IDC_CHKEASYCBT:
      if (code == BN_CLICKED) chkEasyCBTClick();
      return true;
    case IDC_CHKEASYCBE:
      if (code == BN_CLICKED) chkEasyCBEClick();
      return true;
    default:
      return false;
  }
}

void TfrmEasyOpt::Check(int id, bool checked) {
  ::CheckDlgButton(handle, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void TfrmEasyOpt::FormShow() {
  // The model has applied the exclusion of the clipboard boxes as it set them.
  model.FormShow(option);
  clCheck::Show(handle, model, kCheckFields);
}

void TfrmEasyOpt::TakeControls() { clCheck::Take(handle, model, kCheckFields); }

void TfrmEasyOpt::btnOkClick() {
  TakeControls();
  model.btnOkClick(option);
}

void TfrmEasyOpt::chkEasyCBTClick() {
  TakeControls();
  model.chkEasyCBTClick();
  Check(IDC_CHKEASYCBE, model.chkEasyCBE);
}

void TfrmEasyOpt::chkEasyCBEClick() {
  TakeControls();
  model.chkEasyCBEClick();
  Check(IDC_CHKEASYCBT, model.chkEasyCBT);
}
