#pragma once
// The text of the store's file in the INI format QSettings reads and writes: the values of its
// general section found as QSettings finds them (lines, quotes, escapes, comments, sections;
// a list or an "@Type(...)" value is no text), and the same text with some values set. A
// write changes only the values it sets: every other byte, damage and garbage included, stays,
// so no value is lost to a write that did not mean to change it.

#include <map>
#include <string>
#include <string_view>

#include "base/settings_store.h"

namespace fluffo {

// Every value of the general section by name; of a name given twice the last counts.
std::map<std::string, StoredValue> store_file_values(std::string_view file);

// The file with each value set as text: replaced where the general section has it, else added
// at the head of the general section (a new file starts with "[General]").
std::string store_file_with(std::string_view file, const StoreTexts& values);

}  // namespace fluffo
