#pragma once
// The per-user settings store: named values kept as text ("37", "-1", booleans "0"/"1"),
// written the moment they change. The logic of reading with defaults lives here; a concrete
// store only keeps raw values. Failures raise StoreError carrying the user-facing text.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "base/platform_error.h"

namespace fluffo {

class StoreError : public PlatformError {
public:
    using PlatformError::PlatformError;
};

// The texts the user sees when the store fails.
std::string invalid_data_type_text(std::string_view value_name);
std::string set_data_failed_text(std::string_view value_name);
std::string create_key_failed_text(std::string_view key_path);

// A raw stored value: text, or something of another type that the program cannot read.
struct StoredValue {
    bool is_text = true;
    std::string text;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<StoredValue> read_value(const std::string& name) = 0;
    // Creates or overwrites the value as text at once; throws StoreError when refused.
    virtual void write_text(const std::string& name, const std::string& text) = 0;
};

// Integer text: optional sign and decimal digits, fitting 32 bits; anything else is not one.
std::optional<int32_t> parse_store_integer(std::string_view text);

// A missing value or text that is no integer gives the default; a value that is not text at
// all is an error ("Invalid data type for ...").
int32_t read_integer(SettingsStore& store, std::string_view name, int32_t default_value);
// Any integer but 0 is true; the default stands in as 1 or 0.
bool read_boolean(SettingsStore& store, std::string_view name, bool default_value);
void write_integer(SettingsStore& store, std::string_view name, int32_t value);
void write_boolean(SettingsStore& store, std::string_view name, bool value);

// The store kept in memory: the headless driver's and the tests'. It can be told to refuse
// writes, to exercise the error path.
class MemoryStore : public SettingsStore {
public:
    std::optional<StoredValue> read_value(const std::string& name) override;
    void write_text(const std::string& name, const std::string& text) override;

    void set_raw(const std::string& name, StoredValue value) { m_values[name] = std::move(value); }
    void set_refuse_writes(bool refuse) { m_refuse_writes = refuse; }
    const std::map<std::string, StoredValue>& values() const { return m_values; }

private:
    std::map<std::string, StoredValue> m_values;
    bool m_refuse_writes = false;
};

}  // namespace fluffo
