#include "win32/fmain.h"

#include <shellapi.h>

#include <vector>

#include "platform/win32/clsystemcodepage.h"
#include "platform/win32/clwin32platform.h"
#include "settings/clusertexts.h"
#include "win32/cldpi.h"
#include "win32/clfolderbrowser.h"
#include "win32/clwintext.h"
#include "win32/feasyopt.h"
#include "win32/foption.h"
#include "win32/fversioninfo.h"
#include "win32/kdxresource.h"

TfrmVersionInfo* frmVersionInfo = nullptr;
TfrmOption* frmOption = nullptr;
TfrmEasyOpt* frmEasyOpt = nullptr;

namespace {

const char* const kClassName = "TfrmMain";
const char* const kInitialStatus = clUserTexts::kInitialStatus;
// Sizes and places at 96 DPI.
constexpr int kClientWidth = 191;
constexpr int kClientHeight = 52;
constexpr int kLeft = 229;
constexpr int kTop = 215;
constexpr RECT kLabel = {8, 8, 8 + 177, 8 + 33};
constexpr int kFontHeight = 12;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kTimeoutTimer = 1;
// The position of the settings menu in the menu bar.
constexpr UINT kOptionMenuPosition = 1;

}  // namespace

TfrmMain::TfrmMain(HINSTANCE instance, clFilePlatform& files, clProcessPlatform& process,
                   clWin32Platform* widePaths)
    : instance(instance),
      widePaths(widePaths),
      control(clReadControl::Services{*this, files, process, clipboard, shell}) {}

TfrmMain::~TfrmMain() {
  control.FormDestroy();
  if (frmMain != nullptr) ::DestroyWindow(frmMain);
  if (font != nullptr) ::DeleteObject(font);
}

bool TfrmMain::Create() {
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_KDX));
  windowClass.hIconSm = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_KDX),
                                                        IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                        ::GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (::RegisterClassExA(&windowClass) == 0) return false;

  MainMenu1 = ::LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU));
  accelerators = ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
  // Made at its 96-DPI size, then sized for the DPI of the monitor it opened on.
  frmMain = ::CreateWindowExA(0, kClassName, "KDX", kStyle, kLeft, kTop, kClientWidth,
                              kClientHeight, nullptr, MainMenu1, instance, this);
  if (frmMain == nullptr) return false;
  const UINT dpi = clDpi::ForWindow(frmMain);
  lblStat = ::CreateWindowExA(0, "STATIC", clWinText::ToAnsi(kInitialStatus).c_str(),
                              WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 0, 0, frmMain, nullptr,
                              instance, nullptr);
  LayOut(dpi, clDpi::Scale(kLeft, dpi), clDpi::Scale(kTop, dpi));
  clipboard.SetWindow(frmMain);
  shell.SetWindow(frmMain);
  control.Guarded([this] { control.FormCreate(); });
  return true;
}

void TfrmMain::LayOut(UINT dpi, int left, int top) {
  // The client area is exactly the design's size at this DPI.
  const int width = clDpi::Scale(kClientWidth, dpi);
  const int height = clDpi::Scale(kClientHeight, dpi);
  RECT frame = {0, 0, width, height};
  clDpi::AdjustWindowRect(frame, kStyle, true, 0, dpi);
  ::SetWindowPos(frmMain, nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps takes client height: the client area keeps its size.
  RECT client;
  ::GetClientRect(frmMain, &client);
  if (client.bottom != height) {
    ::SetWindowPos(frmMain, nullptr, 0, 0, frame.right - frame.left,
                   frame.bottom - frame.top + height - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Centred and word-wrapped, no auto-size; its font 12 pixels high at 96 DPI.
  if (font == nullptr || fontDpi != dpi) {
    const std::string face = clWinText::ToAnsi("ＭＳ Ｐゴシック");
    HFONT scaled = ::CreateFontA(-clDpi::Scale(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                 FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    ::SendMessageA(lblStat, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), TRUE);
    if (font != nullptr) ::DeleteObject(font);
    font = scaled;
    fontDpi = dpi;
  }
  ::SetWindowPos(lblStat, nullptr, clDpi::Scale(kLabel.left, dpi), clDpi::Scale(kLabel.top, dpi),
                 clDpi::Scale(kLabel.right - kLabel.left, dpi),
                 clDpi::Scale(kLabel.bottom - kLabel.top, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::Run() {
  if (!control.IsSecondInstance()) {
    ::ShowWindow(frmMain, SW_SHOWNORMAL);
    ::UpdateWindow(frmMain);
  }
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (accelerators != nullptr && ::TranslateAcceleratorA(frmMain, accelerators, &message)) {
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  control.FormDestroy();
}

LRESULT CALLBACK TfrmMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TfrmMain*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr || self->frmMain == nullptr) {
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT TfrmMain::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the design's sizes at its DPI, where the
      // system suggests.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      LayOut(HIWORD(wParam), suggested->left, suggested->top);
      return 0;
    }
    case kReadCompleteMessage:
      control.Guarded([this] { control.ReadCompleted(); });
      return 0;
    case WM_CLOSE:
      // Closing the window ends the message loop; FormDestroy follows it.
      QuitApplication();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends: the process may end as soon as this returns, so the settings
      // are saved and a read stopped here, as a close of the window would.
      if (wParam) control.FormDestroy();
      return 0;
    default:
      return ::DefWindowProcA(frmMain, message, wParam, lParam);
  }
}

void TfrmMain::OnCommand(WORD id) {
  switch (id) {
    case IDM_READFOLDER:
      if (!control.IsReading()) control.Guarded([this] { control.mnuReadFolderClick(); });
      break;
    case IDM_SUSPEND:
      control.Guarded([this] { control.mnuSuspendClick(); });
      break;
    case IDM_EXIT:
      menuExitClick();
      break;
    case IDM_EASY:
      if (!control.IsReading()) control.Guarded([this] { mnuEasyClick(); });
      break;
    case IDM_SETTING:
      if (!control.IsReading()) control.Guarded([this] { mnuSettingClick(); });
      break;
    case IDM_ABOUT:
      control.Guarded([this] { mnuAboutClick(); });
      break;
    default:
      break;
  }
}

void TfrmMain::OnTimer(UINT_PTR id) {
  if (id == kTimeoutTimer) {
    // One-shot: the timer ends before its handler runs.
    ::KillTimer(frmMain, kTimeoutTimer);
    control.Guarded([this] { control.timTimeoutTimer(); });
  } else {
    ::KillTimer(frmMain, id);
    const auto found = laterCalls.find(id);
    if (found == laterCalls.end()) return;
    std::function<void()> call = std::move(found->second);
    laterCalls.erase(found);
    control.Guarded(call);
  }
}

void TfrmMain::OnDropFiles(HDROP drop) {
  // Each path in its wide form, whatever its length or characters; handed over in the
  // code page, its wide form to the file system, which reads it by that.
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  for (UINT item = 0; item < count; ++item) {
    const UINT length = ::DragQueryFileW(drop, item, nullptr, 0);
    std::wstring wide(length + 1, L'\0');
    wide.resize(::DragQueryFileW(drop, item, wide.data(), length + 1));
    paths.push_back(clSystemCodePage::FromWide(wide));
    // Only a drop that can start a read hands its wide path over.
    if (widePaths != nullptr && count == 1 && !control.IsReading()) {
      widePaths->RememberWidePath(paths.back(), wide);
    }
  }
  ::DragFinish(drop);
  control.Guarded([&] { control.WMDropFiles(paths, true); });
}

void TfrmMain::menuExitClick() { ::PostMessageA(frmMain, WM_CLOSE, 0, 0); }

void TfrmMain::mnuEasyClick() {
  if (frmEasyOpt != nullptr) frmEasyOpt->ShowModal(frmMain);
}

void TfrmMain::mnuSettingClick() {
  if (frmOption != nullptr) frmOption->ShowModal(frmMain);
}

void TfrmMain::mnuAboutClick() {
  if (frmVersionInfo != nullptr) frmVersionInfo->ShowModal(frmMain);
}

void TfrmMain::ShowMessage(const std::string& text, const std::string& caption) {
  ::MessageBoxA(frmMain, clWinText::ToAnsi(text).c_str(), clWinText::ToAnsi(caption).c_str(),
                MB_OK);
}

void TfrmMain::ShowErrorBox(const std::string& text) {
  ::MessageBoxA(frmMain, clWinText::ToAnsi(text).c_str(),
                clWinText::ToAnsi(control.ApplicationTitle()).c_str(), MB_OK | MB_ICONSTOP);
}

std::string TfrmMain::ChooseFolder(const std::string& title, const std::string& initialFolder,
                                   bool preSelect) {
  return clFolderBrowser(frmMain, widePaths).ChooseFolder(title, initialFolder, preSelect);
}

void TfrmMain::AcceptDrops() {
  ::DragAcceptFiles(frmMain, TRUE);
  // An elevated copy takes drops from Explorer, which runs with the user's lower rights.
  constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA, which a drop uses
  for (const UINT message : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, kCopyGlobalData}) {
    ::ChangeWindowMessageFilterEx(frmMain, message, MSGFLT_ALLOW, nullptr);
  }
}

void TfrmMain::SetReadingState(bool reading) {
  const UINT idle = reading ? MF_GRAYED : MF_ENABLED;
  const UINT busy = reading ? MF_ENABLED : MF_GRAYED;
  ::EnableMenuItem(MainMenu1, IDM_READFOLDER, MF_BYCOMMAND | idle);
  ::EnableMenuItem(MainMenu1, kOptionMenuPosition, MF_BYPOSITION | idle);
  ::EnableMenuItem(MainMenu1, IDM_EASY, MF_BYCOMMAND | idle);
  ::EnableMenuItem(MainMenu1, IDM_SETTING, MF_BYCOMMAND | idle);
  ::EnableMenuItem(MainMenu1, IDM_SUSPEND, MF_BYCOMMAND | busy);
  ::DrawMenuBar(frmMain);
}

void TfrmMain::SetStatusText(const std::string& text) {
  ::SetWindowTextA(lblStat, clWinText::ToAnsi(text).c_str());
}

void TfrmMain::PostCompletion() {
  // From the worker's thread: a message the window handles from its loop. A window
  // already gone drops it.
  ::PostMessageA(frmMain, kReadCompleteMessage, 0, 0);
}

void TfrmMain::StartTimeoutTimer(int milliseconds) {
  ::SetTimer(frmMain, kTimeoutTimer, milliseconds > 0 ? static_cast<UINT>(milliseconds) : 0,
             nullptr);
}

void TfrmMain::StopTimeoutTimer() { ::KillTimer(frmMain, kTimeoutTimer); }

void TfrmMain::RunLater(int milliseconds, std::function<void()> call) {
  const UINT_PTR id = nextLaterId++;
  laterCalls[id] = std::move(call);
  ::SetTimer(frmMain, id, static_cast<UINT>(milliseconds), nullptr);
}

void TfrmMain::WatchHandle(intptr_t handle, std::function<void()> onReadable) {
  (void)handle;
  (void)onReadable;
}

void TfrmMain::QuitApplication() { ::PostQuitMessage(0); }
