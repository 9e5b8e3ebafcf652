#include "shell/settings_store.h"

#include <charconv>

namespace fluffo {

std::optional<int32_t> parse_store_integer(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;  // an explicit plus sign reads as a number
    int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
    return value;
}

int32_t read_integer(SettingsStore& store, const std::string& name, int32_t default_value) {
    const std::optional<StoredValue> value = store.read_value(name);
    if (!value) return default_value;
    if (!value->is_text) throw StoreError("Invalid data type for '" + name + "'");
    return parse_store_integer(value->text).value_or(default_value);
}

bool read_boolean(SettingsStore& store, const std::string& name, bool default_value) {
    return read_integer(store, name, default_value ? 1 : 0) != 0;
}

void write_integer(SettingsStore& store, const std::string& name, int32_t value) {
    store.write_text(name, std::to_string(value));
}

void write_boolean(SettingsStore& store, const std::string& name, bool value) {
    store.write_text(name, value ? "1" : "0");
}

std::optional<StoredValue> MemoryStore::read_value(const std::string& name) {
    const auto it = m_values.find(name);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

void MemoryStore::write_text(const std::string& name, const std::string& text) {
    if (m_refuse_writes) throw StoreError("Failed to set data for '" + name + "'");
    m_values[name] = StoredValue{true, text};
}

}  // namespace fluffo
