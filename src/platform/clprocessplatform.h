#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the running process is: where its executable lives, what the file is called,
// and the first command-line argument as the system gave it.
struct clProcessFacts {
  std::string exeFolder;                // the executable's folder, raw bytes, no trailing separator
  std::string exeName;                  // the executable's file name, without folder
  std::optional<std::string> argument;  // the first command-line argument, raw bytes
  // Where the settings live: a copy in a folder of its own keeps them beside it, an
  // installed copy in the user's folders (see clSettingsLocation).
  bool exeFolderWritable = true;            // whether this user may create files there
  std::string configHome;                   // the user's configuration folder
  std::string documentsFolder;              // the user's documents folder
  std::vector<std::string> installFolders;  // install locations besides the system's own
};

// The services of the operating system that the program needs besides the file system:
// the facts of the running process, the single-instance guard and the local clock. The
// platform's own implementation serves the program; tests substitute a fake.
class clProcessPlatform {
 public:
  virtual ~clProcessPlatform() = default;

  virtual clProcessFacts GetProcessFacts() = 0;

  // The single-instance guard, named after the executable's file name: instances started
  // from the same file name see each other. Returns false when another instance holds
  // the guard; true when this one now holds it, and also when the guard cannot be set up
  // at all (that does not keep the program from running). The system drops the guard
  // when the process ends, however it ends.
  virtual bool AcquireInstance(const std::string& exeName) = 0;
  // Gives the guard up; nothing happens when it is not held.
  virtual void ReleaseInstance() = 0;
  virtual bool HoldsInstance() const = 0;

  // The local date and time now, as 14 digits: year, month, day, hour (00 to 23),
  // minute, second ("yyyymmddhhnnss").
  virtual std::string GetLocalTimeStamp() = 0;

  // The current folder, in the form the platform gives paths (the system code page on
  // Windows, raw bytes elsewhere); empty when it cannot be had.
  virtual std::string CurrentFolder() = 0;

  // Requests from outside to end the program (a logout, a closed terminal, Ctrl+C), kept
  // from the start of the process until they are taken. EndRequestHandle is a handle
  // that becomes readable while one waits (a file descriptor), or -1 when none can come.
  virtual intptr_t EndRequestHandle() = 0;
  // Takes the requests waiting; true when there was at least one.
  virtual bool TakeEndRequests() = 0;

  // Ends the process at once with `status`: no destructor runs and no thread is waited
  // for; a thread held up in the system ends with the process. Returns only where the
  // process cannot end (a test's fake).
  virtual void EndProcessNow(int status) = 0;
};
