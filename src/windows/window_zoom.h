#pragma once
// The sizes the player can give the handheld: 100 % to 400 %, in steps of 25 % up to 200 %
// and of 50 % above. The window never grows beyond the area it has: of the steps up to the
// one chosen, the largest that fits is used.

#include <array>
#include <cstdint>

namespace fluffo {

inline constexpr std::array<int32_t, 9> Zoom_Steps = {100, 125, 150, 175, 200, 250, 300, 350, 400};
inline constexpr int32_t Zoom_Default = 100;

// What the player asks of the size: one step larger or smaller, or back to 100 %.
enum class ZoomChange : uint8_t { Larger, Smaller, Reset };

inline bool is_zoom_step(int32_t percent) {
    for (const int32_t step : Zoom_Steps) {
        if (step == percent) return true;
    }
    return false;
}

// The step the change leads to from `percent` (a step); the ends stay where they are.
inline int32_t zoom_after(int32_t percent, ZoomChange change) {
    if (change == ZoomChange::Reset) return Zoom_Default;
    int32_t out = percent;
    if (change == ZoomChange::Larger) {
        for (auto it = Zoom_Steps.rbegin(); it != Zoom_Steps.rend(); ++it) {
            if (*it > percent) out = *it;
        }
    } else {
        for (const int32_t step : Zoom_Steps) {
            if (step < percent) out = step;
        }
    }
    return out;
}

// The largest step at or below `percent` at which a width x height client fits the area;
// the smallest step when none does.
inline int32_t fitting_zoom(int32_t percent, int32_t width, int32_t height, int32_t area_width,
                            int32_t area_height) {
    int32_t out = Zoom_Steps.front();
    for (const int32_t step : Zoom_Steps) {
        if (step > percent) break;
        if (int64_t{width} * step <= int64_t{area_width} * 100 &&
            int64_t{height} * step <= int64_t{area_height} * 100) {
            out = step;
        }
    }
    return out;
}

// A length in client pixels at the zoom, in window pixels (to the nearest).
inline int32_t zoomed(int32_t length, int32_t percent) {
    const int64_t v = int64_t{length} * percent;
    return static_cast<int32_t>((v >= 0 ? v + 50 : v - 50) / 100);
}

}  // namespace fluffo
