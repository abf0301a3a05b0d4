#pragma once

// Drops, idle checks and the small tree the read tests use.

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <string>
#include <vector>

#include "mainfixture.h"

inline const std::string kSummaryBothFiles =
    "フォルダ構成出力完了\nCSVファイル出力成功\nTEXTファイル出力成功\n";
inline const std::string kInitialStatus = "ここに任意のフォルダをドラッグ＆ドロップしてください";

// A drop of the given data; Qt delivers a drop to the widget that accepted the drag's
// entry.
inline void DropData(TfrmMain& window, QMimeData& data) {
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &drop);
}

inline void Drop(TfrmMain& window, const std::vector<QUrl>& urls) {
  QMimeData data;
  data.setUrls(QList<QUrl>(urls.begin(), urls.end()));
  DropData(window, data);
}

// A drop of a URI list given as raw bytes.
inline void DropUriList(TfrmMain& window, const std::string& list) {
  QMimeData data;
  data.setData(QStringLiteral("text/uri-list"), QByteArray::fromStdString(list));
  DropData(window, data);
}

inline QUrl Local(const std::string& path) {
  return QUrl::fromLocalFile(QString::fromStdString(path));
}

inline bool HasIdleMenus(const TfrmMain& window) {
  return window.mnuReadFolder->isEnabled() && window.mnuOption->menuAction()->isEnabled() &&
         !window.mnuSuspend->isEnabled() && !window.control.IsReading();
}

class clReadRouteTest : public clMainWindowTest {
 protected:
  clTempTree target{"docs/", "docs/a.txt=x", "b.txt"};
};
