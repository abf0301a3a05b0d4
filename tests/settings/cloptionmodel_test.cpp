#include "settings/cloptionmodel.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// Showing the dialog and pressing OK without changes gives every setting back, except
// a clipboard form outside -1 to 1, which comes back clamped.
TEST(clOptionModel, OkWithoutChangesKeepsEverySettingButClampsTheClipboardForm) {
  struct Case {
    int32_t mode;
    int shown;
    int32_t stored;
  };
  const Case cases[] = {{0, 0, 0},    {1, 1, 1}, {-1, -1, -1},
                        {-7, -1, -1}, {2, 1, 1}, {INT_MAX, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE("clipboard form " + std::to_string(c.mode));
    clSoftOption option;
    option.SetHideFile(true);
    option.SetOutputTxt(true);
    option.SetOutputFolderPath(std::string("/out/\xff", 6));
    option.SetOpenTxtFile(true);
    option.SetClipboardMode(c.mode);
    option.SetTimeoutSeconds(12345);
    clOptionModel model;
    model.FormShow(option);
    EXPECT_EQ(model.rgbFormatCB, c.shown);
    clSoftOption after = option;
    model.btnOkClick(after);
    option.SetClipboardMode(c.stored);
    EXPECT_EQ(after, option);
  }
}

TEST(clOptionModel, TheTimeoutTextIsShownWholeAndStoredAsItReads) {
  struct Case {
    std::string text;
    int32_t stored;
  };
  const Case cases[] = {{"", 0},    {"0", 0},   {"0010", 10},    {"9999", 9999},
                        {"abc", 0}, {"-5", -5}, {"12345", 12345}};
  for (const Case& c : cases) {
    SCOPED_TRACE("time-out text '" + c.text + "'");
    clOptionModel model;
    model.edtTimeout = c.text;
    clSoftOption option;
    option.SetTimeoutSeconds(77);
    model.btnOkClick(option);
    EXPECT_EQ(option.GetTimeoutSeconds(), c.stored);
  }
  clSoftOption option;
  option.SetTimeoutSeconds(-5);
  clOptionModel model;
  model.FormShow(option);
  EXPECT_EQ(model.edtTimeout, "-5");
}

TEST(clOptionModel, TheClipboardFormIsEnabledExactlyWhileTheClipboardIsOn) {
  clOptionModel model;
  EXPECT_FALSE(model.rgbFormatCBEnabled);
  clSoftOption option;
  option.SetOutputClipboard(true);
  option.SetClipboardMode(1);
  model.FormShow(option);
  EXPECT_TRUE(model.rgbFormatCBEnabled);
  // Off keeps the selection, and OK stores it.
  model.chkCopyClipBoardFolderList = false;
  model.chkCopyClipBoardFolderListClick();
  EXPECT_FALSE(model.rgbFormatCBEnabled);
  model.btnOkClick(option);
  EXPECT_FALSE(option.GetOutputClipboard());
  EXPECT_EQ(option.GetClipboardMode(), 1);
}

TEST(clOptionModel, TheOutputFolderIsStoredAsTyped) {
  for (const std::string& folder :
       {std::string(), std::string(" /a b/ "), std::string("x\xfe", 2)}) {
    clOptionModel model;
    model.edtFolderListOutputFolder = folder;
    clSoftOption option;
    option.SetOutputFolderPath("/before");
    model.btnOkClick(option);
    EXPECT_EQ(option.GetOutputFolderPath(), folder);
  }
}

}  // namespace
