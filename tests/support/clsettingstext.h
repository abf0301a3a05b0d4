#pragma once

#include <map>
#include <string>

// Setting.ini as the tests write it, from the settings table: every key in file order at
// the default of a fresh installation, the output folder `outputFolder`, then
// `overrides` (key to value, as the file holds it). A key the table does not know throws
// std::out_of_range, so a misspelt override fails its test.
std::string SettingsText(const std::string& outputFolder,
                         const std::map<std::string, std::string>& overrides = {});

// The quiet settings of the read tests: the defaults, but the output folder not opened
// and no time-out; then `overrides`.
std::string QuietSettingsText(const std::string& outputFolder,
                              const std::map<std::string, std::string>& overrides = {});
