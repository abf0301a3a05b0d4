#include "qt/fversioninfo.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/cljapanesefont.h"

namespace {

// The window's outer size; the frame of a usual title bar and border is taken off.
constexpr int kOuterWidth = 320;
constexpr int kOuterHeight = 226;
constexpr int kFrameWidth = 2 * 4;
constexpr int kFrameHeight = 30 + 4;

}  // namespace

TfrmVersionInfo::TfrmVersionInfo(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("バージョン情報"));
  const QIcon icon(QStringLiteral(":/kdx/kdx.png"));
  setWindowIcon(icon);
  setFont(clJapaneseFont::Standard());
  resize(kOuterWidth - kFrameWidth, kOuterHeight - kFrameHeight);

  Image1 = new QLabel(this);
  Image1->setFixedSize(32, 32);
  Image1->setPixmap(icon.pixmap(32, 32));
  Label1 = new QLabel(QString::fromUtf8("KDX フォルダ構成取得ツール"), this);
  Label1->setFont(clJapaneseFont::Make(QStringLiteral("MS UI Gothic"), 13, true));
  Label2 = new QLabel(QStringLiteral("version 1.00 (2026/12/10)"), this);
  Label2->setFont(clJapaneseFont::Make(QStringLiteral("MS UI Gothic"), 12, true));
  Label4 = new QLabel(QString::fromUtf8("Copyright (C) 2026 KDX 開発チーム\n"
                                        "本ソフトウェアはフリーソフトウェアです。"),
                      this);
  Label4->setWordWrap(true);
  Label3 =
      new QLabel(QString::fromUtf8("フォルダの構成（サブフォルダとファイルの階層）を取得して、"
                                   "ツリー形式のテキストファイル、CSVファイル、クリップボードに"
                                   "出力するツールです。ウィンドウにフォルダをドロップするだけで"
                                   "取得できます。"),
                 this);
  Label3->setWordWrap(true);
  Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setMinimumWidth(75);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(10, 10, 10, 10);
  column->setSpacing(8);
  auto* head = new QGridLayout;
  head->setHorizontalSpacing(12);
  head->setVerticalSpacing(4);
  head->addWidget(Image1, 0, 0, 2, 1, Qt::AlignTop);
  head->addWidget(Label1, 0, 1);
  head->addWidget(Label2, 1, 1);
  head->addWidget(Label4, 2, 1);
  head->setColumnStretch(1, 1);
  column->addLayout(head);
  column->addWidget(Label3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  column->addLayout(buttons);

  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}
