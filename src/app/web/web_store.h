#pragma once
// The page's settings store: each value is one item of the page's local storage under its own
// name ("SoundMode", "HiScore2", "Key1" ...), its text the item's text, as the desktop keeps
// them. Values written together go all or none: a refusal (private browsing, a full quota)
// puts back what the write had changed and raises the store's "Failed to set data" error;
// the program's RetryingStore above keeps the value for the session and tells it once.
// WindowedFirstStart sits above any store of the page: a page may take the whole screen only
// at the player's gesture, so an absent FullscreenMode reads as windowed there, and the
// page's first start is in its tab.

#include <optional>
#include <string>
#include <vector>

#include "base/settings_store.h"

namespace fluffo {

// localStorage as the page reaches it; a fake in the tests.
class StorageMedium {
public:
    virtual ~StorageMedium() = default;
    virtual std::optional<std::string> get(const std::string& name) = 0;
    // False when the browser refused.
    virtual bool set(const std::string& name, const std::string& text) = 0;
    virtual void remove(const std::string& name) = 0;
    virtual std::vector<std::string> names() = 0;
};

class WebStore : public SettingsStore {
public:
    explicit WebStore(StorageMedium& medium) : m_medium(medium) {}
    std::optional<StoredValue> read_value(const std::string& name) override;
    void write_texts(const StoreTexts& values) override;

private:
    StorageMedium& m_medium;
};

class WindowedFirstStart : public SettingsStore {
public:
    explicit WindowedFirstStart(SettingsStore& inner) : m_inner(inner) {}
    std::optional<StoredValue> read_value(const std::string& name) override;
    void write_texts(const StoreTexts& values) override { m_inner.write_texts(values); }

private:
    SettingsStore& m_inner;
};

}  // namespace fluffo
