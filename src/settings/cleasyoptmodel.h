#pragma once

#include "settings/clsoftoption.h"

// The easy settings dialog without its widgets: its six check boxes, what showing it
// and OK do, and the exclusion of the two clipboard boxes.
struct clEasyOptModel {
  bool chkEasyText = false;
  bool chkEasyCsv = false;
  bool chkEasyCBT = false;  // the clipboard in text form
  bool chkEasyCBE = false;  // the clipboard in table form
  bool chkOpenFile = false;
  bool chkOpenMsg = false;

  // Derives the six boxes from the record.
  void FormShow(const clSoftOption& option);
  // Writes the record from the boxes, and resets what the dialog does not show (all but
  // the output folder and the short text form) to the settings file's defaults.
  void btnOkClick(clSoftOption& option) const;
  // Checking one clipboard box unchecks the other; unchecking leaves the other alone.
  void chkEasyCBTClick();
  void chkEasyCBEClick();
};
