// The main window from start to end of a read: the three ways to start one, the
// refusals, the command-line start, settings at start and exit, a second instance.

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <climits>
#include <regex>

#include "app/clinstancelock.h"
#include "mainfixture.h"
#include "platform/clposixplatform.h"
#include "scan/clsthread.h"
#include "settings/feasyopt.h"
#include "settings/foption.h"
#include "settings/fversioninfo.h"

namespace {

const std::string kSummaryBothFiles =
    "フォルダ構成出力完了\nCSVファイル出力成功\nTEXTファイル出力成功\n";
const std::string kInitialStatus = "ここに任意のフォルダをドラッグ＆ドロップしてください";

void Drop(TfrmMain& window, const std::vector<QUrl>& urls) {
  QMimeData data;
  data.setUrls(QList<QUrl>(urls.begin(), urls.end()));
  // Qt delivers a drop to the widget that accepted the drag's entry.
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &drop);
}

// A drop of a URI list given as raw bytes.
void DropUriList(TfrmMain& window, const std::string& list) {
  QMimeData data;
  data.setData(QStringLiteral("text/uri-list"), QByteArray::fromStdString(list));
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &drop);
}

QUrl Local(const std::string& path) { return QUrl::fromLocalFile(QString::fromStdString(path)); }

bool HasIdleMenus(const TfrmMain& window) {
  return window.mnuReadFolder->isEnabled() && window.mnuOption->menuAction()->isEnabled() &&
         !window.mnuSuspend->isEnabled() && !window.isReading;
}

// A platform that cannot tell its system folder.
class clNoSystemFolderPlatform : public clPosixPlatform {
 public:
  std::string GetSystemFolder() override { return std::string(); }
};

}  // namespace

class clReadRouteTest : public clMainWindowTest {
 protected:
  clTempTree target{"docs/", "docs/a.txt=x", "b.txt"};
};

TEST_F(clReadRouteTest, EachRouteReadsTheFolderAndShowsTheSummary) {
  enum class Route { Drop, Menu, Argument };
  for (Route route : {Route::Drop, Route::Menu, Route::Argument}) {
    SCOPED_TRACE(static_cast<int>(route));
    std::filesystem::remove_all(outputFolder);
    boxes.clear();
    WriteSettings();
    if (route == Route::Argument) {
      Open(target.Root());
    } else {
      Open();
      EXPECT_EQ(Label(), kInitialStatus);
      if (route == Route::Drop) {
        Drop(*window, {Local(target.Root())});
      } else {
        chooserAnswers.push_back(target.Root());
        window->mnuReadFolder->trigger();
        ASSERT_EQ(chooserTitles.back(), "構成を取得するフォルダを指定して下さい。");
      }
    }
    EXPECT_TRUE(window->isReading);
    ASSERT_TRUE(WaitIdle());

    EXPECT_EQ(window->targetFolder, target.Root());
    EXPECT_TRUE(
        std::regex_match(window->outputBasePath, std::regex(outputFolder + "/KDX_[0-9]{14}")));
    const std::string csv = clTempTree::ReadFile(window->outputBasePath + ".csv");
    const std::string txt = clTempTree::ReadFile(window->outputBasePath + ".txt");
    EXPECT_NE(csv.find("a.txt"), std::string::npos);
    EXPECT_NE(txt.find("a.txt"), std::string::npos);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kSummaryBothFiles);
    EXPECT_EQ(boxes[0].caption, "出力完了");
    EXPECT_EQ(Label(), "フォルダ構成の出力完了");
    EXPECT_TRUE(HasIdleMenus(*window));
    EXPECT_EQ(window->exitWhenDone, route == Route::Argument);
    EXPECT_EQ(terminateRequests, route == Route::Argument ? 1 : 0);
    window.reset();
    terminateRequests = 0;
  }
}

TEST_F(clReadRouteTest, AModalDialogDuringAReadKeepsServingTheWorker) {
  WriteSettings();
  Open();
  clUiHooks::execDialog = [this](QDialog*) {
    // A dialog's own event loop, until the read has ended.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->isReading; }, 30000));
    return 0;
  };
  TfrmVersionInfo about(window.get());
  frmVersionInfo = &about;
  window->StartReading(target.Root());
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
    // The box's own event loop delivers a drop: the finished worker is still waiting
    // for this box to close.
    if (boxes.size() == 1) Drop(*window, {Local(second.Root())});
  };
  window->StartReading(target.Root());
  ASSERT_TRUE(WaitIdle());
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].caption, "出力完了");
  EXPECT_EQ(window->targetFolder, second.Root());
  EXPECT_EQ(window->findInFolders.GetFolderList().size(), 1u);
}

TEST_F(clReadRouteTest, ADroppedPathIsTakenByteForByte) {
  const std::string strange = target.Path("\xff\xfe dir");
  std::filesystem::create_directory(strange);
  WriteSettings();
  Open();
  DropUriList(*window, "# a comment\r\nfile://" +
                           QByteArray::fromStdString(strange).toPercentEncoding("/").toStdString() +
                           "\r\n");
  EXPECT_EQ(window->targetFolder, strange);
  ASSERT_TRUE(WaitIdle());
  DropUriList(*window, "file://localhost" + target.Root() + "\r\n");
  EXPECT_EQ(window->targetFolder, target.Root());
  ASSERT_TRUE(WaitIdle());
}

TEST_F(clReadRouteTest, AFileStandsForItsFolder) {
  WriteSettings();
  Open(target.Path("docs/a.txt"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window->targetFolder, target.Path("docs"));

  Drop(*window, {Local(target.Path("b.txt"))});
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window->targetFolder, target.Root());
}

TEST_F(clReadRouteTest, ABareFileNameStandsForTheCurrentFolder) {
  WriteSettings();
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(target.Root());
  Open("b.txt");
  std::filesystem::current_path(saved);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window->targetFolder, std::filesystem::canonical(target.Root()).string());
}

TEST_F(clReadRouteTest, AnArgumentIsCutTo260BytesBeforeItIsExamined) {
  WriteSettings();
  // The first 260 bytes name the target folder; the rest names nothing.
  std::string longName = target.Root() + "/";
  longName += std::string(260 - longName.size(), 'n');
  std::filesystem::create_directory(longName);
  Open(longName + "/beyond");
  EXPECT_EQ(window->targetFolder, longName);
  ASSERT_TRUE(WaitIdle());
}

TEST_F(clReadRouteTest, AMissingOrEmptyArgumentLeavesTheWindowIdle) {
  WriteSettings();
  for (const std::string& argument : {target.Path("missing"), std::string()}) {
    Open(argument);
    EXPECT_FALSE(window->isReading);
    EXPECT_FALSE(window->exitWhenDone);
    EXPECT_EQ(Label(), kInitialStatus);
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(clReadRouteTest, DropsOfSeveralOrRemoteItemsAreIgnored) {
  WriteSettings();
  Open();
  Drop(*window, {Local(target.Path("docs")), Local(target.Path("b.txt"))});
  Drop(*window, {QUrl(QStringLiteral("https://example.org/folder"))});
  DropUriList(*window, "file://elsewhere" + target.Root() + "\r\n");
  Drop(*window, {});
  EXPECT_FALSE(window->isReading);
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Label(), kInitialStatus);
}

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
    window->StartReading(refusal.target);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, refusal.text);
    EXPECT_EQ(boxes[0].caption, refusal.caption);
    EXPECT_FALSE(boxes[0].errorBox);
    EXPECT_TRUE(HasIdleMenus(*window));
    EXPECT_EQ(window->readThread, nullptr);
    EXPECT_EQ(Label(), kInitialStatus);
    EXPECT_FALSE(std::filesystem::exists(outputFolder));
  }
}

TEST_F(clReadRouteTest, TheSystemFolderIsReadWhenTheSettingsAllowIt) {
  WriteSettings({{"IS_WIN_FOLDER", "1"}, {"IS_SUB_FOLDER", "0"}, {"IS_READ_ONLY_FILE", "1"}});
  Open();
  window->StartReading("/proc/self");
  ASSERT_TRUE(WaitIdle());
  EXPECT_NE(clTempTree::ReadFile(window->outputBasePath + ".txt").find("status"),
            std::string::npos);
}

TEST_F(clReadRouteTest, AnEmptyOutputFolderIsAnErrorAndACommandLineStartStaysOpen) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_FOLDER_PATH", ""}});
  Open(target.Root());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].errorBox);
  EXPECT_EQ(boxes[0].text, "ディレクトリを作成することができません");
  EXPECT_EQ(boxes[0].caption, QCoreApplication::applicationName().toStdString());
  EXPECT_FALSE(window->exitWhenDone);
  EXPECT_TRUE(HasIdleMenus(*window));

  Drop(*window, {Local(target.Root())});
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(window->readThread, nullptr);
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
  window->StartReading(target.Root());  // cancelled
  EXPECT_FALSE(window->isReading);
  EXPECT_TRUE(boxes.empty());
  ASSERT_EQ(chooserTitles.size(), 1u);
  EXPECT_EQ(chooserTitles[0], "フォルダ構成取得用ファイル出力先を指定して下さい。");
  EXPECT_EQ(chooserInitialFolders[0], outputFolder);

  clTempTree chosen;
  chooserAnswers.push_back(chosen.Root());
  window->StartReading(target.Root());
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(OutputFiles(chosen.Root()).size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(outputFolder));
  EXPECT_EQ(window->option.GetOutputFolderPath(), outputFolder);
}

TEST_F(clReadRouteTest, AClipboardOnlyReadNeedsNoOutputFolder) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_CSV", "0"},
                 {"IS_FOLDER_LIST_OUTPUT_TXT", "0"},
                 {"IS_FOLDER_LIST_OUTPUT_CLIPBOARD", "1"},
                 {"IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT", "1"}});
  Open(target.Root());
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(chooserTitles.empty());
  EXPECT_EQ(window->outputBasePath, "");
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
  EXPECT_EQ(window->resultMessage, kSummaryBothFiles);
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

TEST_F(clReadRouteTest, ACommandLineStartEndsAtTheNextCompletedReadEvenAfterARefusal) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_CSV", "0"}, {"IS_FOLDER_LIST_OUTPUT_TXT", "0"}});
  Open(target.Root());
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(window->exitWhenDone);
  EXPECT_EQ(terminateRequests, 0);

  window->option.SetOutputCsv(true);
  Drop(*window, {Local(target.Root())});
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(terminateRequests, 1);
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

TEST_F(clMainWindowTest, TheWindowStartsIdleWithItsMenu) {
  WriteSettings();
  Open();
  EXPECT_EQ(window->windowTitle(), "KDX");
  EXPECT_EQ(window->centralWidget()->size(), QSize(191, 52));
  EXPECT_EQ(window->lblStat->geometry(), QRect(8, 8, 177, 33));
  EXPECT_TRUE(window->acceptDrops());
  EXPECT_TRUE(HasIdleMenus(*window));
  EXPECT_FALSE(window->timTimeout->isActive());
  EXPECT_EQ(window->mnuSuspend->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
  std::vector<std::string> captions;
  for (QMenu* menu : {window->mnuMenu, window->mnuOption, window->mnuHelp}) {
    captions.push_back(menu->title().toStdString());
    for (QAction* action : menu->actions()) captions.push_back(" " + action->text().toStdString());
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"メイン(&M)", " ﾌｫﾙﾀﾞ構成読込(&R)", " 中断(&S)",
                                                " 終了(&X)", "設定(&O)", " 簡単設定(&E)",
                                                " 詳細設定(&P)", "情報(&H)", " ﾊﾞｰｼﾞｮﾝ情報(&V)"}));
}

TEST_F(clMainWindowTest, SettingsAreLoadedAtStartAndSavedAtExit) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", "42"}, {"IS_HIDE_FILE", "1"}});
  Open();
  EXPECT_EQ(window->option.GetTimeoutSeconds(), 42);
  EXPECT_TRUE(window->option.GetHideFile());
  window->option.SetTimeoutSeconds(7);
  window.reset();
  const std::string saved = clTempTree::ReadFile(exe.Path("Setting.ini"));
  EXPECT_NE(saved.find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=7\r\n"), std::string::npos);
  EXPECT_NE(saved.find("IS_HIDE_FILE=1\r\n"), std::string::npos);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(clMainWindowTest, AFailedSaveIsShownAndTheLockIsReleased) {
  WriteSettings();
  Open();
  // A folder in the settings file's place: nobody can replace it with a file.
  std::filesystem::remove(exe.Path("Setting.ini"));
  exe.Add("Setting.ini/");
  window.reset();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].errorBox);
  EXPECT_EQ(boxes[0].text, exe.Path("Setting.ini") + " に書き込めません");
  clInstanceLock lock;
  EXPECT_EQ(lock.Acquire(clInstanceLock::PathFor(lockFolder.Root(), "KDX")),
            clInstanceLock::Result::Acquired);
}

TEST_F(clMainWindowTest, ASecondInstanceRefusesAndLeavesTheSettingsAlone) {
  clTempTree target{"a.txt"};
  WriteSettings({{"IS_HIDE_FILE", "1"}});
  const std::string before = clTempTree::ReadFile(exe.Path("Setting.ini"));
  clInstanceLock first;
  ASSERT_EQ(first.Acquire(clInstanceLock::PathFor(lockFolder.Root(), "KDX")),
            clInstanceLock::Result::Acquired);

  Open(target.Root());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "複数起動は出来ません");
  EXPECT_EQ(boxes[0].caption, QCoreApplication::applicationName().toStdString());
  EXPECT_EQ(terminateRequests, 1);
  EXPECT_FALSE(window->isReading);
  EXPECT_FALSE(window->option.GetHideFile());  // nothing loaded
  EXPECT_FALSE(window->acceptDrops());
  EXPECT_TRUE(window->IsSecondInstance());
  window.reset();
  EXPECT_EQ(clTempTree::ReadFile(exe.Path("Setting.ini")), before);
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(clMainWindowTest, TheDialogItemsShowTheirDialogs) {
  WriteSettings();
  Open();
  TfrmVersionInfo about(window.get());
  TfrmOption option(window->option, window.get());
  TfrmEasyOpt easy(window->option, window.get());
  frmVersionInfo = &about;
  frmOption = &option;
  frmEasyOpt = &easy;
  window->mnuAbout->trigger();
  window->mnuSetting->trigger();
  window->mnuEasy->trigger();
  frmVersionInfo = nullptr;
  frmOption = nullptr;
  frmEasyOpt = nullptr;
  EXPECT_EQ(shownDialogs, (std::vector<QDialog*>{&about, &option, &easy}));
}
