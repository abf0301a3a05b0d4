#include "qt/clqtfolderchooser.h"
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

#include "qt/cluihooks.h"

namespace {

struct ChooserCall {
  QWidget* owner;
  QString title;
  QByteArray initialFolder;
};

// Answers every chooser in turn with the next of the given paths and records what
// it was asked.
class clQtFolderChooserTest : public ::testing::Test {
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

TEST_F(clQtFolderChooserTest, PassesTitleInitialFolderAndOwnerAsRawBytes) {
  const QByteArray odd("/data/\xff\x81kdx", 11);  // not valid UTF-8
  Answer({odd});
  QWidget owner;
  clQtFolderChooser chooser(&owner);
  const std::string chosen = chooser.ChooseFolder(
      "フォルダ構成取得用ファイル出力先を指定して下さい。", std::string("/srv/\xfe", 6), true);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].owner, &owner);
  EXPECT_EQ(calls[0].title,
            QString::fromUtf8("フォルダ構成取得用ファイル出力先を指定して下さい。"));
  EXPECT_EQ(calls[0].initialFolder, QByteArray("/srv/\xfe", 6));
  EXPECT_EQ(chosen, odd.toStdString());
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
  clQtFolderChooser owner(nullptr);
  clCalledWinDialog dialog;
  dialog.SetInitialFolder(initialFolder);
  EXPECT_TRUE(dialog.Execute(owner));
  EXPECT_EQ(dialog.GetFolderPath(), "");
  return shown.toStdString();
}

TEST_F(clQtFolderChooserTest, RealChooserOpensInTheInitialFolderOrElseTheHomeFolder) {
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
