#include "settings/clsoftoption.h"

#include <gtest/gtest.h>

// Until it is loaded a record holds all false, 0 and empty, not the values a missing key
// loads as: the walker's own record relies on it, and a refused second instance must not
// pass off such a record as settings.
TEST(clSoftOption, StartsEmptyAndStoresWhatItIsGiven) {
  clSoftOption option;
  EXPECT_FALSE(option.GetSubFolder() || option.GetWinFolder() || option.GetHideFile() ||
               option.GetReadOnlyFile() || option.GetOutputCsv() || option.GetOutputTxt() ||
               option.GetPreserveDialog() || option.GetOutputClipboard() || option.GetTxtShort() ||
               option.GetOutputMsg() || option.GetOutputLocate() || option.GetOpenCsvFile() ||
               option.GetOpenTxtFile() || option.GetTimeout());
  EXPECT_EQ(option.GetClipboardMode(), 0);
  EXPECT_EQ(option.GetTimeoutSeconds(), 0);
  EXPECT_EQ(option.GetOutputFolderPath(), "");

  option.SetClipboardMode(2);
  option.SetTimeoutSeconds(-1);
  option.SetOutputFolderPath("/out");
  option.GetOutputFolderPath() += "/changed";
  EXPECT_EQ(option.GetClipboardMode(), 2);
  EXPECT_EQ(option.GetTimeoutSeconds(), -1);
  EXPECT_EQ(option.GetOutputFolderPath(), "/out");
}
