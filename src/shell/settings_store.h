#pragma once
// The per-user settings store: named values kept as text ("37", "-1", booleans "0"/"1"),
// written the moment they change. The logic of reading with defaults lives here; a concrete
// store only keeps raw values. Failures raise StoreError carrying the user-facing text.

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace fluffo {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

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
std::optional<int32_t> parse_store_integer(const std::string& text);

int32_t read_integer(SettingsStore& store, const std::string& name, int32_t default_value);
bool read_boolean(SettingsStore& store, const std::string& name, bool default_value);
void write_integer(SettingsStore& store, const std::string& name, int32_t value);
void write_boolean(SettingsStore& store, const std::string& name, bool value);

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
