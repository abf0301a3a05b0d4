#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "settings/cloptionmodel.h"
#include "settings/clsoftoption.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "詳細設定": every setting of the record in one dialog. Showing it loads the
// controls from the record, OK stores them back; Cancel and the close box change
// nothing. The record is edited in memory only.
class TfrmOption : public QDialog {
  Q_OBJECT

 public:
  TfrmOption(clSoftOption& option, QWidget* parent = nullptr);

  // Loads every control from the record; runs on each opening.
  void FormShow();
  // Stores every control into the record.
  void btnOkClick();
  // Lets the user pick the default output folder, starting from the stored one.
  void btnCallSelectFileDialogClick();
  // The clipboard form can be chosen exactly while the clipboard output is on.
  void chkCopyClipBoardFolderListClick();

  // The selected clipboard form: 0 text, 1 table, -1 none.
  int GetFormatCBIndex() const;
  // Selects a clipboard form; any value other than 0 or 1 selects none.
  void SetFormatCBIndex(int index);

  QCheckBox* chkIsSubForder;
  QCheckBox* chkIsWinFolder;
  QCheckBox* chkIsHiddenFolder;
  QCheckBox* chkIsReadOnlyFolder;
  QCheckBox* chkOutputFolderListCSV;
  QCheckBox* chkOutputFolderListTXT;
  QCheckBox* chkCopyClipBoardFolderList;
  QCheckBox* chkShortText;
  QGroupBox* rgbFormatCB;
  QButtonGroup* rgbFormatCBItems;  // item 0 "テキスト形式", item 1 "表形式"
  QCheckBox* chkTimeout;
  QLineEdit* edtTimeout;
  QLabel* Label2;
  QCheckBox* chkMsg;
  QCheckBox* chkOpenLocate;
  QCheckBox* chkOpenCsv;
  QCheckBox* chkOpenTxt;
  QCheckBox* chkDispPreserveDialogWhenOutput;
  QLabel* Label1;
  QLineEdit* edtFolderListOutputFolder;
  QPushButton* btnCallSelectFileDialog;
  QPushButton* btnOk;
  QPushButton* btnCancel;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void FormCreate();
  // Sets every control from the model's fields.
  void ShowModel(clOptionModel shown);
  // Puts a path into the folder box, remembering its exact bytes.
  void ShowOutputFolder(const std::string& path);
  // The folder box as raw bytes: the remembered bytes unless the user edited it.
  std::string OutputFolderBytes() const;

  clSoftOption& option;
  clOptionModel model;
  // The folder last put into the box and its text as shown: a path that is not
  // valid UTF-8 comes back byte for byte when the user leaves it alone.
  std::string shownFolderBytes;
  QString shownFolderText;
};
