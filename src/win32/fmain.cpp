#include "win32/fmain.h"

#include <shellapi.h>

#include <vector>

#include "settings/clusertexts.h"
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
constexpr int kClientWidth = 191;
constexpr int kClientHeight = 52;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kTimeoutTimer = 1;
// The position of the settings menu in the menu bar.
constexpr UINT kOptionMenuPosition = 1;

}  // namespace

TfrmMain::TfrmMain(HINSTANCE instance, clFilePlatform& files, clProcessPlatform& process)
    : instance(instance),
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
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, TRUE, 0);
  frmMain = ::CreateWindowExA(0, kClassName, "KDX", kStyle, 229, 215, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, MainMenu1, instance, this);
  if (frmMain == nullptr) return false;
  // A menu bar that wraps takes client height: the client area keeps its size.
  RECT client;
  ::GetClientRect(frmMain, &client);
  if (client.bottom != kClientHeight) {
    ::SetWindowPos(frmMain, nullptr, 0, 0, frame.right - frame.left,
                   frame.bottom - frame.top + kClientHeight - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  clipboard.SetWindow(frmMain);
  shell.SetWindow(frmMain);
  CreateControls();
  control.Guarded([this] { control.FormCreate(); });
  return true;
}

void TfrmMain::CreateControls() {
  const std::string face = clWinText::ToAnsi("ＭＳ Ｐゴシック");
  font = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  // Centred and word-wrapped, no auto-size.
  lblStat = ::CreateWindowExA(0, "STATIC", clWinText::ToAnsi(kInitialStatus).c_str(),
                              WS_CHILD | WS_VISIBLE | SS_CENTER, 8, 8, 177, 33, frmMain, nullptr,
                              instance, nullptr);
  ::SendMessageA(lblStat, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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
  const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  for (UINT item = 0; item < count; ++item) {
    char path[MAX_PATH + 1] = {};
    ::DragQueryFileA(drop, item, path, sizeof path);
    paths.emplace_back(path);
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
  return clFolderBrowser(frmMain).ChooseFolder(title, initialFolder, preSelect);
}

void TfrmMain::AcceptDrops() { ::DragAcceptFiles(frmMain, TRUE); }

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
