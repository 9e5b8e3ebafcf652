#include "windows/game_menu.h"

namespace fluffo {

void GameMenu::build(const std::array<bool, Popup_Entry_Count>& checked) {
    m_rows.clear();
    for (int i = 0; i < Popup_Entry_Count; ++i) {
        const PopupEntry& entry = Popup_Entries[static_cast<size_t>(i)];
        MenuRow row;
        row.bounds = {0, Row_Height * (i + 1), Row_Width, Row_Height};
        if (is_separator(entry)) {
            // A gap: no text, no pointer shape, no handlers.
            row.separator = true;
        } else {
            row.text = "   " + std::string(entry.caption);
            if (checked[static_cast<size_t>(i)]) row.text += " [V]";
            row.command = entry.command;
            row.enabled = true;
        }
        m_rows.push_back(std::move(row));
    }
}

int GameMenu::row_at(int32_t x, int32_t y) const {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const Rect& r = m_rows[i].bounds;
        if (x >= r.left && x < r.left + r.width && y >= r.top && y < r.top + r.height)
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<Rect> GameMenu::hover(int row) {
    std::vector<Rect> changed;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        MenuRow& r = m_rows[i];
        // Only enabled rows answer the pointer; a separator stays a see-through gap.
        const bool opaque = r.enabled && static_cast<int>(i) == row;
        if (r.opaque != opaque) {
            r.opaque = opaque;
            changed.push_back(r.bounds);
        }
    }
    return changed;
}

int GameMenu::highlighted() const {
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].opaque) return static_cast<int>(i);
    }
    return -1;
}

std::vector<Rect> GameMenu::step(int delta) {
    const int count = static_cast<int>(m_rows.size());
    if (count == 0) return {};
    const int from = highlighted();
    int row = from >= 0 ? from : (delta > 0 ? -1 : count);
    for (int tried = 0; tried < count; ++tried) {
        row = ((row + delta) % count + count) % count;
        if (m_rows[static_cast<size_t>(row)].enabled) return hover(row);
    }
    return {};
}

}  // namespace fluffo
