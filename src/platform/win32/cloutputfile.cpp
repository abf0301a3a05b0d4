#include "platform/cloutputfile.h"

#include <windows.h>

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

clOutputFile::~clOutputFile() { Close(); }

bool clOutputFile::Open(const std::string& path) {
  Close();
  // Appending, created when missing. Only a file on disk is written: a pipe or a device
  // at the path is refused.
  const HANDLE file =
      ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return false;
  }
  handle = reinterpret_cast<std::intptr_t>(file);
  return true;
}

bool clOutputFile::Write(const char* data, std::size_t size) {
  if (handle == -1) return false;
  while (size > 0) {
    const DWORD piece = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!::WriteFile(AsHandle(handle), data, piece, &written, nullptr) || written == 0) {
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

bool clOutputFile::Close() {
  if (handle == -1) return true;
  const HANDLE file = AsHandle(handle);
  handle = -1;
  return ::CloseHandle(file) != 0;
}
