#pragma once

#include <string_view>

// The texts the program shows in more than one place: the read control and both front
// ends take them from here. They are UTF-8; each front end turns them into its
// toolkit's form. (The Win32 dialog templates keep their controls' own captions.)
struct clUserTexts {
  // The main window's label before the first read.
  static constexpr const char* kInitialStatus =
      "ここに任意のフォルダをドラッグ＆ドロップしてください";
  // The title of the folder chooser that asks for the output folder: the detailed
  // dialog's "参照..." and a read that asks for it each time.
  static constexpr const char* kOutputFolderTitle =
      "フォルダ構成取得用ファイル出力先を指定して下さい。";
  // The standard error box's text for an error that says nothing of itself.
  static constexpr const char* kUnknownError = "不明な例外が発生しました";

  // The hint (tooltip) of a control of the detailed settings dialog, by the control's
  // name ("chkIsSubForder"); empty for a control that has none.
  static std::string_view OptionHint(std::string_view control);
};
