// The road of a read: starting, stopping, the time-out, drops, and the worker's
// notifications.
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "app/clreadcontrol.h"
#include "app/clreadwindow.h"
#include "app/clsthread.h"
#include "output/cloutputrun.h"
#include "platform/clpath.h"
#include "settings/clusertexts.h"

namespace {

const char* const kNoOutputText =
    "出力先がありません。\n"
    "設定からCSV出力、テキスト出力、Clipboard出力の最低１つを選択後、操作をやり直してください。";
const char* const kEndCaption = "処理終了";
const char* const kNoSystemFolderCaption = "ＡＰＩ異常";
const char* const kNoSystemFolderText = "GetWindowsDirectoryに失敗しました。";
const char* const kSystemFolderTargetText = "WindowsDirectoryは取得しない設定になっています。";
const char* const kOutputFolderTitle = clUserTexts::kOutputFolderTitle;
const char* const kReadFolderTitle = "構成を取得するフォルダを指定して下さい。";
const char* const kCannotCreateFolder = "ディレクトリを作成することができません";
const char* const kReadingStatus = "フォルダ構成の取得中...";
const char* const kBusyText = "現在取り込み中です。完了まで次の操作はお待ち下さい";
const char* const kTimeoutCaption = "タイムアウト中断";
const char* const kTimeoutText = "タイムアウトにより出力を中断しました";
const char* const kDoneCaption = "出力完了";
const char* const kErrorCaption = "エラー";
const char* const kOutOfMemoryText = "メモリ不足により出力を中断しました";

}  // namespace

std::string clReadControl::MakeOutputBasePath(const std::string& folder, const std::string& stamp) {
  return clPath::Join(folder, "KDX_" + stamp);
}

void clReadControl::StartReading(const std::string& path) {
  if (!option.GetOutputCsv() && !option.GetOutputTxt() && !option.GetOutputClipboard()) {
    window.ShowMessage(kNoOutputText, kEndCaption);
    return;
  }

  targetFolder = path;
  systemFolder.clear();

  if (!option.GetWinFolder()) {
    systemFolder = platform.GetSystemFolder();
    if (systemFolder.empty()) {
      window.ShowMessage(kNoSystemFolderText, kNoSystemFolderCaption);
      return;
    }
    // The system folder or a folder below it, by its name in any case, or by what it is
    // whatever path leads to it.
    if (platform.IsAtOrBelowFolder(targetFolder, systemFolder)) {
      window.ShowMessage(kSystemFolderTargetText, kEndCaption);
      return;
    }
  }

  if (option.GetOutputCsv() || option.GetOutputTxt()) {
    if (option.GetPreserveDialog()) {
      const std::string chosen =
          ChooseFolder(kOutputFolderTitle, option.GetOutputFolderPath(), true);
      if (chosen.empty()) return;
      outputBasePath = MakeOutputBasePath(chosen, process.GetLocalTimeStamp());
    } else {
      const std::string folder = option.GetOutputFolderPath();
      outputBasePath = MakeOutputBasePath(folder, process.GetLocalTimeStamp());
      // A relative folder would be made below whatever the current folder happens to be:
      // unless its topmost folder is there, it cannot be created.
      const std::string top = clPath::TopFolderOfRelative(folder);
      if (folder.empty() || (!top.empty() && platform.GetPathKind(top) != clPathKind::Folder)) {
        throw std::runtime_error(kCannotCreateFolder);
      }
      // A folder that cannot be created is reported by the output run, file by file.
      platform.CreateFolders(folder);
    }
  }

  window.SetStatusText(kReadingStatus);
  shownProgress.clear();
  resultMessage.clear();
  clipboardText.clear();
  isTimedOut = false;
  ReapAbandoned();

  // The worker takes everything it needs now; the window's own copies may change later.
  clReadRequest request{option, targetFolder, systemFolder, outputBasePath, readAhead};
  auto notify = [this] { window.PostCompletion(); };
  std::unique_ptr<clsThread> worker =
      makeWorker ? makeWorker(std::move(request), platform, notify)
                 : std::make_unique<clsThread>(true, std::move(request), platform, notify);
  // The reading state begins before the worker starts, so that its completion cannot
  // find the window idle.
  SetReadingState(true);
  ++readNumber;
  readThread = std::move(worker);
  try {
    readThread->Resume();
  } catch (...) {
    // No worker, no read: the window goes back to idle before the error is shown.
    readThread.reset();
    SetReadingState(false);
    throw;
  }
  if (option.GetTimeout() && option.GetTimeoutSeconds() > 0) {
    const int64_t milliseconds = int64_t{option.GetTimeoutSeconds()} * 1000;
    window.StartTimeoutTimer(milliseconds > INT_MAX ? INT_MAX : static_cast<int>(milliseconds));
  }
  ScheduleProgress();
}

void clReadControl::SetReadingState(bool reading) {
  state = reading ? clReadState::Reading : clReadState::Idle;
  window.SetReadingState(reading);
}

void clReadControl::ScheduleProgress() {
  window.RunLater(static_cast<int>(kProgressFrame.count()), [this, read = readNumber] {
    if (read != readNumber || state != clReadState::Reading) return;
    // A completion notification that could not be delivered still ends the read.
    if (readThread->Finished()) {
      CompleteRead();
      return;
    }
    ShowProgress();
    ScheduleProgress();
  });
}

void clReadControl::ShowProgress() {
  char text[128];
  if (readThread == nullptr || !readThread->ReportProgress(text)) return;
  if (shownProgress == text) return;
  shownProgress = text;
  OnReadProgress(text);
}

void clReadControl::StopReading() {
  if (state != clReadState::Reading) return;
  state = clReadState::Stopping;
  readThread->Terminate();
  // The worker notices a stop at its next item or entry. One held up in a file system
  // that does not answer (a share that stopped answering) does not hold the window: after
  // a bounded wait the read ends without it.
  if (readThread->WaitFor(std::chrono::steady_clock::now() + kStopWait)) {
    CompleteRead();
  } else {
    AbandonRead();
  }
}

void clReadControl::ReadCompleted() {
  // A completion the stop has taken already, or one of a worker given up on, finds
  // nothing to do.
  if (state != clReadState::Reading || readThread == nullptr || !readThread->Finished()) return;
  CompleteRead();
}

void clReadControl::CompleteRead() {
  state = clReadState::Ending;
  readThread->WaitFor();
  clReadResult result = readThread->TakeResult();
  // The label ends the read on the last count.
  ShowProgress();
  readThread.reset();
  lastEntries = result.entries;

  for (const clReadResult::Box& box : result.boxes) window.ShowMessage(box.text, box.caption);
  bool outputResult = false;
  if (result.outOfMemory) {
    // The box says why the read ended with nothing, as a failed run's summary would.
    resultMessage = kOutOfMemoryText;
  } else if (result.outputRan) {
    outputResult =
        clOutputRun::Complete(result.output, option, outputBasePath,
                              clOutputEffects{clipboard, shell, statusLabel}, resultMessage);
    clipboardText = std::move(result.output.clipboardText);
  }
  OnReadComplete(outputResult ? 1 : 0);
}

void clReadControl::AbandonRead() {
  readThread->Abandon();
  abandoned.push_back(std::move(readThread));
  state = clReadState::Ending;
  OnReadComplete(0);
  ReapAbandoned();
}

void clReadControl::ReapAbandoned() {
  for (auto it = abandoned.begin(); it != abandoned.end();) {
    if ((*it)->Finished()) {
      (*it)->WaitFor();
      it = abandoned.erase(it);
    } else {
      ++it;
    }
  }
  if (abandoned.empty() || reapScheduled || formDestroyed) return;
  reapScheduled = true;
  window.RunLater(500, [this] {
    reapScheduled = false;
    ReapAbandoned();
  });
}

void clReadControl::mnuSuspendClick() { StopReading(); }

void clReadControl::timTimeoutTimer() {
  window.StopTimeoutTimer();
  if (state != clReadState::Reading) return;
  isTimedOut = true;
  mnuSuspendClick();
}

void clReadControl::WMDropFiles(const std::vector<std::string>& paths, bool allLocal) {
  if (state != clReadState::Idle) {
    window.ShowMessage(kBusyText, applicationTitle);
    return;
  }
  if (paths.size() != 1 || !allLocal) return;
  std::string path = paths.front();
  if (path.empty()) return;
  // A path whose kind cannot be told counts as a folder.
  if (platform.GetPathKind(path) == clPathKind::File) path = FolderOfFile(path);
  StartReading(path);
}

void clReadControl::mnuReadFolderClick() {
  if (state != clReadState::Idle) return;
  const std::string chosen = ChooseFolder(kReadFolderTitle, std::string(), false);
  if (!chosen.empty()) StartReading(chosen);
}

void clReadControl::OnReadProgress(const char* text) { window.SetStatusText(text); }

void clReadControl::OnReadComplete(uintptr_t wParam) {
  SetReadingState(false);
  window.StopTimeoutTimer();
  if (isTimedOut) {
    isTimedOut = false;
    window.ShowMessage(kTimeoutText, kTimeoutCaption);
  } else if (wParam == 1) {
    if (!resultMessage.empty() && option.GetOutputMsg()) {
      window.ShowMessage(resultMessage, kDoneCaption);
    }
  } else if (!resultMessage.empty()) {
    window.ShowMessage(resultMessage, kErrorCaption);
  }
  if (exitWhenDone) window.QuitApplication();
}
