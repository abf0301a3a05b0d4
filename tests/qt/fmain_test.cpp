// The main window itself: its controls and menu, settings at start and exit, the
// single-instance refusal, the dialog items.

#include <QTimer>

#include "qt/feasyopt.h"
#include "qt/foption.h"
#include "qt/fversioninfo.h"
#include "readhelpers.h"

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
  EXPECT_EQ(window->control.Option().GetTimeoutSeconds(), 42);
  EXPECT_TRUE(window->control.Option().GetHideFile());
  window->control.Option().SetTimeoutSeconds(7);
  window.reset();
  const std::string saved = clTempTree::ReadFile(exe.Path("Setting.ini"));
  EXPECT_NE(saved.find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=7\r\n"), std::string::npos);
  EXPECT_NE(saved.find("IS_HIDE_FILE=1\r\n"), std::string::npos);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(clMainWindowTest, AnInstalledCopyKeepsItsSettingsInTheUsersFolders) {
  // A copy in a folder its user cannot write: the settings go to the configuration
  // folder (made at the first save) and the output to the documents folder.
  clTempTree user{"Documents/"};
  process.facts.exeFolderWritable = false;
  process.facts.configHome = user.Path("config");
  process.facts.documentsFolder = user.Path("Documents");
  Open();
  EXPECT_EQ(window->control.Option().GetOutputFolderPath(),
            user.Path("Documents/FolderListOutput"));
  window->control.Option().SetTimeoutSeconds(7);
  window.reset();
  const std::string saved = clTempTree::ReadFile(user.Path("config/KDX/Setting.ini"));
  EXPECT_NE(saved.find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=7\r\n"), std::string::npos);
  EXPECT_NE(
      saved.find("IS_FOLDER_LIST_OUTPUT_FOLDER_PATH=" + user.Path("Documents/FolderListOutput")),
      std::string::npos);
  EXPECT_FALSE(clTempTree::Exists(exe.Path("Setting.ini")));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(clMainWindowTest, AFailedSaveIsShownAndTheGuardIsReleased) {
  WriteSettings();
  Open();
  // A folder in the settings file's place: nobody can replace it with a file.
  std::filesystem::remove(exe.Path("Setting.ini"));
  exe.Add("Setting.ini/");
  window.reset();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_TRUE(boxes[0].errorBox);
  EXPECT_EQ(boxes[0].text, exe.Path("Setting.ini") + " に書き込めません");
  EXPECT_EQ(process.acquiredName, "KDX");
  EXPECT_FALSE(process.HoldsInstance());
}

TEST_F(clMainWindowTest, ASecondInstanceRefusesAndLeavesTheSettingsAlone) {
  clTempTree target{"a.txt"};
  WriteSettings({{"IS_HIDE_FILE", "1"}});
  const std::string before = clTempTree::ReadFile(exe.Path("Setting.ini"));
  process.heldElsewhere = true;

  Open(target.Root());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "複数起動は出来ません");
  EXPECT_EQ(boxes[0].caption, "KDX");  // the executable's name without extension
  EXPECT_EQ(terminateRequests, 1);
  EXPECT_FALSE(window->control.IsReading());
  EXPECT_FALSE(window->control.Option().GetHideFile());  // nothing loaded
  EXPECT_FALSE(window->acceptDrops());
  EXPECT_TRUE(window->control.IsSecondInstance());
  window.reset();
  EXPECT_EQ(clTempTree::ReadFile(exe.Path("Setting.ini")), before);
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(clMainWindowTest, TheDialogItemsShowTheirDialogs) {
  WriteSettings();
  Open();
  TfrmVersionInfo about(window.get());
  TfrmOption option(window->control.Option(), window.get());
  TfrmEasyOpt easy(window->control.Option(), window.get());
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
