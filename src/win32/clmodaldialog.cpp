#include "win32/clmodaldialog.h"

#include "win32/cldialogframe.h"
#include "win32/kdxresource.h"

void clModalDialog::ShowModal(HWND owner) {
  ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, DialogProc,
                    reinterpret_cast<LPARAM>(this));
  handle = nullptr;
}

void clModalDialog::End(int result) { ::EndDialog(handle, result); }

INT_PTR CALLBACK clModalDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    reinterpret_cast<clModalDialog*>(lParam)->handle = dialog;
  }
  auto* self = reinterpret_cast<clModalDialog*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  return self == nullptr ? FALSE : self->Handle(message, wParam);
}

INT_PTR clModalDialog::Handle(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnOpen();
      return TRUE;
    case WM_CLOSE:
      End(closeResult);
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam));
      return FALSE;
    case WM_COMMAND:
      if (keys == Keys::Ignored && clDialogFrame::IsKeyCommand(wParam)) return TRUE;
      switch (LOWORD(wParam)) {
        case IDC_BTNOK:
          OnOk();
          End(IDC_BTNOK);
          return TRUE;
        case IDC_BTNCANCEL:
          End(IDC_BTNCANCEL);
          return TRUE;
        default:
          return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
      }
    default:
      return FALSE;
  }
}
