#pragma once

#include "platform/win32/clwindows.h"

// What the program's dialogs share: shown modally from their template, a dialog
// procedure that finds the dialog's object, the close box that ends the dialog with a
// given result, the settings dialogs' OK (IDC_BTNOK: OnOk, then the dialog ends) and
// Cancel (IDC_BTNCANCEL: the dialog ends), and for them the key rule of clDialogFrame:
// the dialog manager's own Enter and Esc commands are ignored.
class clModalDialog {
 public:
  enum class Keys { Ignored, Passed };

  clModalDialog(int templateId, Keys keys, int closeResult)
      : templateId(templateId), keys(keys), closeResult(closeResult) {}
  virtual ~clModalDialog() = default;
  clModalDialog(const clModalDialog&) = delete;
  clModalDialog& operator=(const clModalDialog&) = delete;

  // Shows the dialog modally, owned by `owner`; returns once it is closed.
  void ShowModal(HWND owner);

 protected:
  // The dialog opens: its frame and its controls.
  virtual void OnOpen() = 0;
  // OK was pressed; the dialog ends after it.
  virtual void OnOk() {}
  // Another control's command (code as WM_COMMAND gives it); true when it was handled.
  virtual bool OnCommand(int id, int code) = 0;
  // The dialog moved to a monitor of another scale: the system has sized it and its
  // template's font for `dpi`; what the dialog made of its own follows here.
  virtual void OnDpiChanged(UINT dpi) { (void)dpi; }
  void End(int result);

  HWND handle = nullptr;

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam);

  const int templateId;
  const Keys keys;
  const int closeResult;
};
