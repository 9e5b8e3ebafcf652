#include "base/settings_store.h"

#include <algorithm>
#include <charconv>

namespace fluffo {

std::string invalid_data_type_text(std::string_view value_name) {
    return "Invalid data type for '" + std::string(value_name) + "'";
}

std::string set_data_failed_text(std::string_view value_name) {
    return "Failed to set data for '" + std::string(value_name) + "'";
}

std::string create_key_failed_text(std::string_view key_path) {
    return "Failed to create key " + std::string(key_path);
}

std::optional<int32_t> parse_store_integer(std::string_view text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {  // an explicit plus sign reads as a number...
        ++first;
        if (first != last && *first == '-') return std::nullopt;  // ...but not "+-5"
    }
    int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || first == last) return std::nullopt;
    return value;
}

int32_t read_integer(SettingsStore& store, std::string_view name, int32_t default_value) {
    const std::string key(name);
    const std::optional<StoredValue> value = store.read_value(key);
    if (!value) return default_value;
    if (!value->is_text) throw StoreError(invalid_data_type_text(name));
    return parse_store_integer(value->text).value_or(default_value);
}

bool read_boolean(SettingsStore& store, std::string_view name, bool default_value) {
    return read_integer(store, name, default_value ? 1 : 0) != 0;
}

void write_integer(SettingsStore& store, std::string_view name, int32_t value) {
    store.write_text(std::string(name), std::to_string(value));
}

void write_boolean(SettingsStore& store, std::string_view name, bool value) {
    store.write_text(std::string(name), value ? "1" : "0");
}

std::optional<StoredValue> MemoryStore::read_value(const std::string& name) {
    const auto it = m_values.find(name);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

void MemoryStore::write_texts(const StoreTexts& values) {
    if (values.empty()) return;
    if (m_refuse_writes) throw StoreError(set_data_failed_text(values.front().first));
    for (const auto& [name, text] : values)
        m_values[name] = StoredValue{true, text};
}

RetryingStore::RetryingStore(SettingsStore& inner, Tell tell)
    : m_inner(inner), m_tell(std::move(tell)) {}

std::optional<StoredValue> RetryingStore::read_value(const std::string& name) {
    // The player's latest choice, written or not.
    for (const auto& [unwritten, text] : m_unwritten) {
        if (unwritten == name) return StoredValue{true, text};
    }
    return m_inner.read_value(name);
}

void RetryingStore::write_texts(const StoreTexts& values) {
    try {
        write_with_unwritten(values);
        m_refusal_told = false;
    } catch (const StoreError& e) {
        if (m_refusal_told) return;
        m_refusal_told = true;
        if (m_tell) m_tell(e.what());
    }
}

bool RetryingStore::flush() {
    if (m_unwritten.empty()) return true;
    try {
        write_with_unwritten({});
    } catch (const StoreError&) {
        return false;
    }
    return true;
}

void RetryingStore::write_with_unwritten(const StoreTexts& first) {
    // Memory first: whatever the store says, the value is the player's.
    for (const auto& value : first) {
        std::erase_if(m_unwritten,
                      [&](const auto& waiting) { return waiting.first == value.first; });
    }
    StoreTexts all = first;
    all.insert(all.end(), m_unwritten.begin(), m_unwritten.end());
    m_unwritten = all;
    m_inner.write_texts(all);
    m_unwritten.clear();
}

}  // namespace fluffo
