#pragma once
// The rows of the in-game menu: one text row per pop-up entry, 256 x 32 each below the
// title band, built at every opening with the captions and check marks of that moment and
// removed at closing. A row under the pointer, or the one a pad moved to, is opaque black (the
// highlight); the rest let the translucent panel behind them show. The window draws the rows
// above every holder.

#include <array>
#include <string>
#include <vector>

#include "display/screen_model.h"
#include "windows/popup_menu.h"

namespace fluffo {

struct MenuRow {
    Rect bounds;
    std::string text;  // empty for a separator
    MenuCommand command = MenuCommand::None;
    bool separator = false;
    bool enabled = false;
    bool opaque = false;  // the pointer is over it
};

class GameMenu {
public:
    static constexpr int32_t Row_Width = 256;
    static constexpr int32_t Row_Height = 32;
    static constexpr Rect Open_Background{0, 0, 256, 480};

    // The fourteen rows for the entries as they stand: [i] is entry i of Popup_Entries.
    void build(const std::array<bool, Popup_Entry_Count>& checked);
    void clear() { m_rows.clear(); }

    const std::vector<MenuRow>& rows() const { return m_rows; }
    // The row under (x, y) in window pixels, or -1.
    int row_at(int32_t x, int32_t y) const;
    // Makes the row under the pointer opaque and the others transparent; returns the rows
    // whose look changed.
    std::vector<Rect> hover(int row);
    // The opaque row, or -1.
    int highlighted() const;
    // A pad's D-pad: the highlight moves to the next enabled row up (-1) or down (+1), round
    // from the last to the first; with none highlighted it lands on the first (or last) row.
    std::vector<Rect> step(int delta);

private:
    std::vector<MenuRow> m_rows;
};

}  // namespace fluffo
