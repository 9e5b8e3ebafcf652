#pragma once
// The per-user settings store: named values kept as text ("37", "-1", booleans "0"/"1"),
// written the moment they change. The logic of reading with defaults lives here; a concrete
// store only keeps raw values. Failures raise StoreError carrying the user-facing text.
// Values written together (the seven keys) go to the store in one go: all or none.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// Values to write together, by name, in the order they are named in a refusal.
using StoreTexts = std::vector<std::pair<std::string, std::string>>;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<StoredValue> read_value(const std::string& name) = 0;
    // Creates or overwrites every value as text at once, all or none; throws StoreError
    // ("Failed to set data for" the first name) when refused.
    virtual void write_texts(const StoreTexts& values) = 0;
    void write_text(const std::string& name, const std::string& text) {
        write_texts({{name, text}});
    }
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
    void write_texts(const StoreTexts& values) override;

    void set_raw(const std::string& name, StoredValue value) { m_values[name] = std::move(value); }
    void set_refuse_writes(bool refuse) { m_refuse_writes = refuse; }
    const std::map<std::string, StoredValue>& values() const { return m_values; }

private:
    std::map<std::string, StoredValue> m_values;
    bool m_refuse_writes = false;
};

// The store the programs use over their concrete store: a refused write stops nothing. The
// value lives on in memory (reads see it), the refusal is told once, and not again until a
// write has gone through; every value still unwritten goes with the next write that does,
// and with flush() at the end of the program.
class RetryingStore : public SettingsStore {
public:
    using Tell = std::function<void(const std::string& text)>;
    RetryingStore(SettingsStore& inner, Tell tell);

    std::optional<StoredValue> read_value(const std::string& name) override;
    // Never throws a refusal: it is told instead.
    void write_texts(const StoreTexts& values) override;
    // Tries once more to write every value not yet written; false when some remain. Tells
    // nothing: the program is ending.
    bool flush();
    bool has_unwritten() const { return !m_unwritten.empty(); }

private:
    // The values asked for first, then every one still waiting.
    void write_with_unwritten(const StoreTexts& first);

    SettingsStore& m_inner;
    Tell m_tell;
    StoreTexts m_unwritten;  // in the order they were asked for, each name once
    bool m_refusal_told = false;
};

}  // namespace fluffo
