#pragma once

#include <QApplication>

// The application object. Qt lets no exception pass through its event dispatch: one
// that escapes an event handler is caught here, shown in the standard error box, and
// the program goes on.
class clKdxApplication : public QApplication {
 public:
  clKdxApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // Shows an exception that escaped a handler in the standard error box.
  static void ShowException(QWidget* owner, const std::exception_ptr& error);
};
