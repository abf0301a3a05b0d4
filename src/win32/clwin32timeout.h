#pragma once

#include "platform/win32/clwindows.h"

// The main window's one-shot time-out. A WM_TIMER message comes only when no posted
// message waits in the queue, and during a read the worker's wakes are posted messages:
// a read that keeps the main thread busy could keep the time-out from ever firing. So
// the timer knows when it falls due, and the handlers of the wakes ask it first.
class clWin32Timeout {
 public:
  explicit clWin32Timeout(UINT_PTR id) : id(id) {}
  void SetWindow(HWND handle) { window = handle; }

  void Start(int milliseconds);
  void Stop();
  // Whether the time-out has fallen due without its WM_TIMER having come; if so it is
  // stopped, so that it fires once, and the caller runs the time-out.
  bool TakeOverdue();
  // For the window's WM_TIMER of this id: the time-out fires once.
  void Fired() { Stop(); }

 private:
  const UINT_PTR id;
  HWND window = nullptr;
  bool running = false;
  ULONGLONG due = 0;  // GetTickCount64's value when it falls due
};
