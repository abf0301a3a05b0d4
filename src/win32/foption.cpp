#include "win32/foption.h"

#include <commctrl.h>
#include <imm.h>

#include <string>
#include <vector>

#include "settings/clcalledwindialog.h"
#include "win32/cldialogframe.h"
#include "win32/clfolderbrowser.h"
#include "win32/kdxresource.h"

namespace {

constexpr int kClientWidth = 532;
constexpr int kClientHeight = 453;
// The user may type at most this many digits into the time-out box.
constexpr int kTimeoutTypedDigits = 4;

// The controls that show a hint; its text is the string resource of the same number.
constexpr int kHinted[] = {
    IDC_CHKISSUBFORDER,
    IDC_CHKISWINFOLDER,
    IDC_CHKISHIDDENFOLDER,
    IDC_CHKISREADONLYFOLDER,
    IDC_CHKOUTPUTFOLDERLISTCSV,
    IDC_CHKOUTPUTFOLDERLISTTXT,
    IDC_CHKCOPYCLIPBOARDFOLDERLIST,
    IDC_CHKSHORTTEXT,
    IDC_RGBFORMATCB,
    IDC_CHKTIMEOUT,
    IDC_CHKMSG,
    IDC_CHKOPENLOCATE,
    IDC_CHKOPENCSV,
    IDC_CHKOPENTXT,
    IDC_CHKDISPPRESERVEDIALOG,
};

std::string TextOf(HWND control) {
  const int length = ::GetWindowTextLengthA(control);
  std::vector<char> text(static_cast<std::size_t>(length) + 1);
  const int got = ::GetWindowTextA(control, text.data(), length + 1);
  return std::string(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

}  // namespace

void TfrmOption::ShowModal(HWND owner) {
  ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTION), owner, DialogProc,
                    reinterpret_cast<LPARAM>(this));
  handle = nullptr;
}

INT_PTR CALLBACK TfrmOption::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TfrmOption*>(lParam);
    ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    self->handle = dialog;
  }
  auto* self = reinterpret_cast<TfrmOption*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  return self == nullptr ? FALSE : self->Handle(message, wParam);
}

INT_PTR TfrmOption::Handle(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      clDialogFrame::LayOutInPixels(handle);
      clDialogFrame::SetProgramIcon(handle);
      clDialogFrame::SetClientSize(handle, kClientWidth, kClientHeight);
      clDialogFrame::CentreOnOwner(handle);
      FormCreate();
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
        case IDC_BTNCALLSELECTFILEDIALOG:
          btnCallSelectFileDialogClick();
          return TRUE;
        case IDC_CHKCOPYCLIPBOARDFOLDERLIST:
          if (HIWORD(wParam) == BN_CLICKED) chkCopyClipBoardFolderListClick();
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
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
  ::SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, 400);
  for (const int id : kHinted) {
    char hint[256] = {};
    if (::LoadStringA(::GetModuleHandleA(nullptr), static_cast<UINT>(id), hint, sizeof hint) <= 0)
      continue;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = handle;
    tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(handle, id));
    tool.lpszText = hint;
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
  Check(IDC_CHKISSUBFORDER, model.chkIsSubForder);
  Check(IDC_CHKISWINFOLDER, model.chkIsWinFolder);
  Check(IDC_CHKISHIDDENFOLDER, model.chkIsHiddenFolder);
  Check(IDC_CHKISREADONLYFOLDER, model.chkIsReadOnlyFolder);
  Check(IDC_CHKOUTPUTFOLDERLISTCSV, model.chkOutputFolderListCSV);
  Check(IDC_CHKOUTPUTFOLDERLISTTXT, model.chkOutputFolderListTXT);
  Check(IDC_CHKDISPPRESERVEDIALOG, model.chkDispPreserveDialogWhenOutput);
  // The path's own bytes, in the system code page.
  ::SetDlgItemTextA(handle, IDC_EDTFOLDERLISTOUTPUTFOLDER, model.edtFolderListOutputFolder.c_str());
  Check(IDC_CHKCOPYCLIPBOARDFOLDERLIST, model.chkCopyClipBoardFolderList);
  ApplyEnableRule();
  Check(IDC_CHKSHORTTEXT, model.chkShortText);
  Check(IDC_CHKMSG, model.chkMsg);
  Check(IDC_CHKOPENLOCATE, model.chkOpenLocate);
  Check(IDC_CHKOPENCSV, model.chkOpenCsv);
  Check(IDC_CHKOPENTXT, model.chkOpenTxt);
  Check(IDC_RGBFORMATCB0, model.rgbFormatCB == 0);
  Check(IDC_RGBFORMATCB1, model.rgbFormatCB == 1);
  Check(IDC_CHKTIMEOUT, model.chkTimeout);
  // The whole number, even beyond what can be typed: the limit holds for typing only.
  ::SetDlgItemTextA(handle, IDC_EDTTIMEOUT, model.edtTimeout.c_str());
}

void TfrmOption::btnOkClick() {
  model.chkIsSubForder = Checked(IDC_CHKISSUBFORDER);
  model.chkIsWinFolder = Checked(IDC_CHKISWINFOLDER);
  model.chkIsHiddenFolder = Checked(IDC_CHKISHIDDENFOLDER);
  model.chkIsReadOnlyFolder = Checked(IDC_CHKISREADONLYFOLDER);
  model.chkOutputFolderListCSV = Checked(IDC_CHKOUTPUTFOLDERLISTCSV);
  model.chkOutputFolderListTXT = Checked(IDC_CHKOUTPUTFOLDERLISTTXT);
  model.chkDispPreserveDialogWhenOutput = Checked(IDC_CHKDISPPRESERVEDIALOG);
  model.edtFolderListOutputFolder = TextOf(::GetDlgItem(handle, IDC_EDTFOLDERLISTOUTPUTFOLDER));
  model.chkCopyClipBoardFolderList = Checked(IDC_CHKCOPYCLIPBOARDFOLDERLIST);
  model.chkShortText = Checked(IDC_CHKSHORTTEXT);
  model.chkMsg = Checked(IDC_CHKMSG);
  model.chkOpenLocate = Checked(IDC_CHKOPENLOCATE);
  model.chkOpenCsv = Checked(IDC_CHKOPENCSV);
  model.chkOpenTxt = Checked(IDC_CHKOPENTXT);
  model.rgbFormatCB = Checked(IDC_RGBFORMATCB0) ? 0 : Checked(IDC_RGBFORMATCB1) ? 1 : -1;
  model.chkTimeout = Checked(IDC_CHKTIMEOUT);
  model.edtTimeout = TextOf(::GetDlgItem(handle, IDC_EDTTIMEOUT));
  model.btnOkClick(option);
}

void TfrmOption::btnCallSelectFileDialogClick() {
  clCalledWinDialog chooser;
  chooser.SetTitle("フォルダ構成取得用ファイル出力先を指定して下さい。");
  // From the stored folder, not from what the box holds now.
  chooser.SetInitialFolder(option.GetOutputFolderPath());
  clFolderBrowser owner(handle);
  chooser.Execute(owner);
  const std::string chosen = chooser.GetFolderPath();
  if (!chosen.empty()) {
    ::SetDlgItemTextA(handle, IDC_EDTFOLDERLISTOUTPUTFOLDER, chosen.c_str());
  }
}

void TfrmOption::chkCopyClipBoardFolderListClick() {
  model.chkCopyClipBoardFolderList = Checked(IDC_CHKCOPYCLIPBOARDFOLDERLIST);
  model.chkCopyClipBoardFolderListClick();
  ApplyEnableRule();
}
