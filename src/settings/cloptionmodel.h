#pragma once

#include <string>

#include "settings/clfolderchooser.h"
#include "settings/clsoftoption.h"

// The detailed settings dialog without its widgets: one field per control, named after
// it, with what showing the dialog and OK do, and the clipboard form's enable rule. A
// front end copies these fields to its controls and back. The initial values are the
// controls' states before the first opening (the dialog's own, not the settings'
// defaults, which clSettingsTable holds: the first opening shows the loaded record).
struct clOptionModel {
  bool chkIsSubForder = true;
  bool chkIsWinFolder = false;
  bool chkIsHiddenFolder = false;
  bool chkIsReadOnlyFolder = false;
  bool chkOutputFolderListCSV = false;
  bool chkOutputFolderListTXT = false;
  bool chkCopyClipBoardFolderList = false;
  bool chkShortText = false;
  int rgbFormatCB = 0;  // the selected item: a clClipboardForm, or -1 for none
  bool rgbFormatCBEnabled = false;
  bool chkTimeout = true;
  std::string edtTimeout = "10";
  bool chkMsg = false;
  bool chkOpenLocate = false;
  bool chkOpenCsv = false;
  bool chkOpenTxt = false;
  bool chkDispPreserveDialogWhenOutput = false;
  std::string edtFolderListOutputFolder;  // raw path bytes

  // Loads every control from the record, the clipboard form clamped to -1 to 1.
  void FormShow(const clSoftOption& option);
  // Stores every control into the record: the folder as typed, the form also while its
  // group is off, and an unreadable time-out as 0.
  void btnOkClick(clSoftOption& option) const;
  // The clipboard form can be chosen exactly while the clipboard output is on.
  void chkCopyClipBoardFolderListClick();
  // The folder the user picks in `chooser` for the folder box, starting from the stored
  // folder (not from what the box holds now); empty when the user cancelled.
  static std::string btnCallSelectFileDialogClick(const clSoftOption& option,
                                                  clFolderChooser& chooser);
};
