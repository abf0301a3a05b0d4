#include <gtest/gtest.h>

#include <QApplication>

#include "qt/kdxresources.h"

// Widget tests run with a real QApplication on the offscreen platform.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication application(argc, argv);
  InitKdxResources();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
