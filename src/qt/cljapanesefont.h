#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The program's fonts: the family asked for, then the Japanese fonts a Linux desktop
// usually has in its place.
class clJapaneseFont {
 public:
  // "ＭＳ Ｐゴシック", 12 pixels: the face of every window of the program.
  static QFont Standard();
  static QFont Make(const QString& family, int pixelSize, bool bold);
};
