#include "settings/clcalledwindialog.h"

#include "platform/clpath.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ChooserCall {
  std::string title;
  std::string initialFolder;
  bool preSelect;
};

// Answers every chooser in turn with the next of the given paths and records what it
// was asked.
class clRecordingChooser : public clFolderChooser {
 public:
  explicit clRecordingChooser(std::vector<std::string> answers) : answers(std::move(answers)) {}
  std::string ChooseFolder(const std::string& title, const std::string& initialFolder,
                           bool preSelect) override {
    calls.push_back({title, initialFolder, preSelect});
    return answers.at(calls.size() - 1);
  }
  std::vector<ChooserCall> calls;

 private:
  std::vector<std::string> answers;
};

TEST(clCalledWinDialogTest, FreshObjectAsksWithTheDefaultTitleFromTheRoot) {
  clRecordingChooser chooser({"/home/user"});
  clCalledWinDialog dialog;
  EXPECT_EQ(dialog.GetFolderPath(), "");
  EXPECT_TRUE(dialog.Execute(chooser));
  ASSERT_EQ(chooser.calls.size(), 1u);
  EXPECT_EQ(chooser.calls[0].title, "フォルダを選択してください。");
  EXPECT_EQ(chooser.calls[0].initialFolder, clPath::kDefaultRoot);
  EXPECT_TRUE(chooser.calls[0].preSelect);
  EXPECT_EQ(dialog.GetFolderPath(), "/home/user");
}

TEST(clCalledWinDialogTest, PassesTitleAndInitialFolderAndKeepsRawBytes) {
  const std::string odd("/data/\xff\x81kdx", 11);  // not valid UTF-8
  clRecordingChooser chooser({odd});
  clCalledWinDialog dialog;
  dialog.SetTitle("フォルダ構成取得用ファイル出力先を指定して下さい。");
  dialog.SetInitialFolder(std::string("/srv/\xfe", 6));
  dialog.Execute(chooser);
  ASSERT_EQ(chooser.calls.size(), 1u);
  EXPECT_EQ(chooser.calls[0].title, "フォルダ構成取得用ファイル出力先を指定して下さい。");
  EXPECT_EQ(chooser.calls[0].initialFolder, std::string("/srv/\xfe", 6));
  EXPECT_EQ(dialog.GetFolderPath(), odd);
}

TEST(clCalledWinDialogTest, EmptyInitialFolderMeansNoPreselection) {
  clRecordingChooser chooser({""});
  clCalledWinDialog dialog;
  dialog.SetInitialFolder("");
  dialog.Execute(chooser);
  ASSERT_EQ(chooser.calls.size(), 1u);
  EXPECT_TRUE(chooser.calls[0].initialFolder.empty());
  EXPECT_FALSE(chooser.calls[0].preSelect);
}

TEST(clCalledWinDialogTest, CancelEmptiesThePathEvenAfterAnEarlierChoice) {
  clRecordingChooser chooser({"/tmp", ""});
  clCalledWinDialog dialog;
  EXPECT_TRUE(dialog.Execute(chooser));
  EXPECT_EQ(dialog.GetFolderPath(), "/tmp");
  EXPECT_TRUE(dialog.Execute(chooser));
  EXPECT_EQ(dialog.GetFolderPath(), "");
}

}  // namespace
