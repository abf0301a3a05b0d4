#pragma once

#include <string>

// The window-system services the outputs use. Each front end implements them with its
// toolkit, Qt or Win32 (on the main thread: the core calls them through the worker's
// Synchronize); tests replace them with recorders.

// Replaces the clipboard's content with one plain text, the exact bytes.
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
