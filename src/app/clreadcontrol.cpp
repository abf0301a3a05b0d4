// The main window's life: start-up with the single-instance guard, the settings and the
// command line; shutdown with the save and the stop of a running read.
#include "app/clreadcontrol.h"

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "app/clreaddispatcher.h"
#include "app/clreadwindow.h"
#include "platform/clpath.h"
#include "scan/clsthread.h"
#include "settings/clcalledwindialog.h"
#include "settings/clsettingsfile.h"
#include "settings/clusertexts.h"

namespace {

const char* const kSecondInstanceText = "複数起動は出来ません";
const char* const kUnknownErrorText = clUserTexts::kUnknownError;
const std::string kUnstoredFolderText1 = "出力先フォルダのパスに改行が含まれているため、";
const std::string kUnstoredFolderText2 =
    " に保存できませんでした。以前の出力先フォルダのままです。";

// The file name without its extension: a copy named KDX.bin is titled "KDX".
std::string TitleOf(const std::string& exeName) {
  const std::size_t dot = exeName.rfind('.');
  return dot == std::string::npos ? exeName : exeName.substr(0, dot);
}

}  // namespace

clReadControl::clReadControl(const Services& services)
    : findInFolders(services.files),
      window(services.window),
      platform(services.files),
      process(services.process),
      dispatcher(services.dispatcher),
      clipboard(services.clipboard),
      shell(services.shell),
      statusLabel(services.window),
      facts(services.process.GetProcessFacts()),
      applicationTitle(TitleOf(facts.exeName)) {
  // The walker asks for a box only during a walk, on the worker thread: the box is
  // shown on the main thread while the walk waits.
  findInFolders.SetMessageBox([this](const std::string& text, const std::string& caption) {
    auto show = [this, &text, &caption] { window.ShowMessage(text, caption); };
    if (readThread != nullptr) {
      readThread->Synchronize(show);
    } else {
      show();
    }
  });
}

clReadControl::~clReadControl() {
  // FormDestroy has stopped the read; what is left are workers that have completed.
  if (readThread != nullptr) RetireWorker();
  for (auto& worker : retiredThreads) {
    worker->WaitFor();
    dispatcher.Forget(*worker);
  }
}

void clReadControl::ShowError() {
  try {
    throw;
  } catch (const std::exception& error) {
    window.ShowErrorBox(error.what());
  } catch (...) {
    window.ShowErrorBox(kUnknownErrorText);
  }
}

void clReadControl::FormCreate() {
  // Caught from the start of the process; taken from here on.
  window.WatchHandle(process.EndRequestHandle(), [this] {
    if (process.TakeEndRequests()) EndRequested();
  });

  if (!process.AcquireInstance(facts.exeName)) {
    secondInstance = true;
    window.ShowMessage(kSecondInstanceText, applicationTitle);
    window.QuitApplication();
    return;
  }

  LoadSetting();
  settingsLoaded = true;

  window.AcceptDrops();

  if (!facts.argument.has_value() || facts.argument->empty()) return;
  // The argument is read as given, however long: a cut path would name another folder.
  std::string path = *facts.argument;
  const clPathKind kind = platform.GetPathKind(path);
  if (kind == clPathKind::Missing) return;
  if (kind == clPathKind::File) path = FolderOfFile(path);
  StartReading(path);
  exitWhenDone = true;
}

void clReadControl::FormDestroy() {
  if (formDestroyed) return;
  formDestroyed = true;
  // A failed save is shown; the guard is released and the read stopped all the same.
  Guarded([this] {
    if (settingsLoaded) SaveSetting();
  });
  process.ReleaseInstance();
  // The worker uses this window's data until it has ended.
  Guarded([this] { StopReading(); });
  // A worker held up in a file system that does not answer cannot keep the program from
  // ending: after a bounded wait the process ends without it, and without freeing what
  // it still uses. The settings are saved by then.
  if (!WaitForWorker(kShutdownWait - kStopWait)) process.EndProcessNow(0);
  if (readThread != nullptr && readThread->Finished()) RetireWorker();
  ReapRetiredWorkers(true);
}

clSettingsLocation clReadControl::SettingsLocation() const {
  return clSettingsLocation({facts.exeFolder, facts.exeFolderWritable, facts.configHome,
                             facts.documentsFolder, facts.installFolders});
}

void clReadControl::EndRequested() { window.QuitApplication(); }

void clReadControl::LoadSetting() {
  const clSettingsLocation location = SettingsLocation();
  clSettingsFile::Load(option, platform, location.SettingPath(), location.OutputParent());
}

void clReadControl::SaveSetting() {
  const clSettingsLocation location = SettingsLocation();
  // An installed copy's folder is made when needed; a portable copy's is its own.
  if (!location.IsPortable()) platform.CreateFolders(location.SettingFolder());
  const std::string path = location.SettingPath();
  // Every other setting has been saved; the one that could not be is said, as a failed
  // save is, in the standard error box.
  if (!clSettingsFile::Save(option, platform, path)) {
    throw std::runtime_error(kUnstoredFolderText1 + path + kUnstoredFolderText2);
  }
}

std::string clReadControl::ChooseFolder(const char* title, const std::string& initialFolder,
                                        bool setInitialFolder) {
  clCalledWinDialog dialog;
  dialog.SetTitle(title);
  if (setInitialFolder) dialog.SetInitialFolder(initialFolder);
  if (!dialog.Execute(window)) return std::string();
  return dialog.GetFolderPath();
}

std::string clReadControl::FolderOfFile(const std::string& path) const {
  const std::string folder = clPath::FolderPart(path);
  if (!folder.empty()) return folder;
  // A bare file name stands for the current folder.
  std::error_code error;
  const std::filesystem::path current = std::filesystem::current_path(error);
  return error ? std::string(".") : current.string();
}

void clReadControl::clWindowLabel::SetText(const std::string& text) { window.SetStatusText(text); }
