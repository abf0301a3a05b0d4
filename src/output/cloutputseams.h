#pragma once

#include <string>

// The window-system services the end of an output run uses, on the main thread. Each
// front end implements them; tests replace them with recorders.

// Replaces the clipboard's content with one plain text, the exact bytes. Raises an
// error when the clipboard cannot be set.
class clClipboard {
 public:
  virtual ~clClipboard() = default;
  virtual void SetAsText(const std::string& text) = 0;
};

// Opens a file or folder with the desktop's associated application ("open").
// A failed open is silent; an exception it raises ends the output run with false.
class clShell {
 public:
  virtual ~clShell() = default;
  virtual void Open(const std::string& path) = 0;
};

// The main window's status label.
class clStatusLabel {
 public:
  virtual ~clStatusLabel() = default;
  virtual void SetText(const std::string& text) = 0;
};

// The three together, as the end of an output run takes them.
struct clOutputEffects {
  clClipboard& clipboard;
  clShell& shell;
  clStatusLabel& label;
};
