#include "qt/feasyopt.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "qt/cldialogkeys.h"
#include "qt/cljapanesefont.h"

namespace {

// The clipboard forms of the record.
constexpr int32_t kClipboardText = 0;
constexpr int32_t kClipboardTable = 1;
// The time-out that OK puts back, in seconds.
constexpr int32_t kDefaultTimeoutSeconds = 10;

}  // namespace

TfrmEasyOpt::TfrmEasyOpt(clSoftOption& option, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      option(option) {
  setWindowTitle(QString::fromUtf8("簡単設定"));
  setFont(clJapaneseFont::Standard());
  setFixedSize(283, 205);
  move(269, 106);  // a fixed place on the screen, not centred

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 8, 8, 8);
  column->setSpacing(8);
  Panel1 = new QFrame(this);
  Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
  auto* boxes = new QVBoxLayout(Panel1);
  boxes->setContentsMargins(10, 8, 10, 8);
  boxes->setSpacing(6);
  chkEasyText = new QCheckBox(QString::fromUtf8("テキストファイル出力"), Panel1);
  chkEasyCsv = new QCheckBox(QString::fromUtf8("CSVファイル出力"), Panel1);
  chkEasyCBT =
      new QCheckBox(QString::fromUtf8("コピー＆ペースト感覚で利用（テキスト形式）"), Panel1);
  chkEasyCBE = new QCheckBox(QString::fromUtf8("コピー＆ペースト感覚で利用（表形式）"), Panel1);
  chkOpenFile = new QCheckBox(QString::fromUtf8("ファイル出力時はファイルを開く"), Panel1);
  chkOpenMsg = new QCheckBox(QString::fromUtf8("処理終了時にメッセージを表示"), Panel1);
  for (QCheckBox* box :
       {chkEasyText, chkEasyCsv, chkEasyCBT, chkEasyCBE, chkOpenFile, chkOpenMsg}) {
    boxes->addWidget(box);
  }
  column->addWidget(Panel1, 1);

  btnOk = new QPushButton(QStringLiteral("OK"), this);
  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  column->addLayout(buttons);
  // Neither button is the default: Enter presses a button only while it has the
  // focus, and Esc closes nothing.
  for (QPushButton* button : {btnOk, btnCancel}) button->setMinimumWidth(75);
  clDialogKeys::Apply(this, {btnOk, btnCancel});

  // On every change of state, whether clicked or set by FormShow.
  connect(chkEasyCBT, &QCheckBox::toggled, this, [this] { chkEasyCBTClick(); });
  connect(chkEasyCBE, &QCheckBox::toggled, this, [this] { chkEasyCBEClick(); });
  connect(btnOk, &QPushButton::clicked, this, [this] {
    btnOkClick();
    accept();
  });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmEasyOpt::FormShow() {
  chkEasyCsv->setChecked(option.GetOutputCsv());
  chkEasyText->setChecked(option.GetOutputTxt());
  // Any clipboard form other than text or table checks neither box.
  const bool clipboard = option.GetOutputClipboard();
  chkEasyCBT->setChecked(clipboard && option.GetClipboardMode() == kClipboardText);
  chkEasyCBE->setChecked(clipboard && option.GetClipboardMode() == kClipboardTable);
  chkOpenMsg->setChecked(option.GetOutputMsg());
  chkOpenFile->setChecked(option.GetOpenCsvFile() || option.GetOpenTxtFile());
}

void TfrmEasyOpt::btnOkClick() {
  option.SetOutputCsv(chkEasyCsv->isChecked());
  option.SetOutputTxt(chkEasyText->isChecked());
  if (chkEasyCBT->isChecked()) {
    option.SetOutputClipboard(true);
    option.SetClipboardMode(kClipboardText);
  } else if (chkEasyCBE->isChecked()) {
    option.SetOutputClipboard(true);
    option.SetClipboardMode(kClipboardTable);
  } else {
    // The form is kept, so the detailed dialog still shows it.
    option.SetOutputClipboard(false);
  }
  option.SetOutputMsg(chkOpenMsg->isChecked());
  option.SetOpenCsvFile(chkOpenFile->isChecked());
  option.SetOpenTxtFile(chkOpenFile->isChecked());
  // What the dialog does not show goes back to the defaults of a fresh
  // installation; only the output folder and the short text form stay.
  option.SetSubFolder(true);
  option.SetWinFolder(false);
  option.SetHideFile(false);
  option.SetReadOnlyFile(false);
  option.SetPreserveDialog(false);
  option.SetOutputLocate(true);
  option.SetTimeout(true);
  option.SetTimeoutSeconds(kDefaultTimeoutSeconds);
}

void TfrmEasyOpt::chkEasyCBTClick() {
  if (chkEasyCBT->isChecked()) chkEasyCBE->setChecked(false);
}

void TfrmEasyOpt::chkEasyCBEClick() {
  if (chkEasyCBE->isChecked()) chkEasyCBT->setChecked(false);
}

void TfrmEasyOpt::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    FormShow();
  }
  QDialog::showEvent(event);
}
