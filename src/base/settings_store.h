#pragma once
// The per-user settings store: named values kept as text ("37", "-1", booleans "0"/"1"),
// written the moment they change. The logic of reading with defaults lives here; a concrete
// store only keeps raw values. Failures raise StoreError carrying the user-facing text.

#include <cstdint>
#include <exception>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fluffo {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Steps that must all be tried even when the store fails some: the first StoreError is kept
// and raised once the rest have run.
class StoreErrors {
public:
    template <typename Step>
    void attempt(Step&& step) {
        try {
            step();
        } catch (const StoreError&) {
            if (!m_first) m_first = std::current_exception();
        }
    }
    void rethrow_first() const {
        if (m_first) std::rethrow_exception(m_first);
    }

private:
    std::exception_ptr m_first;
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
