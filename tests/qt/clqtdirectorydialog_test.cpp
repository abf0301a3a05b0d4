#include "qt/clqtdirectorydialog.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <memory>
#include <set>
#include <string>

#include "cltemptree.h"

namespace {

QStringList VisibleTexts(QWidget& dialog) {
  QStringList texts;
  for (auto* label : dialog.findChildren<QLabel*>()) {
    if (label->isVisible()) texts << label->text();
  }
  for (auto* button : dialog.findChildren<QDialogButtonBox*>().value(0)->buttons()) {
    if (button->isVisible()) texts << button->text();
  }
  return texts;
}

// The names of the files opened in a folder while it is watched.
class clOpenWatch {
 public:
  explicit clOpenWatch(const std::string& folder)
      : fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
        watch(::inotify_add_watch(fd, folder.c_str(), IN_OPEN | IN_ACCESS)) {}
  ~clOpenWatch() { ::close(fd); }
  bool Ready() const { return fd >= 0 && watch >= 0; }

  std::set<std::string> OpenedFiles() {
    alignas(inotify_event) char buffer[4096];
    for (ssize_t size; (size = ::read(fd, buffer, sizeof buffer)) > 0;) {
      for (char* at = buffer; at < buffer + size;) {
        const auto* event = reinterpret_cast<const inotify_event*>(at);
        if (event->len > 0 && (event->mask & IN_ISDIR) == 0) opened.insert(event->name);
        at += sizeof(inotify_event) + event->len;
      }
    }
    return opened;
  }

 private:
  int fd;
  int watch;
  std::set<std::string> opened;
};

}  // namespace

TEST(clQtDirectoryDialog, ShowsQtsOwnTextsInJapanese) {
  clTempTree tree{"sub/"};
  const std::unique_ptr<QFileDialog> dialog =
      clQtDirectoryDialog::Make(nullptr, QString::fromUtf8("フォルダを選択してください。"),
                                QString::fromStdString(tree.Root()));
  dialog->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("フォルダを選択してください。"));
  const QStringList texts = VisibleTexts(*dialog);
  for (const char* english : {"Look in:", "Directory:", "&Choose", "Choose", "Cancel"}) {
    EXPECT_FALSE(texts.contains(QString::fromLatin1(english))) << english;
  }
  for (const char* japanese : {"アドレス:", "ディレクトリ:", "選択(&C)", "キャンセル"}) {
    EXPECT_TRUE(texts.contains(QString::fromUtf8(japanese)))
        << japanese << " in " << texts.join(QStringLiteral(" | ")).toStdString();
  }
  EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
  EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
  dialog->reject();
}

TEST(clQtDirectoryDialog, ListsAndCompletesAFolderWithoutOpeningItsFiles) {
  // A file whose name says nothing of its type is what Qt's own chooser would read to
  // find its type; below /proc such a read can block the window for good.
  clTempTree tree{"script=#!/bin/sh\n", "notes.txt=text",
                  "data=\x7f"
                  "ELF",
                  "sub/"};
  clOpenWatch watch(tree.Root());
  ASSERT_TRUE(watch.Ready());
  const std::unique_ptr<QFileDialog> dialog =
      clQtDirectoryDialog::Make(nullptr, QStringLiteral("x"), QString::fromStdString(tree.Root()));
  auto* model = dialog->findChild<QFileSystemModel*>();
  ASSERT_NE(model, nullptr);
  bool loaded = false;
  QObject::connect(model, &QFileSystemModel::directoryLoaded, [&](const QString& path) {
    if (path == QString::fromStdString(tree.Root())) loaded = true;
  });
  dialog->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  // Typing the folder's path lets the completer list it too.
  auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  QTest::keyClicks(edit, QString::fromStdString(tree.Root() + "/"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return loaded; }, 10000));
  // A barrier: the model's own thread takes its work in order, so once a folder made now
  // is listed, all it had to do for the files before it is done.
  const QString barrier = QString::fromStdString(tree.Path("zz-barrier"));
  bool barrierListed = false;
  QObject::connect(model, &QFileSystemModel::rowsInserted,
                   [&](const QModelIndex& parent, int first, int last) {
                     for (int row = first; row <= last; ++row) {
                       if (model->filePath(model->index(row, 0, parent)) == barrier) {
                         barrierListed = true;
                       }
                     }
                   });
  tree.Add("zz-barrier/");
  ASSERT_TRUE(QTest::qWaitFor([&] { return barrierListed; }, 10000));
  EXPECT_EQ(watch.OpenedFiles(), std::set<std::string>{});
  dialog->reject();
}
