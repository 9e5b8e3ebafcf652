#pragma once
// A control printed by its name in a failed expectation, not as a raw byte.

#include <ostream>

#include "engine/control.h"

namespace fluffo {

inline void PrintTo(Control control, std::ostream* os) {
    *os << control_name(control);
}

}  // namespace fluffo
