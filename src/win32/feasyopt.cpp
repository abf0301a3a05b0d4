#include "win32/feasyopt.h"

#include "win32/cldialogframe.h"
#include "win32/kdxresource.h"

namespace {

// The check boxes and the model fields they show, copied both ways.
struct clCheckField {
  int id;
  bool clEasyOptModel::*field;
};
constexpr clCheckField kCheckFields[] = {
    {IDC_CHKEASYCSV, &clEasyOptModel::chkEasyCsv}, {IDC_CHKEASYTEXT, &clEasyOptModel::chkEasyText},
    {IDC_CHKEASYCBT, &clEasyOptModel::chkEasyCBT}, {IDC_CHKEASYCBE, &clEasyOptModel::chkEasyCBE},
    {IDC_CHKOPENMSG, &clEasyOptModel::chkOpenMsg}, {IDC_CHKOPENFILE, &clEasyOptModel::chkOpenFile},
};

}  // namespace

void TfrmEasyOpt::ShowModal(HWND owner) {
  ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EASYOPT), owner, DialogProc,
                    reinterpret_cast<LPARAM>(this));
  handle = nullptr;
}

INT_PTR CALLBACK TfrmEasyOpt::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    reinterpret_cast<TfrmEasyOpt*>(lParam)->handle = dialog;
  }
  auto* self = reinterpret_cast<TfrmEasyOpt*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  return self == nullptr ? FALSE : self->Handle(message, wParam);
}

INT_PTR TfrmEasyOpt::Handle(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      clDialogFrame::LayOutInPixels(handle);
      clDialogFrame::SetClientSize(handle, 283, 205);
      clDialogFrame::MoveTo(handle, 269, 106);  // a fixed place on the screen, not centred
      FormShow();
      return TRUE;
    case WM_CLOSE:
      ::EndDialog(handle, IDC_BTNCANCEL);
      return TRUE;
    case WM_COMMAND:
      if (clDialogFrame::IsKeyCommand(wParam)) return TRUE;
      switch (LOWORD(wParam)) {
        case IDC_BTNOK:
          btnOkClick();
          ::EndDialog(handle, IDC_BTNOK);
          return TRUE;
        case IDC_BTNCANCEL:
          ::EndDialog(handle, IDC_BTNCANCEL);
          return TRUE;
        case IDC_CHKEASYCBT:
          if (HIWORD(wParam) == BN_CLICKED) chkEasyCBTClick();
          return TRUE;
        case IDC_CHKEASYCBE:
          if (HIWORD(wParam) == BN_CLICKED) chkEasyCBEClick();
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

void TfrmEasyOpt::Check(int id, bool checked) {
  ::CheckDlgButton(handle, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void TfrmEasyOpt::FormShow() {
  // The model has applied the exclusion of the clipboard boxes as it set them.
  model.FormShow(option);
  for (const clCheckField& check : kCheckFields) Check(check.id, model.*check.field);
}

void TfrmEasyOpt::TakeControls() {
  for (const clCheckField& check : kCheckFields) {
    model.*check.field = ::IsDlgButtonChecked(handle, check.id) == BST_CHECKED;
  }
}

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
