#pragma once
// A whole handheld on the virtual clock for engine tests: the world the headless driver uses
// (screen model, scheduler, recorder, in-memory store, settable clock, seeded generator),
// created the way the main window creates it.

#include <string>
#include <vector>

#include "display/sim_world.h"

namespace fluffo::testing {

// The driver's world, with short names for what the tests touch.
struct Rig {
    SimWorld world{12345};
    Scheduler& scheduler = world.scheduler;
    MainScreen& screen = world.screen;
    SoundRecorder& sound = world.sound;
    MemoryStore& store = world.store;
    SettableClock& clock = world.clock;
    Handheld& hh = world.handheld;
    GameState& st = hh.state;

    void wait(int64_t ms) { scheduler.advance_to(scheduler.now() + ms); }
    void set_mode(Mode mode) { hh.set_mode(mode); }
    bool lit(const std::string& name) const {
        return screen.model().at(screen.model().require(name)).visible;
    }
    bool on(TimerId id) const { return scheduler.enabled(id); }
    std::vector<std::string> sounds() {
        std::vector<std::string> out;
        for (const auto& p : sound.take())
            out.emplace_back(sample_name(p.sample));
        return out;
    }
    std::string digits() const { return screen.panel_text(); }
    // A game in play on stage 1, just after the stage start put Fluffo down and started the tick.
    void start_game(Mode intro_mode) {
        set_mode(Mode::Time);
        set_mode(intro_mode);
        wait(2900 + 1 + 700);
    }
    int count_lit(const std::string& prefix) const {
        int n = 0;
        for (const Holder& h : screen.model().holders()) {
            if (h.visible && h.name.rfind(prefix, 0) == 0) ++n;
        }
        return n;
    }
};

}  // namespace fluffo::testing
