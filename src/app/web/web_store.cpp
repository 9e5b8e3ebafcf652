#include "app/web/web_store.h"

#include "base/settings_values.h"

namespace fluffo {

std::optional<StoredValue> WebStore::read_value(const std::string& name) {
    std::optional<std::string> text = m_medium.get(name);
    if (!text) return std::nullopt;
    return StoredValue{true, *text};
}

std::optional<StoredValue> WindowedFirstStart::read_value(const std::string& name) {
    auto value = m_inner.read_value(name);
    if (!value && name == Setting_FullscreenMode.name) return StoredValue{true, "0"};
    return value;
}

void WebStore::write_texts(const StoreTexts& values) {
    std::vector<std::pair<std::string, std::optional<std::string>>> before;
    for (const auto& [name, text] : values) {
        std::optional<std::string> old = m_medium.get(name);
        if (m_medium.set(name, text)) {
            before.emplace_back(name, std::move(old));
            continue;
        }
        // All or none: the values already written go back to what they were.
        for (auto it = before.rbegin(); it != before.rend(); ++it) {
            if (it->second) {
                m_medium.set(it->first, *it->second);
            } else {
                m_medium.remove(it->first);
            }
        }
        throw StoreError(set_data_failed_text(values.front().first));
    }
}

}  // namespace fluffo
