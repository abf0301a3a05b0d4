#include "output/cloutputrun.h"

#include <string>

#include "output/clcsvwriter.h"
#include "output/cltextwriter.h"
#include "platform/clpath.h"
#include "settings/cloutputpasses.h"

namespace {

const char* const kResultHead = "フォルダ構成出力完了\n";
const char* const kCsvWritten = "CSVファイル出力成功";
const char* const kCsvFailed = "CSVファイル出力失敗";
const char* const kTxtWritten = "TEXTファイル出力成功";
const char* const kTxtFailed = "TEXTファイル出力失敗";
const char* const kClipboardSet = "クリップボード出力成功";
const char* const kClipboardFailed = "クリップボード出力失敗";
const char* const kFinishedLabel = "フォルダ構成の出力完了";

std::string Slot(bool written, bool failed, const char* writtenText, const char* failedText) {
  if (written) return writtenText;
  if (failed) return failedText;
  return std::string();
}

}  // namespace

bool clOutputRun::OutputFolderList(const clOutputContext& context) {
  const clSoftOption& option = context.option;
  const bool csvFile = option.GetOutputCsv();
  const bool txtFile = option.GetOutputTxt();
  const bool tableClipboard = clOutputPasses::TableClipboard(option);
  const bool textClipboard = clOutputPasses::TextClipboard(option);

  bool csvWritten = false;
  bool csvFailed = false;
  bool txtWritten = false;
  bool txtFailed = false;
  bool clipboardSet = false;
  bool clipboardFailed = false;

  // Tabular pass: the CSV file and/or the clipboard's table form.
  if (clOutputPasses::Tabular(option)) {
    const bool ok = clCsvWriter::WriteCsvList(context, csvFile, tableClipboard);
    if (csvFile) (ok ? csvWritten : csvFailed) = true;
    if (tableClipboard) (ok ? clipboardSet : clipboardFailed) = true;
  }

  // Text pass: the text file and/or the clipboard's text form, full or short.
  if (clOutputPasses::Text(option)) {
    const bool ok = option.GetTxtShort()
                        ? clTextWriter::WriteShortTextList(context, txtFile, textClipboard)
                        : clTextWriter::WriteTextList(context, txtFile, textClipboard);
    if (txtFile) (ok ? txtWritten : txtFailed) = true;
    if (textClipboard) (ok ? clipboardSet : clipboardFailed) = true;
  }

  const std::string slots[] = {
      Slot(csvWritten, csvFailed, kCsvWritten, kCsvFailed),
      Slot(txtWritten, txtFailed, kTxtWritten, kTxtFailed),
      Slot(clipboardSet, clipboardFailed, kClipboardSet, kClipboardFailed),
  };
  context.resultMessage = kResultHead;
  for (const std::string& slot : slots) {
    if (!slot.empty()) context.resultMessage += slot + "\n";
  }

  context.worker.Synchronize([&context] { context.label.SetText(kFinishedLabel); });

  // The actions after output. Each is guarded: an error ends the run with false, the
  // summary and the status text already in place.
  auto open = [&context](const std::string& path) {
    try {
      context.worker.Synchronize([&context, &path] { context.shell.Open(path); });
      return true;
    } catch (...) {
      return false;
    }
  };
  if (option.GetOutputLocate() && (csvWritten || txtWritten)) {
    const std::string folder = clPath::FolderPart(context.outputBasePath);
    if (!folder.empty() && !open(folder)) return false;
  }
  if (option.GetOpenCsvFile() && csvWritten && !open(context.outputBasePath + ".csv")) {
    return false;
  }
  if (option.GetOpenTxtFile() && txtWritten && !open(context.outputBasePath + ".txt")) {
    return false;
  }
  return true;
}
