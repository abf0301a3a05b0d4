#pragma once

#include <QFileIconProvider>

// Icons and type names for the folder chooser, taken from what a folder listing says
// (folder or not, the file name's extension) and never from a file's contents. Qt's
// own provider asks the MIME database, which reads a file whose name does not decide
// its type: below /proc such a read may never return (/proc/kmsg waits for the next
// kernel message), and the chooser's file-system model then holds up the window.
class clNamedFileIconProvider : public QFileIconProvider {
 public:
  using QFileIconProvider::icon;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};
