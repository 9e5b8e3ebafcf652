#pragma once
// The handheld with simple ports, as the headless driver, the tests and the benchmarks assemble
// it: the way the main window's creation leaves it (high scores read from the store, the
// overlay as stored, nothing else shown, no timer running), on a virtual clock at time 0 and
// 00:00, with sounds recorded and chance seeded by hand.

#include <cstdint>

#include "base/random_source.h"
#include "base/settings_store.h"
#include "base/wall_clock.h"
#include "display/main_screen.h"
#include "display/skin_window.h"
#include "engine/handheld.h"
#include "engine/scheduler.h"
#include "engine/sound_recorder.h"

namespace fluffo {

struct SimWorld {
    explicit SimWorld(uint64_t seed);
    SimWorld(const SimWorld&) = delete;
    SimWorld& operator=(const SimWorld&) = delete;

    SoundRecorder sound;
    MemoryStore store;
    SettableClock clock;
    SeededRandom random;
    Scheduler scheduler;
    MainScreen screen;
    Handheld handheld;
    PlainSkinWindow window;  // the main window's size and colour; no skin: the design's
};

}  // namespace fluffo
