#include "win32/clwin32clipboard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

// What CF_TEXT holds now, or "(none)".
std::string ClipboardText() {
  if (!::OpenClipboard(nullptr)) return "(not opened)";
  std::string text = "(none)";
  if (const HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(::GlobalLock(data))) {
      text = bytes;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

// Another window (of another thread) holds the clipboard open until `release` is set.
class clClipboardHolder {
 public:
  explicit clClipboardHolder(std::chrono::milliseconds holdFor) {
    thread = std::thread([this, holdFor] {
      HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
      opened = ::OpenClipboard(window) != 0;
      held.set_value();
      std::this_thread::sleep_for(holdFor);
      if (opened) ::CloseClipboard();
      ::DestroyWindow(window);
    });
    held.get_future().wait();
  }
  ~clClipboardHolder() { thread.join(); }
  clClipboardHolder(const clClipboardHolder&) = delete;
  clClipboardHolder& operator=(const clClipboardHolder&) = delete;
  bool opened = false;

 private:
  std::promise<void> held;
  std::thread thread;
};

}  // namespace

TEST(clWin32Clipboard, SetsTheExactBytesAsCfText) {
  clWin32Clipboard clipboard;
  const std::string text = "\r\n    C:\\\x95\x5C\r\n\xC3\xBD\xC4\r\n";
  clipboard.SetAsText(text);
  EXPECT_EQ(ClipboardText(), text);
}

// A clipboard held for a moment is waited for; one held on is a failure, said in time.
TEST(clWin32Clipboard, WaitsForAClipboardHeldAMomentAndFailsOnOneHeldOn) {
  clWin32Clipboard clipboard;
  {
    const clClipboardHolder holder(std::chrono::milliseconds(100));
    ASSERT_TRUE(holder.opened);
    clipboard.SetAsText("after a moment");
  }
  EXPECT_EQ(ClipboardText(), "after a moment");
  {
    const clClipboardHolder holder(std::chrono::milliseconds(3000));
    ASSERT_TRUE(holder.opened);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(clipboard.SetAsText("never"), std::runtime_error);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
  }
  EXPECT_EQ(ClipboardText(), "after a moment");
}
