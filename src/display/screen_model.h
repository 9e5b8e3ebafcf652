#pragma once
// A window as the toolkit-free core sees it: picture holders in drawing order (later ones
// above earlier ones). The core switches visibility, pictures and places; the model records
// the rectangles whose look may have changed, so a view repaints only those.

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "display/picture.h"

namespace fluffo {

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Places and sizes come from a file anyone can edit: a sum that leaves 32 bits stops at its
// edge instead of wrapping round.
inline int32_t clamp_to_int32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

enum class Cursor : uint8_t { Default, Hand, Help };

struct Holder {
    std::string name;
    Rect bounds;
    bool visible = false;
    PicturePtr picture;    // none: the holder draws nothing
    int copied_from = -1;  // index of the holder whose picture this one shows a copy of
    bool transparent = false;
    bool stretch = false;
    bool center = false;
    bool auto_size = false;
    std::string hint;
    Cursor cursor = Cursor::Default;
};

using HolderId = int;  // index in drawing order; -1 is "no holder"

class ScreenModel {
public:
    HolderId add(Holder holder);                    // appends on top; names are unique
    HolderId find(std::string_view name) const;     // -1 when absent
    HolderId require(std::string_view name) const;  // throws std::out_of_range when absent

    size_t size() const { return m_holders.size(); }
    const Holder& at(HolderId id) const { return m_holders[static_cast<size_t>(id)]; }
    const std::vector<Holder>& holders() const { return m_holders; }

    // The topmost visible holder under the point, or -1. A hidden holder takes no point: what
    // lies beneath it does (a button's released picture hidden, its pressed picture does).
    HolderId topmost_at(int32_t x, int32_t y) const;

    // Each setter records a changed rectangle only when the look can have changed; a setter
    // given the value already held records nothing. Ids must name a holder.
    // The engine switches visibility many times per tick: the unchanged case stays inline.
    void set_visible(HolderId id, bool visible) {
        assert(id >= 0 && static_cast<size_t>(id) < m_holders.size());
        Holder& h = m_holders[static_cast<size_t>(id)];
        if (h.visible != visible) visibility_changed(h, visible);
    }
    // A new picture repaints the old and the new area while visible; an auto-size holder takes
    // the picture's size. copied_from is recorded as given.
    void set_picture(HolderId id, PicturePtr picture, int copied_from = -1);
    // An auto-size holder with a picture keeps the picture's width and height.
    void set_bounds(HolderId id, Rect bounds);
    void set_stretch(HolderId id, bool stretch);
    void set_auto_size(HolderId id, bool auto_size);
    void set_hint(HolderId id, std::string hint);

    // The rectangles changed since the last call, oldest first. After many changes they are
    // merged into one bounding rectangle, so an unread list stays small.
    std::vector<Rect> take_dirty();
    const std::vector<Rect>& dirty() const { return m_dirty; }

    // More recorded rectangles than this collapse into their bounding rectangle.
    static constexpr size_t Dirty_Limit = 128;

private:
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    Holder& holder(HolderId id);
    void visibility_changed(Holder& h, bool visible);
    void mark(const Rect& r);

    std::vector<Holder> m_holders;
    std::unordered_map<std::string, HolderId, NameHash, std::equal_to<>> m_by_name;
    std::vector<Rect> m_dirty;
};

}  // namespace fluffo
