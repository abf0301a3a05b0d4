#include "output/clfilesink.h"

#include <cstring>

clFileSink::~clFileSink() {
  if (file.IsOpen()) Close();
}

bool clFileSink::Open(const std::string& path) {
  if (file.IsOpen()) Close();
  failed = false;
  used = 0;
  if (!file.Open(path)) return false;
  if (!buffer) buffer = std::make_unique<char[]>(kBufferSize);
  return true;
}

void clFileSink::Write(std::string_view bytes) {
  if (!file.IsOpen()) {
    failed = true;
    return;
  }
  if (bytes.size() > kBufferSize - used) {
    Flush();
    if (bytes.size() >= kBufferSize) {
      WriteOut(bytes.data(), bytes.size());
      return;
    }
  }
  std::memcpy(buffer.get() + used, bytes.data(), bytes.size());
  used += bytes.size();
}

void clFileSink::Flush() {
  if (used == 0) return;
  WriteOut(buffer.get(), used);
  used = 0;
}

void clFileSink::WriteOut(const char* data, std::size_t size) {
  if (failed) return;  // a file that lost bytes stays failed; later bytes are not written
  if (!file.Write(data, size)) failed = true;
}

bool clFileSink::Close() {
  if (!file.IsOpen()) return !failed;
  Flush();
  if (!file.Close()) failed = true;
  return !failed;
}
