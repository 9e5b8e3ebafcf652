#pragma once
// The store as this run sees it when the command line chose a value for the run only (the
// display, windowed or fullscreen): that value reads as chosen, and nothing is written for it,
// until the player changes it during the run; from then on the store has it again. Every other
// value passes straight through.

#include <optional>
#include <string>
#include <utility>

#include "base/settings_store.h"

namespace fluffo {

class RunChoiceStore : public SettingsStore {
public:
    RunChoiceStore(SettingsStore& store, std::string name, std::optional<std::string> text)
        : m_store(store), m_name(std::move(name)), m_text(std::move(text)) {}

    std::optional<StoredValue> read_value(const std::string& name) override {
        if (m_text && name == m_name) return StoredValue{true, *m_text};
        return m_store.read_value(name);
    }
    void write_texts(const StoreTexts& values) override {
        m_store.write_texts(values);
        for (const auto& [name, text] : values)
            if (name == m_name) m_text.reset();
    }

private:
    SettingsStore& m_store;
    std::string m_name;
    std::optional<std::string> m_text;  // the run's choice while it stands
};

}  // namespace fluffo
