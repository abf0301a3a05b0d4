#include "win32/fversioninfo.h"

#include "win32/cldialogframe.h"
#include "win32/cldpi.h"
#include "win32/clwintext.h"
#include "win32/kdxresource.h"

namespace {

// `pixels` high at 96 DPI, scaled to the dialog's.
HFONT BoldFont(int pixels, UINT dpi) {
  const std::string face = clWinText::ToAnsi("MS UI Gothic");
  return ::CreateFontA(-clDpi::Scale(pixels, dpi), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
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
  SetFonts(clDpi::ForWindow(handle));
}

void TfrmVersionInfo::SetFonts(UINT dpi) {
  HFONT name = BoldFont(13, dpi);
  HFONT version = BoldFont(12, dpi);
  ::SendDlgItemMessageA(handle, IDC_VLABEL1, WM_SETFONT, reinterpret_cast<WPARAM>(name), TRUE);
  ::SendDlgItemMessageA(handle, IDC_VLABEL2, WM_SETFONT, reinterpret_cast<WPARAM>(version), TRUE);
  if (nameFont != nullptr) ::DeleteObject(nameFont);
  if (versionFont != nullptr) ::DeleteObject(versionFont);
  nameFont = name;
  versionFont = version;
}

bool TfrmVersionInfo::OnCommand(int id, int) {
  // OK is the box's default button; Esc closes nothing.
  if (id != IDOK) return false;
  btnOKClick();
  return true;
}

void TfrmVersionInfo::btnOKClick() { End(IDOK); }
