#pragma once

// The signals that ask a program to end (SIGTERM at a logout or from kill, SIGHUP when
// its terminal closes, SIGINT for Ctrl+C), caught so that the program can end as a
// close of its window would: each one writes a byte to a pipe whose reading end the
// event loop watches. Process-wide: one pipe for the process.
//
// Also ignores SIGXFSZ: a write beyond the file-size limit (ulimit -f) then fails with
// EFBIG, which the writer reports, instead of killing the program.
class clEndSignals {
 public:
  // Installs the handlers (the pipe is made by the first call). False when the pipe
  // cannot be made: the signals then keep their default action.
  static bool Install();

  // The pipe's reading end (non-blocking); -1 before Install or after a failed one.
  static int ReadHandle();

  // Empties the pipe; true when at least one signal had come.
  static bool Take();
};
