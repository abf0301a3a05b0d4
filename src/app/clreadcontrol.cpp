// The main window's life: start-up with the single-instance guard, the settings and the
// command line; shutdown with the save and the stop of a running read.
#include "app/clreadcontrol.h"

#include <exception>
#include <stdexcept>

#include "app/clreadwindow.h"
#include "app/clsthread.h"
#include "platform/clpath.h"
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
    : window(services.window),
      platform(services.files),
      process(services.process),
      clipboard(services.clipboard),
      shell(services.shell),
      statusLabel(services.window),
      facts(services.process.GetProcessFacts()),
      applicationTitle(clPath::ForDisplay(TitleOf(facts.exeName))) {}

// FormDestroy has ended the read. A worker given up on that still runs is waited for
// here; in the program the process has ended without it by then.
clReadControl::~clReadControl() = default;

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
  Guarded([this] { StopReading(); });
  // A worker held up in a file system that does not answer cannot keep the program from
  // ending: after a bounded wait the process ends without it, and without freeing what
  // it still uses. The settings are saved by then.
  const auto deadline = std::chrono::steady_clock::now() + (kShutdownWait - kStopWait);
  for (auto& worker : abandoned) {
    if (!worker->WaitFor(deadline)) {
      process.EndProcessNow(0);
      return;
    }
  }
  abandoned.clear();
}

void clReadControl::SaveAtAbruptExit() {
  if (formDestroyed) return;
  formDestroyed = true;
  // A running read stops and is left to itself: the process is ending under it.
  if (readThread != nullptr) {
    readThread->Terminate();
    readThread->Abandon();
  }
  try {
    if (settingsLoaded) SaveSetting();
  } catch (...) {
    // No window is left to say so.
  }
  process.ReleaseInstance();
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
    throw std::runtime_error(kUnstoredFolderText1 + clPath::ForDisplay(path) +
                             kUnstoredFolderText2);
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
  // A bare file name stands for the current folder, in the form the platform gives paths.
  const std::string current = process.CurrentFolder();
  return current.empty() ? std::string(".") : current;
}

void clReadControl::clWindowLabel::SetText(const std::string& text) { window.SetStatusText(text); }
