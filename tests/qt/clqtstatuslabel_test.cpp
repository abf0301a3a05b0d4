#include "qt/clqtstatuslabel.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

// Progress texts come once per entry; the label shows the latest one per display frame
// and never ends a read on an older text than the last one it was given.
TEST(clQtStatusLabelTest, ShowsTheLatestProgressOncePerFrame) {
  QLabel widget(QStringLiteral("start"));
  QLabel* label = &widget;
  clQtStatusLabel status(label);

  status.OfferProgress("(1/3)");
  status.OfferProgress("(2/3)");
  EXPECT_EQ(widget.text(), QStringLiteral("start"));  // not laid out per entry
  EXPECT_TRUE(QTest::qWaitFor([&] { return widget.text() == QStringLiteral("(2/3)"); }, 2000));

  status.OfferProgress("(3/3)");
  status.FlushProgress();  // the read ends: the last count is shown at once
  EXPECT_EQ(widget.text(), QStringLiteral("(3/3)"));
}

TEST(clQtStatusLabelTest, AnotherTextReplacesAProgressStillWaiting) {
  QLabel widget;
  QLabel* label = &widget;
  clQtStatusLabel status(label);

  status.OfferProgress("(1/2)");
  status.SetText(std::string("フォルダ構成の出力完了"));
  status.FlushProgress();
  QTest::qWait(60);  // past a frame: the old progress does not come back
  EXPECT_EQ(widget.text(), QString::fromUtf8("フォルダ構成の出力完了"));
}
