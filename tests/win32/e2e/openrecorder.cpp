// Stands in for the program a file or a folder opens with: openrecorder LOG PATH appends
// PATH (UTF-8) and a line end to the file LOG. Registered in the prefix as the handler of
// .txt, .csv and folders while a test runs.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments == nullptr || count != 3) return 2;
  const std::wstring path = arguments[2];
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string line(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), line.data(), size,
                        nullptr, nullptr);
  line += "\n";
  FILE* log = _wfopen(arguments[1], L"ab");
  if (log == nullptr) return 2;
  std::fwrite(line.data(), 1, line.size(), log);
  std::fclose(log);
  return 0;
}
