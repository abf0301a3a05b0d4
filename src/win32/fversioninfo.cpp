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

TfrmVersionInfo::TfrmVersionInfo() : clModalDialog(IDD_VERSIONINFO, Keys::Passed, IDOK) {}

TfrmVersionInfo::~TfrmVersionInfo() {
  if (nameFont != nullptr) ::DeleteObject(nameFont);
  if (versionFont != nullptr) ::DeleteObject(versionFont);
}

void TfrmVersionInfo::OnOpen() {
  clDialogFrame::LayOutInPixels(handle);
  clDialogFrame::SetProgramIcon(handle);
  clDialogFrame::SetOuterSize(handle, 320, 226);
  clDialogFrame::CentreOnOwner(handle);
  if (nameFont == nullptr) nameFont = BoldFont(13);
  if (versionFont == nullptr) versionFont = BoldFont(12);
  ::SendDlgItemMessageA(handle, IDC_VLABEL1, WM_SETFONT, reinterpret_cast<WPARAM>(nameFont), FALSE);
  ::SendDlgItemMessageA(handle, IDC_VLABEL2, WM_SETFONT, reinterpret_cast<WPARAM>(versionFont),
                        FALSE);
}

bool TfrmVersionInfo::OnCommand(int id, int) {
  // OK is the box's default button; Esc closes nothing.
  if (id != IDOK) return false;
  btnOKClick();
  return true;
}

void TfrmVersionInfo::btnOKClick() { End(IDOK); }
