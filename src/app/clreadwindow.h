#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "settings/clfolderchooser.h"

// What the read control needs of the main window. A front end implements it with its
// own controls; every call comes on the main thread. Texts are the program's own bytes.
class clReadWindow : public clFolderChooser {
 public:
  // A modal message box with an OK button only and no icon; returns once it is closed.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  // The standard error box: stop icon, the application title as caption.
  virtual void ShowErrorBox(const std::string& text) = 0;

  // Lets the window take folders and files dropped on it.
  virtual void AcceptDrops() = 0;
  // Reading: the read item and the settings menu off, the stop item (and its
  // shortcut) on; idle: the reverse.
  virtual void SetReadingState(bool reading) = 0;

  // The status label's text, shown at once.
  virtual void SetStatusText(const std::string& text) = 0;

  // Any thread, never blocks: the worker of the current read has completed. Arranges for
  // the read control's ReadCompleted to run on the main thread, from the event loop; a
  // notification still waiting when the window goes is dropped.
  virtual void PostCompletion() = 0;

  // The one-shot time-out timer: runs the read control's timTimeoutTimer once.
  virtual void StartTimeoutTimer(int milliseconds) = 0;
  virtual void StopTimeoutTimer() = 0;

  // Runs `call` on the main thread after `milliseconds`, from the event loop; a call
  // still waiting when the window goes is dropped.
  virtual void RunLater(int milliseconds, std::function<void()> call) = 0;

  // Calls `onReadable` on the main thread, from the event loop, whenever `handle` (a
  // file descriptor) has something to read. A handle of -1 is not watched.
  virtual void WatchHandle(intptr_t handle, std::function<void()> onReadable) = 0;

  // Asks the application to end its event loop; works also before the loop runs.
  virtual void QuitApplication() = 0;
};
