#pragma once

#include "platform/win32/clwindows.h"

// "バージョン情報": the program's icon, name, version, maker's notice and description,
// from the program's dialog template; OK and the close box close it.
class TfrmVersionInfo {
 public:
  TfrmVersionInfo() = default;
  ~TfrmVersionInfo();
  TfrmVersionInfo(const TfrmVersionInfo&) = delete;
  TfrmVersionInfo& operator=(const TfrmVersionInfo&) = delete;

  void ShowModal(HWND owner);

  void FormCreate() {}
  void FormDestroy() {}
  void btnOKClick();

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam);

  HWND handle = nullptr;
  HFONT nameFont = nullptr;
  HFONT versionFont = nullptr;
};
