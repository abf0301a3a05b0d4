#include "settings/clusertexts.h"

#include <utility>

namespace {

// Every check box and the radio group show a hint; the edit boxes, labels and buttons
// have none.
constexpr std::pair<std::string_view, std::string_view> kOptionHints[] = {
    {"chkIsSubForder", "サブフォルダも取得対象とします"},
    {"chkIsWinFolder", "Windowsフォルダも取得対象とします"},
    {"chkIsHiddenFolder", "隠しファイルも取得対象とします"},
    {"chkIsReadOnlyFolder", "読み取り専用ファイルも取得対象とします"},
    {"chkOutputFolderListCSV", "CSVファイルとして出力します"},
    {"chkOutputFolderListTXT", "テキストファイルとして出力します"},
    {"chkCopyClipBoardFolderList", "テキスト形式でクリップボードに出力します"},
    {"chkShortText", "テキスト出力とclipboard出力形式の出力サイズを小さくします"},
    {"rgbFormatCB",
     "Clipboard出力形式を選択します。表は表計算ソフトに貼り付ける場合に選択してください"},
    {"chkTimeout", "時間がかかる場合は自動中断させたい場合に設定します"},
    {"chkMsg", "CSV/テキスト/Clipboard出力後にMSGボックスを表示します"},
    {"chkOpenLocate",
     "CSVファイルまたはテキストファイル出力後にファイルの場所をエクスプローラで開きます"},
    {"chkOpenCsv", "CSV出力後に関連付いたアプリ（Excel等）で開きます"},
    {"chkOpenTxt", "テキスト出力後に関連付いたアプリ（メモ帳など）で開きます"},
    {"chkDispPreserveDialogWhenOutput",
     "CSV及びテキストファイルを出力する場合に毎回出力先を指定する場合はチェックを入れます."},
};

}  // namespace

std::string_view clUserTexts::OptionHint(std::string_view control) {
  for (const auto& [name, hint] : kOptionHints) {
    if (name == control) return hint;
  }
  return {};
}
