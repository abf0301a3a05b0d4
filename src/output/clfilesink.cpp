#include "output/clfilesink.h"

#include <cstring>

clFileSink::~clFileSink() {
  if (file != nullptr) Close();
}

bool clFileSink::Open(const std::string& path) {
  if (file != nullptr) Close();
  failed = false;
  used = 0;
  file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return false;
  // Our own buffer does the buffering; the stream passes each chunk straight on.
  std::setvbuf(file, nullptr, _IONBF, 0);
  if (!buffer) buffer = std::make_unique<char[]>(kBufferSize);
  return true;
}

void clFileSink::Write(std::string_view bytes) {
  if (file == nullptr) {
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
  if (std::fwrite(data, 1, size, file) != size) failed = true;
}

bool clFileSink::Close() {
  if (file == nullptr) return !failed;
  Flush();
  if (std::fclose(file) != 0) failed = true;
  file = nullptr;
  return !failed;
}
