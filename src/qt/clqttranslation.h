#pragma once

class QCoreApplication;

// Qt's own Japanese texts (the standard buttons, the folder chooser), from the system's
// Qt translations folder. The program's own texts are Japanese in the source already.
class clQtTranslation {
 public:
  // Installs Qt's Japanese translation into `application`, before any window exists.
  // False when the system has none (qt6-translations-l10n is missing): Qt's texts
  // then stay English.
  static bool Install(QCoreApplication& application);
};
