#include "win32/cldialogframe.h"

#include "win32/cldpi.h"
#include "win32/kdxresource.h"

namespace {

// Pixels per dialog unit of the dialogs' font on a Japanese system, both ways.
constexpr double kPixelsPerUnit = 1.5;

struct clScale {
  HWND dialog;
  double x;
  double y;
  double pixelsPerUnit;  // at the dialog's DPI
};

BOOL CALLBACK PlaceChild(HWND child, LPARAM data) {
  const auto& scale = *reinterpret_cast<const clScale*>(data);
  if (::GetParent(child) != scale.dialog) return TRUE;
  RECT place;
  ::GetWindowRect(child, &place);
  ::MapWindowPoints(nullptr, scale.dialog, reinterpret_cast<POINT*>(&place), 2);
  auto pixels = [&scale](LONG value, double perUnit) {
    return static_cast<int>(value / perUnit * scale.pixelsPerUnit + 0.5);
  };
  ::SetWindowPos(child, nullptr, pixels(place.left, scale.x), pixels(place.top, scale.y),
                 pixels(place.right - place.left, scale.x),
                 pixels(place.bottom - place.top, scale.y), SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

}  // namespace

void clDialogFrame::LayOutInPixels(HWND dialog) {
  RECT units = {0, 0, 400, 800};
  if (!::MapDialogRect(dialog, &units)) return;
  const double dpi = clDpi::ForWindow(dialog);
  clScale scale{dialog, units.right / 400.0, units.bottom / 800.0,
                kPixelsPerUnit * dpi / clDpi::kDesign};
  ::EnumChildWindows(dialog, PlaceChild, reinterpret_cast<LPARAM>(&scale));
}

void clDialogFrame::SetClientSize(HWND dialog, int width, int height) {
  const UINT dpi = clDpi::ForWindow(dialog);
  RECT frame = {0, 0, clDpi::Scale(width, dpi), clDpi::Scale(height, dpi)};
  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_EXSTYLE));
  clDpi::AdjustWindowRect(frame, style, false, exStyle, dpi);
  ::SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void clDialogFrame::SetOuterSize(HWND dialog, int width, int height) {
  const UINT dpi = clDpi::ForWindow(dialog);
  ::SetWindowPos(dialog, nullptr, 0, 0, clDpi::Scale(width, dpi), clDpi::Scale(height, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void clDialogFrame::CentreOnOwner(HWND dialog) {
  HWND owner = ::GetWindow(dialog, GW_OWNER);
  // The work area of the owner's monitor (the one it mostly lies on), which may lie left
  // of or above the primary one: the dialog opens there and stays inside it.
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  const HMONITOR on =
      ::MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTONEAREST);
  RECT work;
  if (on != nullptr && ::GetMonitorInfoA(on, &monitor)) {
    work = monitor.rcWork;
  } else {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  }
  RECT area;
  if (owner == nullptr || !::GetWindowRect(owner, &area)) area = work;
  RECT own;
  ::GetWindowRect(dialog, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  Place(
      dialog,
      KeptInside(area.left + ((area.right - area.left) - width) / 2, width, work.left, work.right),
      KeptInside(area.top + ((area.bottom - area.top) - height) / 2, height, work.top,
                 work.bottom));
}

int clDialogFrame::KeptInside(int start, int length, int low, int high) {
  if (start + length > high) start = high - length;
  return start < low ? low : start;
}

void clDialogFrame::MoveTo(HWND dialog, int left, int top) {
  const UINT dpi = clDpi::ForWindow(dialog);
  Place(dialog, clDpi::Scale(left, dpi), clDpi::Scale(top, dpi));
}

void clDialogFrame::Place(HWND dialog, int left, int top) {
  ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void clDialogFrame::SetProgramIcon(HWND dialog) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  auto* bigIcon = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_KDX), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXICON),
                                                  ::GetSystemMetrics(SM_CYICON), LR_SHARED));
  auto* smallIcon = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(IDI_KDX), IMAGE_ICON,
                                                    ::GetSystemMetrics(SM_CXSMICON),
                                                    ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  ::SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
  ::SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

bool clDialogFrame::IsKeyCommand(WPARAM wParam) {
  const WORD id = LOWORD(wParam);
  return id == IDOK || id == IDCANCEL;
}
