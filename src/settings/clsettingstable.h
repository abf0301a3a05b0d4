#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/clsoftoption.h"

// How a setting is written in Setting.ini.
enum class clSettingKind { Bool, String, Integer };

// One key of Setting.ini: its text, its kind, its default when the key or the file is
// missing, and the record member it fills.
struct clSetting {
  const char* key;
  clSettingKind kind;
  int32_t numberDefault = 0;  // bool (0 or 1) and integer keys
  bool (clSoftOption::*getBool)() const = nullptr;
  void (clSoftOption::*setBool)(bool) = nullptr;
  int32_t (clSoftOption::*getInteger)() const = nullptr;
  void (clSoftOption::*setInteger)(int32_t) = nullptr;
  std::string (clSoftOption::*getString)() const = nullptr;
  void (clSoftOption::*setString)(std::string) = nullptr;
};

// The seventeen keys of section SETTING in file order, the same order as the record's
// members. Loading, saving and the easy dialog's resets all go by it. The one string
// key, the output folder, has a default computed from the executable's folder.
class clSettingsTable {
 public:
  static constexpr const char* kSection = "SETTING";
  static const std::array<clSetting, 17>& Keys();
  // The key of that text; throws std::out_of_range for a text that is no key.
  static const clSetting& Find(const std::string& key);
  // Gives a bool or integer setting its default.
  static void SetDefault(clSoftOption& option, const std::string& key);
};
