// Whole files on Windows: the settings file's read and its replacement in one step,
// with the ANSI functions.
#include "platform/win32/clwin32platform.h"

#include "platform/win32/clwindows.h"

#include <algorithm>
#include <atomic>
#include <string>

namespace {

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool WriteAll(HANDLE file, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1 << 30));
    DWORD written = 0;
    if (!::WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

clFileRead clWin32Platform::ReadWholeFile(const std::string& path, std::string& text) {
  text.clear();
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return IsMissing(::GetLastError()) ? clFileRead::Missing : clFileRead::Failed;
  }
  clFileRead result = clFileRead::Read;
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    result = clFileRead::Failed;  // a device or a pipe is no settings file
  } else {
    char buffer[65536];
    DWORD count = 0;
    for (;;) {
      if (!::ReadFile(file, buffer, sizeof buffer, &count, nullptr)) {
        result = clFileRead::Failed;
        break;
      }
      if (count == 0) break;
      text.append(buffer, count);
    }
  }
  ::CloseHandle(file);
  if (result != clFileRead::Read) text.clear();
  return result;
}

bool clWin32Platform::ReplaceFile(const std::string& path, const std::string& text) {
  const DWORD old = ::GetFileAttributesA(path.c_str());
  if (old != INVALID_FILE_ATTRIBUTES &&
      (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;  // marked read-only: kept as it is
  }
  // The new content goes to a file of its own beside the old one, onto the disk, and
  // then takes the old one's place in one step.
  static std::atomic<unsigned> serial{0};
  std::string temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp =
        path + ".new-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(serial++);
    file = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteAll(file, text) && ::FlushFileBuffers(file);
  const bool closed = ::CloseHandle(file) != 0;
  // ReplaceFileA keeps the old file's attributes and security; a new file is moved in.
  const bool replaced =
      written && closed &&
      (old != INVALID_FILE_ATTRIBUTES
           ? ::ReplaceFileA(path.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                            nullptr, nullptr) != 0
           : ::MoveFileExA(temp.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0);
  if (!replaced) ::DeleteFileA(temp.c_str());
  return replaced;
}
