#include "qt/feasyopt.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <string>

namespace {

void Click(QCheckBox* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// The six boxes as a word, in the order text, CSV, clipboard text, clipboard
// table, open file, message: "TC-E-M" style, a dash for an unchecked box.
std::string Boxes(const TfrmEasyOpt& d) {
  std::string word;
  word += d.chkEasyText->isChecked() ? 'T' : '-';
  word += d.chkEasyCsv->isChecked() ? 'C' : '-';
  word += d.chkEasyCBT->isChecked() ? 't' : '-';
  word += d.chkEasyCBE->isChecked() ? 'e' : '-';
  word += d.chkOpenFile->isChecked() ? 'O' : '-';
  word += d.chkOpenMsg->isChecked() ? 'M' : '-';
  return word;
}

TEST(TfrmEasyOptTest, ShowsTheBoxesDerivedFromTheRecord) {
  struct Case {
    const char* name;
    void (*fill)(clSoftOption&);
    const char* boxes;
  };
  const Case cases[] = {
      {"nothing", [](clSoftOption&) {}, "------"},
      {"text file", [](clSoftOption& o) { o.SetOutputTxt(true); }, "T-----"},
      {"csv file", [](clSoftOption& o) { o.SetOutputCsv(true); }, "-C----"},
      {"message", [](clSoftOption& o) { o.SetOutputMsg(true); }, "-----M"},
      {"open csv only", [](clSoftOption& o) { o.SetOpenCsvFile(true); }, "----O-"},
      {"open txt only", [](clSoftOption& o) { o.SetOpenTxtFile(true); }, "----O-"},
      {"clipboard text form",
       [](clSoftOption& o) {
         o.SetOutputClipboard(true);
         o.SetClipboardMode(0);
       },
       "--t---"},
      {"clipboard table form",
       [](clSoftOption& o) {
         o.SetOutputClipboard(true);
         o.SetClipboardMode(1);
       },
       "---e--"},
      {"clipboard no form",
       [](clSoftOption& o) {
         o.SetOutputClipboard(true);
         o.SetClipboardMode(-1);
       },
       "------"},
      {"clipboard unknown form",
       [](clSoftOption& o) {
         o.SetOutputClipboard(true);
         o.SetClipboardMode(2);
       },
       "------"},
      {"clipboard off", [](clSoftOption& o) { o.SetClipboardMode(1); }, "------"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clSoftOption option;
    c.fill(option);
    TfrmEasyOpt dialog(option);
    // Boxes left over from an abandoned edit are replaced on opening.
    dialog.chkEasyCBE->setChecked(true);
    dialog.chkOpenMsg->setChecked(true);
    dialog.show();
    EXPECT_EQ(Boxes(dialog), c.boxes);
  }
}

TEST(TfrmEasyOptTest, OkWritesTheBoxesAndPutsTheHiddenSettingsBackToDefaults) {
  clSoftOption option;
  option.SetSubFolder(false);
  option.SetWinFolder(true);
  option.SetHideFile(true);
  option.SetReadOnlyFile(true);
  option.SetPreserveDialog(true);
  option.SetOutputLocate(false);
  option.SetTimeout(false);
  option.SetTimeoutSeconds(30);
  option.SetTxtShort(true);
  option.SetOutputFolderPath("/keep/\xff");
  TfrmEasyOpt dialog(option);
  dialog.show();
  Click(dialog.chkEasyText);
  Click(dialog.chkEasyCBE);
  Click(dialog.chkOpenFile);
  QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());

  EXPECT_TRUE(option.GetOutputTxt());
  EXPECT_FALSE(option.GetOutputCsv());
  EXPECT_TRUE(option.GetOutputClipboard());
  EXPECT_EQ(option.GetClipboardMode(), 1);
  EXPECT_FALSE(option.GetOutputMsg());
  EXPECT_TRUE(option.GetOpenCsvFile());
  EXPECT_TRUE(option.GetOpenTxtFile());
  // The settings the dialog does not show.
  EXPECT_TRUE(option.GetSubFolder());
  EXPECT_FALSE(option.GetWinFolder());
  EXPECT_FALSE(option.GetHideFile());
  EXPECT_FALSE(option.GetReadOnlyFile());
  EXPECT_FALSE(option.GetPreserveDialog());
  EXPECT_TRUE(option.GetOutputLocate());
  EXPECT_TRUE(option.GetTimeout());
  EXPECT_EQ(option.GetTimeoutSeconds(), 10);
  EXPECT_TRUE(option.GetTxtShort());
  EXPECT_EQ(option.GetOutputFolderPath(), "/keep/\xff");
}

TEST(TfrmEasyOptTest, ClipboardBoxesChooseOutputAndForm) {
  struct Case {
    bool text;
    bool table;
    bool clipboard;
    int32_t mode;
  };
  // The mode starts at 1: with both boxes unchecked it is kept.
  for (const Case c :
       {Case{true, false, true, 0}, Case{false, true, true, 1}, Case{false, false, false, 1}}) {
    SCOPED_TRACE(std::to_string(c.text) + std::to_string(c.table));
    clSoftOption option;
    option.SetOutputClipboard(true);
    option.SetClipboardMode(1);
    TfrmEasyOpt dialog(option);
    dialog.show();
    dialog.chkEasyCBT->setChecked(c.text);
    dialog.chkEasyCBE->setChecked(c.table);
    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    EXPECT_EQ(option.GetOutputClipboard(), c.clipboard);
    EXPECT_EQ(option.GetClipboardMode(), c.mode);
  }
}

TEST(TfrmEasyOptTest, OkWithOnlyTheTextFileOpenedOpensBothFiles) {
  clSoftOption option;
  option.SetOpenTxtFile(true);
  TfrmEasyOpt dialog(option);
  dialog.show();
  QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
  EXPECT_TRUE(option.GetOpenCsvFile());
  EXPECT_TRUE(option.GetOpenTxtFile());
}

TEST(TfrmEasyOptTest, ClipboardBoxesExcludeEachOther) {
  clSoftOption option;
  TfrmEasyOpt dialog(option);
  dialog.show();
  Click(dialog.chkEasyCBT);
  EXPECT_EQ(Boxes(dialog), "--t---");
  Click(dialog.chkEasyCBE);
  EXPECT_EQ(Boxes(dialog), "---e--");
  Click(dialog.chkEasyCBT);
  EXPECT_EQ(Boxes(dialog), "--t---");
  Click(dialog.chkEasyCBT);  // unchecking leaves the other alone
  EXPECT_EQ(Boxes(dialog), "------");
  dialog.chkEasyCBE->setChecked(true);  // also when set by the program
  dialog.chkEasyCBT->setChecked(true);
  EXPECT_EQ(Boxes(dialog), "--t---");
}

TEST(TfrmEasyOptTest, CancelChangesNothingAndTheNextOpeningShowsTheRecord) {
  clSoftOption option;
  option.SetOutputCsv(true);
  option.SetHideFile(true);
  option.SetTimeoutSeconds(30);
  TfrmEasyOpt dialog(option);
  dialog.show();
  Click(dialog.chkEasyCsv);
  Click(dialog.chkEasyCBT);
  QTest::mouseClick(dialog.btnCancel, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_TRUE(option.GetOutputCsv());
  EXPECT_FALSE(option.GetOutputClipboard());
  EXPECT_TRUE(option.GetHideFile());
  EXPECT_EQ(option.GetTimeoutSeconds(), 30);
  dialog.show();
  EXPECT_EQ(Boxes(dialog), "-C----");
}

TEST(TfrmEasyOptTest, EscAndEnterCloseNothingButCloseBoxCancelsAndFocusedOkAccepts) {
  clSoftOption option;
  TfrmEasyOpt dialog(option);
  dialog.show();
  EXPECT_EQ(dialog.pos(), QPoint(269, 106));  // a fixed place, not centred
  Click(dialog.chkOpenMsg);
  QTest::keyClick(dialog.chkOpenMsg, Qt::Key_Escape);
  QTest::keyClick(dialog.chkOpenMsg, Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(option.GetOutputMsg());

  dialog.close();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(option.GetSubFolder());  // OK never ran

  dialog.show();
  Click(dialog.chkOpenMsg);
  dialog.btnOk->setFocus();
  QTest::keyClick(dialog.btnOk, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(option.GetOutputMsg());
}

}  // namespace
