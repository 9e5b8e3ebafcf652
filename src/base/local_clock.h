#pragma once
// The computer's local time of day for the handheld's clock, and a seed for chance taken from
// the clock, as the program uses them outside tests.

#include <cstdint>

#include "engine/sample_player.h"

namespace fluffo {

class LocalClock : public WallClock {
public:
    LocalTime local_time() override;
};

// Differs from run to run: the wall clock in nanoseconds.
uint64_t clock_seed();

}  // namespace fluffo
