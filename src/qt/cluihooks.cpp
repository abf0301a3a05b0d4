#include "qt/cluihooks.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

namespace {

void RealMessageBox(QWidget* owner, const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.exec();
}

void RealErrorBox(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text, QMessageBox::Ok,
                  owner);
  box.exec();
}

QByteArray RealChooseFolder(QWidget* owner, const QString& title, const QByteArray& initialFolder) {
  // Without an initial folder the chooser opens in the home folder with nothing in
  // it selected, not in whatever folder the program was started from.
  const QString start =
      initialFolder.isEmpty() ? QDir::homePath() : QFile::decodeName(initialFolder);
  const QString chosen =
      QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
  return QFile::encodeName(chosen);
}

int RealExecDialog(QDialog* dialog) { return dialog->exec(); }

void RealSetClipboard(const QByteArray& text) {
  auto* data = new QMimeData;
  data->setData(QStringLiteral("text/plain"), text);
  QApplication::clipboard()->setMimeData(data);
}

void RealOpenPath(const QByteArray& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path)));
}

}  // namespace

std::function<void(QWidget*, const QString&, const QString&)> clUiHooks::messageBox =
    RealMessageBox;
std::function<void(QWidget*, const QString&)> clUiHooks::errorBox = RealErrorBox;
std::function<QByteArray(QWidget*, const QString&, const QByteArray&)> clUiHooks::chooseFolder =
    RealChooseFolder;
std::function<int(QDialog*)> clUiHooks::execDialog = RealExecDialog;
std::function<void(const QByteArray&)> clUiHooks::setClipboard = RealSetClipboard;
std::function<void(const QByteArray&)> clUiHooks::openPath = RealOpenPath;

void clUiHooks::Reset() {
  messageBox = RealMessageBox;
  errorBox = RealErrorBox;
  chooseFolder = RealChooseFolder;
  execDialog = RealExecDialog;
  setClipboard = RealSetClipboard;
  openPath = RealOpenPath;
}
