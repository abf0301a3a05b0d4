#include "qt/fversioninfo.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

TEST(TfrmVersionInfoTest, ShowsIconAndVersionLineAndClosesWithOkOrCloseBox) {
  TfrmVersionInfo dialog;
  EXPECT_FALSE(dialog.Image1->pixmap().isNull());  // the icon resource is there
  EXPECT_FALSE(dialog.windowIcon().isNull());
  EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^version \d+\.\d\d \(\d{4}/\d\d/\d\d\)$)"))
                  .match(dialog.Label2->text())
                  .hasMatch())
      << dialog.Label2->text().toStdString();

  dialog.show();
  QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  dialog.show();
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
