#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "output/cloutputsink.h"
#include "platform/cloutputfile.h"

// An output file opened for appending (created when missing), written through one large
// buffer. Only a regular file is written: a FIFO or a device at the path fails the open. Remembers
// any failed write, so that Close can tell whether every byte reached the file (a full disk, a
// folder that vanished).
class clFileSink : public clOutputSink {
 public:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

  clFileSink() = default;
  ~clFileSink() override;  // closes a file still open, ignoring errors
  clFileSink(const clFileSink&) = delete;
  clFileSink& operator=(const clFileSink&) = delete;

  // False when the file cannot be opened; nothing is written then.
  bool Open(const std::string& path);
  bool IsOpen() const { return file.IsOpen(); }

  void Write(std::string_view bytes) override;

  // Writes what is buffered and closes the file. False when any write or the close
  // failed.
  bool Close();

 private:
  void Flush();
  void WriteOut(const char* data, std::size_t size);

  clOutputFile file;
  std::unique_ptr<char[]> buffer;
  std::size_t used = 0;
  bool failed = false;
};
