#pragma once

// Shared set-up of the main window's tests: a folder that stands for the executable's
// (with its own Setting.ini), a process of the test's own, and every box, chooser,
// clipboard write, shell open and termination request answered and recorded.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QTest>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clfakeprocess.h"
#include "clsettingstext.h"
#include "cltemptree.h"
#include "platform/posix/clposixprocess.h"
#include "qt/cluihooks.h"
#include "qt/fmain.h"

struct clRecordedBox {
  std::string text;
  std::string caption;  // the application title for the standard error box
  bool errorBox = false;
};

class clMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clUiHooks::messageBox = [this](QWidget*, const QString& text, const QString& caption) {
      boxes.push_back({text.toStdString(), caption.toStdString(), false});
    };
    clUiHooks::errorBox = [this](QWidget*, const QString& text) {
      boxes.push_back(
          {text.toStdString(), QCoreApplication::applicationName().toStdString(), true});
    };
    clUiHooks::chooseFolder = [this](QWidget*, const QString& title, const QByteArray& initial) {
      chooserTitles.push_back(title.toStdString());
      chooserInitialFolders.push_back(initial.toStdString());
      if (chooserAnswers.empty()) return QByteArray();
      const std::string answer = chooserAnswers.front();
      chooserAnswers.pop_front();
      return QByteArray::fromStdString(answer);
    };
    clUiHooks::execDialog = [this](QDialog* dialog) {
      shownDialogs.push_back(dialog);
      return 0;
    };
    clUiHooks::setClipboard = [this](const QByteArray& text) {
      clipboardWrites.push_back(text.toStdString());
    };
    clUiHooks::openPath = [this](const QByteArray& path) { opened.push_back(path.toStdString()); };
    savedTerminate = TfrmMain::terminateApplication;
    TfrmMain::terminateApplication = [this] { ++terminateRequests; };
    outputFolder = exe.Path("out");
  }

  void TearDown() override {
    window.reset();
    clUiHooks::Reset();
    TfrmMain::terminateApplication = savedTerminate;
  }

  // Setting.ini for the next window: quiet defaults (CSV and text files into
  // outputFolder, the summary shown, nothing opened, no time-out), with overrides.
  void WriteSettings(const std::map<std::string, std::string>& overrides = {}) {
    window.reset();  // a window still open would save its own settings over these
    exe.Add("Setting.ini=" + QuietSettingsText(outputFolder, overrides));
  }

  TfrmMain& Open(std::optional<std::string> argument = std::nullopt) {
    window.reset();  // one instance at a time: the guard is the executable's
    process.facts.exeFolder = exe.Root();
    process.facts.exeName = "KDX";
    process.facts.argument = std::move(argument);
    window = std::make_unique<TfrmMain>(platform != nullptr ? *platform : DefaultFilePlatform(),
                                        process);
    return *window;
  }

  // Spins the event loop until the read has ended and its worker is gone.
  bool WaitIdle(int milliseconds = 30000) {
    return QTest::qWaitFor([this] { return !window->control.IsReading(); }, milliseconds);
  }

  std::string Label() const { return window->lblStat->text().toStdString(); }

  // The output files written so far, by extension.
  std::vector<std::string> OutputFiles(const std::string& folder = std::string()) const {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder.empty() ? outputFolder : folder, error)) {
      files.push_back(entry.path().filename().string());
    }
    return files;
  }

  // The process as the window sees it, with the real clock.
  class clTestProcess : public clFakeProcess {
   public:
    std::string GetLocalTimeStamp() override { return clock.GetLocalTimeStamp(); }

   private:
    clPosixProcess clock{0, nullptr, "/nonexistent"};
  };

  clTempTree exe;
  clTestProcess process;
  std::string outputFolder;
  clFilePlatform* platform = nullptr;
  std::unique_ptr<TfrmMain> window;

  std::vector<clRecordedBox> boxes;
  std::deque<std::string> chooserAnswers;
  std::vector<std::string> chooserTitles;
  std::vector<std::string> chooserInitialFolders;
  std::vector<QDialog*> shownDialogs;
  std::vector<std::string> clipboardWrites;
  std::vector<std::string> opened;
  int terminateRequests = 0;

 private:
  std::function<void()> savedTerminate;
};
