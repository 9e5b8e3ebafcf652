#pragma once
// A whole handheld on the virtual clock for engine tests: the screen model, the scheduler,
// the recorder, the in-memory store, a settable clock and a seeded generator, created the
// way the main window creates them.

#include <string>
#include <vector>

#include "display/main_screen.h"
#include "engine/handheld.h"
#include "engine/simple_ports.h"
#include "shell/settings_store.h"

namespace fluffo::testing {

struct Rig {
    Scheduler scheduler;
    MainScreen screen;
    SoundRecorder sound{[this] { return scheduler.now(); }};
    MemoryStore store;
    SettableClock clock{[this] { return scheduler.now(); }};
    SeededRandom random{12345};
    Handheld hh{screen, scheduler, HandheldPorts{sound, store, clock, random}};
    GameState& st = hh.state;

    Rig() { hh.create(); }

    void wait(int64_t ms) { scheduler.advance_to(scheduler.now() + ms); }
    void set_mode(int32_t mode) {
        st.Gam_Mode = mode;
        hh.Gam_Set_Mode();
    }
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
    void start_game(int32_t intro_mode) {
        set_mode(Mode_Time);
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
