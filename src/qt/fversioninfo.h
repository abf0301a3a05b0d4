#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "バージョン情報": the program's icon, name, version, maker's notice and a short
// description. It shows fixed texts only and closes with OK or its close box.
class TfrmVersionInfo : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmVersionInfo(QWidget* parent = nullptr);

  QLabel* Image1;
  QLabel* Label1;  // the full name
  QLabel* Label2;  // the version line
  QLabel* Label4;  // the maker's notice
  QLabel* Label3;  // the description
  QPushButton* btnOK;
};
