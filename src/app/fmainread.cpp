// The road of a read on the main window: starting, stopping, the time-out, drops, and
// the worker's notifications.
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <climits>
#include <cstdint>
#include <stdexcept>

#include "app/cluihooks.h"
#include "app/fmain.h"
#include "scan/clsthread.h"

namespace {

const char* const kNoOutputText =
    "出力先がありません。\n"
    "設定からCSV出力、テキスト出力、Clipboard出力の最低１つを選択後、操作をやり直してください。";
const char* const kEndCaption = "処理終了";
const char* const kNoSystemFolderCaption = "ＡＰＩ異常";
const char* const kNoSystemFolderText = "GetWindowsDirectoryに失敗しました。";
const char* const kSystemFolderTargetText = "WindowsDirectoryは取得しない設定になっています。";
const char* const kOutputFolderTitle = "フォルダ構成取得用ファイル出力先を指定して下さい。";
const char* const kReadFolderTitle = "構成を取得するフォルダを指定して下さい。";
const char* const kCannotCreateFolder = "ディレクトリを作成することができません";
const char* const kReadingStatus = "フォルダ構成の取得中...";
const char* const kBusyText = "現在取り込み中です。完了まで次の操作はお待ち下さい";
const char* const kTimeoutCaption = "タイムアウト中断";
const char* const kTimeoutText = "タイムアウトにより出力を中断しました";
const char* const kDoneCaption = "出力完了";
const char* const kErrorCaption = "エラー";

}  // namespace

std::string TfrmMain::MakeOutputBasePath(const std::string& folder) {
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
  return folder + "/" + "KDX_" + stamp.toStdString();
}

std::string TfrmMain::FolderOfFile(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return CurrentFolder();  // a bare file name
  if (slash == 0) return "/";                              // a file in the root folder
  return path.substr(0, slash);
}

void TfrmMain::StartReading(const std::string& path) {
  if (!option.GetOutputCsv() && !option.GetOutputTxt() && !option.GetOutputClipboard()) {
    clUiHooks::messageBox(this, FromBytes(kNoOutputText), FromBytes(kEndCaption));
    return;
  }

  targetFolder = path;
  findInFolders.Clear();

  if (!option.GetWinFolder()) {
    const std::string systemFolder = platform.GetSystemFolder();
    if (systemFolder.empty()) {
      clUiHooks::messageBox(this, FromBytes(kNoSystemFolderText),
                            FromBytes(kNoSystemFolderCaption));
      return;
    }
    if (targetFolder.compare(0, systemFolder.size(), systemFolder) == 0 ||
        platform.IsSameFolder(targetFolder, systemFolder)) {
      clUiHooks::messageBox(this, FromBytes(kSystemFolderTargetText), FromBytes(kEndCaption));
      return;
    }
    findInFolders.SetWindowsDirectory(systemFolder);
  }

  if (option.GetOutputCsv() || option.GetOutputTxt()) {
    if (option.GetPreserveDialog()) {
      const std::string chosen =
          ChooseFolder(kOutputFolderTitle, option.GetOutputFolderPath(), true);
      if (chosen.empty()) return;
      outputBasePath = MakeOutputBasePath(chosen);
    } else {
      const std::string folder = option.GetOutputFolderPath();
      outputBasePath = MakeOutputBasePath(folder);
      if (folder.empty()) throw std::runtime_error(kCannotCreateFolder);
      // A folder that cannot be created is reported by the output run, file by file.
      platform.CreateFolders(folder);
    }
  }

  statusLabel.SetText(FromBytes(kReadingStatus));

  // The idle state ends before the worker starts, so that nothing it reports can
  // arrive before the window is in the reading state.
  resultMessage.clear();
  SetReadingState(true);
  if (option.GetTimeout() && option.GetTimeoutSeconds() > 0) {
    const int64_t milliseconds = int64_t{option.GetTimeoutSeconds()} * 1000;
    timTimeout->setInterval(milliseconds > INT_MAX ? INT_MAX : static_cast<int>(milliseconds));
    timTimeout->start();
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
    timTimeout->stop();
    SetReadingState(false);
    throw;
  }
}

void TfrmMain::SetReadingState(bool reading) {
  mnuReadFolder->setEnabled(!reading);
  mnuOption->menuAction()->setEnabled(!reading);
  mnuEasy->setEnabled(!reading);
  mnuSetting->setEnabled(!reading);
  mnuSuspend->setEnabled(reading);
  isReading = reading;
}

void TfrmMain::StopReading() {
  if (!isReading || readThread == nullptr) return;
  clsThread* const worker = readThread.get();
  findInFolders.stopRequested.store(true);
  worker->Terminate();
  // The wait serves the worker's notifications, so its completion arrives in here.
  worker->WaitFor();
  if (readThread.get() == worker) {
    // Every read ends with one completion; a worker that ended without one still
    // brings the window back to idle.
    if (isReading) OnReadComplete(0);
    if (readThread.get() == worker) RetireWorker();
  }
  ReapRetiredWorkers(false);
}

void TfrmMain::mnuSuspendClick() { StopReading(); }

void TfrmMain::timTimeoutTimer() {
  timTimeout->stop();
  isTimedOut = true;
  mnuSuspendClick();
}

void TfrmMain::WMDropFiles(const std::vector<std::string>& paths, bool allLocal) {
  if (isReading) {
    clUiHooks::messageBox(this, FromBytes(kBusyText), QCoreApplication::applicationName());
    return;
  }
  if (paths.size() != 1 || !allLocal) return;
  std::string path = paths.front();
  if (path.empty()) return;
  // A path whose kind cannot be told counts as a folder.
  if (platform.GetPathKind(path) == clPathKind::File) path = FolderOfFile(path);
  StartReading(path);
}

void TfrmMain::mnuReadFolderClick() {
  const std::string chosen = ChooseFolder(kReadFolderTitle, std::string(), false);
  if (!chosen.empty()) StartReading(chosen);
}

void TfrmMain::Perform(uint16_t message, uintptr_t wParam, intptr_t lParam) {
  if (message == kReadProgressMessage) {
    OnReadProgress(reinterpret_cast<const char*>(lParam));
  } else if (message == kReadCompleteMessage) {
    clsThread* const completing = readThread.get();
    OnReadComplete(wParam);
    // The worker ends once this call has returned; it is freed after it has.
    if (completing != nullptr && readThread.get() == completing && !isReading) RetireWorker();
    QTimer::singleShot(0, this, [this] { ReapRetiredWorkers(false); });
  }
}

void TfrmMain::OnReadProgress(const char* text) { statusLabel.OfferProgress(text); }

void TfrmMain::OnReadComplete(uintptr_t wParam) {
  // The label ends the read on the last progress text it was given.
  statusLabel.FlushProgress();
  SetReadingState(false);
  timTimeout->stop();
  if (isTimedOut) {
    isTimedOut = false;
    clUiHooks::messageBox(this, FromBytes(kTimeoutText), FromBytes(kTimeoutCaption));
  } else if (wParam == 1) {
    if (!resultMessage.empty() && option.GetOutputMsg()) {
      clUiHooks::messageBox(this, FromBytes(resultMessage), FromBytes(kDoneCaption));
    }
  } else if (!resultMessage.empty()) {
    clUiHooks::messageBox(this, FromBytes(resultMessage), FromBytes(kErrorCaption));
  }
  if (exitWhenDone) terminateApplication();
}

void TfrmMain::RetireWorker() { retiredThreads.push_back(std::move(readThread)); }

void TfrmMain::ReapRetiredWorkers(bool wait) {
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
  if (!retiredThreads.empty()) QTimer::singleShot(5, this, [this] { ReapRetiredWorkers(false); });
}
