#include "qt/cljapanesefont.h"

QFont clJapaneseFont::Standard() { return Make(QString::fromUtf8("ＭＳ Ｐゴシック"), 12, false); }

QFont clJapaneseFont::Make(const QString& family, int pixelSize, bool bold) {
  QFont face;
  face.setFamilies({family, QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
  face.setPixelSize(pixelSize);
  face.setBold(bold);
  return face;
}
