#include "settings/cleasyoptmodel.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(clEasyOptModel, TheClipboardBoxesShowTheFormOnlyWhileTheClipboardIsOn) {
  struct Case {
    bool clipboard;
    int32_t mode;
    bool text, table;
  };
  const Case cases[] = {{true, 0, true, false},   {true, 1, false, true},
                        {true, -1, false, false}, {true, 2, false, false},
                        {false, 0, false, false}, {false, 1, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.clipboard ? "clipboard on" : "clipboard off") + ", form " +
                 std::to_string(c.mode));
    clSoftOption option;
    option.SetOutputClipboard(c.clipboard);
    option.SetClipboardMode(c.mode);
    clEasyOptModel model;
    model.chkEasyCBT = model.chkEasyCBE = true;  // left over from an earlier opening
    model.FormShow(option);
    EXPECT_EQ(model.chkEasyCBT, c.text);
    EXPECT_EQ(model.chkEasyCBE, c.table);
  }
}

TEST(clEasyOptModel, OkWritesTheBoxesAndResetsWhatTheDialogDoesNotShow) {
  clSoftOption option;
  option.SetOutputClipboard(false);
  option.SetClipboardMode(1);
  option.SetOpenTxtFile(true);
  option.SetHideFile(true);
  option.SetWinFolder(true);
  option.SetReadOnlyFile(true);
  option.SetSubFolder(false);
  option.SetPreserveDialog(true);
  option.SetOutputLocate(false);
  option.SetTimeout(false);
  option.SetTimeoutSeconds(30);
  option.SetTxtShort(true);
  option.SetOutputFolderPath("/kept");
  clEasyOptModel model;
  model.FormShow(option);
  EXPECT_TRUE(model.chkOpenFile);  // the text file alone is enough
  model.btnOkClick(option);

  clSoftOption expected;
  expected.SetClipboardMode(1);  // kept, so that the detailed dialog still shows it
  expected.SetOpenCsvFile(true);
  expected.SetOpenTxtFile(true);
  expected.SetSubFolder(true);
  expected.SetOutputLocate(true);
  expected.SetTimeout(true);
  expected.SetTimeoutSeconds(10);
  expected.SetTxtShort(true);
  expected.SetOutputFolderPath("/kept");
  EXPECT_EQ(option, expected);
}

TEST(clEasyOptModel, TheClipboardBoxesExcludeEachOther) {
  struct Case {
    const char* name;
    bool text, table;  // before
    bool clickText;    // which box changed to its new state
    bool nowChecked;
    bool textAfter, tableAfter;
  };
  const Case cases[] = {
      {"checking text unchecks table", false, true, true, true, true, false},
      {"checking table unchecks text", true, false, false, true, false, true},
      {"unchecking text leaves table alone", true, false, true, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clEasyOptModel model;
    model.chkEasyCBT = c.text;
    model.chkEasyCBE = c.table;
    if (c.clickText) {
      model.chkEasyCBT = c.nowChecked;
      model.chkEasyCBTClick();
    } else {
      model.chkEasyCBE = c.nowChecked;
      model.chkEasyCBEClick();
    }
    EXPECT_EQ(model.chkEasyCBT, c.textAfter);
    EXPECT_EQ(model.chkEasyCBE, c.tableAfter);
  }
  // The form each box stands for.
  for (bool text : {true, false}) {
    clEasyOptModel model;
    model.chkEasyCBT = text;
    model.chkEasyCBE = !text;
    clSoftOption option;
    option.SetClipboardMode(-1);
    model.btnOkClick(option);
    EXPECT_TRUE(option.GetOutputClipboard());
    EXPECT_EQ(option.GetClipboardMode(), text ? 0 : 1);
  }
}

}  // namespace
