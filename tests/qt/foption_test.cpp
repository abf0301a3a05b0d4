#include "qt/foption.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <climits>
#include <string>
#include <vector>

#include "qt/cluihooks.h"

namespace {

// Clicks a check box or radio button on its indicator, as a user would.
void Click(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Every value of the record, for comparing two records as a whole.
std::string Describe(const clSoftOption& o) {
  std::string text;
  for (bool b : {o.GetSubFolder(), o.GetWinFolder(), o.GetHideFile(), o.GetReadOnlyFile(),
                 o.GetOutputCsv(), o.GetOutputTxt(), o.GetPreserveDialog(), o.GetOutputClipboard(),
                 o.GetTxtShort(), o.GetOutputMsg(), o.GetOutputLocate(), o.GetOpenCsvFile(),
                 o.GetOpenTxtFile(), o.GetTimeout()}) {
    text += b ? '1' : '0';
  }
  return text + " mode=" + std::to_string(o.GetClipboardMode()) +
         " seconds=" + std::to_string(o.GetTimeoutSeconds()) + " folder=" + o.GetOutputFolderPath();
}

// A record unlike the defaults in every value.
clSoftOption MixedRecord() {
  clSoftOption o;
  o.SetSubFolder(false);
  o.SetWinFolder(true);
  o.SetHideFile(true);
  o.SetOutputTxt(true);
  o.SetPreserveDialog(true);
  o.SetOutputFolderPath("/home/user/出力");
  o.SetOutputClipboard(true);
  o.SetOutputMsg(true);
  o.SetOpenTxtFile(true);
  o.SetClipboardMode(1);
  o.SetTimeout(false);
  o.SetTimeoutSeconds(30);
  return o;
}

struct BoolSetting {
  const char* key;
  void (clSoftOption::*set)(bool);
  bool (clSoftOption::*get)() const;
  QCheckBox* TfrmOption::*box;
};

const std::vector<BoolSetting> kBoolSettings = {
    {"IS_SUB_FOLDER", &clSoftOption::SetSubFolder, &clSoftOption::GetSubFolder,
     &TfrmOption::chkIsSubForder},
    {"IS_WIN_FOLDER", &clSoftOption::SetWinFolder, &clSoftOption::GetWinFolder,
     &TfrmOption::chkIsWinFolder},
    {"IS_HIDE_FILE", &clSoftOption::SetHideFile, &clSoftOption::GetHideFile,
     &TfrmOption::chkIsHiddenFolder},
    {"IS_READ_ONLY_FILE", &clSoftOption::SetReadOnlyFile, &clSoftOption::GetReadOnlyFile,
     &TfrmOption::chkIsReadOnlyFolder},
    {"IS_FOLDER_LIST_OUTPUT_CSV", &clSoftOption::SetOutputCsv, &clSoftOption::GetOutputCsv,
     &TfrmOption::chkOutputFolderListCSV},
    {"IS_FOLDER_LIST_OUTPUT_TXT", &clSoftOption::SetOutputTxt, &clSoftOption::GetOutputTxt,
     &TfrmOption::chkOutputFolderListTXT},
    {"IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT", &clSoftOption::SetPreserveDialog,
     &clSoftOption::GetPreserveDialog, &TfrmOption::chkDispPreserveDialogWhenOutput},
    {"IS_FOLDER_LIST_OUTPUT_CLIPBOARD", &clSoftOption::SetOutputClipboard,
     &clSoftOption::GetOutputClipboard, &TfrmOption::chkCopyClipBoardFolderList},
    {"IS_FOLDER_LIST_OUTPUT_TXT_SHT", &clSoftOption::SetTxtShort, &clSoftOption::GetTxtShort,
     &TfrmOption::chkShortText},
    {"IS_FOLDER_LIST_OUTPUTMSG", &clSoftOption::SetOutputMsg, &clSoftOption::GetOutputMsg,
     &TfrmOption::chkMsg},
    {"IS_FOLDER_LIST_OUTPUTLOCATE", &clSoftOption::SetOutputLocate, &clSoftOption::GetOutputLocate,
     &TfrmOption::chkOpenLocate},
    {"IS_FOLDER_LIST_OUTPUTCSVFILE", &clSoftOption::SetOpenCsvFile, &clSoftOption::GetOpenCsvFile,
     &TfrmOption::chkOpenCsv},
    {"IS_FOLDER_LIST__OUTPUTTXTFILE", &clSoftOption::SetOpenTxtFile, &clSoftOption::GetOpenTxtFile,
     &TfrmOption::chkOpenTxt},
    {"IS_FOLDER_LIST_OUTPUTTIMEOUT", &clSoftOption::SetTimeout, &clSoftOption::GetTimeout,
     &TfrmOption::chkTimeout},
};

class TfrmOptionTest : public ::testing::Test {
 protected:
  void TearDown() override { clUiHooks::Reset(); }
};

TEST_F(TfrmOptionTest, EachCheckBoxShowsAndStoresItsOwnSetting) {
  for (const BoolSetting& setting : kBoolSettings) {
    SCOPED_TRACE(setting.key);
    // Shown: only the box of the one setting that is on is checked.
    clSoftOption option;
    (option.*setting.set)(true);
    TfrmOption dialog(option);
    dialog.show();
    for (const BoolSetting& other : kBoolSettings) {
      EXPECT_EQ((dialog.*other.box)->isChecked(), &other == &setting) << other.key;
    }
    // Stored: clicking the box off and OK turns exactly that setting off.
    Click(dialog.*setting.box);
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    clSoftOption expected;
    EXPECT_EQ(Describe(option), Describe(expected));
  }
}

TEST_F(TfrmOptionTest, OkWithoutChangesKeepsEveryValue) {
  // Numbers the box could never take by typing, a path that is not UTF-8 and one
  // longer than a line edit holds by default.
  for (int32_t seconds : {30, 12345, -5}) {
    for (const std::string& folder :
         {std::string("/home/user/出力"), std::string(), std::string("/data/\xff\x81x", 9),
          "/" + std::string(40000, 'a')}) {
      clSoftOption option = MixedRecord();
      option.SetTimeoutSeconds(seconds);
      option.SetOutputFolderPath(folder);
      const std::string before = Describe(option);
      TfrmOption dialog(option);
      dialog.show();
      if (seconds != 30) {
        EXPECT_EQ(dialog.edtTimeout->text(), QString::number(seconds));
      }
      QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
      EXPECT_EQ(Describe(option), before);
    }
  }
}

TEST_F(TfrmOptionTest, ClipboardModeIsClampedAndNoneIsShownAndStoredAsMinusOne) {
  struct Case {
    int32_t stored;
    int shown;
  };
  for (const Case c : {Case{INT32_MIN, -1}, Case{-2, -1}, Case{-1, -1}, Case{0, 0}, Case{1, 1},
                       Case{2, 1}, Case{INT32_MAX, 1}}) {
    SCOPED_TRACE(c.stored);
    clSoftOption option;
    option.SetOutputClipboard(true);
    option.SetClipboardMode(c.stored);
    TfrmOption dialog(option);
    dialog.show();
    EXPECT_EQ(dialog.GetFormatCBIndex(), c.shown);
    EXPECT_EQ(dialog.rgbFormatCBItems->button(0)->isChecked(), c.shown == 0);
    EXPECT_EQ(dialog.rgbFormatCBItems->button(1)->isChecked(), c.shown == 1);
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    EXPECT_EQ(option.GetClipboardMode(), c.shown);
  }
}

TEST_F(TfrmOptionTest, ClipboardFormCanBeChosenOnlyWhileClipboardOutputIsOn) {
  clSoftOption option;
  TfrmOption dialog(option);
  EXPECT_FALSE(dialog.rgbFormatCB->isEnabled());  // before the first opening
  dialog.show();
  EXPECT_FALSE(dialog.rgbFormatCB->isEnabled());

  Click(dialog.chkCopyClipBoardFolderList);
  EXPECT_TRUE(dialog.rgbFormatCB->isEnabled());
  Click(dialog.rgbFormatCBItems->button(1));
  Click(dialog.chkCopyClipBoardFolderList);
  EXPECT_FALSE(dialog.rgbFormatCB->isEnabled());
  EXPECT_EQ(dialog.GetFormatCBIndex(), 1);  // kept while disabled, and stored
  // Other controls are never disabled.
  EXPECT_TRUE(dialog.edtTimeout->isEnabled());
  EXPECT_TRUE(dialog.btnCallSelectFileDialog->isEnabled());
  QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
  EXPECT_FALSE(option.GetOutputClipboard());
  EXPECT_EQ(option.GetClipboardMode(), 1);

  // Opening with clipboard output on enables the group, off disables it again.
  option.SetOutputClipboard(true);
  dialog.show();
  EXPECT_TRUE(dialog.rgbFormatCB->isEnabled());
  dialog.hide();
  option.SetOutputClipboard(false);
  dialog.show();
  EXPECT_FALSE(dialog.rgbFormatCB->isEnabled());
}

TEST_F(TfrmOptionTest, TimeoutTextIsConvertedOrStoredAsZero) {
  struct Case {
    const char* text;
    int32_t stored;
  };
  for (const Case c : {Case{"", 0}, Case{"0", 0}, Case{"0010", 10}, Case{"9999", 9999},
                       Case{"00", 0}, Case{"abc", 0}}) {
    SCOPED_TRACE(c.text);
    clSoftOption option;
    option.SetTimeoutSeconds(30);  // stored even with the time-out off
    TfrmOption dialog(option);
    dialog.show();
    dialog.edtTimeout->setText(QString::fromUtf8(c.text));
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    EXPECT_EQ(option.GetTimeoutSeconds(), c.stored);
    EXPECT_FALSE(option.GetTimeout());
  }
}

TEST_F(TfrmOptionTest, TimeoutBoxTakesAtMostFourTypedDigits) {
  clSoftOption option;
  option.SetTimeoutSeconds(12345);
  TfrmOption dialog(option);
  dialog.show();
  QLineEdit* box = dialog.edtTimeout;
  QTest::keyClicks(box, "6");
  EXPECT_EQ(box->text(), "12345");  // already longer than four: nothing more
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, "9");
  EXPECT_EQ(box->text(), "1239");

  box->selectAll();
  QTest::keyClicks(box, "a -.5");  // the letter, blank, sign and point are refused
  EXPECT_EQ(box->text(), "5");
  QTest::keyClicks(box, "67890");
  EXPECT_EQ(box->text(), "5678");

  QApplication::clipboard()->setText(QStringLiteral("x1"));
  box->clear();
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box->text(), "");
  EXPECT_FALSE(box->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(TfrmOptionTest, CancelChangesNothingAndTheNextOpeningShowsTheRecord) {
  clSoftOption option = MixedRecord();
  const std::string before = Describe(option);
  TfrmOption dialog(option);
  dialog.show();
  Click(dialog.chkIsSubForder);
  Click(dialog.chkCopyClipBoardFolderList);
  Click(dialog.rgbFormatCBItems->button(0));
  dialog.edtTimeout->setText("5");
  dialog.edtFolderListOutputFolder->setText("/elsewhere");
  QTest::mouseClick(dialog.btnCancel, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(Describe(option), before);

  dialog.show();
  EXPECT_FALSE(dialog.chkIsSubForder->isChecked());
  EXPECT_TRUE(dialog.chkCopyClipBoardFolderList->isChecked());
  EXPECT_TRUE(dialog.rgbFormatCB->isEnabled());
  EXPECT_EQ(dialog.GetFormatCBIndex(), 1);
  EXPECT_EQ(dialog.edtTimeout->text(), "30");
  EXPECT_EQ(dialog.edtFolderListOutputFolder->text(), QString::fromUtf8("/home/user/出力"));
}

TEST_F(TfrmOptionTest, EscAndEnterCloseNothingButCloseBoxCancelsAndFocusedOkAccepts) {
  clSoftOption option;
  TfrmOption dialog(option);
  dialog.show();
  Click(dialog.chkMsg);
  QTest::keyClick(dialog.chkMsg, Qt::Key_Escape);
  QTest::keyClick(dialog.chkMsg, Qt::Key_Return);
  QTest::keyClick(dialog.edtTimeout, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(option.GetOutputMsg());

  dialog.close();  // the close box
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(option.GetOutputMsg());

  dialog.show();
  Click(dialog.chkMsg);
  dialog.btnOk->setFocus();
  QTest::keyClick(dialog.btnOk, Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(option.GetOutputMsg());
}

TEST_F(TfrmOptionTest, BrowseStartsFromTheStoredFolderAndACancelKeepsTheTypedText) {
  struct Call {
    QWidget* owner;
    QString title;
    QByteArray initial;
  };
  std::vector<Call> calls;
  std::vector<QByteArray> answers = {QByteArray(), QByteArray("/chosen/\xfe", 9)};
  clUiHooks::chooseFolder = [&](QWidget* owner, const QString& title, const QByteArray& initial) {
    calls.push_back({owner, title, initial});
    return answers.at(calls.size() - 1);
  };
  clSoftOption option;
  option.SetOutputFolderPath("/stored");
  TfrmOption dialog(option);
  dialog.show();
  dialog.edtFolderListOutputFolder->setText("/typed");

  QTest::mouseClick(dialog.btnCallSelectFileDialog, Qt::LeftButton);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].owner, &dialog);
  EXPECT_EQ(calls[0].title,
            QString::fromUtf8("フォルダ構成取得用ファイル出力先を指定して下さい。"));
  EXPECT_EQ(calls[0].initial, QByteArray("/stored"));
  EXPECT_EQ(dialog.edtFolderListOutputFolder->text(), "/typed");

  QTest::mouseClick(dialog.btnCallSelectFileDialog, Qt::LeftButton);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].initial, QByteArray("/stored"));
  EXPECT_EQ(option.GetOutputFolderPath(), "/stored");  // not before OK
  QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
  EXPECT_EQ(option.GetOutputFolderPath(), std::string("/chosen/\xfe", 9));
}

}  // namespace
