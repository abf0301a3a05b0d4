#include "qt/clnamedfileiconprovider.h"

#include <QFileInfo>
#include <QMimeDatabase>

QIcon clNamedFileIconProvider::icon(const QFileInfo& info) const {
  return icon(info.isDir() ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File);
}

QString clNamedFileIconProvider::type(const QFileInfo& info) const {
  if (info.isDir()) return QFileIconProvider::type(info);  // a folder is never read
  const QMimeType mime =
      QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
  return mime.comment().isEmpty() ? mime.name() : mime.comment();
}
