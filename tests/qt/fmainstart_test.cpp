// Starting a read: by a drop, by the menu and its folder chooser, by the command-line
// argument; what a file, a bare name, a long or missing argument stand for.

#include <filesystem>
#include <regex>

#include "readhelpers.h"

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
    EXPECT_TRUE(window->control.IsReading());
    ASSERT_TRUE(WaitIdle());

    EXPECT_EQ(window->control.TargetFolder(), target.Root());
    EXPECT_TRUE(std::regex_match(window->control.OutputBasePath(),
                                 std::regex(outputFolder + "/KDX_[0-9]{14}")));
    const std::string csv = clTempTree::ReadFile(window->control.OutputBasePath() + ".csv");
    const std::string txt = clTempTree::ReadFile(window->control.OutputBasePath() + ".txt");
    EXPECT_NE(csv.find("a.txt"), std::string::npos);
    EXPECT_NE(txt.find("a.txt"), std::string::npos);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kSummaryBothFiles);
    EXPECT_EQ(boxes[0].caption, "出力完了");
    EXPECT_EQ(Label(), "フォルダ構成の出力完了");
    EXPECT_TRUE(HasIdleMenus(*window));
    EXPECT_EQ(terminateRequests, route == Route::Argument ? 1 : 0);
    window.reset();
    terminateRequests = 0;
  }
}

TEST_F(clReadRouteTest, AFileStandsForItsFolder) {
  WriteSettings();
  Open(target.Path("docs/a.txt"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window->control.TargetFolder(), target.Path("docs"));

  Drop(*window, {Local(target.Path("b.txt"))});
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window->control.TargetFolder(), target.Root());
}

TEST_F(clReadRouteTest, ABareFileNameStandsForTheCurrentFolder) {
  WriteSettings();
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(target.Root());
  Open("b.txt");
  std::filesystem::current_path(saved);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(window->control.TargetFolder(), std::filesystem::canonical(target.Root()).string());
}

TEST_F(clReadRouteTest, ALongArgumentIsReadWhole) {
  WriteSettings();
  // The first 260 bytes name a folder too, which is not the one asked for.
  std::string longName = target.Root() + "/";
  longName += std::string(260 - longName.size(), 'n');
  std::filesystem::create_directories(longName + "/beyond");
  Open(longName + "/beyond");
  EXPECT_EQ(window->control.TargetFolder(), longName + "/beyond");
  ASSERT_TRUE(WaitIdle());
}

TEST_F(clReadRouteTest, AMissingOrEmptyArgumentLeavesTheWindowIdle) {
  WriteSettings();
  for (const std::string& argument : {target.Path("missing"), std::string()}) {
    Open(argument);
    EXPECT_FALSE(window->control.IsReading());
    EXPECT_EQ(terminateRequests, 0);
    EXPECT_EQ(Label(), kInitialStatus);
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(clReadRouteTest, ADroppedPathIsTakenByteForByte) {
  const std::string strange = target.Path("\xff\xfe dir");
  std::filesystem::create_directory(strange);
  WriteSettings();
  Open();
  DropUriList(*window, "# a comment\r\nfile://" +
                           QByteArray::fromStdString(strange).toPercentEncoding("/").toStdString() +
                           "\r\n");
  EXPECT_EQ(window->control.TargetFolder(), strange);
  ASSERT_TRUE(WaitIdle());
  DropUriList(*window, "file://localhost" + target.Root() + "\r\n");
  EXPECT_EQ(window->control.TargetFolder(), target.Root());
  ASSERT_TRUE(WaitIdle());
}

TEST_F(clReadRouteTest, DropsOfSeveralOrRemoteItemsAreIgnored) {
  WriteSettings();
  Open();
  Drop(*window, {Local(target.Path("docs")), Local(target.Path("b.txt"))});
  Drop(*window, {QUrl(QStringLiteral("https://example.org/folder"))});
  DropUriList(*window, "file://elsewhere" + target.Root() + "\r\n");
  Drop(*window, {});
  EXPECT_FALSE(window->control.IsReading());
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Label(), kInitialStatus);
}

TEST_F(clReadRouteTest, ACommandLineStartEndsAtTheNextCompletedReadEvenAfterARefusal) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUT_CSV", "0"}, {"IS_FOLDER_LIST_OUTPUT_TXT", "0"}});
  Open(target.Root());
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(terminateRequests, 0);

  window->control.Option().SetOutputCsv(true);
  Drop(*window, {Local(target.Root())});
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(terminateRequests, 1);
}
