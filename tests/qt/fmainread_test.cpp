// A read on its way: the refusals, the output folder, the summary, the time-out
// interval, and notifications served while a modal box or dialog is open.

#include <QTimer>
#include <climits>
#include <filesystem>

#include "platform/posix/clposixplatform.h"
#include "qt/fversioninfo.h"
#include "readhelpers.h"

namespace {

// A platform that cannot tell its system folder.
class clNoSystemFolderPlatform : public clPosixPlatform {
 public:
  std::string GetSystemFolder() override { return std::string(); }
};

}  // namespace

TEST_F(clReadRouteTest, RefusalsShowTheirMessageAndStartNothing) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> settings;
    std::string target;
    bool noSystemFolder;
    std::string text;
    std::string caption;
  };
  const std::vector<Case> cases = {
      {"no output",
       {{"IS_FOLDER_LIST_OUTPUT_CSV", "0"}, {"IS_FOLDER_LIST_OUTPUT_TXT", "0"}},
       target.Root(),
       false,
       "出力先がありません。\n設定からCSV出力、テキスト出力、Clipboard出力の最低１つを選択後、"
       "操作をやり直してください。",
       "処理終了"},
      {"system folder",
       {},
       "/proc/self",
       false,
       "WindowsDirectoryは取得しない設定になっています。",
       "処理終了"},
      {"system folder as a prefix",
       {},
       "/procfs-like",
       false,
       "WindowsDirectoryは取得しない設定になっています。",
       "処理終了"},
      {"system folder by another path",
       {},
       "/tmp/../proc",
       false,
       "WindowsDirectoryは取得しない設定になっています。",
       "処理終了"},
      {"system folder through a doubled separator",
       {},
       "//proc",
       false,
       "WindowsDirectoryは取得しない設定になっています。",
       "処理終了"},
      {"system folder unknown",
       {},
       target.Root(),
       true,
       "GetWindowsDirectoryに失敗しました。",
       "ＡＰＩ異常"},
  };
  clNoSystemFolderPlatform noSystemFolder;
  for (const Case& refusal : cases) {
    SCOPED_TRACE(refusal.name);
    boxes.clear();
    WriteSettings(refusal.settings);
    platform = refusal.noSystemFolder ? &noSystemFolder : nullptr;
    Open();
    window->control.StartReading(refusal.target);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, refusal.text);
    EXPECT_EQ(boxes[0].caption, refusal.caption);
    EXPECT_FALSE(boxes[0].errorBox);
    EXPECT_TRUE(HasIdleMenus(*window));
    EXPECT_EQ(Label(), kInitialStatus);
    EXPECT_FALSE(std::filesystem::exists(outputFolder));
  }
  window.reset();  // it saves its settings through the platform of this test
}

TEST_F(clReadRouteTest, TheSystemFolderIsReadWhenTheSettingsAllowIt) {
  WriteSettings({{"IS_WIN_FOLDER", "1"}, {"IS_SUB_FOLDER", "0"}, {"IS_READ_ONLY_FILE", "1"}});
  Open();
  window->control.StartReading("/proc/self");
  ASSERT_TRUE(WaitIdle());
  EXPECT_NE(clTempTree::ReadFile(window->control.OutputBasePath() + ".txt").find("status"),
            std::string::npos);
}

TEST_F(clReadRouteTest, AnEmptyOutputFolderIsAnErrorAndACommandLineStartStaysOpen) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_FOLDER_PATH", ""}});
  Open(target.Root());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].errorBox);
  EXPECT_EQ(boxes[0].text, "ディレクトリを作成することができません");
  EXPECT_EQ(boxes[0].caption, QCoreApplication::applicationName().toStdString());
  EXPECT_TRUE(HasIdleMenus(*window));

  Drop(*window, {Local(target.Root())});
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_FALSE(window->control.IsReading());
  EXPECT_EQ(terminateRequests, 0);
}

TEST_F(clReadRouteTest, TheOutputFolderIsCreatedWithItsParents) {
  outputFolder = exe.Path("deep/er/out");
  WriteSettings();
  Open(target.Root());
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(OutputFiles().size(), 2u);
}

TEST_F(clReadRouteTest, TheOutputFolderDialogChoosesTheFolderOfOneRead) {
  WriteSettings({{"IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT", "1"}});
  Open();
  window->control.StartReading(target.Root());  // cancelled
  EXPECT_FALSE(window->control.IsReading());
  EXPECT_TRUE(boxes.empty());
  ASSERT_EQ(chooserTitles.size(), 1u);
  EXPECT_EQ(chooserTitles[0], "フォルダ構成取得用ファイル出力先を指定して下さい。");
  EXPECT_EQ(chooserInitialFolders[0], outputFolder);

  clTempTree chosen;
  chooserAnswers.push_back(chosen.Root());
  window->control.StartReading(target.Root());
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(OutputFiles(chosen.Root()).size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(outputFolder));
  EXPECT_EQ(window->control.Option().GetOutputFolderPath(), outputFolder);
}

TEST_F(clReadRouteTest, AClipboardOnlyReadNeedsNoOutputFolder) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_CSV", "0"},
                 {"IS_FOLDER_LIST_OUTPUT_TXT", "0"},
                 {"IS_FOLDER_LIST_OUTPUT_CLIPBOARD", "1"},
                 {"IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT", "1"}});
  Open(target.Root());
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(chooserTitles.empty());
  EXPECT_EQ(window->control.OutputBasePath(), "");
  EXPECT_FALSE(std::filesystem::exists(outputFolder));
  ASSERT_EQ(clipboardWrites.size(), 1u);
  EXPECT_NE(clipboardWrites[0].find("a.txt"), std::string::npos);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "フォルダ構成出力完了\nクリップボード出力成功\n");
}

TEST_F(clReadRouteTest, TheSummaryIsShownOnlyWhenAskedFor) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTMSG", "0"}, {"IS_FOLDER_LIST_OUTPUTLOCATE", "1"}});
  Open(target.Root());
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(window->control.ResultMessage(), kSummaryBothFiles);
  EXPECT_EQ(opened, std::vector<std::string>{outputFolder});
}

TEST_F(clReadRouteTest, AnUnwritableOutputFolderIsReportedByTheSummary) {
  exe.Add("out=not a folder");  // nothing can be created below a file, not even by root
  WriteSettings();
  Open(target.Root());
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "フォルダ構成出力完了\nCSVファイル出力失敗\nTEXTファイル出力失敗\n");
  EXPECT_EQ(boxes[0].caption, "出力完了");
}

TEST_F(clReadRouteTest, TheTimeoutIntervalIsBoundedAndOffForZero) {
  struct Case {
    int32_t seconds;
    bool armed;
    int interval;
  };
  for (const Case& timeout : {Case{3, true, 3000}, Case{INT32_MAX, true, INT_MAX},
                              Case{0, false, 0}, Case{-5, false, 0}}) {
    SCOPED_TRACE(timeout.seconds);
    WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUT", "1"},
                   {"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", std::to_string(timeout.seconds)}});
    Open(target.Root());
    EXPECT_EQ(window->timTimeout->isActive(), timeout.armed);
    if (timeout.armed) {
      EXPECT_EQ(window->timTimeout->interval(), timeout.interval);
    }
    ASSERT_TRUE(WaitIdle());
    EXPECT_FALSE(window->timTimeout->isActive());
    EXPECT_EQ(boxes.back().caption, "出力完了");
  }
}

TEST_F(clReadRouteTest, AReadEndsWhileAModalDialogIsOpen) {
  WriteSettings();
  Open();
  clUiHooks::execDialog = [this](QDialog*) {
    // A dialog's own event loop, until the read has ended.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->control.IsReading(); }, 30000));
    return 0;
  };
  TfrmVersionInfo about(window.get());
  frmVersionInfo = &about;
  window->control.StartReading(target.Root());
  window->mnuAbout->trigger();
  frmVersionInfo = nullptr;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "出力完了");
  EXPECT_TRUE(WaitIdle());
}

TEST_F(clReadRouteTest, AReadStartedWhileTheLastResultIsShownRunsToItsEnd) {
  clTempTree second{"only.txt"};
  WriteSettings();
  Open();
  clUiHooks::messageBox = [&](QWidget*, const QString& text, const QString& caption) {
    boxes.push_back({text.toStdString(), caption.toStdString(), false});
    // The box's own event loop delivers a drop: the window is idle while the result of
    // the last read is shown.
    if (boxes.size() == 1) Drop(*window, {Local(second.Root())});
  };
  window->control.StartReading(target.Root());
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].caption, "出力完了");
  EXPECT_EQ(window->control.TargetFolder(), second.Root());
  EXPECT_EQ(window->control.LastEntries(), 1u);
}
