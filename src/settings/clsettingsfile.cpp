#include "settings/clsettingsfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "settings/clinifile.h"

namespace {

constexpr const char* kSection = "SETTING";
constexpr const char* kSubFolder = "IS_SUB_FOLDER";
constexpr const char* kWinFolder = "IS_WIN_FOLDER";
constexpr const char* kHideFile = "IS_HIDE_FILE";
constexpr const char* kReadOnlyFile = "IS_READ_ONLY_FILE";
constexpr const char* kOutputCsv = "IS_FOLDER_LIST_OUTPUT_CSV";
constexpr const char* kOutputTxt = "IS_FOLDER_LIST_OUTPUT_TXT";
constexpr const char* kPreserveDialog = "IS_PRESERVE_DIALOG_FOLDER_LIST_OUTPUT";
constexpr const char* kOutputFolderPath = "IS_FOLDER_LIST_OUTPUT_FOLDER_PATH";
constexpr const char* kOutputClipboard = "IS_FOLDER_LIST_OUTPUT_CLIPBOARD";
constexpr const char* kTxtShort = "IS_FOLDER_LIST_OUTPUT_TXT_SHT";
constexpr const char* kOutputMsg = "IS_FOLDER_LIST_OUTPUTMSG";
constexpr const char* kOutputLocate = "IS_FOLDER_LIST_OUTPUTLOCATE";
constexpr const char* kOpenCsvFile = "IS_FOLDER_LIST_OUTPUTCSVFILE";
constexpr const char* kOpenTxtFile = "IS_FOLDER_LIST__OUTPUTTXTFILE";  // two underscores
constexpr const char* kClipboardMode = "IS_FOLDER_LIST_OUTPUTCBMODE";
constexpr const char* kTimeout = "IS_FOLDER_LIST_OUTPUTTIMEOUT";
constexpr const char* kTimeoutSeconds = "IS_FOLDER_LIST_OUTPUTTIMEOUTNUM";

std::string JoinPath(const std::string& folder, const char* name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

enum class ReadResult { kRead, kMissing, kFailed };

// Reads a whole regular file. Opening does not wait on a FIFO; anything that is not a
// regular file counts as unreadable.
ReadResult ReadWholeFile(const std::string& path, std::string& text, struct stat& info) {
  text.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  ReadResult result = ReadResult::kRead;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) result = ReadResult::kFailed;
  char buffer[65536];
  while (result == ReadResult::kRead) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count > 0) {
      text.append(buffer, static_cast<std::size_t>(count));
    } else if (count == 0) {
      break;
    } else if (errno != EINTR) {
      result = ReadResult::kFailed;
    }
  }
  ::close(fd);
  return result;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t count = ::write(fd, text.data() + done, text.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}

// Writes the complete text to a new file beside path, flushes it to disk and renames it
// over path, so that path always holds either its old content or the whole new one.
// On failure nothing is left behind.
bool ReplaceFile(const std::string& path, const std::string& text, const struct stat* old) {
  static std::atomic<unsigned> serial{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = path + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  if (old) ::fchmod(fd, old->st_mode & 07777);  // keep the old file's permissions
  const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable; the new file is in place whatever this returns.
  const std::size_t slash = path.rfind('/');
  const std::string folder =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
  return true;
}

// A settings file that is a symbolic link is written through the link, which stays;
// a link to a file not made yet leads to where the file will be.
std::string ResolveLinks(std::string path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    std::string target(4096, '\0');
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) break;
    target.resize(static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    if (target.front() != '/' && slash != std::string::npos) {
      target = path.substr(0, slash + 1) + target;
    }
    path = target;
  }
  return path;
}

}  // namespace

std::string clSettingsFile::PathIn(const std::string& exeFolder) {
  return JoinPath(exeFolder, kSettingFileName);
}

bool clSettingsFile::Load(clSoftOption& option, const std::string& iniPath,
                          const std::string& exeFolder) {
  std::string text;
  struct stat info {};
  if (ReadWholeFile(iniPath, text, info) != ReadResult::kRead) text.clear();
  const clIniFile ini(text);
  option.SetSubFolder(ini.ReadBool(kSection, kSubFolder, true));
  option.SetWinFolder(ini.ReadBool(kSection, kWinFolder, false));
  option.SetHideFile(ini.ReadBool(kSection, kHideFile, false));
  option.SetReadOnlyFile(ini.ReadBool(kSection, kReadOnlyFile, false));
  option.SetOutputCsv(ini.ReadBool(kSection, kOutputCsv, true));
  option.SetOutputTxt(ini.ReadBool(kSection, kOutputTxt, true));
  option.SetPreserveDialog(ini.ReadBool(kSection, kPreserveDialog, false));
  const std::string defaultOutput = JoinPath(exeFolder, kFolderListOutput);
  option.SetOutputFolderPath(ini.ReadString(kSection, kOutputFolderPath, defaultOutput));
  option.SetOutputClipboard(ini.ReadBool(kSection, kOutputClipboard, false));
  option.SetTxtShort(ini.ReadBool(kSection, kTxtShort, false));
  option.SetOutputMsg(ini.ReadBool(kSection, kOutputMsg, true));
  option.SetOutputLocate(ini.ReadBool(kSection, kOutputLocate, true));
  option.SetOpenCsvFile(ini.ReadBool(kSection, kOpenCsvFile, false));
  option.SetOpenTxtFile(ini.ReadBool(kSection, kOpenTxtFile, false));
  option.SetClipboardMode(ini.ReadInteger(kSection, kClipboardMode, 0));
  option.SetTimeout(ini.ReadBool(kSection, kTimeout, true));
  option.SetTimeoutSeconds(ini.ReadInteger(kSection, kTimeoutSeconds, 10));
  return true;
}

bool clSettingsFile::Save(const clSoftOption& option, const std::string& iniPath) {
  const clSettingsWriteError failure(iniPath + " に書き込めません");
  const std::string target = ResolveLinks(iniPath);
  std::string text;
  struct stat info {};
  const ReadResult read = ReadWholeFile(target, text, info);
  if (read == ReadResult::kFailed) throw failure;  // never overwrite what could not be read
  // The new file replaces the old one by a rename, which a read-only file would not stop:
  // a file marked read-only, or one we may not write, keeps its settings.
  if (read == ReadResult::kRead &&
      ((info.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0)) {
    throw failure;
  }

  clIniFile ini(text);
  ini.WriteBool(kSection, kSubFolder, option.GetSubFolder());
  ini.WriteBool(kSection, kWinFolder, option.GetWinFolder());
  ini.WriteBool(kSection, kHideFile, option.GetHideFile());
  ini.WriteBool(kSection, kReadOnlyFile, option.GetReadOnlyFile());
  ini.WriteBool(kSection, kOutputCsv, option.GetOutputCsv());
  ini.WriteBool(kSection, kOutputTxt, option.GetOutputTxt());
  ini.WriteBool(kSection, kPreserveDialog, option.GetPreserveDialog());
  // The one value an INI line may refuse: a folder path with a line break.
  if (!ini.WriteString(kSection, kOutputFolderPath, option.GetOutputFolderPath())) throw failure;
  ini.WriteBool(kSection, kOutputClipboard, option.GetOutputClipboard());
  ini.WriteBool(kSection, kTxtShort, option.GetTxtShort());
  ini.WriteBool(kSection, kOutputMsg, option.GetOutputMsg());
  ini.WriteBool(kSection, kOutputLocate, option.GetOutputLocate());
  ini.WriteBool(kSection, kOpenCsvFile, option.GetOpenCsvFile());
  ini.WriteBool(kSection, kOpenTxtFile, option.GetOpenTxtFile());
  ini.WriteInteger(kSection, kClipboardMode, option.GetClipboardMode());
  ini.WriteBool(kSection, kTimeout, option.GetTimeout());
  ini.WriteInteger(kSection, kTimeoutSeconds, option.GetTimeoutSeconds());

  if (!ReplaceFile(target, ini.GetText(), read == ReadResult::kRead ? &info : nullptr)) {
    throw failure;
  }
  return true;
}
