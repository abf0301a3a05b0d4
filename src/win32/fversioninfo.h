#pragma once

#include "platform/win32/clwindows.h"
#include "win32/clmodaldialog.h"

// "バージョン情報": the program's icon, name, version, maker's notice and description,
// from the program's dialog template; OK and the close box close it.
class TfrmVersionInfo : public clModalDialog {
 public:
  TfrmVersionInfo();
  ~TfrmVersionInfo() override;

  void FormCreate() {}
  void FormDestroy() {}
  void btnOKClick();

 private:
  void OnOpen() override;
  bool OnCommand(int id, int code) override;
  void OnDpiChanged(UINT dpi) override { SetFonts(dpi); }
  // The name's and the version's bold fonts, 13 and 12 pixels at 96 DPI, made for `dpi`.
  void SetFonts(UINT dpi);

  HFONT nameFont = nullptr;
  HFONT versionFont = nullptr;
};
