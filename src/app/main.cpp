#include <QApplication>
#include <QLabel>

#include "app/kdxresources.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  InitKdxResources();
  QLabel placeholder(QStringLiteral("KDX"));
  placeholder.show();
  return application.exec();
}
