#pragma once

#include <QDialog>

#include "settings/cleasyoptmodel.h"
#include "settings/clsoftoption.h"

class QCheckBox;
class QFrame;
class QPushButton;

// "簡単設定": six check boxes that set the common output choices in one step. OK
// also puts every setting the dialog does not show, apart from the output folder
// and the short text form, back to its default. The record is edited in memory.
class TfrmEasyOpt : public QDialog {
  Q_OBJECT

 public:
  TfrmEasyOpt(clSoftOption& option, QWidget* parent = nullptr);

  // Derives the six boxes from the record; runs on each opening.
  void FormShow();
  // Writes the record from the boxes and the fixed values.
  void btnOkClick();
  // The two clipboard boxes exclude each other: checking one unchecks the other.
  void chkEasyCBTClick();
  void chkEasyCBEClick();

  QFrame* Panel1;
  QCheckBox* chkEasyText;
  QCheckBox* chkEasyCsv;
  QCheckBox* chkEasyCBT;
  QCheckBox* chkEasyCBE;
  QCheckBox* chkOpenFile;
  QCheckBox* chkOpenMsg;
  QPushButton* btnOk;
  QPushButton* btnCancel;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Reads the six boxes into the model.
  void TakeControls();

  clSoftOption& option;
  clEasyOptModel model;
};
