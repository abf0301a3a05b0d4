#include "win32/foption.h"

#include <commctrl.h>
#include <imm.h>

#include <string>
#include <vector>

#include "settings/clclipboardform.h"
#include "settings/clusertexts.h"
#include "win32/clcheckfield.h"
#include "win32/cldialogframe.h"
#include "win32/cldpi.h"
#include "win32/clfolderbrowser.h"
#include "win32/clwintext.h"
#include "win32/kdxresource.h"

namespace {

constexpr int kClientWidth = 532;
constexpr int kClientHeight = 453;
// The user may type at most this many digits into the time-out box.
constexpr int kTimeoutTypedDigits = 4;

// The controls that show a hint, with the names their hints go by. A group box lets the
// mouse through to what lies under it, so the radio group's hint sits on its two buttons
// as well as on the box.
struct clHinted {
  int id;
  const char* control;
};
constexpr clHinted kHinted[] = {
    {IDC_CHKISSUBFORDER, "chkIsSubForder"},
    {IDC_CHKISWINFOLDER, "chkIsWinFolder"},
    {IDC_CHKISHIDDENFOLDER, "chkIsHiddenFolder"},
    {IDC_CHKISREADONLYFOLDER, "chkIsReadOnlyFolder"},
    {IDC_CHKOUTPUTFOLDERLISTCSV, "chkOutputFolderListCSV"},
    {IDC_CHKOUTPUTFOLDERLISTTXT, "chkOutputFolderListTXT"},
    {IDC_CHKCOPYCLIPBOARDFOLDERLIST, "chkCopyClipBoardFolderList"},
    {IDC_CHKSHORTTEXT, "chkShortText"},
    {IDC_RGBFORMATCB, "rgbFormatCB"},
    {IDC_RGBFORMATCB0, "rgbFormatCB"},
    {IDC_RGBFORMATCB1, "rgbFormatCB"},
    {IDC_CHKTIMEOUT, "chkTimeout"},
    {IDC_CHKMSG, "chkMsg"},
    {IDC_CHKOPENLOCATE, "chkOpenLocate"},
    {IDC_CHKOPENCSV, "chkOpenCsv"},
    {IDC_CHKOPENTXT, "chkOpenTxt"},
    {IDC_CHKDISPPRESERVEDIALOG, "chkDispPreserveDialogWhenOutput"},
};

// The check boxes and the model fields they show, copied both ways.
using clCheck = clCheckField<clOptionModel>;
constexpr clCheck kCheckFields[] = {
    {IDC_CHKISSUBFORDER, &clOptionModel::chkIsSubForder},
    {IDC_CHKISWINFOLDER, &clOptionModel::chkIsWinFolder},
    {IDC_CHKISHIDDENFOLDER, &clOptionModel::chkIsHiddenFolder},
    {IDC_CHKISREADONLYFOLDER, &clOptionModel::chkIsReadOnlyFolder},
    {IDC_CHKOUTPUTFOLDERLISTCSV, &clOptionModel::chkOutputFolderListCSV},
    {IDC_CHKOUTPUTFOLDERLISTTXT, &clOptionModel::chkOutputFolderListTXT},
    {IDC_CHKDISPPRESERVEDIALOG, &clOptionModel::chkDispPreserveDialogWhenOutput},
    {IDC_CHKCOPYCLIPBOARDFOLDERLIST, &clOptionModel::chkCopyClipBoardFolderList},
    {IDC_CHKSHORTTEXT, &clOptionModel::chkShortText},
    {IDC_CHKMSG, &clOptionModel::chkMsg},
    {IDC_CHKOPENLOCATE, &clOptionModel::chkOpenLocate},
    {IDC_CHKOPENCSV, &clOptionModel::chkOpenCsv},
    {IDC_CHKOPENTXT, &clOptionModel::chkOpenTxt},
    {IDC_CHKTIMEOUT, &clOptionModel::chkTimeout},
};

std::string TextOf(HWND control) {
  const int length = ::GetWindowTextLengthA(control);
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  const int got = ::GetWindowTextA(control, text.data(), length + 1);
  return std::string(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

}  // namespace

TfrmOption::TfrmOption(clSoftOption& option)
    : clModalDialog(IDD_OPTION, Keys::Ignored, IDC_BTNCANCEL), option(option) {}

void TfrmOption::OnOpen() {
  clDialogFrame::LayOutInPixels(handle);
  clDialogFrame::SetProgramIcon(handle);
  clDialogFrame::SetClientSize(handle, kClientWidth, kClientHeight);
  clDialogFrame::CentreOnOwner(handle);
  FormCreate();
  FormShow();
}

void TfrmOption::OnOk() { btnOkClick(); }

bool TfrmOption::OnCommand(int id, int code) {
  switch (id) {
    case IDC_BTNCALLSELECTFILEDIALOG:
      btnCallSelectFileDialogClick();
      return true;
    case IDC_CHKCOPYCLIPBOARDFOLDERLIST:
      if (code == BN_CLICKED) chkCopyClipBoardFolderListClick();
      return true;
    default:
      return false;
  }
}

void TfrmOption::FormCreate() {
  HWND timeout = ::GetDlgItem(handle, IDC_EDTTIMEOUT);
  // Digits only (the template's ES_NUMBER), at most four typed, no input method.
  ::SetWindowLongPtrA(timeout, GWL_STYLE, ::GetWindowLongPtrA(timeout, GWL_STYLE) | ES_NUMBER);
  ::SendMessageA(timeout, EM_SETLIMITTEXT, kTimeoutTypedDigits, 0);
  ::ImmAssociateContext(timeout, nullptr);
  AddHints();
}

void TfrmOption::AddHints() {
  HWND tips = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle,
                                nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (tips == nullptr) return;
  ::SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, clDpi::Scale(400, clDpi::ForWindow(handle)));
  for (const clHinted& hinted : kHinted) {
    std::string hint = clWinText::ToAnsi(clUserTexts::OptionHint(hinted.control));
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle;
    tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(handle, hinted.id));
    tool.lpszText = hint.data();
    ::SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

bool TfrmOption::Checked(int id) const { return ::IsDlgButtonChecked(handle, id) == BST_CHECKED; }

void TfrmOption::Check(int id, bool checked) {
  ::CheckDlgButton(handle, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void TfrmOption::ApplyEnableRule() {
  for (const int id : {IDC_RGBFORMATCB, IDC_RGBFORMATCB0, IDC_RGBFORMATCB1}) {
    ::EnableWindow(::GetDlgItem(handle, id), model.rgbFormatCBEnabled);
  }
}

void TfrmOption::FormShow() {
  model.FormShow(option);
  clCheck::Show(handle, model, kCheckFields);
  // The path's own bytes, in the system code page.
  ::SetDlgItemTextA(handle, IDC_EDTFOLDERLISTOUTPUTFOLDER, model.edtFolderListOutputFolder.c_str());
  ApplyEnableRule();
  Check(IDC_RGBFORMATCB0, model.rgbFormatCB == clClipboardMode(clClipboardForm::Text));
  Check(IDC_RGBFORMATCB1, model.rgbFormatCB == clClipboardMode(clClipboardForm::Table));
  // The whole number, even beyond what can be typed: the limit holds for typing only.
  ::SetDlgItemTextA(handle, IDC_EDTTIMEOUT, model.edtTimeout.c_str());
}

void TfrmOption::btnOkClick() {
  clCheck::Take(handle, model, kCheckFields);
  model.edtFolderListOutputFolder = TextOf(::GetDlgItem(handle, IDC_EDTFOLDERLISTOUTPUTFOLDER));
  model.rgbFormatCB = Checked(IDC_RGBFORMATCB0)   ? clClipboardMode(clClipboardForm::Text)
                      : Checked(IDC_RGBFORMATCB1) ? clClipboardMode(clClipboardForm::Table)
                                                  : -1;
  model.edtTimeout = TextOf(::GetDlgItem(handle, IDC_EDTTIMEOUT));
  model.btnOkClick(option);
}

void TfrmOption::btnCallSelectFileDialogClick() {
  clFolderBrowser owner(handle);
  const std::string chosen = clOptionModel::btnCallSelectFileDialogClick(option, owner);
  if (!chosen.empty()) {
    ::SetDlgItemTextA(handle, IDC_EDTFOLDERLISTOUTPUTFOLDER, chosen.c_str());
  }
}

void TfrmOption::chkCopyClipBoardFolderListClick() {
  model.chkCopyClipBoardFolderList = Checked(IDC_CHKCOPYCLIPBOARDFOLDERLIST);
  model.chkCopyClipBoardFolderListClick();
  ApplyEnableRule();
}
