#pragma once
// Where a window starts so that it stands in the middle of an area, along one axis: the one
// rule for the skin on the screen, the main window, the start screen and the key settings'
// button. The half of what is left over truncates towards zero, so a window larger than its
// area overhangs the far side by the odd pixel ((800 - 1001) / 2 is -100), and the sum stops
// at the edge of 32 bits.

#include <cstdint>

#include "display/screen_model.h"

namespace fluffo {

inline int32_t centred_start(int32_t area_start, int32_t area_length, int32_t length) {
    return clamp_to_int32(int64_t{area_start} + (int64_t{area_length} - length) / 2);
}

}  // namespace fluffo
