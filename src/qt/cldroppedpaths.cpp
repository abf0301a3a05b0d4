#include "qt/cldroppedpaths.h"

#include <QByteArray>
#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace {

const char* const kUriList = "text/uri-list";

// The path of a "file:" URI, percent-decoded to bytes; false for any other URI.
bool LocalPath(const QByteArray& uri, std::string& path) {
  static const QByteArray scheme("file://");
  if (!uri.startsWith(scheme)) return false;
  QByteArray rest = uri.mid(scheme.size());
  // An authority, if any, must name this machine.
  const qsizetype slash = rest.indexOf('/');
  if (slash < 0) return false;
  const QByteArray host = rest.left(slash);
  if (!host.isEmpty() && host != "localhost") return false;
  path = QByteArray::fromPercentEncoding(rest.mid(slash)).toStdString();
  return true;
}

}  // namespace

clDroppedPaths clDroppedPaths::From(const QMimeData& data) {
  clDroppedPaths dropped;
  if (data.hasFormat(QString::fromLatin1(kUriList))) {
    for (QByteArray line : data.data(QString::fromLatin1(kUriList)).split('\n')) {
      line = line.trimmed();
      if (line.isEmpty() || line.startsWith('#')) continue;
      std::string path;
      const bool local = LocalPath(line, path);
      dropped.allLocal = dropped.allLocal && local;
      dropped.paths.push_back(path);
    }
    return dropped;
  }
  for (const QUrl& url : data.urls()) {
    dropped.allLocal = dropped.allLocal && url.isLocalFile();
    dropped.paths.push_back(url.isLocalFile() ? QFile::encodeName(url.toLocalFile()).toStdString()
                                              : std::string());
  }
  return dropped;
}
