#include "qt/feasyopt.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "qt/clcheckfield.h"
#include "qt/cldialogkeys.h"
#include "qt/cljapanesefont.h"

namespace {

// The check boxes and the model fields they show, copied both ways, in the order
// showing sets them (a clipboard box's handler unchecks the other as it is set).
using clCheck = clCheckField<TfrmEasyOpt, clEasyOptModel>;
constexpr clCheck kCheckFields[] = {
    {&TfrmEasyOpt::chkEasyCsv, &clEasyOptModel::chkEasyCsv},
    {&TfrmEasyOpt::chkEasyText, &clEasyOptModel::chkEasyText},
    {&TfrmEasyOpt::chkEasyCBT, &clEasyOptModel::chkEasyCBT},
    {&TfrmEasyOpt::chkEasyCBE, &clEasyOptModel::chkEasyCBE},
    {&TfrmEasyOpt::chkOpenMsg, &clEasyOptModel::chkOpenMsg},
    {&TfrmEasyOpt::chkOpenFile, &clEasyOptModel::chkOpenFile},
};

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
  model.FormShow(option);
  // The boxes' handlers read the boxes back into the model as they are set.
  const clEasyOptModel shown = model;
  clCheck::Show(*this, shown, kCheckFields);
}

void TfrmEasyOpt::btnOkClick() {
  TakeControls();
  model.btnOkClick(option);
}

void TfrmEasyOpt::chkEasyCBTClick() {
  TakeControls();
  model.chkEasyCBTClick();
  chkEasyCBE->setChecked(model.chkEasyCBE);
}

void TfrmEasyOpt::chkEasyCBEClick() {
  TakeControls();
  model.chkEasyCBEClick();
  chkEasyCBT->setChecked(model.chkEasyCBT);
}

void TfrmEasyOpt::TakeControls() { clCheck::Take(*this, model, kCheckFields); }

void TfrmEasyOpt::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    FormShow();
  }
  QDialog::showEvent(event);
}
