#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

// The folder chooser: Qt's own directory dialog, folders only, its standard texts in
// Japanese once the application has loaded Qt's translation. It lists folders without
// reading any file's contents, so no file (one below /proc, a pipe) can hold it up.
class clQtDirectoryDialog {
 public:
  // The dialog, opened in `startFolder`, ready to be shown.
  static std::unique_ptr<QFileDialog> Make(QWidget* owner, const QString& title,
                                           const QString& startFolder);

  // Runs the dialog: the chosen folder's raw bytes, empty when cancelled.
  static QByteArray Choose(QWidget* owner, const QString& title, const QString& startFolder);
};
