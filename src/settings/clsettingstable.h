#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/clsoftoption.h"

// How a setting is written in Setting.ini.
enum class clSettingKind { Bool, String, Integer };

// One key of Setting.ini: its text, its kind, its default when the key or the file is
// missing, the record member it fills (through the member's getter and setter), and
// whether OK in the easy dialog puts it back to that default.
struct clSetting {
  const char* key;
  clSettingKind kind;
  int32_t numberDefault = 0;  // bool (0 or 1) and integer keys
  bool easyResets = false;
  bool (clSoftOption::*getBool)() const = nullptr;
  void (clSoftOption::*setBool)(bool) = nullptr;
  int32_t (clSoftOption::*getInteger)() const = nullptr;
  void (clSoftOption::*setInteger)(int32_t) = nullptr;
  std::string (clSoftOption::*getString)() const = nullptr;
  void (clSoftOption::*setString)(std::string) = nullptr;
};

// The seventeen keys of section SETTING in file order, the same order as the record's
// members: the one place that says which key fills which member and what a fresh
// installation holds. Loading, saving, the easy dialog's resets and the tests' settings
// files all go by it. The one string key, the output folder, has a default computed
// from the executable's folder.
class clSettingsTable {
 public:
  static constexpr const char* kSection = "SETTING";
  static const std::array<clSetting, 17>& Keys();
  // The key of that text; throws std::out_of_range for a text that is no key.
  static const clSetting& Find(const std::string& key);
  // Gives a bool or integer setting its default; the folder keeps its value.
  static void SetDefault(clSoftOption& option, const clSetting& setting);
  // The record of a fresh installation: every key at its default, the output folder
  // `outputFolder`.
  static clSoftOption Defaults(const std::string& outputFolder);
  // The value of a key in the record, as Setting.ini writes it ("1" or "0", decimal, or
  // the text unchanged).
  static std::string Text(const clSoftOption& option, const clSetting& setting);
};
