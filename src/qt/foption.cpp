#include "qt/foption.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "qt/clcheckfield.h"
#include "qt/cldialogkeys.h"
#include "qt/cljapanesefont.h"
#include "qt/clqtfolderchooser.h"
#include "qt/cltypeddigits.h"
#include "settings/clusertexts.h"

namespace {

// The user may type at most this many digits into the time-out box.
constexpr int kTimeoutTypedDigits = 4;

QString HintOf(const char* control) {
  const std::string_view hint = clUserTexts::OptionHint(control);
  return QString::fromUtf8(hint.data(), qsizetype(hint.size()));
}

// A check box named after its control, with the control's hint.
QCheckBox* NewCheckBox(QWidget* parent, const char* caption, const char* control) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(QString::fromLatin1(control));
  box->setToolTip(HintOf(control));
  return box;
}

// The check boxes and the model fields they show, copied both ways.
using clCheck = clCheckField<TfrmOption, clOptionModel>;
constexpr clCheck kCheckFields[] = {
    {&TfrmOption::chkIsSubForder, &clOptionModel::chkIsSubForder},
    {&TfrmOption::chkIsWinFolder, &clOptionModel::chkIsWinFolder},
    {&TfrmOption::chkIsHiddenFolder, &clOptionModel::chkIsHiddenFolder},
    {&TfrmOption::chkIsReadOnlyFolder, &clOptionModel::chkIsReadOnlyFolder},
    {&TfrmOption::chkOutputFolderListCSV, &clOptionModel::chkOutputFolderListCSV},
    {&TfrmOption::chkOutputFolderListTXT, &clOptionModel::chkOutputFolderListTXT},
    {&TfrmOption::chkDispPreserveDialogWhenOutput, &clOptionModel::chkDispPreserveDialogWhenOutput},
    {&TfrmOption::chkCopyClipBoardFolderList, &clOptionModel::chkCopyClipBoardFolderList},
    {&TfrmOption::chkShortText, &clOptionModel::chkShortText},
    {&TfrmOption::chkMsg, &clOptionModel::chkMsg},
    {&TfrmOption::chkOpenLocate, &clOptionModel::chkOpenLocate},
    {&TfrmOption::chkOpenCsv, &clOptionModel::chkOpenCsv},
    {&TfrmOption::chkOpenTxt, &clOptionModel::chkOpenTxt},
    {&TfrmOption::chkTimeout, &clOptionModel::chkTimeout},
};

// Untitled frame holding a grid of two equal columns.
QGridLayout* NewFrame(QVBoxLayout* column, QWidget* parent) {
  auto* frame = new QGroupBox(parent);
  column->addWidget(frame);
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(10, 8, 10, 8);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(8);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  return grid;
}

}  // namespace

TfrmOption::TfrmOption(clSoftOption& option, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      option(option) {
  setWindowTitle(QString::fromUtf8("詳細設定"));
  setWindowIcon(QIcon(QStringLiteral(":/kdx/kdx.png")));
  setFont(clJapaneseFont::Standard());
  setFixedSize(532, 453);
  BuildControls();
  FormCreate();
}

void TfrmOption::BuildControls() {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(10, 10, 10, 10);
  column->setSpacing(8);

  QGridLayout* filters = NewFrame(column, this);
  chkIsSubForder = NewCheckBox(this, "サブフォルダも取得する", "chkIsSubForder");
  chkIsWinFolder = NewCheckBox(this, "Windowsフォルダも取得する", "chkIsWinFolder");
  chkIsHiddenFolder = NewCheckBox(this, "隠しファイルも取得する", "chkIsHiddenFolder");
  chkIsReadOnlyFolder = NewCheckBox(this, "読み取り専用ファイルも取得する", "chkIsReadOnlyFolder");
  filters->addWidget(chkIsSubForder, 0, 0);
  filters->addWidget(chkIsWinFolder, 0, 1);
  filters->addWidget(chkIsHiddenFolder, 1, 0);
  filters->addWidget(chkIsReadOnlyFolder, 1, 1);

  QGridLayout* outputs = NewFrame(column, this);
  chkOutputFolderListCSV =
      NewCheckBox(this, "フォルダ構成のＣＳＶ出力を行う", "chkOutputFolderListCSV");
  chkOutputFolderListTXT =
      NewCheckBox(this, "フォルダ構成のテキスト出力を行う", "chkOutputFolderListTXT");
  chkCopyClipBoardFolderList =
      NewCheckBox(this, "フォルダ構成のClipboard出力を行う", "chkCopyClipBoardFolderList");
  chkShortText = NewCheckBox(this, "テキスト/Clipboard出力を切り詰める", "chkShortText");
  rgbFormatCB = new QGroupBox(QString::fromUtf8("Clipboard出力形式"), this);
  rgbFormatCB->setObjectName(QStringLiteral("rgbFormatCB"));
  rgbFormatCB->setToolTip(HintOf("rgbFormatCB"));
  auto* formats = new QHBoxLayout(rgbFormatCB);
  formats->setContentsMargins(10, 4, 10, 6);
  rgbFormatCBItems = new QButtonGroup(this);
  const char* formatCaptions[] = {"テキスト形式", "表形式"};
  for (int item = 0; item < 2; ++item) {
    auto* radio = new QRadioButton(QString::fromUtf8(formatCaptions[item]), rgbFormatCB);
    rgbFormatCBItems->addButton(radio, item);
    formats->addWidget(radio, 1);
  }
  chkTimeout = NewCheckBox(this, "フォルダ構成取得にタイムアウトを設定", "chkTimeout");
  edtTimeout = new QLineEdit(this);
  edtTimeout->setFixedWidth(52);
  Label2 = new QLabel(QString::fromUtf8("秒"), this);
  auto* timeoutRow = new QHBoxLayout;
  timeoutRow->addStretch(1);
  timeoutRow->addWidget(edtTimeout);
  timeoutRow->addSpacing(4);
  timeoutRow->addWidget(Label2);
  timeoutRow->addSpacing(20);
  auto* indented = new QHBoxLayout;
  indented->addSpacing(16);
  indented->addWidget(rgbFormatCB);
  outputs->addWidget(chkOutputFolderListCSV, 0, 0);
  outputs->addWidget(chkOutputFolderListTXT, 0, 1);
  outputs->addWidget(chkCopyClipBoardFolderList, 1, 0);
  outputs->addWidget(chkShortText, 1, 1);
  outputs->addLayout(indented, 2, 0, 2, 1);
  outputs->addWidget(chkTimeout, 2, 1);
  outputs->addLayout(timeoutRow, 3, 1);

  QGridLayout* after = NewFrame(column, this);
  chkMsg = NewCheckBox(this, "出力後にMSGボックスを表示する", "chkMsg");
  chkOpenLocate = NewCheckBox(this, "出力後に出力先（場所）を表示する", "chkOpenLocate");
  chkOpenCsv = NewCheckBox(this, "CSV出力後にそのまま開く", "chkOpenCsv");
  chkOpenTxt = NewCheckBox(this, "テキスト出力後にそのまま開く", "chkOpenTxt");
  after->addWidget(chkMsg, 0, 0);
  after->addWidget(chkOpenLocate, 0, 1);
  after->addWidget(chkOpenCsv, 1, 0);
  after->addWidget(chkOpenTxt, 1, 1);

  QGridLayout* destination = NewFrame(column, this);
  chkDispPreserveDialogWhenOutput = NewCheckBox(
      this, "出力先ファイルをその都度指定する（チェックがない場合は常にデフォルト指定）",
      "chkDispPreserveDialogWhenOutput");
  Label1 = new QLabel(QString::fromUtf8("デフォルトの出力先指定フォルダ"), this);
  edtFolderListOutputFolder = new QLineEdit(this);
  // No length limit: a stored folder of any length is shown and stored whole.
  edtFolderListOutputFolder->setMaxLength(std::numeric_limits<int>::max());
  btnCallSelectFileDialog = new QPushButton(QString::fromUtf8("参照..."), this);
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(edtFolderListOutputFolder, 1);
  folderRow->addWidget(btnCallSelectFileDialog);
  destination->addWidget(chkDispPreserveDialogWhenOutput, 0, 0, 1, 2);
  destination->addWidget(Label1, 1, 0, 1, 2);
  destination->addLayout(folderRow, 2, 0, 1, 2);

  column->addStretch(1);
  btnOk = new QPushButton(QStringLiteral("OK"), this);
  btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  column->addLayout(buttons);

  // Neither button is the default: Enter presses a button only while it has the
  // focus, and Esc closes nothing.
  for (QPushButton* button : {btnOk, btnCancel, btnCallSelectFileDialog}) {
    button->setMinimumWidth(75);
  }
  clDialogKeys::Apply(this, {btnOk, btnCancel, btnCallSelectFileDialog});

  connect(chkCopyClipBoardFolderList, &QCheckBox::toggled, this,
          [this] { chkCopyClipBoardFolderListClick(); });
  connect(btnCallSelectFileDialog, &QPushButton::clicked, this,
          [this] { btnCallSelectFileDialogClick(); });
  connect(btnOk, &QPushButton::clicked, this, [this] {
    btnOkClick();
    accept();
  });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  // The states before the first opening: the model's own.
  ShowModel(clOptionModel{});
}

void TfrmOption::FormCreate() {
  // The time-out box takes at most four typed digits, without the input method.
  clTypedDigits::Apply(edtTimeout, kTimeoutTypedDigits);
}

void TfrmOption::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    FormShow();
  }
  QDialog::showEvent(event);
}

int TfrmOption::GetFormatCBIndex() const { return rgbFormatCBItems->checkedId(); }

void TfrmOption::SetFormatCBIndex(int index) {
  if (QAbstractButton* item = rgbFormatCBItems->button(index)) {
    item->setChecked(true);
    return;
  }
  // No item: exclusive buttons cannot be unchecked one by one.
  rgbFormatCBItems->setExclusive(false);
  for (QAbstractButton* item : rgbFormatCBItems->buttons()) item->setChecked(false);
  rgbFormatCBItems->setExclusive(true);
}

void TfrmOption::chkCopyClipBoardFolderListClick() {
  model.chkCopyClipBoardFolderList = chkCopyClipBoardFolderList->isChecked();
  model.chkCopyClipBoardFolderListClick();
  rgbFormatCB->setEnabled(model.rgbFormatCBEnabled);
}

void TfrmOption::ShowOutputFolder(const std::string& path) {
  shownFolderBytes = path;
  shownFolderText = QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
  edtFolderListOutputFolder->setText(shownFolderText);
}

std::string TfrmOption::OutputFolderBytes() const {
  const QString text = edtFolderListOutputFolder->text();
  if (text == shownFolderText) {
    return shownFolderBytes;
  }
  return QFile::encodeName(text).toStdString();
}

void TfrmOption::FormShow() {
  model.FormShow(option);
  ShowModel(model);
}

// A copy: the clipboard box's handler reads the box back into the model as it is set.
void TfrmOption::ShowModel(clOptionModel shown) {
  clCheck::Show(*this, shown, kCheckFields);
  ShowOutputFolder(shown.edtFolderListOutputFolder);
  SetFormatCBIndex(shown.rgbFormatCB);
  edtTimeout->setText(QString::fromStdString(shown.edtTimeout));
  chkCopyClipBoardFolderListClick();  // the enable rule, also where the box kept its state
}

void TfrmOption::btnOkClick() {
  clCheck::Take(*this, model, kCheckFields);
  model.edtFolderListOutputFolder = OutputFolderBytes();
  model.rgbFormatCB = GetFormatCBIndex();
  model.edtTimeout = edtTimeout->text().toStdString();
  model.btnOkClick(option);
}

void TfrmOption::btnCallSelectFileDialogClick() {
  clQtFolderChooser owner(this);
  const std::string chosen = clOptionModel::btnCallSelectFileDialogClick(option, owner);
  if (!chosen.empty()) ShowOutputFolder(chosen);
}
