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

void clOutputRun::WriteOutputs(const clOutputContext& context) {
  const clSoftOption& option = context.option;
  clOutputReport& report = context.report;
  const bool csvFile = option.GetOutputCsv();
  const bool txtFile = option.GetOutputTxt();
  const bool tableClipboard = clOutputPasses::TableClipboard(option);
  const bool textClipboard = clOutputPasses::TextClipboard(option);
  report.clipboardPass = tableClipboard || textClipboard;

  // Tabular pass: the CSV file and/or the clipboard's table form.
  if (clOutputPasses::Tabular(option)) {
    const bool ok = clCsvWriter::WriteCsvList(context, csvFile, tableClipboard);
    if (csvFile) (ok ? report.csvWritten : report.csvFailed) = true;
  }

  // Text pass: the text file and/or the clipboard's text form, full or short.
  if (clOutputPasses::Text(option)) {
    const bool ok = option.GetTxtShort()
                        ? clTextWriter::WriteShortTextList(context, txtFile, textClipboard)
                        : clTextWriter::WriteTextList(context, txtFile, textClipboard);
    if (txtFile) (ok ? report.txtWritten : report.txtFailed) = true;
  }
}

bool clOutputRun::Complete(const clOutputReport& report, const clSoftOption& option,
                           const std::string& outputBasePath, const clOutputEffects& effects,
                           std::string& resultMessage) {
  // The clipboard is set only with a text its writer completed; a clipboard that cannot
  // be set is that output's failure.
  bool clipboardSet = false;
  if (report.clipboardReady) {
    try {
      effects.clipboard.SetAsText(report.clipboardText);
      clipboardSet = true;
    } catch (...) {
    }
  }
  const bool clipboardFailed = report.clipboardPass && !clipboardSet;

  const std::string slots[] = {
      Slot(report.csvWritten, report.csvFailed, kCsvWritten, kCsvFailed),
      Slot(report.txtWritten, report.txtFailed, kTxtWritten, kTxtFailed),
      Slot(clipboardSet, clipboardFailed, kClipboardSet, kClipboardFailed),
  };
  resultMessage = kResultHead;
  for (const std::string& slot : slots) {
    if (!slot.empty()) resultMessage += slot + "\n";
  }

  effects.label.SetText(kFinishedLabel);

  // The actions after output. Each is guarded: an error ends the run with false, the
  // summary and the status text already in place.
  auto open = [&effects](const std::string& path) {
    try {
      effects.shell.Open(path);
      return true;
    } catch (...) {
      return false;
    }
  };
  const bool fileWritten = report.csvWritten || report.txtWritten;
  if (option.GetOutputLocate() && fileWritten) {
    const std::string folder = clPath::FolderPart(outputBasePath);
    if (!folder.empty() && !open(folder)) return false;
  }
  if (option.GetOpenCsvFile() && report.csvWritten && !open(outputBasePath + ".csv")) {
    return false;
  }
  if (option.GetOpenTxtFile() && report.txtWritten && !open(outputBasePath + ".txt")) {
    return false;
  }
  return true;
}

bool clOutputRun::OutputFolderList(const clOutputContext& context, const clOutputEffects& effects,
                                   std::string& resultMessage) {
  WriteOutputs(context);
  return Complete(context.report, context.option, context.outputBasePath, effects, resultMessage);
}
