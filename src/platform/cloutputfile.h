#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// An output file opened for appending, created when missing, written straight through
// (the caller buffers). Opening never waits: whatever is not a regular file at the path
// (a FIFO, a device, a socket) is refused, so a FIFO without a reader cannot hold up a
// read, and one with a reader is not written into.
class clOutputFile {
 public:
  clOutputFile() = default;
  ~clOutputFile();  // closes a file still open, ignoring errors
  clOutputFile(const clOutputFile&) = delete;
  clOutputFile& operator=(const clOutputFile&) = delete;

  // False when the path cannot be opened or is no regular file; nothing is open then.
  bool Open(const std::string& path);
  bool IsOpen() const { return handle != -1; }

  // Writes every byte; false when any of them did not reach the file.
  bool Write(const char* data, std::size_t size);

  // False when the close failed; true when nothing was open.
  bool Close();

 private:
  std::intptr_t handle = -1;  // the platform's file handle, -1 when closed
};
