#pragma once

#include "platform/win32/clwindows.h"

// What the program's dialogs share: their exact sizes in pixels and their places (given
// for 96 DPI, scaled by the dialog's DPI), the
// program's icon, and the key rule. Neither button of a dialog is its default or its
// cancel button: Enter presses a button only while that button has the focus (the
// dialog manager then sends the button's own identifier), Enter elsewhere sends IDOK
// and Esc sends IDCANCEL, and both are ignored; the close box cancels.
class clDialogFrame {
 public:
  // Places the controls at the pixels their template gives for the dialog font's usual
  // metrics (a dialog unit 1.5 pixels either way at 96 DPI, as "ＭＳ Ｐゴシック" 12 pixels
  // has them), whatever the metrics of the font that stands in for it: the layout keeps
  // its sizes.
  static void LayOutInPixels(HWND dialog);
  // Gives the dialog a client area of exactly `width` x `height` pixels at 96 DPI.
  static void SetClientSize(HWND dialog, int width, int height);
  // Gives the dialog an outer size of exactly `width` x `height` pixels at 96 DPI.
  static void SetOuterSize(HWND dialog, int width, int height);
  // Centres the dialog on its owner, inside the work area of the owner's monitor.
  static void CentreOnOwner(HWND dialog);
  // Where a span of `length` starting at `start` begins once kept inside low..high (at
  // `low` when it does not fit).
  static int KeptInside(int start, int length, int low, int high);
  // Moves the dialog to a place given for 96 DPI.
  static void MoveTo(HWND dialog, int left, int top);
  static void SetProgramIcon(HWND dialog);
  // Whether a WM_COMMAND is one of the dialog manager's own Enter and Esc commands.
  static bool IsKeyCommand(WPARAM wParam);

 private:
  // Moves the dialog to a place in the screen's pixels.
  static void Place(HWND dialog, int left, int top);
};
