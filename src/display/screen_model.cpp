#include "display/screen_model.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace fluffo {

namespace {

bool is_empty(const Rect& r) {
    return r.width <= 0 || r.height <= 0;
}

bool contains(const Rect& r, int32_t x, int32_t y) {
    return x >= r.left && int64_t{x} - r.left < r.width && y >= r.top &&
           int64_t{y} - r.top < r.height;
}

// An auto-size holder takes its picture's size; without a picture it keeps its own.
Rect auto_sized(const Holder& h) {
    Rect r = h.bounds;
    if (h.auto_size && h.picture) {
        r.width = window_width(*h.picture);
        r.height = window_height(*h.picture);
    }
    return r;
}

}  // namespace

HolderId ScreenModel::add(Holder holder) {
    if (m_by_name.contains(holder.name)) {
        throw std::invalid_argument("duplicate picture holder name: " + holder.name);
    }
    // Reserved once, so recording a rectangle on the engine's hot path never allocates.
    if (m_dirty.capacity() < Dirty_Limit + 1) m_dirty.reserve(Dirty_Limit + 1);
    const auto id = static_cast<HolderId>(m_holders.size());
    holder.bounds = auto_sized(holder);
    m_by_name.emplace(holder.name, id);
    m_holders.push_back(std::move(holder));
    const Holder& h = m_holders.back();
    if (h.visible && h.picture) mark(h.bounds);
    return id;
}

HolderId ScreenModel::find(std::string_view name) const {
    const auto it = m_by_name.find(name);
    return it == m_by_name.end() ? -1 : it->second;
}

HolderId ScreenModel::require(std::string_view name) const {
    const HolderId id = find(name);
    if (id < 0) throw std::out_of_range("no picture holder named " + std::string(name));
    return id;
}

HolderId ScreenModel::topmost_at(int32_t x, int32_t y) const {
    for (size_t i = m_holders.size(); i-- > 0;) {
        if (m_holders[i].visible && contains(m_holders[i].bounds, x, y))
            return static_cast<HolderId>(i);
    }
    return -1;
}

Holder& ScreenModel::holder(HolderId id) {
    if (id < 0 || static_cast<size_t>(id) >= m_holders.size()) {
        throw std::out_of_range("no picture holder with id " + std::to_string(id));
    }
    return m_holders[static_cast<size_t>(id)];
}

void ScreenModel::visibility_changed(Holder& h, bool visible) {
    h.visible = visible;
    // A holder without a picture draws nothing, shown or not.
    if (h.picture) mark(h.bounds);
}

void ScreenModel::set_picture(HolderId id, PicturePtr picture, int copied_from) {
    Holder& h = holder(id);
    h.copied_from = copied_from;
    if (h.picture == picture) return;  // the same pixels: the look stays
    const Rect old_bounds = h.bounds;
    const bool had_picture = h.picture != nullptr;
    h.picture = std::move(picture);
    h.bounds = auto_sized(h);
    if (!h.visible) return;
    if (had_picture) mark(old_bounds);
    if (h.picture && !(had_picture && h.bounds == old_bounds)) mark(h.bounds);
}

void ScreenModel::set_bounds(HolderId id, Rect bounds) {
    Holder& h = holder(id);
    const Rect old_bounds = h.bounds;
    h.bounds = bounds;
    h.bounds = auto_sized(h);
    if (h.bounds == old_bounds || !h.visible) return;
    mark(old_bounds);
    mark(h.bounds);
}

void ScreenModel::set_stretch(HolderId id, bool stretch) {
    Holder& h = holder(id);
    if (h.stretch == stretch) return;
    h.stretch = stretch;
    if (h.visible) mark(h.bounds);
}

void ScreenModel::set_auto_size(HolderId id, bool auto_size) {
    Holder& h = holder(id);
    if (h.auto_size == auto_size) return;
    h.auto_size = auto_size;
    const Rect old_bounds = h.bounds;
    h.bounds = auto_sized(h);
    if (!h.visible) return;
    mark(old_bounds);
    if (h.bounds != old_bounds) mark(h.bounds);
}

void ScreenModel::set_hint(HolderId id, std::string hint) {
    holder(id).hint = std::move(hint);
}

std::vector<Rect> ScreenModel::take_dirty() {
    if (m_dirty.empty()) return {};
    std::vector<Rect> taken(m_dirty.begin(), m_dirty.end());
    m_dirty.clear();  // keeps the reserved capacity
    return taken;
}

void ScreenModel::mark(const Rect& r) {
    if (is_empty(r)) return;
    m_dirty.push_back(r);
    if (m_dirty.size() <= Dirty_Limit) return;
    int64_t left = r.left;
    int64_t top = r.top;
    int64_t right = int64_t{r.left} + r.width;
    int64_t bottom = int64_t{r.top} + r.height;
    for (const Rect& d : m_dirty) {
        left = std::min<int64_t>(left, d.left);
        top = std::min<int64_t>(top, d.top);
        right = std::max(right, int64_t{d.left} + d.width);
        bottom = std::max(bottom, int64_t{d.top} + d.height);
    }
    m_dirty.clear();
    m_dirty.push_back(Rect{static_cast<int32_t>(left), static_cast<int32_t>(top),
                           static_cast<int32_t>(right - left), static_cast<int32_t>(bottom - top)});
}

}  // namespace fluffo
