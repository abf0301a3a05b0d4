#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QWidget;
class QDialog;

// Every modal box, dialog, clipboard write and shell open of the application goes
// through one of these hooks. They start out as the real Qt implementations; a test
// replaces them to answer in advance, so that nothing waits for a person.
struct clUiHooks {
  // A modal message box with an OK button only and no icon.
  static std::function<void(QWidget* owner, const QString& text, const QString& caption)>
      messageBox;
  // The standard error box: critical icon, the application title as caption.
  static std::function<void(QWidget* owner, const QString& text)> errorBox;
  // A modal folder chooser; returns the chosen folder's path as raw bytes, or an
  // empty array when the user cancelled.
  static std::function<QByteArray(QWidget* owner, const QString& title,
                                  const QByteArray& initialFolder)>
      chooseFolder;
  // Shows a dialog modally and returns its result (QDialog::Accepted or Rejected).
  static std::function<int(QDialog* dialog)> execDialog;
  // Replaces the clipboard's content with one plain text, the exact bytes.
  static std::function<void(const QByteArray& text)> setClipboard;
  // Opens a file or folder with its associated application.
  static std::function<void(const QByteArray& path)> openPath;

  // Puts back the real implementations.
  static void Reset();
};
