#include "win32/clwin32timeout.h"

void clWin32Timeout::Start(int milliseconds) {
  const UINT wait = milliseconds > 0 ? static_cast<UINT>(milliseconds) : 0;
  ::SetTimer(window, id, wait, nullptr);
  due = ::GetTickCount64() + wait;
  running = true;
}

void clWin32Timeout::Stop() {
  if (running) ::KillTimer(window, id);
  running = false;
}

bool clWin32Timeout::TakeOverdue() {
  if (!running || ::GetTickCount64() < due) return false;
  Stop();
  return true;
}
