#include "settings/clcalledwindialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "app/cluihooks.h"

namespace {

struct ChooserCall {
  QWidget* owner;
  QString title;
  QByteArray initialFolder;
};

// Answers every chooser in turn with the next of the given paths and records what
// it was asked.
class clCalledWinDialogTest : public ::testing::Test {
 protected:
  void Answer(std::vector<QByteArray> answers) {
    clUiHooks::chooseFolder = [this, answers](QWidget* owner, const QString& title,
                                              const QByteArray& initial) {
      calls.push_back({owner, title, initial});
      return answers.at(calls.size() - 1);
    };
  }
  void TearDown() override { clUiHooks::Reset(); }

  std::vector<ChooserCall> calls;
};

TEST_F(clCalledWinDialogTest, FreshObjectAsksWithTheDefaultTitleFromTheRoot) {
  Answer({QByteArray("/home/user")});
  clCalledWinDialog dialog;
  EXPECT_EQ(dialog.GetFolderPath(), "");
  EXPECT_TRUE(dialog.Execute(nullptr));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].title, QString::fromUtf8("フォルダを選択してください。"));
  EXPECT_EQ(calls[0].initialFolder, QByteArray("/"));
  EXPECT_EQ(dialog.GetFolderPath(), "/home/user");
}

TEST_F(clCalledWinDialogTest, PassesTitleInitialFolderAndOwnerAndKeepsRawBytes) {
  const QByteArray odd("/data/\xff\x81kdx", 11);  // not valid UTF-8
  Answer({odd});
  QWidget owner;
  clCalledWinDialog dialog;
  dialog.SetTitle("フォルダ構成取得用ファイル出力先を指定して下さい。");
  dialog.SetInitialFolder(std::string("/srv/\xfe", 6));
  dialog.Execute(&owner);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].owner, &owner);
  EXPECT_EQ(calls[0].title,
            QString::fromUtf8("フォルダ構成取得用ファイル出力先を指定して下さい。"));
  EXPECT_EQ(calls[0].initialFolder, QByteArray("/srv/\xfe", 6));
  EXPECT_EQ(dialog.GetFolderPath(), odd.toStdString());
}

TEST_F(clCalledWinDialogTest, EmptyInitialFolderMeansNoPreselection) {
  Answer({QByteArray()});
  clCalledWinDialog dialog;
  dialog.SetInitialFolder("");
  dialog.Execute(nullptr);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(calls[0].initialFolder.isEmpty());
}

TEST_F(clCalledWinDialogTest, CancelEmptiesThePathEvenAfterAnEarlierChoice) {
  Answer({QByteArray("/tmp"), QByteArray()});
  clCalledWinDialog dialog;
  EXPECT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.GetFolderPath(), "/tmp");
  EXPECT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.GetFolderPath(), "");
}

// The real chooser, cancelled as soon as it is up: the folder it opened in.
std::string RealChooserOpensIn(const std::string& initialFolder) {
  QString shown;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* chooser = qobject_cast<QFileDialog*>(window);
      if (chooser && chooser->isVisible()) {
        shown = chooser->directory().absolutePath();
        chooser->reject();
      }
    }
  });
  poll.start(10);
  clCalledWinDialog dialog;
  dialog.SetInitialFolder(initialFolder);
  EXPECT_TRUE(dialog.Execute(nullptr));
  EXPECT_EQ(dialog.GetFolderPath(), "");
  return shown.toStdString();
}

TEST_F(clCalledWinDialogTest, RealChooserOpensInTheInitialFolderOrElseTheHomeFolder) {
  QTemporaryDir initial;
  QTemporaryDir working;
  QTemporaryDir home;
  ASSERT_TRUE(initial.isValid() && working.isValid() && home.isValid());
  const QString before = QDir::currentPath();
  const QByteArray homeBefore = qgetenv("HOME");
  // Without an initial folder the chooser does not open wherever the program
  // happens to have been started.
  ASSERT_TRUE(QDir::setCurrent(working.path()));
  qputenv("HOME", QFile::encodeName(home.path()));
  EXPECT_EQ(RealChooserOpensIn(""), QDir(home.path()).absolutePath().toStdString());
  EXPECT_EQ(RealChooserOpensIn(QFile::encodeName(initial.path()).toStdString()),
            QDir(initial.path()).absolutePath().toStdString());
  qputenv("HOME", homeBefore);
  QDir::setCurrent(before);
}

}  // namespace
