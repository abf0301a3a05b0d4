#include "win32/fversioninfo.h"

#include "win32/cldialogframe.h"
#include "win32/clwintext.h"
#include "win32/kdxresource.h"

namespace {

HFONT BoldFont(int pixels) {
  const std::string face = clWinText::ToAnsi("MS UI Gothic");
  return ::CreateFontA(-pixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

}  // namespace

TfrmVersionInfo::~TfrmVersionInfo() {
  if (nameFont != nullptr) ::DeleteObject(nameFont);
  if (versionFont != nullptr) ::DeleteObject(versionFont);
}

void TfrmVersionInfo::ShowModal(HWND owner) {
  ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VERSIONINFO), owner,
                    DialogProc, reinterpret_cast<LPARAM>(this));
  handle = nullptr;
}

INT_PTR CALLBACK TfrmVersionInfo::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    reinterpret_cast<TfrmVersionInfo*>(lParam)->handle = dialog;
  }
  auto* self = reinterpret_cast<TfrmVersionInfo*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  return self == nullptr ? FALSE : self->Handle(message, wParam);
}

INT_PTR TfrmVersionInfo::Handle(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      clDialogFrame::LayOutInPixels(handle);
      clDialogFrame::SetProgramIcon(handle);
      clDialogFrame::SetOuterSize(handle, 320, 226);
      clDialogFrame::CentreOnOwner(handle);
      if (nameFont == nullptr) nameFont = BoldFont(13);
      if (versionFont == nullptr) versionFont = BoldFont(12);
      ::SendDlgItemMessageA(handle, IDC_VLABEL1, WM_SETFONT, reinterpret_cast<WPARAM>(nameFont),
                            FALSE);
      ::SendDlgItemMessageA(handle, IDC_VLABEL2, WM_SETFONT, reinterpret_cast<WPARAM>(versionFont),
                            FALSE);
      return TRUE;
    case WM_CLOSE:
      ::EndDialog(handle, IDOK);
      return TRUE;
    case WM_COMMAND:
      // OK is the box's default button; Esc closes nothing.
      if (LOWORD(wParam) == IDOK) {
        btnOKClick();
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

void TfrmVersionInfo::btnOKClick() { ::EndDialog(handle, IDOK); }
