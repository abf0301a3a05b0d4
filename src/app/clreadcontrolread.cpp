// The road of a read: starting, stopping, the time-out, drops, and the worker's
// notifications.
#include <climits>
#include <cstdint>
#include <stdexcept>

#include "app/clreadcontrol.h"
#include "app/clreaddispatcher.h"
#include "app/clreadwindow.h"
#include "output/cloutputrun.h"
#include "platform/clpath.h"
#include "scan/clsthread.h"
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
  findInFolders.Clear();

  if (!option.GetWinFolder()) {
    const std::string systemFolder = platform.GetSystemFolder();
    if (systemFolder.empty()) {
      window.ShowMessage(kNoSystemFolderText, kNoSystemFolderCaption);
      return;
    }
    // The system folder by its name, or by what it is whatever path leads to it.
    if (targetFolder.compare(0, systemFolder.size(), systemFolder) == 0 ||
        platform.IsSameFolder(targetFolder, systemFolder)) {
      window.ShowMessage(kSystemFolderTargetText, kEndCaption);
      return;
    }
    findInFolders.SetWindowsDirectory(systemFolder);
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

  // The idle state ends before the worker starts, so that nothing it reports can
  // arrive before the window is in the reading state.
  resultMessage.clear();
  SetReadingState(true);
  if (option.GetTimeout() && option.GetTimeoutSeconds() > 0) {
    const int64_t milliseconds = int64_t{option.GetTimeoutSeconds()} * 1000;
    window.StartTimeoutTimer(milliseconds > INT_MAX ? INT_MAX : static_cast<int>(milliseconds));
    isTimedOut = false;
  }

  if (readThread != nullptr) RetireWorker();
  try {
    readThread = std::make_unique<clsThread>(true, kReadProgressMessage, kReadCompleteMessage,
                                             *this, dispatcher);
    dispatcher.Register(*readThread);
    readThread->Resume();
  } catch (...) {
    // No worker, no read: the window goes back to idle before the error is shown.
    if (readThread != nullptr) {
      dispatcher.Forget(*readThread);
      readThread.reset();
    }
    window.StopTimeoutTimer();
    SetReadingState(false);
    throw;
  }
}

void clReadControl::SetReadingState(bool reading) {
  window.SetReadingState(reading);
  isReading = reading;
}

void clReadControl::StopReading() {
  // A stopped read whose worker is still held up has nothing more to stop.
  if (!isReading || isStopping || readThread == nullptr) return;
  findInFolders.stopRequested.store(true);
  readThread->Terminate();
  // The wait serves the worker's notifications, so its completion usually arrives in
  // here. A worker held up in the file system (a share that stopped answering) does not
  // hold the window: the read stays on, stopped, and ends when the worker comes back.
  if (!WaitForWorker(kStopWait) && isReading && !isStopping) {
    isStopping = true;
    window.SetStoppingState();
    // Nothing is left for the time-out to stop: a stop by hand stays one.
    window.StopTimeoutTimer();
  }
  ReapRetiredWorkers(false);
}

bool clReadControl::WaitForWorker(std::chrono::milliseconds bound) {
  clsThread* const worker = readThread.get();
  if (worker == nullptr) return true;
  if (!worker->WaitFor(std::chrono::steady_clock::now() + bound)) return false;
  if (readThread.get() == worker) {
    // Every read ends with one completion; a worker that ended without one still
    // brings the window back to idle.
    if (isReading) OnReadComplete(0);
    if (readThread.get() == worker) RetireWorker();
  }
  return true;
}

void clReadControl::mnuSuspendClick() { StopReading(); }

void clReadControl::timTimeoutTimer() {
  window.StopTimeoutTimer();
  isTimedOut = true;
  mnuSuspendClick();
}

void clReadControl::WMDropFiles(const std::vector<std::string>& paths, bool allLocal) {
  if (isReading) {
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
  const std::string chosen = ChooseFolder(kReadFolderTitle, std::string(), false);
  if (!chosen.empty()) StartReading(chosen);
}

bool clReadControl::OutputFolderList(clsThread& worker) {
  return clOutputRun::OutputFolderList(
      clOutputContext{findInFolders.GetFolderList(), findInFolders.GetLastFolder(), outputBasePath,
                      clipboardText, resultMessage, option, worker, clipboard, shell, statusLabel});
}

void clReadControl::Perform(uint16_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == kReadProgressMessage) {
    OnReadProgress(reinterpret_cast<const char*>(lParam));
  } else if (message == kReadCompleteMessage) {
    clsThread* const completing = readThread.get();
    if (completing != nullptr && completing->RanOutOfMemory()) {
      // What the read held is given back before the box is shown; the box says why the
      // read ended with nothing, as a failed run's summary would.
      findInFolders.Clear();
      resultMessage = kOutOfMemoryText;
    }
    OnReadComplete(wParam);
    // The worker ends once this call has returned; it is freed after it has.
    if (completing != nullptr && readThread.get() == completing && !isReading) RetireWorker();
    window.RunLater(0, [this] { ReapRetiredWorkers(false); });
  }
}

void clReadControl::OnReadProgress(const char* text) { window.OfferProgress(text); }

void clReadControl::OnReadComplete(uintptr_t wParam) {
  // The label ends the read on the last progress text it was given.
  window.FlushProgress();
  isStopping = false;
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

void clReadControl::RetireWorker() { retiredThreads.push_back(std::move(readThread)); }

void clReadControl::ReapRetiredWorkers(bool wait) {
  for (auto it = retiredThreads.begin(); it != retiredThreads.end();) {
    clsThread& worker = **it;
    if (!wait && !worker.Finished()) {
      ++it;
      continue;
    }
    worker.WaitFor();
    dispatcher.Forget(worker);
    it = retiredThreads.erase(it);
  }
  // A worker that has sent its completion ends at once; look again shortly.
  if (!retiredThreads.empty()) window.RunLater(5, [this] { ReapRetiredWorkers(false); });
}
